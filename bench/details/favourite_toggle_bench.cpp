// The pop-up's favourite toggle at 140,000 programmes (200 channels x 20 days
// x 35): adding a favourite and removing it, each as the window does it (both
// databases opened for each toggle). range(0): 1 for a series title that
// matches one programme in 30 (about 4,700 rows), 0 for a title that matches
// only the shown programme.
#include "SchemaMaker.h"
#include "core/AppState.h"
#include "core/Store.h"
#include "details/ProgrammeMarks.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace orv;

namespace {

constexpr int Channels = 200, Days = 20, PerDay = 35;
const QDate First(2026, 12, 6);

struct Listings {
    QTemporaryDir dir;
    Listings()
    {
        tools::makeDatabases(QStringLiteral(ORVENTO_SOURCE_DIR "/data/database/schema.sql"), dir.path(), true);
        setApplicationFolder(dir.path());
        PercorsoDb = dir.filePath(QStringLiteral("Orvento.cfg"));
        PercorsoPreferiti = dir.filePath(QStringLiteral("Preferiti.cfg"));
        Database db = Database::open(PercorsoDb);
        ProgrammiTable t(db);
        Transaction tx(db);
        for (int c = 0; c < Channels; ++c)
            for (int d = 0; d < Days; ++d)
                for (int i = 0; i < PerDay; ++i) {
                    Programme p;
                    p.Data = First.addDays(d).toString("yyyyMMdd").toInt();
                    p.Palinsesto = QStringLiteral("Canale %1").arg(c);
                    p.Numerazione = i + 1;
                    p.ORA = QStringLiteral("%1:00").arg(i % 24, 2, 10, QLatin1Char('0'));
                    const int n = c * Days * PerDay + d * PerDay + i;
                    p.Titolo = n % 30 == 0 ? QStringLiteral("L'isola dei famosi")
                                           : QStringLiteral("Programma-%1-fine").arg(n);
                    // Some programmes carry marks of other favourites.
                    if (n % 97 == 0)
                        p.Marked = QStringLiteral("1");
                    t.insert(p);
                }
        tx.commit();
        db.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        Database fav = Database::open(PercorsoPreferiti);
        for (int i = 0; i < 50; ++i)
            PreferitiTable(fav).addWithNextId(QStringLiteral("Serie_%1").arg(i));
    }
};

struct Toggle {
    ProgrammeKey shown;
    QString title;
    explicit Toggle(bool series)
        : shown{First.toString("yyyyMMdd").toInt(), QStringLiteral("Canale 0"), series ? 1 : 2},
          title(series ? QStringLiteral("L'isola dei famosi") : QStringLiteral("Programma-1-fine"))
    {
    }
    size_t add()
    {
        Database db = Database::open(PercorsoDb), fav = Database::open(PercorsoPreferiti);
        return ProgrammeMarks(db, fav).addFavourite(shown, title).size();
    }
    size_t remove()
    {
        Database db = Database::open(PercorsoDb), fav = Database::open(PercorsoPreferiti);
        return ProgrammeMarks(db, fav).removeFavourite(shown).size();
    }
};

void listings()
{
    static Listings made;
}

void BM_FavouriteAdd(benchmark::State &state)
{
    listings();
    Toggle t(state.range(0) == 1);
    size_t changed = 0;
    for (auto _ : state) {
        changed = t.add();
        state.PauseTiming();
        t.remove();
        state.ResumeTiming();
    }
    state.counters["changed"] = double(changed);
}

void BM_FavouriteRemove(benchmark::State &state)
{
    listings();
    Toggle t(state.range(0) == 1);
    size_t changed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        t.add();
        state.ResumeTiming();
        changed = t.remove();
    }
    state.counters["changed"] = double(changed);
}

} // namespace

BENCHMARK(BM_FavouriteAdd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FavouriteRemove)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
