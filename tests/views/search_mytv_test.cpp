#include "details/ListingsFixture.h"
#include "views/ListPages.h"
#include "views/MyTvPage.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

Programme make(qint32 day, const char *channel, int n, const QString &ora, const QString &title,
               const char *marks = "   ")
{
    Programme p;
    std::tie(p.Data, p.Numerazione, p.ORA, p.Titolo) = std::tie(day, n, ora, title);
    p.Palinsesto = QString::fromUtf8(channel);
    // Marked, Promemoria, Registra as stored; a blank is an empty field.
    auto mark = [&](int i) { return marks[i] == ' ' ? QString() : QString(QLatin1Char(marks[i])); };
    std::tie(p.Marked, p.Promemoria, p.Registra) = std::make_tuple(mark(0), mark(1), mark(2));
    return p;
}

class Listings : public test::ListingsTest {
protected:
    void insert(const std::vector<Programme> &ps)
    {
        for (const Programme &p : ps)
            ProgrammiTable(db).insert(p);
    }
    QStringList search(const QString &words, bool exact = false, bool m = false, bool pr = false, bool r = false,
                       qint32 from = 20261206)
    {
        return test::titlesOf(ProgrammiTable(db).search(searchPattern(words, exact), m, pr, r, from, 501));
    }
};

} // namespace

// ------------------------------------------------------------ search

TEST_F(Listings, SearchWordsInOrderExactOptionLetterCaseAndApostrophes)
{
    std::vector<Programme> ps;
    for (const char *t : {"Il commissario Montalbano", "Montalbano e il commissario", "Il commissario  Montalbano",
                          "L'ispettore Derrick", "100% Italia", "Formula 1"})
        ps.push_back(make(20261206, "Rai 1", int(ps.size()) + 1, QStringLiteral("%1:00").arg(ps.size() + 10), t));
    insert(ps);
    EXPECT_EQ(search("commissario montalbano"), (QStringList{"Il commissario Montalbano", "Il commissario  Montalbano"}));
    EXPECT_EQ(search("commissario montalbano", true), QStringList{"Il commissario Montalbano"});
    EXPECT_EQ(search("l'ispettore"), QStringList{"L'ispettore Derrick"});
    // "?" one character, "#" one digit; "%" is itself.
    EXPECT_EQ(search("100%"), QStringList{"100% Italia"});
    EXPECT_EQ(search("a #"), QStringList{"Formula 1"});
}

TEST_F(Listings, SearchLooksInFiveFieldsAndMarksCombine)
{
    std::vector<Programme> ps;
    QString Programme::*const fields[] = {&Programme::Genere, &Programme::Type, &Programme::Durata,
                                          &Programme::Titolo, &Programme::Descrizione};
    for (const char *marks : {"100", "110", "111", "001", "000"}) {
        ps.push_back(make(20261206, "Rai 2", int(ps.size()) + 1, "20:00", QStringLiteral("Prog %1").arg(ps.size() + 1), marks));
        ps.back().*fields[ps.size() - 1] += QStringLiteral(" Giallo");
    }
    insert(ps);
    EXPECT_EQ(search("giallo").size(), 5);
    EXPECT_EQ(search("giallo", false, false, true), (QStringList{"Prog 2", "Prog 3"}));
    EXPECT_EQ(search("giallo", false, true, true, true), QStringList{"Prog 3"});
}

TEST_F(Listings, SearchFromTodayUnlessOldAskedInDayAndTimeOrderAndMarkedDayOnceByTime)
{
    insert({make(20261207, "B", 2, "09:00", "film c", "11 "), make(20261205, "A", 1, "21:00", "film vecchio"),
            make(20261207, "A", 1, "09:00", "film b", "  1"), make(20261206, "Z", 1, "23:00", "film a2"),
            make(20261206, "Z", 2, "06:00", "film a1"), make(20261207, "C", 1, "08:00", "film d", "0  "),
            make(20261207, "D", 3, "08:30", "film e", " 1 ")});
    EXPECT_EQ(search("film"), (QStringList{"film a1", "film a2", "film d", "film e", "film b", "film c"}));
    EXPECT_EQ(search("film", false, false, false, false, 0).value(0), QStringLiteral("film vecchio"));
    EXPECT_EQ(test::titlesOf(ProgrammiTable(db).markedOnDay(20261207, 501)), (QStringList{"film e", "film b", "film c"}));
}

// ------------------------------------------------------------ MyTV

namespace {

QString mytvTemplate(const QString &marker, int lines, int days = 2)
{
    QString t = QStringLiteral("<style>a:hover{x:1}</style>") + marker + QStringLiteral("\r\nInizio _DATA_INIZIO_\r\n");
    for (int d = 1; d <= days; ++d) {
        t += QStringLiteral("G%1 _NDAY_%1_ _TDAY_%1_\r\n").arg(d);
        for (int n = 1; n <= lines; ++n)
            t += QStringLiteral("L%1.%2 _TV_ID_%1_%2_|_TV_HOUR_DAY_%1_%2_|_PR_TITLE_DAY_%1_%2_|_TV_TV_DAY_%1_%2_\r\n")
                     .arg(d)
                     .arg(n);
    }
    return t;
}

QString line(const QString &html, int d, int n)
{
    const QString start = QStringLiteral("L%1.%2 ").arg(d).arg(n);
    for (const QString &l : html.split(QStringLiteral("\r\n")))
        if (l.startsWith(start))
            return l.mid(start.size());
    return QStringLiteral("(none)");
}

} // namespace

// The marker's number is the one its text starts with, up to the next "-".
TEST(MyTvCapacity, MarkerNumberStartsTheTextUpToTheNextDash)
{
    const std::pair<const char *, int> cases[] = {
        {"<!--LINES:12 righe-->", 12}, {"<!--LINES: 7.6-->", 8}, {"<!--LINES:righe 12-->", 0},
        {"<!--LINES:12", 0},           {"<!--LINES:3-5-->", 3}};
    for (const auto &[text, n] : cases)
        EXPECT_EQ(MyTvPage::capacity(QString::fromUtf8(text) + QStringLiteral(" _TV_ID_1_20_")), n) << text;
    // Without a marker, the highest day-one line.
    EXPECT_EQ(MyTvPage::capacity(QStringLiteral("_TV_ID_1_120_ _TV_ID_2_130_")), 120);
}

TEST(MyTvBuild, LinesFilledUpToCapacityTheRestBlankedIdsKept)
{
    std::vector<Programme> rows;
    for (int i = 1; i <= 13; ++i)
        rows.push_back(make(20261207, "Rai 1", i, QStringLiteral("%1:00").arg(i + 6, 2, 10, QLatin1Char('0')),
                            i == 1 ? QStringLiteral("<b>_TV_HOUR_DAY_1_2_</b>") : QStringLiteral("T%1").arg(i)));
    QList<qint32> asked;
    // Day 31 is the last day; numbers with a leading zero are no placeholders.
    const QString marker = QStringLiteral("<!--LINES:12--> _TDAY_31_ _TDAY_32_ [_TV_HOUR_DAY_31_1_] _TV_HOUR_DAY_2_01_");
    const auto result = MyTvPage::build(mytvTemplate(marker, 14), QDate(2026, 12, 6), [&](qint32 day) {
        asked << day;
        return day == 20261207 ? rows : std::vector<Programme>(day == 20261208 ? 501 : 0, rows[0]);
    });
    EXPECT_EQ(asked.size(), 31);
    EXPECT_EQ(asked.back(), 20270105);
    EXPECT_TRUE(result.overCapacity);
    EXPECT_TRUE(result.overDayLimit); // a day takes 500 programmes
    EXPECT_TRUE(result.html.contains(
        QStringLiteral("<!--LINES:12--> 05/01/2027 _TDAY_32_ [] _TV_HOUR_DAY_2_01_\r\nInizio 06/12/2026\r\n")));
    EXPECT_TRUE(result.html.contains(QStringLiteral("G2 Luned\u00ec 07/12/2026")) ||
                result.html.contains(QStringLiteral("G2 Lunedi 07/12/2026")));
    EXPECT_EQ(line(result.html, 2, 1), QStringLiteral("'20261207#Rai 1#1'|07:00|&lt;b&gt;_TV_HOUR_DAY_1_2_&lt;/b&gt;|Rai 1"));
    EXPECT_EQ(line(result.html, 2, 12), QStringLiteral("'20261207#Rai 1#12'|18:00|T12|Rai 1"));
    EXPECT_EQ(line(result.html, 2, 13), QStringLiteral("_TV_ID_2_13_|||"));
    EXPECT_TRUE(result.html.endsWith(QStringLiteral("\r\n\r\n")));
}

