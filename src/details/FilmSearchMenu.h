#pragma once

#include <QMenu>
#include <QString>

namespace orv {

// The pop-up's hidden menu of film-site searches: one command per site, in
// the sites' order, named after the command. Choosing one opens that site's
// search for the title the menu was shown for.
class FilmSearchMenu : public QMenu {
    Q_OBJECT
public:
    explicit FilmSearchMenu(QWidget *parent = nullptr);
    // Shows the menu at a screen position (the pointer, for a click) for a title.
    void popupFor(const QString &title, const QPoint &at);
    QString searchTitle() const { return title_; }

private:
    QString title_;
};

} // namespace orv
