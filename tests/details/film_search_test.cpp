#include "details/FilmSearch.h"

#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace orv;

// Each site in menu order; whatever the title holds, it is one encoded query value of the site's address.
TEST(FilmSearchUrl, OnlyTheTitleIsEncodedAndItStaysOneValue)
{
    const QString t = QStringLiteral("La%20vita%20%C3%A8%20bella");
    const QStringList expected{
        "http://www.imdb.com/Find?select=all&for=" + t,
        "http://www.movieplayer.it/film/ricerca/bottom/ricercaschedafilm.jsp?_style=trecinque&titolo=" + t +
            "&fromtestata=true",
        "http://www.film.tv.it/cerca.php?ricerca=avanzata&titolo=" + t,
        "http://filmup.leonardo.it/cgi-bin/search.cgi?ps=10&m=any&q=" + t + "&webcerca=1",
        "http://www.cinematografo.it/bdcm/bancadati_query.asp?fi=" + t + "&R1=TI"};
    for (size_t i = 0; i < filmSites().size(); ++i)
        EXPECT_EQ(filmSearchUrl(filmSites()[i], QStringLiteral("La vita è bella")), expected[qsizetype(i)]);
    for (const FilmSite &site : filmSites()) {
        const int items = QUrlQuery(QUrl(filmSearchUrl(site, QString()))).queryItems().size();
        for (const char *title : {"1+1", "#1", "Tom & Jerry", "a=b;c%20", ""}) {
            SCOPED_TRACE(qPrintable(QString::fromLatin1(site.command) + QStringLiteral(" / ") + title));
            const auto query = QUrlQuery(QUrl(filmSearchUrl(site, title))).queryItems(QUrl::FullyDecoded);
            EXPECT_EQ(query.size(), items);
            EXPECT_TRUE(std::any_of(query.begin(), query.end(), [&](const auto &p) { return p.second == title; }));
        }
    }
}
