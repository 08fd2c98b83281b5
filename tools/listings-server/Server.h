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

    static bool matches(const std::vector<std::regex> &rules, const std::string &path);
};

} // namespace listings
