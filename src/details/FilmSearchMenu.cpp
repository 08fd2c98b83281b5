#include "details/FilmSearchMenu.h"

#include "details/FilmSearch.h"
#include "core/MainWindowSeam.h"

namespace orv {

FilmSearchMenu::FilmSearchMenu(QWidget *parent) : QMenu(QStringLiteral("a"), parent)
{
    setObjectName(QStringLiteral("a"));
    for (const FilmSite &site : filmSites()) {
        QAction *command = addAction(QString::fromUtf8(site.caption));
        command->setObjectName(QString::fromLatin1(site.command));
        // The opener's result is not looked at: a missing browser shows nothing here.
        connect(command, &QAction::triggered, this,
                [this, &site] { mainWindow().openUrl(filmSearchUrl(site, title_)); });
    }
}

void FilmSearchMenu::popupFor(const QString &title, const QPoint &at)
{
    title_ = title;
    popup(at);
}

} // namespace orv
