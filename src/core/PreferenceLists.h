#pragma once

#include <QString>
#include <QStringList>

// The rules behind the preferences window's lists and boxes, apart from it.
namespace orv::preferences {

// The programme types of table Importa as the window lists them: newest row
// first, empty titles and repeats left out.
QStringList importaListItems(const QStringList &rows);

// The language files ("*.ini") of a folder, by name without regard to case;
// empty when the folder does not exist.
QStringList languageFiles(const QString &folder);

// The grid's day count typed or chosen in the days box: a number from 1 to 7
// is taken (rounded to a whole number); anything else gives 7 and *valid
// false, and the box then shows "7".
int gridDays(const QString &text, bool *valid = nullptr);

// Leaves a settings file readable and writable by its owner alone: it holds
// the proxy password.
bool restrictToOwner(const QString &path);

} // namespace orv::preferences
