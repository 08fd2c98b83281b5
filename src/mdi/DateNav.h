#pragma once

#include <QDate>
#include <QString>

// Day arithmetic and texts of the date navigation.
namespace orv::datenav {

// 1 Sunday .. 7 Saturday, as the calendar numbers weekdays.
int weekdayNumber(const QDate &date);
// "Domenica" .. "Sabato" by weekdayNumber; empty outside 1..7.
QString weekdayName(int number);
// The short date form of the labels (dd/MM/yyyy).
QString shortDate(const QDate &date);
// The day as the number yyyymmdd.
qint32 dayOf(const QDate &date);
// The first day that cleaning keeps: yesterday of the given day, yyyymmdd.
qint32 cleaningCut(const QDate &today);

} // namespace orv::datenav
