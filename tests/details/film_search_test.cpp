#include "details/FilmSearch.h"

#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace orv;

// Each site in menu order; whatever the title holds, it is one encoded value of the address ("+" reads as blank).
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
        for (const char *title : {"1+1", "#1", "Tom & Jerry", "a=b;c%20", ""}) {
            const QUrl url(filmSearchUrl(site, title).replace('+', ' '));
            const auto query = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
            EXPECT_TRUE(std::ranges::any_of(query, [&](const auto &p) { return p.second == title; })) << site.command;
        }
    }
}
