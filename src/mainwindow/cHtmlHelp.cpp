#include "mainwindow/cHtmlHelp.h"

#include "core/AppState.h"
#include "mainwindow/HelpViewer.h"
#include "platform/Files.h"

#include <QFileInfo>
#include <QToolTip>
#include <QCursor>
#include <QWidget>

namespace orv {

std::unique_ptr<cHtmlHelp> oHtmlHelp;

cHtmlHelp::cHtmlHelp() = default;

cHtmlHelp::~cHtmlHelp() { delete viewer_; }

QString cHtmlHelp::CHMFile() const
{
    const qsizetype cut = helpFile_.indexOf(QStringLiteral("::/"));
    return cut < 0 ? helpFile_ : helpFile_.left(cut).trimmed();
}

QString cHtmlHelp::helpFolder() const
{
    const QString file = CHMFile();
    return file.isEmpty() ? appPath(QStringLiteral("help")) : QFileInfo(file).absolutePath();
}

QString cHtmlHelp::pageForContext(qint32 contextId) const
{
    const QString folder = helpFolder();
    for (const auto &[number, page] : readHelpList(files::resolve(folder, QStringLiteral("contexts.txt")))) {
        bool ok = false;
        if (number.toInt(&ok) == contextId && ok && files::isPlainFileName(page) &&
            QFileInfo::exists(files::resolve(folder, page)))
            return page;
    }
    return QString::fromLatin1(ContentsPage);
}

long cHtmlHelp::showPage(const QString &page, const QString &anchor)
{
    if (!viewer_)
        viewer_ = new HelpViewer(helpFolder());
    if (!viewer_->showPage(page, anchor) && !viewer_->showPage(QString::fromLatin1(ContentsPage)))
        return 0;
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
    return 1;
}

long cHtmlHelp::DisplayContext(qint32 contextId) { return showPage(pageForContext(contextId)); }

long cHtmlHelp::DisplayTopic(const QString &topic)
{
    return showPage(topic.isEmpty() ? QString::fromLatin1(ContentsPage) : topic);
}

long cHtmlHelp::PopUp(const QString &text)
{
    QToolTip::showText(QCursor::pos(), text, owner_);
    return text.isEmpty() ? 0 : 1;
}

long cHtmlHelp::DisplaySearch()
{
    const long shown = DisplayTOC();
    if (shown)
        viewer_->showIndexTab(QString());
    return shown;
}

long cHtmlHelp::DisplayTOC()
{
    const long shown = showPage(QString::fromLatin1(ContentsPage));
    if (shown)
        viewer_->showContentsTab();
    return shown;
}

long cHtmlHelp::DisplayIndex(const QString &keyword)
{
    const long shown = showPage(QString::fromLatin1(ContentsPage));
    if (shown)
        viewer_->showIndexTab(keyword);
    return shown;
}

long cHtmlHelp::HelpContextPop(QWidget *ctrl)
{
    if (!ctrl)
        return 0;
    const int context = ctrl->property("HelpContextID").toInt();
    if (context <= 0)
        return 0;
    return DisplayContext(context);
}

long cHtmlHelp::HelpContext(qint32 contextId, const QString &windowName)
{
    // The window name chose a viewer window type; ours has one window.
    Q_UNUSED(windowName);
    return DisplayContext(contextId);
}

} // namespace orv
