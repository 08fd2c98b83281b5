#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace orv {

// Reads one URL into memory; nothing when it could not be read whole.
using UrlReader = std::function<std::optional<QByteArray>(const QString &url)>;
// Opens a web page in the user's browser.
using PageOpener = std::function<void(const QString &url)>;

// Compares the program's release number with the one the listings server
// publishes in /orvento/codes/release.txt and, when the server's is higher,
// tells the user and opens the product page. Its own failures show nothing.
class ReleaseCheck {
public:
    ReleaseCheck(UrlReader read, PageOpener open, QString serverBase);

    // The number at the start of the list's first line, read the way a
    // decimal-number reader takes a leading number; 0 when there is none.
    static double publishedRelease(const QByteArray &list);

    // Reads the published release; true when it is higher than current.
    bool newerThan(double current);
    // Tells the user and opens the product page. In the unattended run the
    // notice is only written to standard error and no browser is opened.
    void announce();
    // Both: true when a newer release was announced.
    bool run(double current);

private:
    UrlReader read_;
    PageOpener open_;
    QString base_;
    double published_ = 0;
};

// The reader the program uses: the listings server through the user's proxy
// settings; an HTTP error counts as nothing read.
UrlReader serverUrlReader();

// The update check run once per program run by the first download cycle
// when the setting CheckUpdate is on.
void CERCA_AGGIORNAMENTI();

} // namespace orv
