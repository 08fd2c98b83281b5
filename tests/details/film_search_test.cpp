#include "details/FilmSearch.h"
#include "details/FilmSearchMenu.h"
#include "support/TestSeam.h"

#include <QAction>
#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace orv;

namespace {

const QStringList titles{QStringLiteral("Il Gladiatore"), QStringLiteral("Tom & Jerry"),
                         QStringLiteral("La vita è bella"), QStringLiteral("#1"), QString()};

struct Expected {
    const char *command;
    const char *path;
    const char *key;
    QList<QPair<QString, QString>> fixed; // the site's own parameters, before and after the title
};

const QList<Expected> expected{
    {"m_ricercaIMDB", "/Find", "for", {{"select", "all"}}},
    {"m_ricercamovieplayer", "/film/ricerca/bottom/ricercaschedafilm.jsp", "titolo",
     {{"_style", "trecinque"}, {"fromtestata", "true"}}},
    {"m_ricercafilmtv", "/cerca.php", "titolo", {{"ricerca", "avanzata"}}},
    {"m_ricercafilmup", "/cgi-bin/search.cgi", "q", {{"ps", "10"}, {"m", "any"}, {"webcerca", "1"}}},
    {"m_ricercacinematografo", "/bdcm/bancadati_query.asp", "fi", {{"R1", "TI"}}},
};

} // namespace

TEST(FilmSearchUrl, EveryTitleReachesEverySiteAsOneValue)
{
    ASSERT_EQ(filmSites().size(), size_t(expected.size()));
    for (size_t i = 0; i < filmSites().size(); ++i) {
        const FilmSite &site = filmSites()[i];
        const Expected &want = expected[int(i)];
        EXPECT_STREQ(site.command, want.command);
        for (const QString &title : titles) {
            SCOPED_TRACE(qPrintable(QString::fromLatin1(site.command) + QStringLiteral(" / ") + title));
            const QString text = filmSearchUrl(site, title);
            const QUrl url(text, QUrl::StrictMode);
            ASSERT_TRUE(url.isValid()) << qPrintable(text);
            EXPECT_EQ(url.scheme(), QStringLiteral("http"));
            EXPECT_EQ(url.host(), QString::fromLatin1(site.host));
            EXPECT_EQ(url.path(), QString::fromLatin1(want.path));
            EXPECT_TRUE(url.fragment().isNull()) << "a '#' in the title must not start a fragment";
            const QUrlQuery query(url);
            const auto items = query.queryItems(QUrl::FullyDecoded);
            // The site's parameters plus exactly one for the title.
            ASSERT_EQ(items.size(), want.fixed.size() + 1) << qPrintable(text);
            EXPECT_EQ(query.queryItemValue(QString::fromLatin1(want.key), QUrl::FullyDecoded), title);
            for (const auto &p : want.fixed)
                EXPECT_EQ(query.queryItemValue(p.first, QUrl::FullyDecoded), p.second) << qPrintable(p.first);
        }
    }
}

TEST(FilmSearchUrl, FixedPartsStayAsTheSiteWantsThem)
{
    // Byte for byte: only the title is encoded.
    EXPECT_EQ(filmSearchUrl(filmSites()[3], QStringLiteral("Tom & Jerry")),
              QStringLiteral("http://filmup.leonardo.it/cgi-bin/search.cgi?ps=10&m=any&q=Tom%20%26%20Jerry&webcerca=1"));
    EXPECT_EQ(filmSearchUrl(filmSites()[0], QStringLiteral("La vita è bella")),
              QStringLiteral("http://www.imdb.com/Find?select=all&for=La%20vita%20%C3%A8%20bella"));
    EXPECT_EQ(filmSearchUrl(filmSites()[1], QStringLiteral("1+1")),
              QStringLiteral("http://www.movieplayer.it/film/ricerca/bottom/ricercaschedafilm.jsp"
                             "?_style=trecinque&titolo=1%2B1&fromtestata=true"));
    EXPECT_EQ(filmSearchUrl(filmSites()[4], QString()),
              QStringLiteral("http://www.cinematografo.it/bdcm/bancadati_query.asp?fi=&R1=TI"));
}

class FilmSearchMenuTest : public ::testing::Test {
protected:
    test::RecordingSeam seam;
};

TEST_F(FilmSearchMenuTest, CommandsInOrderOpenTheirSiteForTheShownTitle)
{
    FilmSearchMenu menu;
    EXPECT_EQ(menu.objectName(), QStringLiteral("a"));
    const QList<QAction *> commands = menu.actions();
    ASSERT_EQ(commands.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(commands[i]->objectName(), QString::fromLatin1(expected[i].command));
        EXPECT_FALSE(commands[i]->text().isEmpty());
    }

    menu.popupFor(QStringLiteral("Tom & Jerry"), QPoint(10, 10));
    commands[3]->trigger();
    menu.popupFor(QStringLiteral("Il Gladiatore"), QPoint(10, 10));
    commands[0]->trigger();
    commands[2]->trigger();
    EXPECT_EQ(seam.calls, (QStringList{
                              "openUrl " + filmSearchUrl(filmSites()[3], QStringLiteral("Tom & Jerry")),
                              "openUrl " + filmSearchUrl(filmSites()[0], QStringLiteral("Il Gladiatore")),
                              "openUrl " + filmSearchUrl(filmSites()[2], QStringLiteral("Il Gladiatore")),
                          }));
    menu.close();
}
