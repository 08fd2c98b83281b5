#include "acquisition/DurationCalculator.h"

#include "core/AppState.h"
#include "core/Store.h"
#include "support/TempApp.h"

#include <QTime>
#include <gtest/gtest.h>

using namespace orv;

TEST(DurationRule, FromOneStartToTheNext)
{
    struct Case {
        const char *current, *next;
        int minutes;
    } const cases[] = {
        {"23:30", "00:15", 45}, {"22:50", "00:10", 80}, // across midnight
        {"20:30", "20:30", 30}, {"20:30", "20:10", 30}, // zero or less becomes 30
        {"20:30", "19:00", 1350},                       // a smaller hour is the next day
        {"09:05", "9:45", 40},  {"ab:cd", "01:00", 60}, // read around the ":", not a number is 0
        {"", "00:45", 45},      {"06:00", "06:01", 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DurationCalculator::minutesBetween(QLatin1String(c.current), QLatin1String(c.next)), c.minutes)
            << c.current << " -> " << c.next;
}

// Rai 1 has three full days of uneven gaps (more rows than one update
// statement takes), an empty day, then a short one; Rai 2's rows lie in
// between and are not its to change.
TEST(DurationPass, EveryRowTakesTheNextStartAcrossDaysAndGaps)
{
    test::TempApp app;
    const QDate first(2026, 12, 6);
    const auto day = [&](int offset) { return first.addDays(offset).toString("yyyyMMdd").toInt(); };
    Database db = Database::open(PercorsoDb);
    const auto add = [&](int offset, const char *channel, const QStringList &starts) {
        for (int n = 0; n < starts.size(); ++n)
            db.prepare(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Durata) "
                                      "values (?, ?, ?, ?, '99')"))
                .bindAll(day(offset), QString::fromLatin1(channel), n + 1, starts[n])
                .execute();
    };
    std::vector<QStringList> expected(5);
    for (int d = 0; d < 3; ++d) {
        QStringList starts;
        int start = 5 * 60;
        for (int i = 0; i < 40; ++i) {
            starts << QTime(0, 0).addSecs(start * 60).toString(QStringLiteral("hh:mm"));
            const int gap = 10 + ((i + d) % 7) * 5;
            expected[size_t(d)] << QString::number(i < 39 ? gap : 24 * 60 + 5 * 60 - start);
            start += gap;
        }
        add(d, "Rai 1", starts);
        add(d, "Rai 2", starts);
    }
    // The last of a day before an empty one, or of the last day, keeps its value.
    expected[2].back() = "99";
    add(4, "Rai 1", {"10:00", "10:20"});
    expected[4] = QStringList{"20", "99"};

    DurationCalculator(db).channel("Rai 1", first, 15);
    for (int d = 0; d < 5; ++d) {
        QStringList rai1, rai2;
        for (const Programme &p : ProgrammiTable(db).channelDay(day(d), "Rai 1"))
            rai1 << p.Durata;
        for (const Programme &p : ProgrammiTable(db).channelDay(day(d), "Rai 2"))
            rai2 << p.Durata;
        EXPECT_EQ(rai1, expected[size_t(d)]) << "day " << d;
        EXPECT_EQ(rai2, QStringList(d < 3 ? 40 : 0, QStringLiteral("99"))) << "day " << d;
    }
}

// A stored duration stays only when it is the plain text of the right
// number; a start time with other than ASCII in it is read as text.
TEST(DurationPass, StoredTextsAreReadAsTheRuleReadsThem)
{
    test::TempApp app;
    Database db = Database::open(PercorsoDb);
    const QStringList starts{"10:00", "10:45", QString::fromUtf8("\u00A011:30"), "12:00", "12:30"};
    const char *const stored[] = {"045", "45", " 30", "30", "99"};
    for (int n = 0; n < starts.size(); ++n)
        db.prepare(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Durata) "
                                  "values (20261206, 'Rai 1', ?, ?, ?)"))
            .bindAll(n + 1, starts[n], QString::fromLatin1(stored[n]))
            .execute();
    DurationCalculator(db).channel("Rai 1", QDate(2026, 12, 6), 15);
    QStringList durations;
    for (const Programme &p : ProgrammiTable(db).channelDay(20261206, "Rai 1"))
        durations << p.Durata;
    EXPECT_EQ(durations, (QStringList{"45", "45", "30", "30", "99"}));
}
