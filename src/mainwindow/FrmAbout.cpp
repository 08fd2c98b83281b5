#include "mainwindow/FrmAbout.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QRandomGenerator>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr int Twips = 15;
constexpr int StartLeft = 270 / Twips, StartTop = 4110 / Twips;
} // namespace

FrmAbout::FrmAbout() : QWidget(nullptr, Qt::Dialog)
{
    setWindowTitle(QStringLiteral("Informazioni su Orvento"));
    setFixedSize(420, 340);
    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(QStringLiteral("<h2>Orvento</h2>"), this);
    auto *version = new QLabel(QStringLiteral("Versione 7.2 Build 1"), this);
    auto *notice = new QLabel(QStringLiteral("Guida ai programmi TV e radio.\n"
                                             "Gli orari e i titoli dei programmi appartengono alle rispettive "
                                             "emittenti e sono mostrati a solo scopo informativo."),
                              this);
    notice->setWordWrap(true);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(notice);
    const QString base = serverBase();
    layout->addWidget(link(QStringLiteral("Pagina di Orvento"), base + QStringLiteral("/orvento/")));
    layout->addWidget(link(QStringLiteral("Cinedrawer, il catalogo dei tuoi film"), base + QStringLiteral("/cinedrawer/")));
    layout->addWidget(link(QStringLiteral("Sito del produttore"), base + QStringLiteral("/")));
    layout->addWidget(link(QStringLiteral("Scrivici"), QStringLiteral("mailto:info@orvento.example")));
    layout->addStretch(1);

    // Three frames of the little figure, one on top of the other.
    const QStyle::StandardPixmap frames[] = {QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxQuestion,
                                             QStyle::SP_MessageBoxWarning};
    QLabel **images[] = {&Image12, &Image11, &Image10};
    for (int i = 0; i < 3; ++i) {
        *images[i] = new QLabel(this);
        (*images[i])->setPixmap(QApplication::style()->standardIcon(frames[i]).pixmap(32, 32));
        (*images[i])->setGeometry(StartLeft, StartTop, 32, 32);
        (*images[i])->setVisible(i == 0);
    }
    Timer2 = new QTimer(this);
    Timer2->setInterval(100);
    connect(Timer2, &QTimer::timeout, this, &FrmAbout::Timer2_Timer);
    Timer2->start();
}

QLabel *FrmAbout::link(const QString &text, const QString &address)
{
    auto *l = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), text.toHtmlEscaped()),
                         this);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(l, &QLabel::linkActivated, this, [](const QString &url) { mainWindow().openUrl(url); });
    l->installEventFilter(this);
    return l;
}

void FrmAbout::Timer2_Timer()
{
    Image11->move(Image12->pos());
    Image10->move(Image12->pos());
    auto show = [this](bool a, bool b, bool c) {
        Image12->setVisible(a);
        Image11->setVisible(b);
        Image10->setVisible(c);
        ++step_;
    };
    if (step_ < 2)
        show(true, false, false);
    if (step_ >= 2 && step_ <= 3)
        show(false, true, false);
    if (step_ >= 4 && step_ <= 5)
        show(false, false, true);
    if (step_ >= 6 && step_ <= 7)
        show(false, true, false);
    if (step_ >= 8 && step_ <= 9)
        show(true, false, false);
    if (step_ >= 10 && step_ <= 20)
        show(false, false, false);
    if (step_ > 20) {
        auto *rng = QRandomGenerator::global();
        Image12->move(StartLeft + int(rng->bounded(500)) / Twips, StartTop + int(rng->bounded(500)) / Twips);
        step_ = 0;
    }
}

void FrmAbout::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        mainWindow().stopHoverTimer();
    QWidget::changeEvent(event);
}

bool FrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter)
        mainWindow().stopHoverTimer();
    return QWidget::eventFilter(watched, event);
}

} // namespace orv
