#include "details/KeywordSearch.h"
#include "details/ListingsFixture.h"

using namespace orv;

namespace {

// The tree as indented lines "text [key]", keyword level first.
QStringList lines(const MonitorTree &tree, bool keys = false)
{
    QStringList out;
    auto line = [&](int depth, const MonitorTree::Node &n) {
        out << QString(depth * 2, QLatin1Char(' ')) + n.text + (keys ? " [" + n.key + "]" : QString());
    };
    for (const auto &kw : tree.keywords) {
        line(0, kw);
        for (const auto &day : kw.days) {
            line(1, day);
            for (const auto &ch : day.channels) {
                line(2, ch);
                for (const auto &p : ch.programmes)
                    line(3, p);
            }
        }
    }
    return out;
}

class KeywordSearchTest : public test::ListingsTest {
protected:
    MonitorTree search(const QStringList &words, qint32 from = 20240105) { return KeywordSearch::run(db, words, from); }
};

} // namespace

TEST_F(KeywordSearchTest, OnlyTitlesCountWithoutRegardToCaseAndBlankKeywordsFindNothing)
{
    add(20240105, "TeleUno", 12, "08:00", "Telegiornale", "", "", "", "Previsioni meteo e notizie");
    EXPECT_EQ(lines(search({"meteo"})), QStringList{"meteo"});
    EXPECT_FALSE(search({"meteo"}).found);

    add(20240105, "TeleUno", 2, "20:30", "PREVISIONI METEO");
    add(20240105, "TeleUno", 3, "21:00", "Perché no? Un film");
    add(20240105, "TeleUno", 4, "22:00", "ÈCCO L'ESTATE");
    add(20240105, "TeleUno", 5, "", "Meteo senza orario");
    EXPECT_EQ(lines(search({" ", "*", "meteo", "PERCHÉ", "èc", "meteo"})),
              (QStringList{" ", "*", "meteo", "  05/01/2024", "    TeleUno", "      20:30-PREVISIONI METEO", "PERCHÉ",
                           "  05/01/2024", "    TeleUno", "      21:00-Perché no? Un film", "èc", "  05/01/2024",
                           "    TeleUno", "      22:00-ÈCCO L'ESTATE"}));
}

// An apostrophe stored as "*" and a trailing blank that is part of the word.
TEST_F(KeywordSearchTest, StarsAndTrailingBlanksMatchTitles)
{
    add(20240105, "TeleUno", 4, "21:00", "L'isola dei famosi");
    add(20240105, "TeleUno", 5, "22:00", "Isola");
    add(20240105, "TeleUno", 6, "23:00", "Isola verde");
    const QString day = "  05/01/2024", ch = "    TeleUno";
    EXPECT_EQ(lines(search({"L*isola", "Isola "})),
              (QStringList{"L*isola", day, ch, "      21:00-L'isola dei famosi", "Isola ", day, ch,
                           "      21:00-L'isola dei famosi", "      23:00-Isola verde"}));
}

TEST_F(KeywordSearchTest, EveryKeywordListsItsMatchesByDayAndStartTimeWithSharedNodes)
{
    add(20240106, "TeleDue", 3, "09:00", "Calcio e Meteo");
    add(20240105, "TeleUno", 9, "21:00", "Meteo della sera");
    add(20240105, "TeleZeta", 2, "07:00", "Meteo del mattino");
    add(20240105, "TeleUno", 1, "06:00", "Calcio mattutino");
    add(20240104, "TeleUno", 1, "20:00", "Meteo di ieri");
    add(20240105, "TeleUno", 5, "13:00", "Meteo");
    add(20240106, "TeleBeta", 4, "09:00", "Meteo flash");
    EXPECT_EQ(lines(search({"Meteo", "Calcio"})),
              (QStringList{"Meteo", "  05/01/2024", "    TeleZeta", "      07:00-Meteo del mattino", "    TeleUno",
                           "      13:00-Meteo", "      21:00-Meteo della sera", "  06/01/2024", "    TeleBeta",
                           "      09:00-Meteo flash", "    TeleDue", "      09:00-Calcio e Meteo", "Calcio", "  05/01/2024", "    TeleUno",
                           "      06:00-Calcio mattutino", "  06/01/2024", "    TeleDue",
                           "      09:00-Calcio e Meteo"}));
    // A later calendar day searches from there on; the keys name each node.
    EXPECT_EQ(lines(search({"Meteo"}, 20240106), true),
              (QStringList{"Meteo [RMeteo]", "  06/01/2024 [RMeteoD06/01/2024]",
                           "    TeleBeta [RMeteoD06/01/2024TeleBeta]", "      09:00-Meteo flash [D06/01/2024[4]TeleBeta09:00]",
                           "    TeleDue [RMeteoD06/01/2024TeleDue]", "      09:00-Calcio e Meteo [D06/01/2024[3]TeleDue09:00]"}));
}
