// The sample listings server: serves a generated, realistic guide on the
// loopback interface, with faults on request for the tests.
#include "Server.h"

#include <httplib.h>

#include <QGuiApplication>
#include <QFile>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <optional>
#include <thread>

namespace {

struct Options {
    int port = 47800;
    QString release = QStringLiteral("72");
    QString highlightsList; // a file served in place of the generated highlights list
    QString script;         // a file served in place of every channel's scraping script
    bool verbose = false;
    listings::FaultRules faults;
    // The holdAt-th request matching hold is announced on standard output
    // ("held <path>") and never answered: a test acts at that exact moment.
    std::optional<std::regex> hold;
    int holdAt = 1;
};

void usage()
{
    std::fprintf(stderr,
                 "uso: orvento-listings-server [--port N] [--release TESTO] [--fail404 RE] [--fail500 RE]\n"
                 "                             [--truncate RE] [--slow RE] [--delay-ms N] [--redirect RE]\n"
                 "                             [--no-length RE] [--cut-no-length RE] [--drip RE] [--drip-ms N]\n"
                 "                             [--oversize RE] [--oversize-bytes N] [--long-names]\n"
                 "                             [--highlights-list FILE] [--script FILE] [--verbose]\n"
                 "                             [--hold RE] [--hold-at N]\n");
}

// The options of the body faults; false when the option is not one of them.
bool parseBodyFault(const std::string &a, const std::function<std::string()> &value,
                    const std::function<bool(std::vector<std::regex> &)> &rule, listings::FaultRules &f, bool &ok)
{
    ok = true;
    if (a == "--no-length")
        ok = rule(f.noLength);
    else if (a == "--cut-no-length")
        ok = rule(f.cutNoLength);
    else if (a == "--drip")
        ok = rule(f.drip);
    else if (a == "--oversize")
        ok = rule(f.oversize);
    else if (a == "--drip-ms")
        f.dripMs = std::max(1, std::atoi(value().c_str()));
    else if (a == "--oversize-bytes")
        f.oversizeBytes = std::max(1LL, std::atoll(value().c_str()));
    else
        return false;
    return true;
}

// Sends a reply with one of the body faults; false when none applies.
bool sendBodyFault(const listings::FaultRules &f, const std::string &path, const listings::Reply &reply,
                   httplib::Response &res)
{
    using listings::FaultRules;
    auto body = std::make_shared<QByteArray>(reply.body);
    if (FaultRules::matches(f.noLength, path) || FaultRules::matches(f.cutNoLength, path)) {
        // No length: the body ends where the connection is closed.
        res.set_header("Connection", "close");
        const size_t end = FaultRules::matches(f.cutNoLength, path) ? listings::cutInsideLine(*body)
                                                                    : size_t(body->size());
        // Ending the provider with false makes the server close the line at
        // once, after what was written (done() would keep it open).
        res.set_content_provider(reply.contentType, [body, end](size_t offset, httplib::DataSink &sink) {
            if (offset < end)
                sink.write(body->constData() + offset, end - offset);
            return false;
        });
        return true;
    }
    if (FaultRules::matches(f.drip, path)) {
        const int ms = f.dripMs;
        res.set_content_provider(size_t(body->size()), reply.contentType,
                                 [body, ms](size_t offset, size_t, httplib::DataSink &sink) {
                                     std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                                     return sink.write(body->constData() + offset, 1);
                                 });
        return true;
    }
    if (FaultRules::matches(f.oversize, path) && !body->isEmpty()) {
        // The body over and over (whole lines for a day file), never held whole.
        res.set_content_provider(size_t(f.oversizeBytes), reply.contentType,
                                 [body](size_t offset, size_t length, httplib::DataSink &sink) {
                                     const size_t at = offset % size_t(body->size());
                                     const size_t n = std::min(length, size_t(body->size()) - at);
                                     return sink.write(body->constData() + at, n);
                                 });
        return true;
    }
    return false;
}

// A small reply goes out as it is: compressing a few KB costs the server
// more than it saves on the line.
void sendReply(const listings::Reply &reply, httplib::Response &res)
{
    constexpr qsizetype Small = 16 * 1024;
    if (reply.body.size() >= Small) {
        res.set_content(reply.body.toStdString(), reply.contentType);
        return;
    }
    auto body = std::make_shared<QByteArray>(reply.body);
    res.set_content_provider(size_t(body->size()), reply.contentType,
                             [body](size_t offset, size_t length, httplib::DataSink &sink) {
                                 return sink.write(body->constData() + offset, length);
                             });
}

// "/test/peer" answers the client's port: the same port twice means the
// client kept its connection.
bool answerPeer(const httplib::Request &req, httplib::Response &res)
{
    if (req.path != "/test/peer")
        return false;
    res.set_content(std::to_string(req.remote_port), "text/plain");
    return true;
}

bool isList(const std::string &path)
{
    return path == "/orvento/database2/highlights/lista.txt" || path == "/orvento/database2/palinsesti/lista.txt";
}

bool parse(int argc, char **argv, Options &o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        auto value = [&]() { return std::string(argv[++i]); };
        auto rule = [&](std::vector<std::regex> &into) {
            try {
                into.emplace_back(value());
                return true;
            } catch (const std::regex_error &) {
                std::fprintf(stderr, "espressione non valida: %s\n", argv[i]);
                return false;
            }
        };
        bool faultOk = true;
        if (a == "--verbose") {
            o.verbose = true;
        } else if (a == "--long-names") {
            o.faults.longNames = true;
        } else if (!hasValue) {
            usage();
            return false;
        } else if (a == "--port") {
            o.port = std::atoi(value().c_str());
        } else if (a == "--release") {
            o.release = QString::fromStdString(value());
        } else if (a == "--highlights-list") {
            o.highlightsList = QString::fromStdString(value());
        } else if (a == "--script") {
            o.script = QString::fromStdString(value());
        } else if (a == "--hold") {
            std::vector<std::regex> one;
            if (!rule(one)) return false;
            o.hold = one.front();
        } else if (a == "--hold-at") {
            o.holdAt = std::max(1, std::atoi(value().c_str()));
        } else if (a == "--delay-ms") {
            o.faults.delayMs = std::atoi(value().c_str());
        } else if (a == "--fail404") {
            if (!rule(o.faults.notFound)) return false;
        } else if (a == "--fail500") {
            if (!rule(o.faults.serverError)) return false;
        } else if (a == "--truncate") {
            if (!rule(o.faults.truncate)) return false;
        } else if (a == "--slow") {
            if (!rule(o.faults.slow)) return false;
        } else if (a == "--redirect") {
            if (!rule(o.faults.redirect)) return false;
        } else if (parseBodyFault(a, value, rule, o.faults, faultOk)) {
            if (!faultOk) return false;
        } else {
            usage();
            return false;
        }
    }
    return o.port >= 0 && o.port <= 65535;
}

std::string queryString(const httplib::Params &params)
{
    std::string out;
    for (const auto &[k, v] : params)
        out += (out.empty() ? "?" : "&") + k + "=" + v;
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    // The logos are drawn with fonts, off any screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options opt;
    if (!parse(argc, argv, opt))
        return 2;

    httplib::Server server;
    int port = 0;
    std::atomic<int> holdCount{0};
    server.Get(".*", [&](const httplib::Request &req, httplib::Response &res) {
        const auto &f = opt.faults;
        std::string path = req.path;
        if (opt.verbose)
            std::fprintf(stderr, "GET %s\n", req.path.c_str());
        if (opt.hold && std::regex_search(path, *opt.hold) && ++holdCount == opt.holdAt) {
            std::printf("held %s\n", path.c_str());
            std::fflush(stdout);
            for (;;)
                std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        if (answerPeer(req, res))
            return;
        // Redirected requests come back under /moved and are served as usual.
        if (path.rfind("/moved/", 0) == 0) {
            path.erase(0, 6);
        } else if (listings::FaultRules::matches(f.redirect, path)) {
            res.set_redirect("/moved" + path + queryString(req.params), 302);
            return;
        }
        if (listings::FaultRules::matches(f.slow, path))
            std::this_thread::sleep_for(std::chrono::milliseconds(f.delayMs));
        if (listings::FaultRules::matches(f.notFound, path)) {
            res.status = 404;
            res.set_content("Not found\r\n", "text/plain");
            return;
        }
        if (listings::FaultRules::matches(f.serverError, path)) {
            res.status = 500;
            res.set_content("Internal server error\r\n", "text/plain");
            return;
        }
        if (!opt.highlightsList.isEmpty() && path == "/orvento/database2/highlights/lista.txt") {
            QFile list(opt.highlightsList);
            if (list.open(QIODevice::ReadOnly)) {
                res.set_content(list.readAll().toStdString(), "text/plain");
                return;
            }
        }
        if (!opt.script.isEmpty() && path.rfind("/orvento/scripts/", 0) == 0) {
            QFile script(opt.script);
            if (script.open(QIODevice::ReadOnly)) {
                res.set_content(script.readAll().toStdString(), "text/plain");
                return;
            }
        }
        std::vector<std::pair<std::string, std::string>> query(req.params.begin(), req.params.end());
        std::string host = req.get_header_value("Host");
        QString base = QStringLiteral("http://") +
                       (host.empty() ? QStringLiteral("127.0.0.1:%1").arg(port) : QString::fromStdString(host));
        listings::Reply reply = listings::answer(path, query, base, QDate::currentDate(), opt.release);
        res.status = reply.status;
        if (reply.status == 200 && f.longNames && isList(path))
            reply.body = listings::withLongName(reply.body);
        if (reply.status == 200 && sendBodyFault(f, path, reply, res))
            return;
        if (listings::FaultRules::matches(f.truncate, path) && reply.status == 200) {
            // Announce the whole length, send half of it, then drop the line.
            auto body = std::make_shared<std::string>(reply.body.toStdString());
            res.set_content_provider(body->size(), reply.contentType,
                                     [body](size_t offset, size_t, httplib::DataSink &sink) {
                                         size_t half = body->size() / 2;
                                         if (offset < half)
                                             sink.write(body->data() + offset, half - offset);
                                         return offset < half;
                                     });
            return;
        }
        sendReply(reply, res);
    });
    // Clients keep their connection for the whole download; without
    // no-delay each small reply on a kept connection waits for a delayed ack.
    server.set_keep_alive_max_count(1000);
    server.set_tcp_nodelay(true);

    port = opt.port == 0 ? server.bind_to_any_port("127.0.0.1") : (server.bind_to_port("127.0.0.1", opt.port) ? opt.port : -1);
    if (port <= 0) {
        std::fprintf(stderr, "impossibile ascoltare su 127.0.0.1:%d\n", opt.port);
        return 1;
    }
    std::printf("http://127.0.0.1:%d\n", port);
    std::fflush(stdout);
    return server.listen_after_bind() ? 0 : 1;
}
