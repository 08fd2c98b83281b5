#include "core/FrmInizio.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace orv {

namespace {

// The artwork is drawn rather than loaded, so a missing picture file can
// never leave the splash blank.
QPixmap banner()
{
    QPixmap pm(420, 90);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 420, 90);
    g.setColorAt(0, QColor(0x1f, 0x3c, 0x88));
    g.setColorAt(1, QColor(0x3f, 0x8e, 0xd8));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(pm.rect(), 12, 12);
    QFont f = p.font();
    f.setPointSize(30);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("Orvento"));
    return pm;
}

QPixmap screenIcon(bool radio)
{
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x3c, 0x88), 3));
    p.setBrush(QColor(0xdd, 0xe8, 0xf6));
    if (radio) {
        p.drawRoundedRect(6, 16, 36, 24, 4, 4);
        p.drawLine(12, 16, 30, 4);
        p.drawEllipse(QPointF(30, 28), 6, 6);
    } else {
        p.drawRoundedRect(4, 8, 40, 28, 4, 4);
        p.drawLine(16, 42, 32, 42);
        p.drawLine(24, 36, 24, 42);
    }
    return pm;
}

} // namespace

FrmInizio::FrmInizio() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Orvento"));
    setObjectName(QStringLiteral("FrmInizio"));
    setStyleSheet(QStringLiteral("#FrmInizio { background: white; border: 1px solid #1f3c88; }"));
    setAttribute(Qt::WA_StyledBackground);

    Image1 = new QLabel(this);
    Image1->setPixmap(banner());
    Image1->setAlignment(Qt::AlignCenter);
    Image2 = new QLabel(this);
    Image2->setPixmap(screenIcon(false));
    Image5 = new QLabel(this);
    Image5->setPixmap(screenIcon(true));

    auto *caption = new QLabel(QStringLiteral("Guida ai programmi TV e Radio"), this);
    auto *version = new QLabel(QStringLiteral("Versione 7.2"), this);
    caption->setAlignment(Qt::AlignCenter);
    version->setAlignment(Qt::AlignCenter);

    Label1 = new QLabel(QStringLiteral("Loading Language"), this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);

    auto *middle = new QHBoxLayout;
    middle->addWidget(Image2);
    auto *texts = new QVBoxLayout;
    texts->addWidget(caption);
    texts->addWidget(version);
    middle->addLayout(texts, 1);
    middle->addWidget(Image5);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(Image1);
    layout->addLayout(middle);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);

    adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace orv
