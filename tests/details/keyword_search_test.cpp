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
    EXPECT_FALSE(search({"meteo"}).found);

    add(20240105, "TeleUno", 2, "20:30", "PREVISIONI METEO");
    add(20240105, "TeleUno", 3, "21:00", "Perché no? Un film");
    add(20240105, "TeleUno", 4, "22:00", "ÈCCO L'ESTATE");
    add(20240105, "TeleUno", 5, "", "Meteo senza orario");
    EXPECT_EQ(lines(search({" ", "*", "?", "meteo", "PERCHÉ", "èc", "meteo"})),
              (QStringList{" ", "*", "?", "meteo", "  05/01/2024", "    TeleUno", "      20:30-PREVISIONI METEO",
                           "PERCHÉ", "  05/01/2024", "    TeleUno", "      21:00-Perché no? Un film", "èc",
                           "  05/01/2024", "    TeleUno", "      22:00-ÈCCO L'ESTATE"}));
}

// An apostrophe stored as "*", a trailing blank that is part of the word, a
// digit ("#") and a list ("[...]"); hits by day, then start, whatever their numbers.
TEST_F(KeywordSearchTest, StarsTrailingBlanksDigitsAndListsMatchTitles)
{
    add(20240105, "TeleUno", 4, "21:00", "L'isola dei famosi");
    add(20240105, "TeleUno", 5, "22:00", "Isola");
    add(20240105, "TeleUno", 3, "23:00", "Isola verde");
    add(20240105, "TeleUno", 7, "23:30", "Formula 1");
    add(20240106, "TeleUno", 1, "20:00", "Formula 2");
    const QString day = "  05/01/2024", ch = "    TeleUno";
    EXPECT_EQ(lines(search({"L*isola", "Isola ", "[fz]ormula #"})),
              (QStringList{"L*isola", day, ch, "      21:00-L'isola dei famosi", "Isola ", day, ch,
                           "      21:00-L'isola dei famosi", "      23:00-Isola verde", "[fz]ormula #", day, ch,
                           "      23:30-Formula 1", "  06/01/2024", ch, "      20:00-Formula 2"}));
}

