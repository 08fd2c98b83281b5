#include "details/FilmSearch.h"
#include "details/FilmSearchMenu.h"
#include "support/TestSeam.h"

#include <QAction>
#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace orv;

TEST(FilmSearchUrl, OnlyTheTitleIsEncodedAndItStaysOneValue)
{
    // Byte for byte, one site each.
    const QStringList want{
        "http://www.imdb.com/Find?select=all&for=La%20vita%20%C3%A8%20bella",
        "http://www.movieplayer.it/film/ricerca/bottom/ricercaschedafilm.jsp?_style=trecinque&titolo=1%2B1"
        "&fromtestata=true",
        "http://www.film.tv.it/cerca.php?ricerca=avanzata&titolo=%231",
        "http://filmup.leonardo.it/cgi-bin/search.cgi?ps=10&m=any&q=Tom%20%26%20Jerry&webcerca=1",
        "http://www.cinematografo.it/bdcm/bancadati_query.asp?fi=&R1=TI",
    };
    const QStringList titles{"La vita è bella", "1+1", "#1", "Tom & Jerry", ""};
    ASSERT_EQ(filmSites().size(), size_t(want.size()));
    for (size_t i = 0; i < filmSites().size(); ++i) {
        const FilmSite &site = filmSites()[i];
        EXPECT_EQ(filmSearchUrl(site, titles[int(i)]), want[int(i)]);
        const int items = QUrlQuery(QUrl(filmSearchUrl(site, QString()))).queryItems().size();
        for (const QString &title : titles) {
            SCOPED_TRACE(qPrintable(QString::fromLatin1(site.command) + QStringLiteral(" / ") + title));
            const QUrl url(filmSearchUrl(site, title), QUrl::StrictMode);
            ASSERT_TRUE(url.isValid());
            EXPECT_TRUE(url.fragment().isNull());
            const auto query = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
            EXPECT_EQ(query.size(), items);
            EXPECT_TRUE(std::any_of(query.begin(), query.end(), [&](const auto &p) { return p.second == title; }));
        }
    }
}

TEST(FilmSearchMenuTest, CommandsInOrderOpenTheirSiteForTheShownTitle)
{
    test::RecordingSeam seam;
    FilmSearchMenu menu;
    const QList<QAction *> commands = menu.actions();
    ASSERT_EQ(commands.size(), 5);
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
