#include "Server.h"

#include "Content.h"
#include "Guide.h"
#include "Images.h"

#include "ChannelLogo.h"

#include <QStringDecoder>

namespace listings {

namespace {

Reply notFound() { return {404, "Not found\r\n", "text/plain", {}}; }

Reply text(const QByteArray &body, const char *type = "text/plain; charset=windows-1252")
{
    return {200, body, type, {}};
}

// Names in a path arrive percent-decoded; a client may send UTF-8 or code
// page 1252 bytes.
QString decodeName(const std::string &raw)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString name = utf8.decode(QByteArray::fromStdString(raw));
    if (!utf8.hasError())
        return name;
    QStringDecoder cp("windows-1252");
    return cp.decode(QByteArray::fromStdString(raw));
}

bool inWindow(const QDate &day, const QDate &today)
{
    return day.isValid() && day >= today.addDays(-1) && day <= today.addDays(20);
}

QDate parseDay(const std::string &digits) { return QDate::fromString(QString::fromStdString(digits), QStringLiteral("yyyyMMdd")); }

std::string param(const std::vector<std::pair<std::string, std::string>> &query, const char *key)
{
    for (const auto &[k, v] : query)
        if (k == key)
            return v;
    return {};
}

QByteArray testBytes(long n)
{
    QByteArray out;
    out.reserve(n);
    uint32_t x = 2463534242u;
    for (long i = 0; i < n; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out.append(char(x & 0xFF));
    }
    return out;
}

} // namespace

bool FaultRules::matches(const std::vector<std::regex> &rules, const std::string &path)
{
    for (const std::regex &r : rules)
        if (std::regex_search(path, r))
            return true;
    return false;
}

Reply answer(const std::string &path, const std::vector<std::pair<std::string, std::string>> &query,
             const QString &base, const QDate &today, const QString &release)
{
    static const std::regex check(R"(^/orvento/checks/(\d{1,6})\.txt$)");
    static const std::regex script(R"(^/orvento/scripts/(\d{1,6})\.txt$)");
    static const std::regex day(R"(^/orvento/database2/(\d{1,6})/(\d{8})\.txt$)");
    static const std::regex highlight(R"(^/orvento/database2/highlights/([^/]+)$)");
    static const std::regex logo(R"(^/orvento/database2/palinsesti/(\d{1,6})\.gif$)");
    static const std::regex channelFileRe(R"(^/orvento/database2/palinsesti/([^/]+)$)");
    static const std::regex gulp(R"(^/web/gulp/(\d{8})\.html$)");
    static const std::regex detail(R"(^/web/scheda/(\d{1,6})/(\d{8})-(\d{1,4})\.htm$)");
    static const std::regex poster(R"(^/web/img/(\d{1,6})/(\d{8})-(\d{1,4})\.jpg$)");
    static const std::regex bytes(R"(^/test/bytes/(\d{1,9})$)");
    std::smatch m;

    if (path == "/trash.txt")
        return text("Orvento\r\n");
    if (path == "/orvento/" || path == "/orvento")
        return text(productPage(release), "text/html; charset=windows-1252");
    if (path == "/orvento/codes/release.txt")
        return text(cp1252(release + QStringLiteral("\r\n")));
    if (std::regex_match(path, m, check)) {
        const Channel *c = channelByCode(std::stoi(m[1]));
        return c ? text(checkFile(*c)) : notFound();
    }
    if (std::regex_match(path, m, script)) {
        const Channel *c = channelByCode(std::stoi(m[1]));
        QByteArray body = c ? scriptFile(*c, base) : QByteArray();
        return body.isEmpty() ? notFound() : text(body);
    }
    if (std::regex_match(path, m, day)) {
        const Channel *c = channelByCode(std::stoi(m[1]));
        QDate d = parseDay(m[2]);
        if (!c || !inWindow(d, today))
            return notFound();
        return text(dayFile(*c, d, base));
    }
    if (path == "/orvento/database2/highlights/lista.txt")
        return text(highlightList(today));
    if (std::regex_match(path, m, highlight)) {
        QByteArray body = highlightPage(decodeName(m[1]), today, base);
        return body.isEmpty() ? notFound() : text(body, "text/html; charset=windows-1252");
    }
    if (path == "/orvento/database2/palinsesti/lista.txt")
        return text(channelList());
    if (std::regex_match(path, m, logo)) {
        const Channel *c = channelByCode(std::stoi(m[1]));
        return c ? text(orv::tools::channelLogo(c->code, c->name), "image/gif") : notFound();
    }
    if (std::regex_match(path, m, channelFileRe)) {
        for (const Channel &c : channels())
            if (channelFileName(c) == decodeName(m[1]))
                return text(channelFile(c));
        return notFound();
    }
    if (path == "/web/la7/guida.htm") {
        QDate d(std::atoi(param(query, "anno").c_str()), std::atoi(param(query, "mese").c_str()),
                std::atoi(param(query, "giorno").c_str()));
        return inWindow(d, today) ? text(la7Page(d, base), "text/html; charset=windows-1252") : notFound();
    }
    if (std::regex_match(path, m, gulp)) {
        QDate d = parseDay(m[1]);
        return inWindow(d, today) ? text(gulpPage(d, base), "text/html; charset=windows-1252") : notFound();
    }
    if (std::regex_match(path, m, detail)) {
        const Channel *c = channelByCode(std::stoi(m[1]));
        QDate d = parseDay(m[2]);
        QByteArray body = c && inWindow(d, today) ? detailPage(*c, d, std::stoi(m[3]), base) : QByteArray();
        return body.isEmpty() ? notFound() : text(body, "text/html; charset=windows-1252");
    }
    if (std::regex_match(path, m, poster)) {
        const Channel *c = channelByCode(std::stoi(m[1]));
        return c && inWindow(parseDay(m[2]), today) ? text(posterJpeg(), "image/jpeg") : notFound();
    }
    if (std::regex_match(path, m, bytes)) {
        long n = std::stol(m[1]);
        return n <= 64L * 1024 * 1024 ? text(testBytes(n), "application/octet-stream") : notFound();
    }
    return notFound();
}

QByteArray withLongName(const QByteArray &list)
{
    const QByteArray name = "Speciale " + QByteArray(287, 'x') + ".htm";
    qsizetype middle = list.indexOf('\n', list.size() / 2);
    middle = middle < 0 ? list.size() : middle + 1;
    QByteArray out = list.left(middle);
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += "\r\n";
    return out + name + "\r\n" + list.mid(middle);
}

size_t cutInsideLine(const QByteArray &body)
{
    size_t at = size_t(body.size()) / 2;
    while (at > 1 && (body[qsizetype(at) - 1] == '\n' || body[qsizetype(at) - 1] == '\r'))
        --at;
    return at;
}

} // namespace listings
