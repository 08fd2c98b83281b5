#include "mdi/DateNav.h"

#include "core/Store.h"

namespace orv::datenav {

int weekdayNumber(const QDate &date)
{
    // Qt counts Monday 1 .. Sunday 7.
    return date.dayOfWeek() % 7 + 1;
}

QString weekdayName(int number)
{
    static const char *const names[] = {"Domenica", "Lunedì", "Martedì", "Mercoledì",
                                        "Giovedì",  "Venerdì", "Sabato"};
    if (number < 1 || number > 7)
        return QString();
    return QString::fromUtf8(names[number - 1]);
}

QString shortDate(const QDate &date) { return date.toString(QStringLiteral("dd/MM/yyyy")); }

qint32 dayOf(const QDate &date) { return dayNumber(date.year(), date.month(), date.day()); }

qint32 cleaningCut(const QDate &today) { return dayOf(today.addDays(-1)); }

} // namespace orv::datenav
