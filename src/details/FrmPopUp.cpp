#include "details/FrmPopUp.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "details/CatalogueExport.h"
#include "details/FilmSearchMenu.h"
#include "details/ProgrammeDisplay.h"
#include "details/ProgrammeMarks.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"

#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace orv {

namespace {

QLabel *link(QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setCursor(Qt::PointingHandCursor);
    l->setStyleSheet(QStringLiteral("QLabel { color: #1a4f9c; text-decoration: underline; }"));
    return l;
}

const char *const Information[5] = {
    "Quando segni un programma come Preferito, Orvento cerchera' sempre i programmi con questo titolo e li "
    "segnera' in automatico com preferiti, in modo da poerli visualizzare Sulla scheda MyTV\r\n\r\n"
    " E' molto utile se si vuole seguire una serie TV",
    "Quando segni un programma 'da Vedere', Orvento ti ricordera' un quarto d'ora prima della sua trasmissione, "
    "inoltre verra' visualizzato Sulla scheda MyTV",
    "Quando segni un programma 'da Registrare', Orvento ti ricordera' di registrarlo un quarto d'ora prima della "
    "sua trasmissione, inoltre verra' visualizzato Sulla scheda MyTV",
    "Con questa funzione puoi cercare in rete altre informazioni sul programma, molto utile se e' un FILM!",
    "Con questa utility puoi inserire il film direttamente nel database di Cinedrawer, ma prima devi "
    "configurarlo! Vai nella configurazione!",
};

} // namespace

FrmPopUp::FrmPopUp() : QWidget(nullptr, Qt::Window)
{
    // Closing discards the contents; the next show loads the window anew.
    setAttribute(Qt::WA_DeleteOnClose);
    resize(560, 470);

    display = new ProgrammeDisplay(this);
    Label7 = link(this);
    Label8 = link(this);
    Label18 = link(this);
    Label10 = link(this);
    Label11 = link(this);
    Image8 = new QLabel(this);
    Image8->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(24, 24));
    Image8->setCursor(Qt::PointingHandCursor);
    a = new FilmSearchMenu(this);
    for (int i = 0; i < 5; ++i) {
        Command[size_t(i)] = new QPushButton(QStringLiteral("?"), this);
        Command[size_t(i)]->setFixedWidth(28);
        connect(Command[size_t(i)], &QPushButton::clicked, this, [this, i] { Command_Click(i + 1); });
    }

    auto *actions = new QGridLayout;
    QLabel *rows[5] = {Label7, Label8, Label18, Label10, Label11};
    for (int i = 0; i < 5; ++i) {
        actions->addWidget(Command[size_t(i)], i / 3, (i % 3) * 2);
        actions->addWidget(rows[i], i / 3, (i % 3) * 2 + 1);
        rows[i]->installEventFilter(this);
    }
    actions->addWidget(Image8, 1, 4, Qt::AlignRight);
    Image8->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(display, 1);
    layout->addLayout(actions);

    connect(display, &ProgrammeDisplay::controlMouseMove, this, [this](QWidget *w) {
        const ProgrammeDisplay &d = *display;
        if (w == d.Image3 || w == d.ImgTV || w == d.Label1 || w == d.Label2 || w == d.Label9 || w == d.Text1)
            cancelHover();
    });
    setCaptions();
}

void FrmPopUp::setCaptions()
{
    setWindowTitle(linguaOr(102, "Dettagli Programma"));
    display->setHeadings(linguaOr(103, "Genere :"), linguaOr(104, "Ora Inizio :"), linguaOr(105, "Giorno :"),
                         linguaOr(106, "Durata :"));
    Label7->setText(linguaOr(107, "Aggiungi ai Preferiti"));
    Label8->setText(linguaOr(108, "Da Vedere"));
    Label18->setText(linguaOr(109, "Da Registrare"));
    Label10->setText(linguaOr(110, "Cerca in Rete"));
    Label11->setText(linguaOr(111, "Inserisci in Cinedrawer"));
    display->setIconTips(linguaOr(112, "Programma Preferito"), linguaOr(113, "Da Vedere"),
                         linguaOr(114, "Da Registrare"));
    Image8->setToolTip(linguaOr(115, "Trova nella Griglia"));
}

ProgrammeKey FrmPopUp::selectedKey()
{
    return {PopUpData.toInt(), PopUpPalinsesto, PopUpNumerazione.toInt()};
}

void FrmPopUp::showProgramme(const ProgrammeKey &key)
{
    PopUpData = dayText(key.Data);
    PopUpPalinsesto = key.Palinsesto;
    PopUpNumerazione = QString::number(key.Numerazione);
    // An already active window gets no new activation: fill it here.
    Form_Activate();
    Windows::toFront(*this);
}

void FrmPopUp::cancelHover()
{
    mainWindow().stopHoverTimer();
    mainWindow().closeHoverCard();
}

void FrmPopUp::Form_Activate()
{
    cancelHover();
    display->fill(selectedKey());
    const auto &p = display->programme();
    const bool marked = p && ProgrammeTexts::isSet(p->Marked);
    const bool reminder = p && ProgrammeTexts::isSet(p->Promemoria);
    const bool record = p && ProgrammeTexts::isSet(p->Registra);
    Label7->setText(marked ? linguaOr(116, "Togli dai Preferiti") : linguaOr(107, "Aggiungi ai Preferiti"));
    Label8->setText(reminder ? linguaOr(117, "Togli Da Vedere") : linguaOr(113, "Da Vedere"));
    Label18->setText(record ? linguaOr(118, "Togli Da Registrare") : linguaOr(114, "Da Registrare"));
}

void FrmPopUp::toggleState(StateField field)
{
    if (!display->programme())
        return;
    try {
        Database listings = Database::open(PercorsoDb);
        Database favourites;
        ProgrammeMarks(listings, favourites).toggle(display->programme()->key(), field);
    } catch (const DbError &) {
        mainWindow().writeStatus(1, QStringLiteral("*"));
    }
    Form_Activate();
}

void FrmPopUp::Label8_Click() { toggleState(StateField::Promemoria); }

void FrmPopUp::Label18_Click() { toggleState(StateField::Registra); }

void FrmPopUp::Label7_Click()
{
    if (!display->programme())
        return;
    const ProgrammeKey key = display->programme()->key();
    std::vector<ProgrammeKey> changed;
    bool shown = false;
    try {
        Database listings = Database::open(PercorsoDb);
        Database favourites = Database::open(PercorsoPreferiti);
        ProgrammeMarks marks(listings, favourites);
        switch (marks.favouriteStep(key)) {
        case ProgrammeMarks::FavouriteStep::Add: {
            // Ask first, write after: a cancelled box changes nothing.
            const QString answer = Prompt::input(
                QStringLiteral("Inserisci il titolo del programma preferito, se ci sono riferimenti all'episodio "
                               "od altre cose cancellale dal titolo"),
                QStringLiteral("Inserimento di un Programma Preferito"), display->Label2->text());
            changed = marks.addFavourite(key, answer);
            shown = true;
            break;
        }
        case ProgrammeMarks::FavouriteStep::Remove:
            changed = marks.removeFavourite(key);
            break;
        case ProgrammeMarks::FavouriteStep::None:
            break;
        }
    } catch (const DbError &) {
        mainWindow().writeStatus(1, QStringLiteral("*"));
    }
    // While the grid is not loaded its next build reads the marks.
    if (!changed.empty())
        mainWindow().setFavouriteMarkers(changed, shown);
    Form_Activate();
}

void FrmPopUp::Label10_Click()
{
    if (display->programme())
        a->popupFor(display->programme()->Titolo, QCursor::pos());
}

void FrmPopUp::Label11_Click()
{
    if (const auto &p = display->programme())
        exportToCatalogue(p->Titolo, p->Genere);
}

void FrmPopUp::Image8_Click()
{
    if (!display->programme())
        return;
    const Programme p = *display->programme();
    const QDate today = QDate::currentDate();
    const QDate day = QDate::fromString(dayText(p.Data), QStringLiteral("yyyyMMdd"));
    const qint64 n = day.isValid() ? today.daysTo(day) : -1;
    if (n < 0 || n >= GiorniGriglia) {
        Prompt::message(linguaOr(119, "Il programma non e' nella Griglia, che visualizza solo i prossimi ") +
                        QString::number(GiorniGriglia) + QLatin1Char(' ') +
                        linguaOr(120, "giorni a partire da oggi.") + QStringLiteral("\r\n\r\n") +
                        linguaOr(121, "Puoi cambiare il numero di giorni nella finestra Preferenze."));
        return;
    }
    MainWindowSeam &main = mainWindow();
    // The grid starts the day before the main window's day: when that grid
    // would not hold the programme's day, it is built from today instead.
    const QDate first = main.currentDay().addDays(-1);
    if (day < first || day > first.addDays(GiorniGriglia))
        main.setCurrentDay(today);
    main.locateInGrid(p.key(), display->Label4->text());
    Windows::toFront(*this);
}

void FrmPopUp::Command_Click(int index)
{
    if (index < 1 || index > 5)
        return;
    Prompt::message(QString::fromUtf8(Information[index - 1]),
                    index == 1 ? QStringLiteral("Informazione") : QString());
}

bool FrmPopUp::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

bool FrmPopUp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == Label7)
            Label7_Click();
        else if (watched == Label8)
            Label8_Click();
        else if (watched == Label18)
            Label18_Click();
        else if (watched == Label10)
            Label10_Click();
        else if (watched == Label11)
            Label11_Click();
        else if (watched == Image8)
            Image8_Click();
        else
            return QWidget::eventFilter(watched, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orv
