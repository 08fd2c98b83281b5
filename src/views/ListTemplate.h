#pragma once

#include <QByteArray>
#include <QString>

namespace orv {

// A list-page template cut into its five parts; every kept line carries CR LF.
struct ListTemplate {
    QString head, row, middle, description, tail;

    static constexpr int MaxLines = 30000;

    // A line ends at CR, CR LF or a lone LF. A line holding a part's end
    // marker anywhere is dropped whole; a missing marker leaves every later
    // part empty; at most MaxLines kept lines in all.
    static ListTemplate parse(const QString &text);
    // Decodes as UTF-8 when valid, else code page 1252.
    static ListTemplate parse(const QByteArray &bytes);
    // False when the file cannot be read; the parts then stay empty.
    static bool read(const QString &path, ListTemplate &out);
};

} // namespace orv
