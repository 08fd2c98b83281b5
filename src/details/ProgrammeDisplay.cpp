#include "details/ProgrammeDisplay.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "platform/Database.h"
#include "platform/Files.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>

namespace orv {

// ------------------------------------------------------------------ texts

QString ProgrammeTexts::dayText(qint32 data)
{
    const QString d = orv::dayText(data);
    return d.mid(6, 2) + QLatin1Char('/') + d.mid(4, 2) + QLatin1Char('/') + d.left(4);
}

QString ProgrammeTexts::broadcastStatus(qint32 data, const QDate &today)
{
    const QString day = orv::dayText(data);
    const QString now = today.toString(QStringLiteral("yyyyMMdd"));
    if (day < now)
        return QStringLiteral("(Gia' Trasmesso)");
    if (day == now)
        return QStringLiteral("Sara' trasmesso oggi");
    const QDate shown = QDate::fromString(day, QStringLiteral("yyyyMMdd"));
    const qint64 n = shown.isValid() ? today.daysTo(shown) : 0;
    return QStringLiteral("(Sara' Trasmesso fra %1 %2)")
        .arg(n)
        .arg(n <= 1 ? QStringLiteral("giorno") : QStringLiteral("giorni"));
}

ProgrammeTexts ProgrammeTexts::of(const Programme &p, const QDate &today, std::optional<qint32> channelCode)
{
    ProgrammeTexts t;
    t.type = p.Type;
    t.title = p.Titolo;
    t.day = dayText(p.Data);
    t.start = p.ORA;
    t.duration = p.Durata;
    t.genre = p.Genere;
    t.status = broadcastStatus(p.Data, today);
    t.description = p.Descrizione;
    if (channelCode)
        t.logoPath = appPath(QStringLiteral("\\loghitv\\%1.gif").arg(*channelCode));
    // The cover name comes from the server: it must stay inside Covers.
    if (!p.Immagine.isEmpty() && files::isPlainFileName(p.Immagine))
        t.coverPath = appPath(QStringLiteral("\\Covers\\") + p.Immagine);
    t.marked = isSet(p.Marked);
    t.reminder = isSet(p.Promemoria);
    t.record = isSet(p.Registra);
    return t;
}

// ---------------------------------------------------------------- display

namespace {

// A small round badge for the state icons.
QPixmap badge(const QColor &colour, const QString &letter)
{
    QPixmap pm(18, 18);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, 16, 16);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(11);
    p.setFont(f);
    p.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, letter);
    return pm;
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

ProgrammeDisplay::ProgrammeDisplay(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame1"));
    setFrameShape(QFrame::StyledPanel);

    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    QFont big = Label2->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    Label2->setFont(big);
    Label2->setWordWrap(true);
    Label13 = new QLabel(this);
    Label4 = new QLabel(this);
    Label6 = new QLabel(this);
    Label9 = new QLabel(this);
    Label15 = new QLabel(this);
    Label12 = heading(QStringLiteral("Genere :"), this);
    Label3 = heading(QStringLiteral("Inizio :"), this);
    Label14 = heading(QStringLiteral("Data :"), this);
    Label5 = heading(QStringLiteral("Durata :"), this);
    Text1 = new QPlainTextEdit(this);
    Text1->setReadOnly(true);
    ImgTV = new QLabel(this);
    ImgTV->setFixedSize(80, 60);
    ImgTV->setAlignment(Qt::AlignCenter);
    Image3 = new QLabel(this);
    Image3->setAlignment(Qt::AlignCenter);
    Image2 = new QLabel(this);
    Image2->setPixmap(badge(QColor(220, 160, 0), QStringLiteral("P")));
    Image1 = new QLabel(this);
    Image1->setPixmap(badge(QColor(40, 120, 200), QStringLiteral("V")));
    Image11 = new QLabel(this);
    Image11->setPixmap(badge(QColor(200, 40, 40), QStringLiteral("R")));
    setIconTips(QStringLiteral("Il Programma e' \"Marcato\""), QStringLiteral("Ricordami quando verra' trasmesso"),
                QStringLiteral("Ricordami di registrarlo!"));

    auto *grid = new QGridLayout(this);
    auto *top = new QVBoxLayout;
    top->addWidget(Label1);
    top->addWidget(Label2);
    auto *icons = new QHBoxLayout;
    icons->addWidget(Image2);
    icons->addWidget(Image1);
    icons->addWidget(Image11);
    icons->addStretch();
    top->addLayout(icons);
    grid->addLayout(top, 0, 0, 1, 3);
    grid->addWidget(ImgTV, 0, 3, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(Label14, 1, 0);
    grid->addWidget(Label13, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(Label4, 2, 1);
    grid->addWidget(Label5, 3, 0);
    grid->addWidget(Label6, 3, 1);
    grid->addWidget(Label12, 4, 0);
    grid->addWidget(Label9, 4, 1);
    grid->addWidget(Label15, 5, 0, 1, 2);
    grid->addWidget(Image3, 1, 2, 5, 2, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(Text1, 6, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);

    setMouseTracking(true);
    for (QWidget *w : std::initializer_list<QWidget *>{Label1, Label2, Label13, Label4, Label6, Label9, Label15,
                                                         Text1, Text1->viewport(), ImgTV, Image3}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    installEventFilter(this);
    clear();
}

void ProgrammeDisplay::setHeadings(const QString &genre, const QString &start, const QString &day,
                                   const QString &duration)
{
    Label12->setText(genre);
    Label3->setText(start);
    Label14->setText(day);
    Label5->setText(duration);
}

void ProgrammeDisplay::setIconTips(const QString &favourite, const QString &reminder, const QString &record)
{
    Image2->setToolTip(favourite);
    Image1->setToolTip(reminder);
    Image11->setToolTip(record);
}

void ProgrammeDisplay::clear()
{
    for (QLabel *l : {Label1, Label2, Label13, Label4, Label6, Label9, Label15})
        l->clear();
    Text1->clear();
    for (QLabel *l : {Image1, Image2, Image11, ImgTV, Image3})
        l->hide();
    ImgTV->clear();
    Image3->clear();
}

bool ProgrammeDisplay::fill(const ProgrammeKey &key)
{
    std::optional<Programme> p;
    try {
        Database db = Database::open(PercorsoDb);
        p = ProgrammiTable(db).find(key);
    } catch (const DbError &) {
        mainWindow().writeStatus(1, QStringLiteral("/"));
    }
    showRecord(p);
    return programme_.has_value();
}

void ProgrammeDisplay::showRecord(const std::optional<Programme> &programme)
{
    programme_ = programme;
    clear();
    if (!programme_)
        return;
    std::optional<qint32> code;
    try {
        Database db = Database::open(PercorsoPalinsesti);
        if (auto c = TelevisioniTable(db).byName(programme_->Palinsesto))
            code = c->IDTV;
    } catch (const DbError &) {
        // An unreadable channel table is a missing logo: "/" below.
    }
    if (!code)
        mainWindow().writeStatus(1, QStringLiteral("/"));
    const ProgrammeTexts t = ProgrammeTexts::of(*programme_, QDate::currentDate(), code);
    Label1->setText(t.type);
    Label2->setText(t.title);
    Label13->setText(t.day);
    Label4->setText(t.start);
    Label6->setText(t.duration);
    Label9->setText(t.genre);
    Label15->setText(t.status);
    Text1->setPlainText(t.description);
    if (!t.logoPath.isEmpty() && !showPicture(ImgTV, t.logoPath, ImgTV->size()))
        mainWindow().writeStatus(1, QStringLiteral("/"));
    Image2->setVisible(t.marked);
    Image1->setVisible(t.reminder);
    Image11->setVisible(t.record);
    if (!t.coverPath.isEmpty() && !showPicture(Image3, t.coverPath, QSize(160, 220)))
        mainWindow().writeStatus(1, QStringLiteral("/"));
}

bool ProgrammeDisplay::showPicture(QLabel *box, const QString &path, const QSize &bounds)
{
    QPixmap pm(path);
    if (pm.isNull()) {
        box->clear();
        box->hide();
        return false;
    }
    if (pm.width() > bounds.width() || pm.height() > bounds.height())
        pm = pm.scaled(bounds, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    box->setPixmap(pm);
    box->show();
    return true;
}

bool ProgrammeDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        QWidget *w = qobject_cast<QWidget *>(watched);
        if (w == Text1->viewport())
            w = Text1;
        if (w)
            emit controlMouseMove(w);
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace orv
