#include "acquisition/DurationCalculator.h"

#include "core/AppState.h"
#include "core/Store.h"
#include "support/TempApp.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(DurationRule, FromOneStartToTheNext)
{
    struct Case {
        const char *current, *next;
        int minutes;
    };
    const Case cases[] = {
        {"20:30", "21:15", 45},  {"23:30", "00:15", 45}, // across midnight
        {"22:50", "00:10", 80},  {"20:30", "20:30", 30}, // zero becomes 30
        {"20:30", "20:10", 30},                          // negative becomes 30 as well
        {"20:30", "19:00", 1350},                        // a smaller hour is the next day
        {"9:30", "10:00", 30},   {"09:05", "9:45", 40},  // read around the ":"
        {"ab:cd", "01:00", 60},  {"", "00:45", 45},      // what is not a number counts as 0
        {"06:00", "06:01", 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DurationCalculator::minutesBetween(QString::fromLatin1(c.current), QString::fromLatin1(c.next)),
                  c.minutes)
            << c.current << " -> " << c.next;
}

namespace {

const QDate First(2026, 12, 6);

class DurationPass : public ::testing::Test {
protected:
    qint32 day(int offset) const { return First.addDays(offset).toString("yyyyMMdd").toInt(); }

    void add(int offset, const QString &channel, const QStringList &starts)
    {
        Database db = Database::open(PercorsoDb);
        ProgrammiTable t(db);
        int n = 0;
        for (const QString &s : starts) {
            Programme p;
            p.Data = day(offset);
            p.Palinsesto = channel;
            p.Numerazione = ++n;
            p.ORA = s;
            p.Durata = QStringLiteral("99");
            t.insert(p);
        }
    }
    QStringList durations(int offset, const QString &channel)
    {
        Database db = Database::open(PercorsoDb);
        QStringList out;
        for (const Programme &p : ProgrammiTable(db).channelDay(day(offset), channel))
            out << p.Durata;
        return out;
    }
    void run(const QString &channel, int days = 15)
    {
        Database db = Database::open(PercorsoDb);
        DurationCalculator(db).channel(channel, First, days);
    }

    test::TempApp app;
};

} // namespace

TEST_F(DurationPass, LastProgrammeTakesTheNextDaysFirst)
{
    add(0, "Rai 1", {"20:30", "21:15", "23:30"});
    add(1, "Rai 1", {"00:15", "06:00"});
    add(1, "Rai 2", {"01:00"});
    run("Rai 1");
    EXPECT_EQ(durations(0, "Rai 1"), (QStringList{"45", "135", "45"}));
    // The next day's last programme has no successor: it keeps its value.
    EXPECT_EQ(durations(1, "Rai 1"), (QStringList{"345", "99"}));
    EXPECT_EQ(durations(1, "Rai 2"), QStringList{"99"});
}

TEST_F(DurationPass, EmptyDayDoesNotEndTheChannel)
{
    add(1, "Rai 1", {"10:00", "11:00"});
    add(3, "Rai 1", {"10:00", "10:20"});
    run("Rai 1");
    EXPECT_EQ(durations(1, "Rai 1"), (QStringList{"60", "99"}));
    EXPECT_EQ(durations(3, "Rai 1"), (QStringList{"20", "99"}));
}

TEST_F(DurationPass, EveryRowOfALongPassGetsItsOwnDuration)
{
    // Three full days of uneven gaps, another channel's rows in between.
    std::vector<std::vector<int>> gaps(3);
    for (int d = 0; d < 3; ++d)
        for (const QString channel : {"Rai 1", "Rai 2"}) {
            QStringList starts;
            int start = 5 * 60;
            for (int i = 0; i < 40; ++i) {
                starts << QStringLiteral("%1:%2").arg(start / 60, 2, 10, QLatin1Char('0')).arg(start % 60, 2, 10, QLatin1Char('0'));
                const int gap = 10 + ((i + d) % 7) * 5;
                if (channel == QLatin1String("Rai 1"))
                    gaps[size_t(d)].push_back(gap);
                start += gap;
            }
            add(d, channel, starts);
        }
    run("Rai 1");
    for (int d = 0; d < 3; ++d) {
        QStringList expected;
        int start = 5 * 60;
        for (int i = 0; i < 39; ++i) {
            expected << QString::number(gaps[size_t(d)][size_t(i)]);
            start += gaps[size_t(d)][size_t(i)];
        }
        // The last one runs to five o'clock of the next day, if there is one.
        expected << (d < 2 ? QString::number(24 * 60 + 5 * 60 - start) : QStringLiteral("99"));
        EXPECT_EQ(durations(d, "Rai 1"), expected) << "day " << d;
        EXPECT_EQ(durations(d, "Rai 2"), QStringList(40, QStringLiteral("99"))) << "day " << d;
    }
}

// A stored duration stays only when it is the plain text of the right
// number; a start time with other than ASCII in it is read as text.
TEST_F(DurationPass, StoredTextsAreReadAsTheRuleReadsThem)
{
    add(0, "Rai 1", {"10:00", "10:45", QString::fromUtf8("\u00A011:30"), "12:00", "12:30"});
    Database::open(PercorsoDb).exec(QStringLiteral(
        "update Programmi set Durata = case Numerazione when 1 then '045' when 2 then '45' when 3 then ' 30' "
        "when 4 then '30' else Durata end"));
    run("Rai 1");
    EXPECT_EQ(durations(0, "Rai 1"), (QStringList{"45", "45", "30", "30", "99"}));
}
