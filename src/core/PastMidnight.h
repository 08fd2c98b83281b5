#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace orv {

// Minutes after midnight of a start written "hh:mm" (or "h:mm"); -1 when the
// text is not such a time.
int startMinutes(const QString &ora);

// A channel-day listing runs past midnight. Walked in Numerazione order, a
// start earlier than the one before it is on the next calendar day, and so is
// every later record of the same listing. A start that cannot be read takes
// the side of the record before it and is not compared.
class PastMidnight {
public:
    // The next record's start; true when it is on the next calendar day.
    bool next(const QString &ora) { return next(startMinutes(ora)); }
    bool next(int minutes);

private:
    int previous_ = -1;
    bool past_ = false;
};

// The rule over a whole listing: one flag per start, in the same order.
std::vector<bool> pastMidnightFlags(const QStringList &starts);

} // namespace orv
