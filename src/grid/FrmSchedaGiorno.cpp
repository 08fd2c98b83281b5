#include "grid/FrmSchedaGiorno.h"

#include "core/AppState.h"
#include "core/FrmInizio.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "grid/FrmPopUpGhost.h"
#include "grid/GridBuilder.h"
#include "grid/GridColumn.h"
#include "grid/GridState.h"
#include "grid/GridView.h"
#include "mdi/DateNav.h"
#include "platform/Database.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>
#include <utility>

namespace orv {

using namespace grid;

namespace {
QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(left / TwipsPerPixel, top / TwipsPerPixel, std::max(0, width / TwipsPerPixel),
                 std::max(0, height / TwipsPerPixel));
}
} // namespace

FrmSchedaGiorno::FrmSchedaGiorno()
{
    setWindowTitle(linguaOr(51, "Griglia"));
    resize(12000 / TwipsPerPixel, 10400 / TwipsPerPixel);
    Frame1 = new GridColumn(this);
    Frame2 = new GridView(this);
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    LabInizio = new QLabel(this);
    LabInizio->setAutoFillBackground(true);
    LabInizio->setStyleSheet(QStringLiteral("background: #1c5fa8;"));
    LabTitoloBar = new QLabel(this);
    LabTitoloBar->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    CmdClose = new QToolButton(this);
    CmdClose->setText(QStringLiteral("x"));
    CmdClose->setAutoRaise(true);
    connect(CmdClose, &QToolButton::clicked, this, &FrmSchedaGiorno::CmdClose_Click);
    buildToolbar();
    Text1 = new QLineEdit(this);
    Text1->setReadOnly(true);
    Text1->setToolTip(QStringLiteral("Giorno Della Visualizzazione"));
    Frame1->setModel(&model_);
    Frame2->setModel(&model_);
    setMouseTracking(true);
    for (QWidget *w : std::initializer_list<QWidget *>{Frame1, Frame2, Text1, Toolbar1, HScroll1, VScroll1,
                                                         LabInizio, LabTitoloBar, CmdClose}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    connect(HScroll1, &QScrollBar::valueChanged, this, &FrmSchedaGiorno::HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &FrmSchedaGiorno::VScroll1_Change);
    Timer1 = new QTimer(this);
    Timer1->setInterval(60000);
    connect(Timer1, &QTimer::timeout, this, &FrmSchedaGiorno::Timer1_Timer);
    setFocusPolicy(Qt::StrongFocus);

    // Form_Load
    VistaCorrente = 3;
    GrigliaAperta = true;
    Form_Activate();
    Form_Resize();
    CARICA_TV();
    METTI_SEGNALIBRO();
    Timer1->start();
}

FrmSchedaGiorno::~FrmSchedaGiorno() { GrigliaAperta = false; }

QDateTime FrmSchedaGiorno::now() { return clock ? clock() : QDateTime::currentDateTime(); }

QDate FrmSchedaGiorno::mainDay() const { return mainWindow().currentDay(); }

QString FrmSchedaGiorno::PRENDICOLORE(qint16 code) { return prendiColore(code); }
QString FrmSchedaGiorno::PRENDIFONT(qint16 code) { return prendiFont(code); }

// ------------------------------------------------------------------ build

// While starting up the splash window takes the texts and the progress.
void FrmSchedaGiorno::waitText(int index, bool progress)
{
    if (AvvioInCorso) {
        mainWindow().splashStage(Lingua[size_t(index)]);
        if (Windows::loaded<FrmInizio>())
            Windows::get<FrmInizio>().ProgressBar1->setVisible(progress);
        return;
    }
    mainWindow().waitShow(linguaOr(51, "Griglia"), Lingua[size_t(index)]);
}

void FrmSchedaGiorno::closeWait()
{
    if (!AvvioInCorso)
        mainWindow().waitClose();
}

void FrmSchedaGiorno::CARICA_TV()
{
    // A build asked for while one runs follows it.
    if (building_) {
        rebuildPending_ = true;
        return;
    }
    building_ = true;
    do {
        rebuildPending_ = false;
        waitText(155, false);
        MonthView1 = mainDay();
        MonthView2 = MonthView1.addDays(-1);
        GridBuilder::Options o;
        o.mainDay = MonthView1;
        o.giorniGriglia = GiorniGriglia;
        o.colore = Colore;
        o.logoFolder = appPath(QStringLiteral("Loghitv"));
        // Progress at the start and the end only: the build does not yield.
        o.progress = [](int done, int total) {
            if (done != 0 && done != total)
                return;
            if (!AvvioInCorso)
                mainWindow().waitProgress(done, total);
            else if (Windows::loaded<FrmInizio>()) {
                Windows::get<FrmInizio>().ProgressBar1->setRange(0, total);
                Windows::get<FrmInizio>().ProgressBar1->setValue(done);
            }
        };
        waitText(156, true);
        GridModel built;
        o.mark = [](const QString &mark) { mainWindow().writeStatus(1, mark); };
        try {
            Database channels = Database::open(PercorsoPalinsesti);
            Database listings;
            try {
                listings = Database::open(PercorsoDb);
            } catch (const DbError &) {
                // Without the listings the rows still show; each channel-day
                // then fails on its own and writes its mark.
            }
            built = GridBuilder(channels, listings).build(o);
        } catch (const std::exception &) {
            mainWindow().writeStatus(1, QStringLiteral("-"));
            built = GridModel();
            built.firstDay = MonthView2;
            built.days = GiorniGriglia + 1;
        }
        installModel(std::move(built));
    } while (rebuildPending_);
    building_ = false;
    closeWait();
}

void FrmSchedaGiorno::installModel(GridModel model)
{
    // The old build is freed once the new one is on screen.
    auto old = std::make_shared<GridModel>(std::exchange(model_, std::move(model)));
    QTimer::singleShot(0, this, [old] {});
    Frame1->setModel(&model_);
    Frame2->setModel(&model_);
    // Indices of the old build name other programmes now.
    LabProgHover = -1;
    IndiceLabProg = -1;
    const QSignalBlocker bh(HScroll1), bv(VScroll1);
    VScroll1->setRange(0, int(model_.rows.size()));
    VScroll1->setValue(0);
    HScroll1->setRange(0, std::max(0, model_.halfHours() - 1));
    HScroll1->setPageStep(8);
    HScroll1->setValue(0);
    ValorePrecedenteH = 0;
    ValorePrecedenteV = 0;
    HScroll1_Change();
    VScroll1_Change();
}

void FrmSchedaGiorno::RICARICA_GRIGLIA()
{
    CARICA_TV();
    METTI_SEGNALIBRO();
}

// ------------------------------------------------------------- scrolling

void FrmSchedaGiorno::HScroll1_Change()
{
    cancelHover(true);
    const int v = HScroll1->value();
    Frame2->setScroll(v, VScroll1->value());
    ValorePrecedenteH = v;
    POSIZIONA_LINEA_ORA();
    const QDate day = MonthView2.addDays(v / HalfHoursPerDay);
    Text1->setText(datenav::weekdayName(datenav::weekdayNumber(day)) + QStringLiteral(" - ") +
                   datenav::shortDate(day));
}

void FrmSchedaGiorno::VScroll1_Change()
{
    const int v = VScroll1->value();
    Frame1->setScroll(v);
    Frame2->setScroll(HScroll1->value(), v);
    ValorePrecedenteV = v;
}

void FrmSchedaGiorno::Timer1_Timer() { POSIZIONA_LINEA_ORA(); }

void FrmSchedaGiorno::POSIZIONA_LINEA_ORA()
{
    // The line stands at the clock time on today's stretch of the canvas.
    const QDateTime t = now();
    const qint64 day = MonthView2.daysTo(t.date());
    const bool shown = day >= 0 && day < model_.days;
    const int x = int(day) * DayTw + t.time().hour() * HourTw + t.time().minute() * MinuteTw + NowLineOffsetTw -
                  HScroll1->value() * HalfHourTw;
    Frame2->setNowLine(shown, shown ? x : 0);
}

void FrmSchedaGiorno::jumpH(int value)
{
    value = std::clamp(value, HScroll1->minimum(), HScroll1->maximum());
    // The change runs even when the value stays: it places the now line.
    if (HScroll1->value() == value)
        HScroll1_Change();
    else
        HScroll1->setValue(value);
}

void FrmSchedaGiorno::METTI_SEGNALIBRO()
{
    waitText(186, false);
    // Half an hour before the current whole hour on the main window's day.
    jumpH(2 * now().time().hour() + 47);
    closeWait();
}

void FrmSchedaGiorno::METTI_SEGNALIBRO_POPUP()
{
    const int hour = int(leadingValue(SegnalibroOra.left(2)));
    QDate target = QDate::fromString(SegnalibroData, QStringLiteral("yyyyMMdd"));
    if (!target.isValid())
        target = QDate::fromString(SegnalibroData, QStringLiteral("dd/MM/yyyy"));
    if (!target.isValid()) {
        mainWindow().writeStatus(1, QStringLiteral("*"));
        return;
    }
    SegnalibroData = target.toString(QStringLiteral("dd/MM/yyyy"));
    MonthView1 = mainDay();
    const qint64 d = MonthView1.daysTo(target);
    const qint64 value = (hour >= 1 ? 2 * hour - 1 : 0) + std::max<qint64>(0, 48 * d + 48);
    jumpH(int(std::min<qint64>(value, HScroll1->maximum())));
}

void FrmSchedaGiorno::setFavouriteMarkers(const std::vector<ProgrammeKey> &keys, bool shown)
{
    for (const ProgrammeKey &key : keys) {
        const int c = model_.findCell(key);
        if (c < 0)
            continue;
        if (shown)
            model_.showFavourite(c);
        else
            model_.hideFavourite(c);
    }
    Frame2->update();
}

void FrmSchedaGiorno::locateProgramme(const ProgrammeKey &key, const QString &ora)
{
    SegnalibroData = dayText(key.Data);
    SegnalibroOra = ora;
    METTI_SEGNALIBRO_POPUP();
    const int row = model_.findRow(key.Palinsesto);
    if (row < 0)
        return;
    const int shownRows = std::max(1, (Frame2->height() * TwipsPerPixel - CellTopTw) / RowTw);
    const int v = VScroll1->value();
    if (row < v || row >= v + shownRows)
        VScroll1->setValue(row);
}

// ---------------------------------------------------------------- window

void FrmSchedaGiorno::Form_Activate()
{
    VistaCorrente = 3;
    const QString title = linguaOr(51, "Griglia");
    setWindowTitle(title);
    LabTitoloBar->setText(title);
    const QList<QAction *> buttons = Toolbar1->actions();
    buttons[4]->setText(linguaOr(69, "Stampa     "));
    buttons[6]->setText(linguaOr(154, "Ricostruisci  "));
    buttons[9]->setText(linguaOr(27, "Help           "));
}

void FrmSchedaGiorno::buildToolbar()
{
    Toolbar1 = new QToolBar(this);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    struct Button {
        const char *key, *caption, *tip;
        bool enabled;
    } const buttons[] = {
        {"back", "Indietro", "", false},
        {"forward", "Avanti", "", false},
        {nullptr, nullptr, nullptr, false},
        {"save", "Salva", "", false},
        {"print", "Stampa     ", "", true},
        {"adesso", "Adesso   ", "Salta all' Ora Corrente", false},
        {"ricostruisci", "Ricostruisci  ", "Ricostruisci la griglia", true},
        {"", "Legenda      ", "", false},
        {nullptr, nullptr, nullptr, false},
        {"help", "Help           ", "", true},
    };
    for (const Button &b : buttons) {
        if (!b.key) {
            Toolbar1->addSeparator();
            continue;
        }
        QAction *a = Toolbar1->addAction(QString::fromUtf8(b.caption));
        const QString key = QString::fromUtf8(b.key);
        a->setData(key);
        a->setToolTip(QString::fromUtf8(b.tip));
        a->setEnabled(b.enabled);
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
}

void FrmSchedaGiorno::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("print")) {
        printWindow();
    } else if (key == QLatin1String("ricostruisci")) {
        RICARICA_GRIGLIA();
    } else if (key == QLatin1String("help")) {
        mainWindow().helpContext(1003);
    }
}

void FrmSchedaGiorno::printWindow()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    QPrinter printer(info);
    QPainter painter;
    if (info.isNull() || !painter.begin(&printer)) {
        Prompt::message(QStringLiteral("Impossibile stampare la griglia: nessuna stampante disponibile."),
                        QString(), Buttons::Ok, Icon::Warning);
        return;
    }
    const QPixmap image = grab();
    const QRect page = painter.viewport();
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawPixmap(0, 0, image);
    painter.end();
}

void FrmSchedaGiorno::CmdClose_Click()
{
    // Inside the main window the child's frame closes with it.
    if (QWidget *frame = parentWidget(); frame && frame->inherits("QMdiSubWindow"))
        frame->close();
    else
        close();
}

void FrmSchedaGiorno::closeEvent(QCloseEvent *event)
{
    // Form_QueryUnload; a pending or open hover card goes with the grid.
    GrigliaAperta = false;
    cancelHover(true);
    MdiChild::closeEvent(event);
}

// ------------------------------------------------------------ clicks, hover

void FrmSchedaGiorno::ImgTV_Click(int row)
{
    if (row < 0 || row >= int(model_.rows.size()))
        return;
    VistaCorrente = 1;
    TvCorrente = model_.rows[size_t(row)].NOMETV;
    MainWindowSeam &main = mainWindow();
    main.setCurrentDay(MonthView2.addDays(HScroll1->value() / HalfHoursPerDay));
    main.SEARCH_TV_TREE();
    main.SMISTAMENTO_VISUALIZZAZIONI();
}

void FrmSchedaGiorno::LabPROG_Click(int index)
{
    IndiceLabProg = index;
    if (index < 0 || index >= model_.ContaLabProg())
        return;
    mainWindow().showProgramme(model_.cells[size_t(index)].key);
}

void FrmSchedaGiorno::LabPROG_MouseMove(int index, float x, float y)
{
    if (index != LabProgHover) {
        Windows::unload<FrmPopUpGhost>();
        mainWindow().startHoverTimer();
        TickPopUp = 0;
        LabProgHover = index;
    } else if (x != HoverX || y != HoverY) {
        Windows::unload<FrmPopUpGhost>();
    }
    HoverX = x;
    HoverY = y;
}

void FrmSchedaGiorno::cancelHover(bool closeCard)
{
    mainWindow().stopHoverTimer();
    if (closeCard)
        Windows::unload<FrmPopUpGhost>();
}

void FrmSchedaGiorno::mouseMoveEvent(QMouseEvent *event)
{
    // Form_MouseMove: the window outside its frames.
    cancelHover(true);
    MdiChild::mouseMoveEvent(event);
}

void FrmSchedaGiorno::canvasMouse(QMouseEvent *event, bool press)
{
    int cell = -1;
    QPoint inCell;
    const GridView::Hit hit = Frame2->hitTest(event->position().toPoint(), &cell, &inCell);
    if (press) {
        if (hit == GridView::Hit::Cell && event->button() == Qt::LeftButton)
            LabPROG_Click(cell);
        return;
    }
    if (hit == GridView::Hit::Cell)
        LabPROG_MouseMove(cell, float(inCell.x()), float(inCell.y()));
    else if (hit == GridView::Hit::Canvas)
        cancelHover(true);
}

void FrmSchedaGiorno::columnMouse(QMouseEvent *event, bool press)
{
    const QPoint pos = event->position().toPoint();
    if (press) {
        // The logo, or the name of a channel without one, opens its card.
        if (event->button() == Qt::LeftButton)
            ImgTV_Click(Frame1->rowAt(pos));
        return;
    }
    if (!Frame1->onCodeOrBadge(pos))
        cancelHover(false);
}

void FrmSchedaGiorno::resizeEvent(QResizeEvent *event)
{
    MdiChild::resizeEvent(event);
    Form_Resize();
}

void FrmSchedaGiorno::Form_Resize()
{
    const int w = width() * TwipsPerPixel;
    const int h = height() * TwipsPerPixel;
    Frame1->setGeometry(twipsRect(90, 1020, 1515, h - 1800));
    Frame2->setGeometry(twipsRect(1930, 750, w - 2280, h - 1310));
    VScroll1->setGeometry(twipsRect(1620, 1020, 300, h - 1800));
    HScroll1->setGeometry(twipsRect(1930, h - 560, w - 2280, 255));
    Text1->setGeometry(twipsRect(4650, 60, 5025, 285));
    LabInizio->setGeometry(twipsRect(0, 0, w, 285));
    LabTitoloBar->setGeometry(twipsRect(90, 0, 4500, 285));
    CmdClose->setGeometry(twipsRect(w - 350, 30, 195, 225));
    Toolbar1->setGeometry(twipsRect(0, 300, w - 280, 420));
}

void FrmSchedaGiorno::wheel(QWheelEvent *event)
{
    const QPoint d = event->angleDelta();
    const bool across = (event->modifiers() & Qt::ShiftModifier) || (d.x() != 0 && d.y() == 0);
    const int delta = d.y() != 0 ? d.y() : d.x();
    if (delta == 0)
        return;
    // Down or right: one step on.
    const int step = delta < 0 ? 1 : -1;
    QScrollBar *bar = across ? HScroll1 : VScroll1;
    bar->setValue(bar->value() + step);
    event->accept();
}

bool FrmSchedaGiorno::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type t = event->type();
    if ((watched == Frame1 || watched == Frame2) && t == QEvent::Wheel) {
        wheel(static_cast<QWheelEvent *>(event));
        return true;
    }
    if (t == QEvent::MouseMove || t == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const bool press = t == QEvent::MouseButtonPress;
        // Handled here, so the window's own move (outside the frames) does
        // not see them too.
        if (watched == Frame2) {
            canvasMouse(mouse, press);
            return true;
        }
        if (watched == Frame1) {
            columnMouse(mouse, press);
            return true;
        }
        if (!press && (watched == Text1 || watched == Toolbar1)) {
            cancelHover(false);
            return mouse->buttons() == Qt::NoButton;
        }
        // Scroll bars, title and close button leave the hover alone.
        if (!press && mouse->buttons() == Qt::NoButton &&
            (watched == HScroll1 || watched == VScroll1 || watched == LabInizio || watched == LabTitoloBar ||
             watched == CmdClose))
            return true;
    }
    return MdiChild::eventFilter(watched, event);
}

void FrmSchedaGiorno::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        HScroll1->setValue(HScroll1->value() - 1);
        break;
    case Qt::Key_Right:
        HScroll1->setValue(HScroll1->value() + 1);
        break;
    case Qt::Key_Up:
        VScroll1->setValue(VScroll1->value() - 1);
        break;
    case Qt::Key_Down:
        VScroll1->setValue(VScroll1->value() + 1);
        break;
    case Qt::Key_PageUp:
        HScroll1->setValue(HScroll1->value() - HScroll1->pageStep());
        break;
    case Qt::Key_PageDown:
        HScroll1->setValue(HScroll1->value() + HScroll1->pageStep());
        break;
    default:
        MdiChild::keyPressEvent(event);
    }
}

void FrmSchedaGiorno::LabPROG_Click_2(int index)
{
    if (index < 0 || index >= model_.ContaLabProg())
        return;
    const ProgrammeKey &key = model_.cells[size_t(index)].key;
    GhostData = dayText(key.Data);
    GhostPalinsesto = key.Palinsesto;
    GhostNumerazione = QString::number(key.Numerazione);
    FrmPopUpGhost &card = Windows::get<FrmPopUpGhost>();
    card.Form_Activate();
    // The pointer's last place over the cell, on screen.
    const QPoint inCanvas((model_.cellLeftAt(index, HScroll1->value()) + int(HoverX)) / TwipsPerPixel,
                          (model_.cellTopAt(index, VScroll1->value()) + int(HoverY)) / TwipsPerPixel);
    const QPoint pointer = Frame2->mapToGlobal(inCanvas);
    const QScreen *screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = Frame2->screen();
    card.move(hoverCardPlace(pointer, card.size(), screen->availableGeometry()));
    card.show();
}

} // namespace orv
