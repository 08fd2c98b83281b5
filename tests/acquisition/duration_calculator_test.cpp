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
        {"22:50", "00:10", 80}, {"20:30", "19:00", 1350},                      // a smaller hour is the next day
        {"20:30", "20:30", 30}, {"20:30", "20:10", 30},  {"06:00", "06:01", 1}, // zero or less becomes 30
        {"09:05", "9:45", 40},  {"ab:cd", "01:00", 60},  {"", "00:45", 45},     // around the ":", no number is 0
    };
    for (const Case &c : cases)
        EXPECT_EQ(DurationCalculator::minutesBetween(QLatin1String(c.current), QLatin1String(c.next)), c.minutes)
            << c.current << " -> " << c.next;
}

// Rai 1 has three full days of uneven gaps (more rows than one update
// statement takes), an empty day, then a short one; Rai 2's rows lie in
// between and are not its to change. Day 1 is stored under another case of
// the name, and in reverse order of its programmes. The pass runs as a
// channel on its own and after the days of every channel were read at once.
class DurationDays : public testing::TestWithParam<bool> {};

TEST_P(DurationDays, EveryRowTakesTheNextStartAcrossDaysAndGaps)
{
    test::TempApp app;
    const QDate first(2026, 12, 6);
    const auto day = [&](int offset) { return first.addDays(offset).toString("yyyyMMdd").toInt(); };
    Database db = Database::open(PercorsoDb);
    const auto add = [&](int offset, const char *channel, const QStringList &starts, bool reversed = false) {
        for (int i = 0; i < starts.size(); ++i) {
            const int n = reversed ? int(starts.size()) - 1 - i : i;
            db.prepare(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Durata) "
                                      "values (?, ?, ?, ?, '99')"))
                .bindAll(day(offset), QString::fromLatin1(channel), n + 1, starts[n])
                .execute();
        }
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
        add(d, d == 1 ? "RAI 1" : "Rai 1", starts, d == 1);
        add(d, "Rai 2", starts);
    }
    // The last of a day before an empty one, or of the last day, keeps its value.
    expected[2].back() = "99";
    add(4, "Rai 1", {"10:00", "10:20"});
    expected[4] = QStringList{"20", "99"};
    // The day before the pass is not its own.
    add(-1, "Rai 1", {"10:00", "10:20"});

    DurationCalculator durations(db);
    if (GetParam())
        durations.readDays(first, 15);
    durations.channel("Rai 1", first, 15);
    for (int d = -1; d < 5; ++d) {
        QStringList rai1, rai2;
        for (const Programme &p : ProgrammiTable(db).channelDay(day(d), "Rai 1"))
            rai1 << p.Durata;
        for (const Programme &p : ProgrammiTable(db).channelDay(day(d), "Rai 2"))
            rai2 << p.Durata;
        EXPECT_EQ(rai1, (d < 0 ? QStringList{"99", "99"} : expected[size_t(d)])) << "day " << d;
        EXPECT_EQ(rai2, QStringList(d >= 0 && d < 3 ? 40 : 0, QStringLiteral("99"))) << "day " << d;
    }
}

INSTANTIATE_TEST_SUITE_P(ChannelOrWholePass, DurationDays, testing::Bool());

// After the days were read at once, a name matches without regard to case
// (accented letters too); a channel asked for again, or from another day,
// is read afresh, so what changed since shows.
TEST(DurationPassRead, EachChannelIsTakenOnceAndAskedAgainIsReadAgain)
{
    test::TempApp app;
    Database db = Database::open(PercorsoDb);
    const auto add = [&](int data, const QString &channel, const QStringList &starts) {
        for (int n = 0; n < starts.size(); ++n)
            db.prepare(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Durata) "
                                      "values (?, ?, ?, ?, '99')"))
                .bindAll(data, channel, n + 1, starts[n])
                .execute();
    };
    const auto durations = [&](int data, const QString &channel) {
        QStringList out;
        for (const Programme &p : ProgrammiTable(db).channelDay(data, channel))
            out << p.Durata;
        return out;
    };
    add(20261206, QString::fromUtf8("TÉLÉ Ünö"), {"10:00", "10:40", "11:00"});
    add(20261206, "Rai 3", {"10:00", "10:15", "11:00"});
    add(20261207, "Rai 3", {"08:00", "09:00"});
    add(20261206, "Rai 4", {"10:00", "10:15"});
    add(20261207, "Rai 4", {"08:00", "09:00"});

    DurationCalculator pass(db);
    pass.readDays(QDate(2026, 12, 6), 15);
    pass.channel(QString::fromUtf8("télé ünö"), QDate(2026, 12, 6), 15);
    EXPECT_EQ(durations(20261206, QString::fromUtf8("Télé Ünö")), (QStringList{"40", "20", "99"}));

    pass.channel("Rai 3", QDate(2026, 12, 6), 15);
    EXPECT_EQ(durations(20261206, "Rai 3"), (QStringList{"15", "45", "1260"}));
    db.exec(QStringLiteral("update Programmi set ORA = '10:30' where Palinsesto = 'Rai 3' and Numerazione = 2 "
                           "and Data = 20261206"));
    pass.channel("Rai 3", QDate(2026, 12, 6), 15);
    EXPECT_EQ(durations(20261206, "Rai 3"), (QStringList{"30", "30", "1260"}));

    // From the second day on, the first day's rows are not touched.
    pass.channel("Rai 4", QDate(2026, 12, 7), 15);
    EXPECT_EQ(durations(20261206, "Rai 4"), (QStringList{"99", "99"}));
    EXPECT_EQ(durations(20261207, "Rai 4"), (QStringList{"60", "99"}));
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
