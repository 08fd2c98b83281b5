#include "details/FilmSearch.h"

#include <QUrl>

namespace orv {

const std::array<FilmSite, 5> &filmSites()
{
    static const std::array<FilmSite, 5> sites{{
        {"m_ricercaIMDB", "IMDb", "www.imdb.com", "/Find?select=all&for=", ""},
        {"m_ricercamovieplayer", "Movieplayer.it", "www.movieplayer.it",
         "/film/ricerca/bottom/ricercaschedafilm.jsp?_style=trecinque&titolo=", "&fromtestata=true"},
        {"m_ricercafilmtv", "FilmTV.it", "www.film.tv.it", "/cerca.php?ricerca=avanzata&titolo=", ""},
        {"m_ricercafilmup", "FilmUP", "filmup.leonardo.it", "/cgi-bin/search.cgi?ps=10&m=any&q=", "&webcerca=1"},
        {"m_ricercacinematografo", "Cinematografo.it", "www.cinematografo.it", "/bdcm/bancadati_query.asp?fi=",
         "&R1=TI"},
    }};
    return sites;
}

QString filmSearchUrl(const FilmSite &site, const QString &title)
{
    return QStringLiteral("http://") + QLatin1String(site.host) + QLatin1String(site.query) +
           QString::fromLatin1(QUrl::toPercentEncoding(title)) + QLatin1String(site.tail);
}

} // namespace orv
