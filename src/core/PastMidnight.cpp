#include "core/PastMidnight.h"

#include <cmath>

namespace orv::listing {

double leadingValue(const QString &text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    double sign = 1;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            sign = -1;
        ++i;
    }
    double value = 0;
    bool point = false;
    double scale = 1;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            if (point) {
                scale /= 10;
                value += (c.unicode() - '0') * scale;
            } else {
                value = value * 10 + (c.unicode() - '0');
            }
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    return sign * value;
}

int startTw(const QString &ora)
{
    const int hours = int(leadingValue(ora.left(2)));
    const int minutes = int(leadingValue(ora.mid(3, 2)));
    return hours * HourTw + minutes * MinuteTw;
}

int widthTw(const QString &durata)
{
    // nearbyint rounds an exact half to the even neighbour.
    return int(std::nearbyint(leadingValue(durata) * MinuteTw - 85));
}

int PastMidnight::place(int left, int width)
{
    if (first_) {
        first_ = false;
    } else if (passed_ || end_ - 90000 >= left) {
        passed_ = true;
        left += DayTw;
    }
    end_ = left + width;
    return left;
}

} // namespace orv::listing
