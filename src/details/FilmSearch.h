#pragma once

#include <QString>

#include <array>

namespace orv {

// One outside film-database site: the search address is "http://" + host +
// query + the title + tail, where query ends with the title's key.
struct FilmSite {
    const char *command; // the menu command's name
    const char *caption; // the site, as the menu names it
    const char *host;
    const char *query;
    const char *tail;
};

// The five sites in menu order.
const std::array<FilmSite, 5> &filmSites();

// The site's search address for a title. The title goes in as one
// percent-encoded (UTF-8) query value, so "&", "#", "+" and accented letters
// reach the site as typed; the fixed parts stay as they are.
QString filmSearchUrl(const FilmSite &site, const QString &title);

} // namespace orv
