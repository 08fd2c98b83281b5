#include "details/FilmSearch.h"

#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace orv;

// Whatever the title holds, it is one encoded query value of the site's address.
TEST(FilmSearchUrl, OnlyTheTitleIsEncodedAndItStaysOneValue)
{
    EXPECT_EQ(filmSearchUrl(filmSites()[0], QStringLiteral("La vita è bella")),
              "http://www.imdb.com/Find?select=all&for=La%20vita%20%C3%A8%20bella");
    for (const FilmSite &site : filmSites()) {
        const int items = QUrlQuery(QUrl(filmSearchUrl(site, QString()))).queryItems().size();
        for (const char *title : {"La vita è bella", "1+1", "#1", "Tom & Jerry", "a=b;c%20", ""}) {
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
