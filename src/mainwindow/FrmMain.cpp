#include "mainwindow/FrmMain.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "details/FrmMonitor.h"
#include "details/Promemoria.h"
#include "grid/FrmPopUpGhost.h"
#include "grid/FrmSchedaGiorno.h"
#include "grid/GridState.h"
#include "mainwindow/ChannelTree.h"
#include "mainwindow/FrmWait.h"
#include "mainwindow/MainState.h"
#include "mainwindow/cHtmlHelp.h"
#include "mainwindow/frmTip.h"
#include "mdi/DateNav.h"
#include "mdi/MdiChild.h"
#include "platform/Database.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "views/FrmHigh.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QResizeEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

namespace orv {

namespace {

QIcon standardIcon(QStyle::StandardPixmap p) { return QApplication::style()->standardIcon(p); }

QFrame *panel(QWidget *parent)
{
    auto *f = new QFrame(parent);
    f->setFrameShape(QFrame::StyledPanel);
    return f;
}

QPushButton *closeButton(QWidget *parent)
{
    auto *b = new QPushButton(QStringLiteral("×"), parent);
    b->setFlat(true);
    b->setFixedSize(18, 18);
    return b;
}

// Hides a side panel. The focus leaving it would go to the next view in the
// tab order and bring that view to the front: the view in front takes it.
void hidePanel(QWidget *panel, QMdiArea *area)
{
    QWidget *focus = QApplication::focusWidget();
    if (focus && panel->isAncestorOf(focus)) {
        if (QMdiSubWindow *front = area->activeSubWindow())
            front->widget()->setFocus(Qt::OtherFocusReason);
        else
            focus->clearFocus();
    }
    panel->hide();
}

} // namespace

FrmMain::FrmMain()
{
    setWindowTitle(QStringLiteral("Orvento 7.2 Build 1"));
    setWindowIcon(standardIcon(QStyle::SP_ComputerIcon));
    setMinimumSize((MinWidthTwips + TwipsPerPixel - 1) / TwipsPerPixel,
                   (MinHeightTwips + TwipsPerPixel - 1) / TwipsPerPixel);
    resize(1024, 740);

    auto *central = new QWidget(this);
    auto *row = new QHBoxLayout(central);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    Picture1 = panel(central);
    Picture1->hide();
    buildNavigationBar();
    buildTreePanel();
    buildLogoPanel();
    mdiArea = new QMdiArea(central);
    mdiArea->setViewMode(QMdiArea::SubWindowView);
    row->addWidget(Picture2);
    row->addWidget(Picture3);
    row->addWidget(Picture4);
    row->addWidget(mdiArea, 1);
    setCentralWidget(central);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &FrmMain::onSubWindowActivated);

    for (QLabel *title : LabTitoloBar)
        title->installEventFilter(this);
    mdiArea->viewport()->installEventFilter(this);
    Picture1->installEventFilter(this);

    buildMenus();
    buildToolbars();
    buildStatusBar();
    buildTimers();
}

FrmMain::~FrmMain()
{
    // The child views close with the area after this body has run, when the
    // object is no longer a FrmMain: their activations must not reach it.
    disconnect(mdiArea, nullptr, this, nullptr);
    oHtmlHelp.reset();
}

// ---------------------------------------------------------------- building

void FrmMain::buildNavigationBar()
{
    Picture2 = panel(centralWidget() ? centralWidget() : this);
    Picture2->setFixedWidth(250);
    Picture2->setMouseTracking(true);
    Picture2->installEventFilter(this);
    auto *col = new QVBoxLayout(Picture2);
    col->setContentsMargins(4, 4, 4, 4);

    auto *title = new QHBoxLayout;
    LabTitoloBar[0] = new QLabel(QStringLiteral("Orvento"), Picture2);
    auto *close2 = closeButton(Picture2);
    connect(close2, &QPushButton::clicked, this, [this] { CmdClose_Click(2); });
    title->addWidget(LabTitoloBar[0], 1);
    title->addWidget(close2);
    col->addLayout(title);

    LabTitoloBar[4] = new QLabel(QStringLiteral("Calendario"), Picture2);
    col->addWidget(LabTitoloBar[4]);
    MonthView1 = new QCalendarWidget(Picture2);
    MonthView1->setGridVisible(false);
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthView1->setFirstDayOfWeek(Qt::Monday);
    MonthView1->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    col->addWidget(MonthView1);
    if (auto *days = MonthView1->findChild<QAbstractItemView *>(QStringLiteral("qt_calendar_calendarview")))
        days->viewport()->installEventFilter(this);
    // Any change of the day (mouse, keys, month buttons, day buttons) runs the
    // click's path once; a click on the day already chosen runs it too.
    connect(MonthView1, &QCalendarWidget::selectionChanged, this, [this] {
        dayJustChanged_ = true;
        MonthView1_DateClick();
    });
    connect(MonthView1, &QCalendarWidget::clicked, this, [this] {
        if (!std::exchange(dayJustChanged_, false))
            MonthView1_DateClick();
    });

    LabTitoloBar[5] = new QLabel(QStringLiteral("Giorno"), Picture2);
    col->addWidget(LabTitoloBar[5]);
    auto *days = new QHBoxLayout;
    CmdGiornoSx = new QPushButton(QStringLiteral("◀"), Picture2);
    CmdGiornoDx = new QPushButton(QStringLiteral("▶"), Picture2);
    CmdGiornoSx->setToolTip(QStringLiteral("Giorno precedente"));
    CmdGiornoDx->setToolTip(QStringLiteral("Giorno successivo"));
    for (auto *&l : LabDATA) {
        l = new QLabel(Picture2);
        l->setAlignment(Qt::AlignCenter);
        l->installEventFilter(this);
    }
    days->addWidget(CmdGiornoSx);
    days->addWidget(LabDATA[0], 1);
    days->addWidget(CmdGiornoDx);
    col->addLayout(days);
    col->addWidget(LabDATA[2]);
    LabDATA[1]->hide(); // a copy of label 0 that other panels showed
    connect(CmdGiornoSx, &QPushButton::clicked, this, &FrmMain::CmdGiornoSx_Click);
    connect(CmdGiornoDx, &QPushButton::clicked, this, &FrmMain::CmdGiornoDx_Click);


    LabTitoloBar[6] = new QLabel(QStringLiteral("Comandi"), Picture2);
    col->addWidget(LabTitoloBar[6]);
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    static const char *const captions[] = {"Per Canale", "Palinsesti", "Scarica !", "Monitor",  "Help",
                                           "Griglia",    "Ricerche",   "MyTV",      "Preferiti"};
    static const QStyle::StandardPixmap pictures[] = {
        QStyle::SP_FileDialogDetailedView, QStyle::SP_FileDialogListView, QStyle::SP_ArrowDown,
        QStyle::SP_MessageBoxInformation,  QStyle::SP_DialogHelpButton,   QStyle::SP_FileDialogContentsView,
        QStyle::SP_FileDialogStart,        QStyle::SP_DirHomeIcon,        QStyle::SP_DialogApplyButton};
    lblHighlight = new QLabel(Picture2);
    lblHighlight->setFrameShape(QFrame::Box);
    lblHighlight->setStyleSheet(QStringLiteral("QLabel { border: 1px solid palette(highlight); }"));
    lblHighlight->hide();
    for (int i = 0; i < 9; ++i) {
        auto *cell = new QVBoxLayout;
        ImgIcone[i] = new QLabel(Picture2);
        ImgIcone[i]->setPixmap(standardIcon(pictures[i]).pixmap(32, 32));
        ImgIcone[i]->setAlignment(Qt::AlignCenter);
        ImgIcone[i]->setCursor(Qt::PointingHandCursor);
        ImgIcone[i]->installEventFilter(this);
        LabIcone[i] = new QLabel(QString::fromUtf8(captions[i]), Picture2);
        LabIcone[i]->setAlignment(Qt::AlignCenter);
        LabIcone[i]->setCursor(Qt::PointingHandCursor);
        LabIcone[i]->installEventFilter(this);
        cell->addWidget(ImgIcone[i]);
        cell->addWidget(LabIcone[i]);
        grid->addLayout(cell, i / 3, i % 3);
    }
    col->addLayout(grid);
    col->addStretch(1);
}

void FrmMain::buildTreePanel()
{
    Picture3 = panel(Picture2->parentWidget());
    Picture3->setFixedWidth(220);
    Picture3->setMouseTracking(true);
    Picture3->installEventFilter(this);
    auto *col = new QVBoxLayout(Picture3);
    col->setContentsMargins(4, 4, 4, 4);
    auto *title = new QHBoxLayout;
    LabTitoloBar[1] = new QLabel(QStringLiteral("Tree TV"), Picture3);
    auto *close0 = closeButton(Picture3);
    connect(close0, &QPushButton::clicked, this, [this] { CmdClose_Click(0); });
    title->addWidget(LabTitoloBar[1], 1);
    title->addWidget(close0);
    col->addLayout(title);

    Toolbar1 = new QToolBar(Picture3);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction *manager = Toolbar1->addAction(standardIcon(QStyle::SP_FileDialogListView),
                                           QStringLiteral("Palinsesti Preferiti"));
    manager->setData(QStringLiteral("manager"));
    Toolbar1->installEventFilter(this);
    connect(Toolbar1, &QToolBar::actionTriggered, this,
            [this](QAction *a) { Toolbar1_ButtonClick(a->data().toString()); });
    col->addWidget(Toolbar1);

    auto *filter = new QHBoxLayout;
    ImgFrecce = new QLabel(Picture3);
    ImgFrecce->setPixmap(standardIcon(QStyle::SP_ArrowDown).pixmap(16, 16));
    ImgFrecce->setCursor(Qt::PointingHandCursor);
    ImgFrecce->setToolTip(QStringLiteral("Filtra i palinsesti per gruppo"));
    ImgFrecce->installEventFilter(this);
    LabTitoloBar[3] = new QLabel(QStringLiteral("Visualizza Tutte"), Picture3);
    HighLabel1 = new QLabel(QStringLiteral("◀"), Picture3);
    HighLabel1->hide();
    filter->addWidget(ImgFrecce);
    filter->addWidget(LabTitoloBar[3], 1);
    filter->addWidget(HighLabel1);
    col->addLayout(filter);

    TreeView1 = new QTreeWidget(Picture3);
    TreeView1->setHeaderHidden(true);
    TreeView1->setMouseTracking(true);
    TreeView1->viewport()->installEventFilter(this);
    connect(TreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { TreeView1_NodeClick(item); });
    col->addWidget(TreeView1, 1);
}

void FrmMain::buildLogoPanel()
{
    Picture4 = panel(Picture2->parentWidget());
    Picture4->setFixedWidth(90);
    auto *col = new QVBoxLayout(Picture4);
    col->setContentsMargins(4, 4, 4, 4);
    auto *title = new QHBoxLayout;
    LabTitoloBar[2] = new QLabel(QStringLiteral("Lista TV"), Picture4);
    auto *close1 = closeButton(Picture4);
    connect(close1, &QPushButton::clicked, this, [this] { CmdClose_Click(1); });
    title->addWidget(LabTitoloBar[2], 1);
    title->addWidget(close1);
    col->addLayout(title);
    auto *body = new QHBoxLayout;
    body->addStretch(1);
    body->addWidget(new QScrollBar(Qt::Vertical, Picture4));
    col->addLayout(body, 1);
}

void FrmMain::buildMenus()
{
    auto add = [this](QMenu *menu, const QString &text, auto slot, bool visible = true) {
        QAction *a = menu->addAction(text);
        a->setVisible(visible);
        connect(a, &QAction::triggered, this, slot);
        menuActions_.append(a);
        return a;
    };
    QMenuBar *bar = menuBar();
    bar->installEventFilter(this);

    QMenu *mFile = bar->addMenu(QStringLiteral("&Database"));
    mFile->setObjectName(QStringLiteral("m_File"));
    add(mFile, QStringLiteral("Cancella Programmi Vecchi"), [this] { m_vecchi_Click(); })
        ->setObjectName(QStringLiteral("m_vecchi"));
    add(mFile, QStringLiteral("Pulisci Database Completamente"), [this] { m_puliscidb_Click(); })
        ->setObjectName(QStringLiteral("m_puliscidb"));
    add(mFile, QStringLiteral("Rielabora Dati"), [this] { runCommand(Command::PostProcessing); }, false)
        ->setObjectName(QStringLiteral("m_elaboradati"));
    mFile->addSeparator();
    add(mFile, QStringLiteral("Esci"), [this] { runCommand(Command::Exit); })->setObjectName(QStringLiteral("m_exit"));

    QMenu *mVis = bar->addMenu(QStringLiteral("&Visualizza"));
    mVis->setObjectName(QStringLiteral("m_Visualizza"));
    static const char *const visu[] = {"NavBar", "Lista TV", "Lista Loghi TV"};
    for (int i = 0; i < 3; ++i) {
        m_menu_visu[i] = add(mVis, QString::fromLatin1(visu[i]), [this, i] { m_menu_visu_Click(i); }, i == 1);
        m_menu_visu[i]->setCheckable(true);
        m_menu_visu[i]->setObjectName(QStringLiteral("m_menu_visu%1").arg(i));
    }

    QMenu *mSchede = bar->addMenu(QStringLiteral("&Schede"));
    mSchede->setObjectName(QStringLiteral("m_Schede"));
    add(mSchede, QStringLiteral("Scheda Palinsesto"), [this] { runCommand(Command::ChannelCard); })
        ->setObjectName(QStringLiteral("m_menu1_0"));
    add(mSchede, QStringLiteral("Scheda Giornaliera"), [this] { runCommand(Command::DayGrid); })
        ->setObjectName(QStringLiteral("m_menu1_1"));
    add(mSchede, QStringLiteral("Scheda Ricerche"), [this] { runCommand(Command::SearchPage); })
        ->setObjectName(QStringLiteral("m_menu1_2"));
    add(mSchede, QStringLiteral("Scheda HighLights"), [this] { runCommand(Command::Highlights); })
        ->setObjectName(QStringLiteral("m_schedahighlights"));
    add(mSchede, QStringLiteral("Scheda Report Giornaliero"), [this] { runCommand(Command::DailyReport); })
        ->setObjectName(QStringLiteral("m_report"));
    add(mSchede, QStringLiteral("Scheda MyTV"), [this] { runCommand(Command::MyTV); })
        ->setObjectName(QStringLiteral("m_mytv"));

    m_config1 = bar->addMenu(QStringLiteral("&Configura"));
    m_config1->setObjectName(QStringLiteral("m_config1"));
    add(m_config1, QStringLiteral("Scegli Palinsesti"), [this] { runCommand(Command::ChannelSetup); })
        ->setObjectName(QStringLiteral("m_config2_0"));
    add(m_config1, QStringLiteral("Preferenze"), [this] { runCommand(Command::Preferences); })
        ->setObjectName(QStringLiteral("m_config2_1"));
    add(m_config1, QStringLiteral("Scarica Nuovi Palinsesti"), [this] { runCommand(Command::ChannelFiles); }, false)
        ->setObjectName(QStringLiteral("m_config2_2"));

    bar->addMenu(QStringLiteral("&Windows"))->setObjectName(QStringLiteral("m_Windows"));

    QMenu *mHelp = bar->addMenu(QStringLiteral("&Help"));
    mHelp->setObjectName(QStringLiteral("m_help"));
    add(mHelp, QStringLiteral("Help"), [this] { runCommand(Command::HelpContents); })
        ->setObjectName(QStringLiteral("m_help1_help"));
    add(mHelp, QStringLiteral("F.A.Q. (Domande Frequenti)"), [this] { runCommand(Command::Faq); })
        ->setObjectName(QStringLiteral("m_help1_faq"));
    add(mHelp, QStringLiteral("Suggerimento del giorno"), [this] { runCommand(Command::Tip); })
        ->setObjectName(QStringLiteral("m_help1_tip"));
    mHelp->addSeparator();
    add(mHelp, QStringLiteral("Pagina Web Ufficiale"), [this] { runCommand(Command::WebProduct); })
        ->setObjectName(QStringLiteral("m_help1_web"));
    add(mHelp, QStringLiteral("FORUM"), [this] { runCommand(Command::WebForum); })
        ->setObjectName(QStringLiteral("m_help1_forum"));
    QMenu *contact = mHelp->addMenu(QStringLiteral("Contattaci"));
    contact->setObjectName(QStringLiteral("m_help1_contact"));
    static const char *const contacts[] = {"Supporto Tecnico", "Informazioni", "Bug Report", "Richiesta Pailinsesti",
                                           "Stampa"};
    for (int i = 0; i < 5; ++i)
        add(contact, QString::fromLatin1(contacts[i]), [this, i] { supportMail(i); }, i != 2 && i != 3)
            ->setObjectName(QStringLiteral("m_contact%1").arg(i));
    mHelp->addSeparator();
    add(mHelp, QStringLiteral("Aggiorna la programmazione TV!"), [this] { runCommand(Command::WebProduct); }, false)
        ->setObjectName(QStringLiteral("m_help1_update"));
    add(mHelp, QStringLiteral("Informazioni..."), [this] { runCommand(Command::About); })
        ->setObjectName(QStringLiteral("m_help1_about"));

    // The group filter, popped up by the arrow of the tree panel.
    menu1 = new QMenu(this);
    static const char *const groups[] = {"Visualizza Tutte", "Satellite", "Televisione", "Cinema",
                                         "Sport",            "Ragazzi",   "Locali",      "Radio"};
    for (int i = 0; i < 8; ++i) {
        m_menuv[i] = menu1->addAction(QString::fromLatin1(groups[i]));
        connect(m_menuv[i], &QAction::triggered, this, [this, i] { m_menuv_Click(i); });
    }
}

void FrmMain::buildToolbars()
{
    auto button = [](QToolBar *bar, const char *key, const QString &caption, QStyle::StandardPixmap pic,
                     const QString &tip) {
        QAction *a = bar->addAction(standardIcon(pic), caption);
        a->setData(QString::fromLatin1(key));
        a->setToolTip(tip);
        return a;
    };
    Toolbar2 = addToolBar(QStringLiteral("Principale"));
    Toolbar2->setObjectName(QStringLiteral("Toolbar2"));
    Toolbar2->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // Printing has no command: the button keeps its place but is not shown.
    button(Toolbar2, "stampa", QStringLiteral("Stampa   "), QStyle::SP_FileIcon, QString())->setVisible(false);
    Toolbar2->addSeparator();
    button(Toolbar2, "lista", QStringLiteral("Lista       "), QStyle::SP_FileDialogDetailedView,
           QStringLiteral("Visualizza i programmi giornalieri del palinsesto"));
    button(Toolbar2, "griglia", QStringLiteral("Griglia     "), QStyle::SP_FileDialogContentsView,
           QStringLiteral("Visualizza la Griglia con tutti i programmi"));
    button(Toolbar2, "high", QStringLiteral("HighLight"), QStyle::SP_FileDialogInfoView,
           QStringLiteral("Visualizza la finestra con gli Highlights"));
    Toolbar2->addSeparator();
    button(Toolbar2, "scarica", QStringLiteral("Scarica   "), QStyle::SP_ArrowDown,
           QStringLiteral("Scarica la nuova programmazione da Internet"));
    Toolbar2->addSeparator();
    button(Toolbar2, "mytv", QStringLiteral("My TV    "), QStyle::SP_DirHomeIcon,
           QStringLiteral("Visualizza I miei Programmi Preferiti!"));
    Toolbar2->addSeparator();
    button(Toolbar2, "help", QStringLiteral("Help       "), QStyle::SP_DialogHelpButton,
           QStringLiteral("Visualizza l' Help del programma"));
    Toolbar2->addSeparator();
    button(Toolbar2, "exit", QStringLiteral("Exit        "), QStyle::SP_DialogCloseButton,
           QStringLiteral("Chiudi Orvento"));
    connect(Toolbar2, &QToolBar::actionTriggered, this,
            [this](QAction *a) { Toolbar2_ButtonClick(a->data().toString()); });

    Toolbar3 = addToolBar(QStringLiteral("Strumenti"));
    Toolbar3->setObjectName(QStringLiteral("Toolbar3"));
    Toolbar3->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // Buttons 1 to 3 carry no command; they keep the numbering of the rest.
    for (int i = 0; i < 3; ++i)
        Toolbar3->addAction(QString())->setVisible(false);
    QAction *popup = button(Toolbar3, "popup", QStringLiteral("PopUp"), QStyle::SP_TitleBarNormalButton,
                            QStringLiteral("Attiva/Disattiva la finestra di Pop-Up !"));
    popup->setCheckable(true);
    popup->setChecked(true);
    Toolbar3->addSeparator();
    button(Toolbar3, "cerca", QStringLiteral("Cerca"), QStyle::SP_FileDialogStart,
           QStringLiteral("Cerca un Programma nel database"));
    button(Toolbar3, "monitor", QStringLiteral("Monitor"), QStyle::SP_MessageBoxInformation,
           QStringLiteral("Visualizza il monitor dei programmi"));
    Toolbar3->addSeparator();
    button(Toolbar3, "report", QStringLiteral("Report"), QStyle::SP_FileDialogListView,
           QStringLiteral("Report Giornaliero"));
    Toolbar3->addSeparator();
    button(Toolbar3, "traytv", QStringLiteral("Tray TV"), QStyle::SP_ComputerIcon,
           QStringLiteral("Carica il Monitor Residente in Memoria"));
    connect(Toolbar3, &QToolBar::actionTriggered, this,
            [this](QAction *a) { Toolbar3_ButtonClick(a->data().toString()); });
    Toolbar2->installEventFilter(this);
    Toolbar3->installEventFilter(this);
}

void FrmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->installEventFilter(this);
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setMinimumWidth(i == 0 ? 120 : 90);
        panels_[i]->installEventFilter(this);
    }
    alertIcon_ = new QLabel(bar);
    alertIcon_->installEventFilter(this);
    bar->addWidget(panels_[0], 1);
    bar->addPermanentWidget(alertIcon_);
    bar->addPermanentWidget(panels_[1]);
    bar->addPermanentWidget(panels_[2]);
    bar->addPermanentWidget(panels_[3]);
}

void FrmMain::buildTimers()
{
    auto make = [this](int ms, bool on, auto slot) {
        auto *t = new QTimer(this);
        t->setInterval(ms);
        connect(t, &QTimer::timeout, this, slot);
        if (on)
            t->start();
        return t;
    };
    TimerProg = make(59000, true, &VERIFICA_PROMEMORIA);
    Timer1 = make(5000, true, &FrmMain::Timer1_Timer);
    Timer2 = make(500, true, &FrmMain::Timer2_Timer);
    // The hover delay counts ticks of about 16 ms: 61 ticks make a second.
    Timer_POP2 = make(16, false, &FrmMain::Timer_POP2_Timer);
    // Panels 3 and 4: the current date and time.
    auto *clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &FrmMain::showClock);
    clock->start(1000);
    showClock();
}

void FrmMain::showClock()
{
    // Marks written into panels 3 and 4 stay in front of the date and time.
    const QDateTime now = QDateTime::currentDateTime();
    const QString texts[2] = {datenav::shortDate(now.date()), now.time().toString(QStringLiteral("HH:mm"))};
    for (int i = 0; i < 2; ++i) {
        const QString &mark = panelMarks_[i];
        panels_[2 + i]->setText(mark.isEmpty() ? texts[i] : mark + QStringLiteral("  ") + texts[i]);
    }
}

// ---------------------------------------------------------------- life cycle

void FrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!loaded_)
        Form_Load();
}

void FrmMain::loadStage(const QString &text)
{
    if (!AvvioInCorso)
        return;
    mainWindow().splashStage(text);
    QCoreApplication::processEvents();
}

void FrmMain::Form_Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    auto step = [](auto &&f) {
        try {
            f();
        } catch (const std::exception &) {
            mainWindow().writeStatus(1, QStringLiteral("-"));
        }
    };
    step([&] { setCurrentDay(QDate::currentDate()); });
    step([&] { applyStoredGeometry(); });
    step([&] { APPLICA_LINGUA(); });
    step([&] {
        oHtmlHelp = std::make_unique<cHtmlHelp>();
        oHtmlHelp->setOwnerHwnd(this);
        oHtmlHelp->setHelpFile(PercorsoApp + QStringLiteral("/help/OrventoHelp.chm"));
    });
    step([&] { refreshDateLabels(MonthView1->selectedDate()); });
    loadStage(QStringLiteral("Caricamento TV"));
    step([&] { LOAD_TV(); });
    loadStage(QStringLiteral("Analisi Monitor"));
    step([&] {
        MonitorTrovato = false;
        FrmMonitor &monitor = Windows::get<FrmMonitor>();
        monitor.setVisible(false);
        alertIcon_->clear();
        alertShown_ = false;
        monitor.Command3_Click();
    });
    if (MonitorTrovato) {
        AllarmeMonitor = 1;
        Timer2->start();
    }
    step([&] {
        TipAllAvvio = true;
        frmTip::open();
    });
    if (Pulisci) {
        loadStage(QStringLiteral("Clean Obsolete Listings"));
        step([&] { cleanOldListings(); });
    }
    step([&] {
        if (!griglia) {
            runCommand(Command::ChannelCard);
        } else {
            if (AvvioInCorso) {
                VistaCorrente = 3;
                loadStage(QStringLiteral("Costruzione Griglia"));
            }
            showChild(Windows::get<FrmSchedaGiorno>());
            Picture3->hide();
        }
    });
    if (!PopUp)
        toolbarButton(Toolbar3, 4)->setChecked(false);
    AvvioInCorso = false;
    mainWindow().closeSplash();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    if (job_) {
        // Stop the running job first; the window closes when it has ended.
        closePending_ = true;
        mainWindow().stopJobs();
        event->ignore();
        return;
    }
    if (closing_) {
        event->accept();
        return;
    }
    closing_ = true;
    // The other windows close first, so their pending work is kept or
    // dropped by their own question before the settings are saved.
    Windows::closeAll(this);
    try {
        if (width() * TwipsPerPixel < 5000 || height() * TwipsPerPixel < 5000)
            setWindowState(windowState() | Qt::WindowMaximized);
        storeGeometry();
        mainWindow().saveSettings();
    } catch (const std::exception &) {
        // The closing sequence goes on whatever fails.
    }
    event->accept();
    for (QMdiSubWindow *w : mdiArea->subWindowList())
        w->close();
    mainWindow().endProgram();
}

void FrmMain::applyStoredGeometry()
{
    QRect r(Left / TwipsPerPixel, Top / TwipsPerPixel, Width / TwipsPerPixel, Heigth / TwipsPerPixel);
    r.setWidth(std::max(r.width(), minimumWidth()));
    r.setHeight(std::max(r.height(), minimumHeight()));
    // A position stored on a screen that is gone comes back onto the screen.
    const QScreen *onScreen = QGuiApplication::screenAt(r.topLeft() + QPoint(40, 10));
    if (!onScreen) {
        const QScreen *primary = QGuiApplication::primaryScreen();
        const QRect avail = primary ? primary->availableGeometry() : QRect(0, 0, r.width(), r.height());
        r.moveTopLeft(avail.topLeft());
    }
    move(r.topLeft());
    resize(r.size());
}

void FrmMain::storeGeometry()
{
    const QRect frame = frameGeometry();
    Top = frame.top() * TwipsPerPixel;
    Left = frame.left() * TwipsPerPixel;
    Width = width() * TwipsPerPixel;
    Heigth = height() * TwipsPerPixel;
}

// ---------------------------------------------------------------- panels

void FrmMain::CmdClose_Click(int index)
{
    if (index == 0)
        hidePanel(Picture3, mdiArea);
    else if (index == 1)
        hidePanel(Picture4, mdiArea);
    else if (index == 2) {
        hidePanel(Picture2, mdiArea);
        NavBar = false;
    }
}

void FrmMain::m_menu_visu_Click(int index)
{
    QWidget *target = index == 0 ? Picture2 : index == 1 ? Picture3 : nullptr;
    if (!target)
        return;
    const bool show = !target->isVisible();
    if (show)
        target->show();
    else
        hidePanel(target, mdiArea);
    m_menu_visu[index]->setChecked(show);
    if (index == 0)
        NavBar = show;
}

void FrmMain::writeStatus(int panel, const QString &text)
{
    if (panel == 1 || panel == 2)
        panels_[panel - 1]->setText(text);
    else if (panel == 3 || panel == 4) {
        panelMarks_[panel - 3] = text;
        showClock();
    }
}

QString FrmMain::panelText(int panel) const
{
    if (panel == 3 || panel == 4)
        return panelMarks_[panel - 3];
    return panel >= 1 && panel <= 2 ? panels_[panel - 1]->text() : QString();
}

void FrmMain::Timer2_Timer()
{
    if (AllarmeMonitor != 1)
        return;
    if (alertShown_) {
        alertIcon_->clear();
        panels_[1]->clear();
        alertShown_ = false;
        return;
    }
    // A missing picture leaves the text to blink alone.
    QPixmap picture(appPath(QStringLiteral("htmlcards/smile2.ico")));
    if (!picture.isNull())
        alertIcon_->setPixmap(picture.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    panels_[1]->setText(QStringLiteral("Trovato Programma TV !"));
    alertShown_ = true;
}

void FrmMain::stopMonitorAlert()
{
    if (!(Timer2->isActive() && AllarmeMonitor == 1))
        return;
    Timer2->stop();
    alertIcon_->clear();
    panels_[1]->clear();
    alertShown_ = false;
}

void FrmMain::StatusBar1_PanelClick()
{
    stopHoverTimer();
    if (!(Timer2->isActive() && AllarmeMonitor == 1))
        return;
    stopMonitorAlert();
    runCommand(Command::Monitor);
}

void FrmMain::Timer1_Timer()
{
    HighLabel1->hide();
    lblHighlight->hide();
}

void FrmMain::ImgIcone_MouseMove(int index)
{
    if (IconaEvidenziata == index)
        return;
    QLabel *icon = ImgIcone[index];
    lblHighlight->setGeometry(icon->geometry().adjusted(-3, -3, 3, 3));
    lblHighlight->show();
    lblHighlight->lower();
    icon->move(icon->pos() - QPoint(1, 1));
    IconaEvidenziata = qint16(index);
}

void FrmMain::Picture2_MouseMove()
{
    stopHoverTimer();
    lblHighlight->hide();
    if (IconaEvidenziata >= 0 && IconaEvidenziata < 9) {
        QLabel *icon = ImgIcone[IconaEvidenziata];
        icon->move(icon->pos() + QPoint(1, 1));
    }
    IconaEvidenziata = 99;
}

void FrmMain::stopHoverTimer() { Timer_POP2->stop(); }

bool FrmMain::popUpPressed() const { return toolbarButton(Toolbar3, 4)->isChecked(); }

void FrmMain::Timer_POP2_Timer()
{
    // Without a grid there is no cell to show.
    if (!Windows::loaded<FrmSchedaGiorno>()) {
        Timer_POP2->stop();
        return;
    }
    if (!popUpPressed()) {
        if (Windows::loaded<FrmPopUpGhost>())
            Windows::get<FrmPopUpGhost>().close();
        return;
    }
    ++TickPopUp;
    if (TickPopUp > 60) {
        TickPopUp = 0;
        Timer_POP2->stop();
        Windows::get<FrmSchedaGiorno>().LabPROG_Click_2(int(LabProgHover));
        QCoreApplication::processEvents();
    }
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type t = event->type();
    if (t == QEvent::Resize && mdiArea && watched == mdiArea->viewport()) {
        const QRect before(QPoint(0, 0), static_cast<QResizeEvent *>(event)->oldSize());
        for (QMdiSubWindow *sub : mdiArea->subWindowList())
            if (sub->geometry() == before && !sub->isMaximized() && !sub->isMinimized())
                sub->setGeometry(mdiArea->viewport()->rect());
        return false;
    }
    if (t == QEvent::MouseButtonPress && watched->parent() &&
        watched->parent()->objectName() == QLatin1String("qt_calendar_calendarview")) {
        // A new click: whether it changes the day is known when it ends.
        dayJustChanged_ = false;
        return false;
    }
    if (t == QEvent::MouseButtonPress) {
        for (int i = 0; i < 9; ++i)
            if (watched == ImgIcone[i] || watched == LabIcone[i]) {
                ImgIcone_Click(i);
                return true;
            }
        if (watched == ImgFrecce) {
            ImgFrecce_Click();
            return true;
        }
        for (QLabel *p : panels_)
            if (watched == p) {
                StatusBar1_PanelClick();
                return false;
            }
        if (watched == alertIcon_ || watched == statusBar())
            StatusBar1_PanelClick();
    } else if (t == QEvent::Enter || t == QEvent::MouseMove) {
        for (int i = 0; i < 9; ++i)
            if (watched == ImgIcone[i]) {
                ImgIcone_MouseMove(i);
                return false;
            }
        if (watched == Picture2)
            Picture2_MouseMove();
        else if (watched == ImgFrecce)
            HighLabel1->show();
        else if ((TreeView1 && watched == TreeView1->viewport()) || watched == Picture3) {
            HighLabel1->hide();
            stopHoverTimer();
        } else if (watched == Toolbar1)
            HighLabel1->hide();
        else if (watched == Toolbar2 || watched == Toolbar3 || watched == statusBar() || watched == Picture1)
            stopHoverTimer();
        else if (std::find(LabDATA.begin(), LabDATA.end(), watched) != LabDATA.end())
            stopHoverTimer();
        else if (std::find(LabTitoloBar.begin(), LabTitoloBar.end(), watched) != LabTitoloBar.end() ||
                 (mdiArea && watched == mdiArea->viewport())) {
            stopHoverTimer();
            HighLabel1->hide();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- cleaning

void FrmMain::cleanOldListings()
{
    Database db = Database::open(PercorsoDb);
    ProgrammiTable(db).deleteBefore(datenav::cleaningCut(QDate::currentDate()));
}

bool FrmMain::confirmCleaning()
{
    return Prompt::message(Lingua[177], Lingua[178], Buttons::OkCancel, Icon::Question, Answer::Cancel) ==
           Answer::Ok;
}

void FrmMain::runCleaning(const std::function<void()> &clean)
{
    // Not while a download writes the same table.
    if (!startJob())
        return;
    if (confirmCleaning()) {
        try {
            clean();
        } catch (const std::exception &) {
            mainWindow().writeStatus(1, QStringLiteral("-"));
        }
        Prompt::message(QStringLiteral("Pulizia Database Completata"));
    }
    finishJob();
}

void FrmMain::m_vecchi_Click()
{
    runCleaning([this] { cleanOldListings(); });
}

void FrmMain::m_puliscidb_Click()
{
    runCleaning([] {
        Database db = Database::open(PercorsoDb);
        ProgrammiTable(db).deleteAll();
    });
}

// ---------------------------------------------------------------- children

void FrmMain::showChild(MdiChild &child)
{
    QMdiSubWindow *sub = nullptr;
    for (QMdiSubWindow *w : mdiArea->subWindowList())
        if (w->widget() == &child)
            sub = w;
    if (!sub) {
        sub = mdiArea->addSubWindow(&child);
        // Closing a view unloads it (the next use creates it anew); a view
        // unloaded elsewhere takes its frame with it.
        sub->setAttribute(Qt::WA_DeleteOnClose, true);
        connect(&child, &QObject::destroyed, sub, &QObject::deleteLater);
        sub->setWindowIcon(windowIcon());
        // A new view fills the area (and keeps filling it as the panels
        // beside it come and go, see eventFilter); the user may then arrange them.
        if (QLayout *layout = centralWidget()->layout())
            layout->activate();
        sub->setGeometry(mdiArea->viewport()->rect());
    }
    child.show();
    sub->show();
    mdiArea->setActiveSubWindow(sub);
    sub->raise();
}

void FrmMain::onSubWindowActivated()
{
    QMdiSubWindow *sub = mdiArea->activeSubWindow();
    if (!sub)
        return;
    if (auto *child = qobject_cast<MdiChild *>(sub->widget()))
        child->Form_Activate();
}

QAction *FrmMain::toolbarButton(QToolBar *bar, int number) const
{
    const QList<QAction *> actions = bar->actions();
    return number >= 1 && number <= actions.size() ? actions[number - 1] : nullptr;
}

} // namespace orv
