#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <regex>
#include <string>
#include <vector>

namespace listings {

// One answer of the guide: status, body and content type.
struct Reply {
    int status = 200;
    QByteArray body;
    std::string contentType = "text/plain; charset=windows-1252";
    std::string location; // for redirects
};

// Answers one GET of the guide. `path` is the decoded request path, `query`
// its parameters, `base` the address the client used to reach us.
Reply answer(const std::string &path, const std::vector<std::pair<std::string, std::string>> &query,
             const QString &base, const QDate &today, const QString &release);

// Faults that tests ask for, each matched against the request path.
struct FaultRules {
    std::vector<std::regex> notFound, serverError, truncate, slow, redirect;
    int delayMs = 3000;
    // Bad bodies: sent without a length (whole, or cut in the middle of a
    // line), one byte every dripMs, or repeated past oversizeBytes.
    std::vector<std::regex> noLength, cutNoLength, drip, oversize;
    int dripMs = 500;
    long long oversizeBytes = 200LL * 1024 * 1024;
    // The highlights and channel-file lists carry a 300-character name.
    bool longNames = false;

    static bool matches(const std::vector<std::regex> &rules, const std::string &path);
};

// The list with one overlong name in its middle (a line of its own).
QByteArray withLongName(const QByteArray &list);
// Where a body cut in the middle of a line ends: near its middle, never
// just after a line end.
size_t cutInsideLine(const QByteArray &body);

} // namespace listings
