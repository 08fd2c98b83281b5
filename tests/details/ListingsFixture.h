#pragma once

#include "core/AppState.h"
#include "core/Store.h"
#include "platform/Database.h"
#include "support/TempApp.h"

#include <gtest/gtest.h>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace orv::test {

// The titles of the rows, in their order.
inline QStringList titlesOf(const std::vector<Programme> &rows)
{
    QStringList out;
    for (const Programme &p : rows)
        out << p.Titolo;
    return out;
}

// A throw-away application folder whose listings the test fills row by row.
class ListingsTest : public ::testing::Test {
protected:
    // One programme; the marks are given as stored ("1", "0", "").
    Programme add(qint32 day, const QString &channel, int number, const QString &ora, const QString &title,
                  const QString &promemoria = {}, const QString &registra = {}, const QString &marked = {},
                  const QString &descrizione = {})
    {
        Programme p;
        std::tie(p.Data, p.Palinsesto, p.Numerazione, p.ORA, p.Titolo) = std::tie(day, channel, number, ora, title);
        p.Descrizione = p.Type = p.Genere = descrizione;
        std::tie(p.Promemoria, p.Registra, p.Marked) = std::tie(promemoria, registra, marked);
        ProgrammiTable(db).insert(p);
        return p;
    }

    TempApp app;
    Database db = Database::open(PercorsoDb);
};

} // namespace orv::test
