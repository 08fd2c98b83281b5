#pragma once

#include "core/PastMidnight.h"

#include <QRect>
#include <QString>
#include <QtGlobal>

class QColor;

// The day grid's canvas in twips and the small rules that place a programme
// on it. Nothing here knows about widgets.
namespace orv::grid {

inline constexpr int TwipsPerPixel = 15;
using listing::DayTw;
using listing::HourTw;
using listing::MinuteTw;
inline constexpr int HalfHourTw = 2040;
inline constexpr int RowTw = 600;
inline constexpr int HalfHoursPerDay = 48;

// Row elements in the channel column (Frame1).
inline constexpr int RowHeightTw = 555;
inline constexpr int BadgeLeftTw = 0, BadgeWidthTw = 165;
inline constexpr int NameLeftTw = 180, NameWidthTw = 1155;
inline constexpr int CodeLeftTw = 1345, CodeWidthTw = 165;

// Time canvas (Frame2).
inline constexpr int HeaderTopTw = 30, HeaderOffsetTw = 110, HeaderWidthTw = 1215, HeaderHeightTw = 195;
inline constexpr int CellTopTw = 310, CellHeightTw = 495, CellOffsetTw = 100;
inline constexpr int TemplateCellWidthTw = 1155;
inline constexpr int FavMarkerDx = 20, FavMarkerDy = 230;
inline constexpr int LinkMarkerDx = 200, LinkMarkerDy = 80;
inline constexpr int MarkerSizeTw = 150;
inline constexpr int RowLineOffsetTw = 250, HalfHourLineOffsetTw = 50, RowLineLeftTw = 40;
inline constexpr int NowLineOffsetTw = 20;

using listing::leadingValue;

// Left of a programme starting at `ora` ("hh:mm") on grid day d, scroll 0.
int cellLeft(const QString &ora, int day);
// Width for a duration in minutes (half-even rounding); may be negative.
int cellWidth(const QString &durata);

using listing::PastMidnight;

// Colours as the platform's 0x00BBGGRR numbers.
struct CellColours {
    quint32 back = 0xFFFFFF;
    quint32 fore = 0x000000;
};
CellColours typeColours(const QString &type, bool byType);

// PRENDICOLORE / PRENDIFONT: decimal BGR text of the channel-code colours,
// empty outside 1 to 10.
QString prendiColore(int code);
QString prendiFont(int code);

QColor bgrColor(quint32 bgr);

// Twips to pixels, rounding towards minus infinity so negative places stay put.
inline int px(int tw) { return tw >= 0 ? tw / TwipsPerPixel : -((-tw + TwipsPerPixel - 1) / TwipsPerPixel); }
// A painted box in pixels: never narrower or lower than one pixel.
QRect pxRect(int left, int top, int width, int height);

// "hh:mm" of half hour k from 00:00, wrapping every day.
QString halfHourText(int k);

// Top-left of the hover card: 10 px right of and below the pointer; above it
// (bottom edge 13 px over it) when it would cross the bottom of the
// available area, moved left to end at its right edge, never outside it.
QPoint hoverCardPlace(const QPoint &pointer, const QSize &size, const QRect &available);

} // namespace orv::grid
