// Command routing: menus, toolbars and navigation icons; language captions.
#include "mainwindow/FrmMain.h"

#include "acquisition/FrmDownload.h"
#include "acquisition/FrmElaboraD.h"
#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "details/FrmMonitor.h"
#include "details/FrmPreferiti.h"
#include "grid/FrmSchedaGiorno.h"
#include "mainwindow/ChannelTree.h"
#include "mainwindow/FrmAbout.h"
#include "mainwindow/MainState.h"
#include "mainwindow/cHtmlHelp.h"
#include "mainwindow/frmTip.h"
#include "platform/Windows.h"
#include "views/FrmHigh.h"
#include "views/FrmMyTV.h"
#include "views/FrmReport.h"
#include "views/FrmRicerche.h"
#include "views/FrmSchedaHtml.h"

#include <QAction>
#include <QCoreApplication>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QToolBar>
#include <QTimer>
#include <QUrl>

namespace orv {

namespace {
constexpr const char *SupportAddress = "supporto@orvento.example";

// A command that fails leaves its mark in the status bar; the program goes on.
template <typename F> void guarded(F &&f)
{
    try {
        f();
    } catch (const std::exception &) {
        mainWindow().writeStatus(1, QStringLiteral("*"));
    }
}
} // namespace

void FrmMain::Toolbar1_ButtonClick(const QString &key)
{
    guarded([&] { runCommand(commands::toolbar1(key)); });
}
void FrmMain::Toolbar2_ButtonClick(const QString &key)
{
    guarded([&] { runCommand(commands::toolbar2(key)); });
}
void FrmMain::Toolbar3_ButtonClick(const QString &key)
{
    guarded([&] { runCommand(commands::toolbar3(key)); });
}
void FrmMain::ImgIcone_Click(int index)
{
    guarded([&] { runCommand(commands::icon(index)); });
}

void FrmMain::runCommand(Command command)
{
    switch (command) {
    case Command::None:
        return;
    case Command::ChannelCard:
        Picture3->show();
        showChild(Windows::get<FrmSchedaHtml>());
        return;
    case Command::DayGrid:
        showChild(Windows::get<FrmSchedaGiorno>());
        Picture3->hide();
        return;
    case Command::SearchPage:
        showFocused(Windows::get<FrmRicerche>(), Windows::get<FrmRicerche>().TxtRicerca);
        return;
    case Command::DailyReport:
        showFocused(Windows::get<FrmReport>(), Windows::get<FrmReport>().CmbRicerca);
        return;
    case Command::MyTV:
        showChild(Windows::get<FrmMyTV>());
        QCoreApplication::processEvents();
        return;
    case Command::Highlights:
        showChild(Windows::get<FrmHigh>());
        return;
    case Command::Monitor:
        Windows::toFront(Windows::get<FrmMonitor>());
        return;
    case Command::MonitorThenEvents:
        Windows::toFront(Windows::get<FrmMonitor>());
        QCoreApplication::processEvents();
        return;
    case Command::Favourites:
        Windows::toFront(Windows::get<FrmPreferiti>());
        return;
    case Command::Download:
    case Command::DownloadAndRefresh:
        runDownload(command == Command::DownloadAndRefresh);
        return;
    case Command::ChannelSetup:
        mainWindow().showChannelSetup();
        return;
    case Command::Preferences:
        mainWindow().showPreferences();
        return;
    case Command::ChannelFiles:
        runJob([] { mainWindow().downloadChannelFiles(); });
        return;
    case Command::PostProcessing:
        runJob([] { mainWindow().postProcessing(); });
        return;
    case Command::HelpContents:
        if (oHtmlHelp)
            oHtmlHelp->DisplayTOC();
        return;
    case Command::Faq:
        if (oHtmlHelp)
            oHtmlHelp->HelpContext(1000, QString());
        return;
    case Command::Tip:
        TipAllAvvio = false;
        frmTip::open();
        return;
    case Command::About:
        Windows::toFront(Windows::get<FrmAbout>());
        return;
    case Command::WebProduct:
        openWeb(QStringLiteral("/orvento/"));
        return;
    case Command::WebForum:
        openWeb(QStringLiteral("/forum/"));
        return;
    case Command::MonitorProgram:
        // The companion the first start launches; a missing one does nothing.
        QProcess::startDetached(appPath(QStringLiteral("\\OrventoMonitor")), {});
        return;
    case Command::HoverToggle:
        PopUp = popUpPressed();
        return;
    case Command::Exit:
        close();
        return;
    case Command::ConfiguraMenu:
        m_config1->popup(QCursor::pos());
        return;
    }
}

void FrmMain::showFocused(MdiChild &child, QWidget *field)
{
    showChild(child);
    QCoreApplication::processEvents();
    field->setFocus();
}

void FrmMain::openWeb(const QString &path)
{
    mainWindow().openUrl(serverBase() + path);
}

void FrmMain::supportMail(int topicIndex)
{
    const QString topic = commands::contactTopic(topicIndex);
    if (topic.isEmpty())
        return;
    const QByteArray subject = QUrl::toPercentEncoding(QStringLiteral("Orvento - ") + topic);
    mainWindow().openUrl(QStringLiteral("mailto:") + QLatin1String(SupportAddress) + QStringLiteral("?subject=") +
                          QString::fromLatin1(subject));
}

bool FrmMain::refuseSecondJob()
{
    if (!job_)
        return false;
    if (Windows::loaded<FrmDownload>())
        Windows::toFront(Windows::get<FrmDownload>());
    else if (Windows::loaded<FrmElaboraD>())
        Windows::toFront(Windows::get<FrmElaboraD>());
    return true;
}

bool FrmMain::startJob()
{
    if (refuseSecondJob())
        return false;
    job_ = true;
    return true;
}

void FrmMain::finishJob()
{
    job_ = false;
    if (closePending_)
        close();
}

bool FrmMain::runJob(const std::function<void()> &job)
{
    if (!startJob())
        return false;
    try {
        job();
    } catch (...) {
        finishJob();
        throw;
    }
    finishJob();
    return true;
}

void FrmMain::runDownload(bool refreshAfter)
{
    const bool ran = runJob([this] {
        mainWindow().downloadCycle();
        // Highlights only when the user wants them, and not when closing.
        // Without them the cycle ends as their download does: the window goes.
        if (closePending_)
            return;
        if (HighLights)
            mainWindow().downloadHighlights();
        else
            Windows::unload<FrmDownload>();
    });
    if (!ran || closePending_)
        return;
    if (refreshAfter && VistaCorrente == 3) {
        Picture3->hide();
        refreshGrid();
    }
}

void FrmMain::refreshGrid()
{
    // The grid swaps a finished build in whole: nothing to hide meanwhile.
    Windows::get<FrmSchedaGiorno>().RICARICA_GRIGLIA();
}

// ---------------------------------------------------------------- captions

void FrmMain::APPLICA_LINGUA()
{
    auto text = [](int n) { return n >= 0 && n < int(Lingua.size()) ? Lingua[n] : QString(); };
    auto menuItem = [this](const char *name) { return menuBar()->findChild<QAction *>(QLatin1String(name)); };
    auto menu = [this](const char *name) { return menuBar()->findChild<QMenu *>(QLatin1String(name)); };

    for (int i = 0; i < 8; ++i)
        m_menuv[i]->setText(text(channeltree::GroupTitleText[i]));
    static const int iconOrder[5] = {0, 2, 3, 1, 4};
    for (int k = 0; k < 5; ++k) {
        ImgIcone[iconOrder[k]]->setToolTip(text(5 + k));
        LabIcone[iconOrder[k]]->setToolTip(text(5 + k));
    }
    LabTitoloBar[3]->setText(text(10));
    LabTitoloBar[1]->setText(text(13));
    LabTitoloBar[2]->setText(text(14));
    toolbarButton(Toolbar1, 1)->setText(text(11));

    static const int bar2Buttons[5] = {3, 4, 5, 7, 11};
    for (int k = 0; k < 5; ++k) {
        toolbarButton(Toolbar2, bar2Buttons[k])->setText(text(23 + k));
        toolbarButton(Toolbar2, bar2Buttons[k])->setToolTip(text(32 + k));
    }
    static const int bar3Buttons[4] = {4, 6, 7, 9};
    for (int k = 0; k < 4; ++k) {
        toolbarButton(Toolbar3, bar3Buttons[k])->setText(text(28 + k));
        toolbarButton(Toolbar3, bar3Buttons[k])->setToolTip(text(37 + k));
    }
    static const char *const menus[5] = {"m_File", "m_Visualizza", "m_Schede", "m_config1", "m_help"};
    for (int k = 0; k < 5; ++k)
        if (QMenu *m = menu(menus[k]))
            m->setTitle(text(41 + k));

    static const std::pair<const char *, int> items[] = {
        {"m_vecchi", 46},       {"m_puliscidb", 47},         {"m_elaboradati", 48},  {"m_exit", 49},
        {"m_menu_visu0", 12},   {"m_menu_visu1", 14},        {"m_menu1_0", 50},      {"m_menu1_1", 51},
        {"m_menu1_2", 52},      {"m_schedahighlights", 53},  {"m_report", 54},       {"m_config2_0", 55},
        {"m_config2_1", 56},    {"m_config2_2", 70},         {"m_help1_faq", 57},    {"m_help1_tip", 58},
        {"m_help1_web", 59},    {"m_help1_forum", 60},       {"m_help1_about", 63},  {"m_contact0", 65},
        {"m_contact1", 66},     {"m_contact2", 67},          {"m_contact3", 68},     {"m_contact4", 69},
    };
    for (const auto &[name, n] : items)
        if (QAction *a = menuItem(name))
            a->setText(text(n));
    if (QMenu *m = menu("m_help1_contact"))
        m->setTitle(text(61));
}

} // namespace orv
