#include "core/GroupIcons.h"

#include <QApplication>
#include <QColor>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace orv {

namespace {

// A small rounded badge with the group's letter, drawn here so that no
// picture files are needed.
QIcon badge(const QColor &colour, QChar letter)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(140));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0.5, 1.5, 15, 13), 3, 3);
    QFont f = p.font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 1, 16, 14), Qt::AlignCenter, QString(letter));
    p.end();
    return QIcon(pm);
}

} // namespace

QIcon GroupIcons::icon(const QString &imageKey)
{
    static QHash<QString, QIcon> cache;
    if (auto it = cache.constFind(imageKey); it != cache.constEnd())
        return *it;
    struct Look {
        const char *key;
        QColor colour;
        QChar letter;
    };
    static const Look looks[] = {
        {"parabola", QColor(0x3b, 0x6e, 0xc4), u'S'}, {"televisione2", QColor(0x2e, 0x9a, 0x5c), u'T'},
        {"televisione", QColor(0xb0, 0x3a, 0x2e), u'C'}, {"sport", QColor(0xe0, 0x8a, 0x1a), u'S'},
        {"ragazzi", QColor(0xc2, 0x4d, 0xb4), u'R'}, {"locali", QColor(0x6b, 0x6b, 0x6b), u'L'},
        {"radio", QColor(0x1f, 0x8f, 0xa8), u'R'}};
    QIcon icon;
    if (imageKey == QLatin1String("root1"))
        icon = QApplication::style()->standardIcon(QStyle::SP_DirHomeIcon);
    for (const Look &l : looks)
        if (imageKey == QLatin1String(l.key))
            icon = badge(l.colour, l.letter);
    cache.insert(imageKey, icon);
    return icon;
}

} // namespace orv
