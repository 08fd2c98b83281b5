#pragma once

#include "core/Store.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace orv {

// Reads one ready-made day file: one programme per line, ten fields each
// ended by "§", " ¦ " standing for a line break in the description.
class DayFileParser {
public:
    struct Result {
        std::vector<Programme> programmes; // in file order, Numerazione = line number
        // A line whose third character is not ":" ended the reading: the file
        // is not (wholly) a day file.
        bool timeTestFailed = false;
        int failedLine = 0;
        // Lines with fewer than ten "§": stored with the fields they have.
        int shortLines = 0;
    };

    // bytes: the file as fetched (code page 1252 unless valid UTF-8).
    static Result parse(const QByteArray &bytes, qint32 day, const QString &channel);
    // One line into a row; false when it has fewer than ten fields.
    static bool parseLine(const QString &line, Programme &row);
};

} // namespace orv
