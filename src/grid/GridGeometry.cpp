#include "grid/GridGeometry.h"

#include <QColor>
#include <algorithm>

namespace orv::grid {

int cellLeft(const QString &ora, int day) { return listing::startTw(ora) + CellOffsetTw + day * DayTw; }

int cellWidth(const QString &durata) { return listing::widthTw(durata); }

CellColours typeColours(const QString &type, bool byType)
{
    CellColours c;
    if (!byType || type.isEmpty())
        return c;
    const QString t = type.toUpper();
    auto has = [&t](const char *word) { return t.contains(QLatin1String(word)); };
    if (has("TELEFILM") || has("SERIE"))
        return {0xC0FFC0, 0x000000};
    if (has("FILM"))
        c = {0x8080FF, 0xFFFFFF};
    if (has("CARTONI") || has("RAGAZZI"))
        c = {0xFF8080, 0xFFFFFF};
    if (has("NOTIZIARIO") || has("INFORMAZIONE"))
        c = {0xC0FFFF, 0x000000};
    return c;
}

QString prendiColore(int code)
{
    static const char *const back[] = {"16763904", "13408767", "13434828", "10079487", "52479",
                                       "65280",    "16761087", "32896",    "128",      "4210752"};
    return code >= 1 && code <= 10 ? QString::fromLatin1(back[code - 1]) : QString();
}

QString prendiFont(int code)
{
    if (code >= 1 && code <= 7)
        return QStringLiteral("0");
    if (code >= 8 && code <= 10)
        return QStringLiteral("16777215");
    return {};
}

QColor bgrColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QRect pxRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), std::max(1, px(width)), std::max(1, px(height)));
}

QString halfHourText(int k)
{
    const int m = ((k % HalfHoursPerDay) + HalfHoursPerDay) % HalfHoursPerDay;
    return QStringLiteral("%1:%2").arg(m / 2, 2, 10, QLatin1Char('0')).arg(m % 2 ? 30 : 0, 2, 10, QLatin1Char('0'));
}

QPoint hoverCardPlace(const QPoint &pointer, const QSize &size, const QRect &available)
{
    int left = pointer.x() + 10;
    int top = pointer.y() + 10;
    const int right = available.x() + available.width();
    const int bottom = available.y() + available.height();
    if (top + size.height() > bottom)
        top = pointer.y() - 13 - size.height();
    if (left + size.width() > right)
        left = right - size.width();
    return {std::max(left, available.x()), std::max(top, available.y())};
}

} // namespace orv::grid
