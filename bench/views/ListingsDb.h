// The benchmarks' listings: 140,000 programmes (200 channels x 20 days x 35)
// on the schema's key index alone.
#pragma once

#include "SchemaMaker.h"
#include "core/Store.h"

#include <QTemporaryDir>

namespace orv {

inline constexpr int Channels = 200, Days = 20, PerDay = 35;
inline constexpr qint32 FirstDay = 20261201;

struct ListingsDb {
    QTemporaryDir dir;
    QString path;
    ListingsDb()
    {
        tools::makeDatabases(QStringLiteral(ORVENTO_SOURCE_DIR "/data/database/schema.sql"), dir.path(), true);
        path = dir.filePath(QStringLiteral("Orvento.cfg"));
        Database db = Database::open(path);
        db.exec(QStringLiteral("drop index if exists ProgrammiDataOra"));
        static const char *types[] = {"Telefilm", "Notiziario", "Telefilm", "Magazine", "Serie TV",
                                      "Telefilm", "Film",       "Animazione", "Telefilm", "Informazione"};
        Transaction tx(db);
        ProgrammiTable t(db);
        for (int d = 0; d < Days; ++d)
            for (int c = 0; c < Channels; ++c)
                for (int n = 1; n <= PerDay; ++n) {
                    Programme p;
                    p.Data = FirstDay + d;
                    p.Palinsesto = QStringLiteral("Canale %1").arg(c);
                    p.Numerazione = n;
                    const int minute = (n - 1) * 41 + c % 7;
                    p.ORA = QStringLiteral("%1:%2").arg(minute / 60, 2, 10, QLatin1Char('0')).arg(minute % 60, 2, 10,
                                                                                               QLatin1Char('0'));
                    p.Titolo = QStringLiteral("Programma %1 di %2").arg(n).arg(c);
                    p.Type = QString::fromLatin1(types[(n + c) % 10]);
                    p.Descrizione = QStringLiteral("Una descrizione di media lunghezza, con l'apostrofo e "
                                                   "qualche parola in pi&ugrave;, numero %1.")
                                        .arg(n);
                    p.link = QStringLiteral("http://127.0.0.1/p/%1").arg(n);
                    p.Immagine = n % 3 ? QString() : QStringLiteral("cover%1.jpg").arg(n);
                    // About seventy marked programmes a day.
                    p.Marked = (n * 7 + c) % 97 ? QStringLiteral("0") : QStringLiteral("1");
                    t.insert(p);
                }
        tx.commit();
    }
};

inline ListingsDb &listings()
{
    static ListingsDb db;
    return db;
}

} // namespace orv
