#include "core/PreferenceLists.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <cmath>

namespace orv::preferences {

QStringList importaListItems(const QStringList &rows)
{
    QStringList out;
    QSet<QString> seen;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        if (it->isEmpty())
            continue;
        const QString folded = it->toCaseFolded();
        if (seen.contains(folded))
            continue;
        seen.insert(folded);
        out << *it;
    }
    return out;
}

QStringList languageFiles(const QString &folder)
{
    // Language files are found whatever the case of their ".ini".
    return QDir(folder, QStringLiteral("*.ini"), QDir::Name | QDir::IgnoreCase, QDir::Files | QDir::Readable)
        .entryList();
}

int gridDays(const QString &text, bool *valid)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    const bool inRange = ok && v >= 1 && v <= 7;
    if (valid)
        *valid = inRange;
    return inRange ? int(std::nearbyint(v)) : 7;
}

bool restrictToOwner(const QString &path)
{
    if (!QFile::exists(path))
        return false;
    return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace orv::preferences
