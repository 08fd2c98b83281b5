// Post-processing 200 channels x 20 days x 30 programmes: durations for
// every channel-day, then 50 favourite patterns. Two sets of rows: as the
// day files deliver them (durations mostly agree with the starts already,
// a few favourites match), and a worst case where every duration is wrong
// and most titles are favourites. And the whole pass as the store grows:
// twice the channels should cost about twice the time.
#include "SchemaMaker.h"
#include "acquisition/DurationCalculator.h"
#include "acquisition/FavouriteMarker.h"
#include "acquisition/BulkListings.h"
#include "core/AppState.h"
#include "core/Store.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <optional>

using namespace orv;

namespace {

constexpr int Channels = 200, Days = 20, PerDay = 30;
constexpr int RowsPerChannel = Days * PerDay;
const QDate First(2026, 12, 6);

const QStringList Titles{
    "Tg Notte", "Tg1", "L'ispettore Derrick", "Il commissario Montalbano", "Èlisir d'amore", "Un posto al sole",
    "Medici in prima linea", "Il mondo di Lù", "Linea verde", "Porta a porta", "Quark", "Superquark",
    "La vita in diretta", "Chi l'ha visto?", "Report", "Presa diretta", "Geo", "Agorà", "Uno mattina",
    "Il draghetto Fiammì", "Striscia la notizia", "Paperissima", "Cinema: Ladri di biciclette", "Meteo",
    "Tg2 Post", "Blob", "Un giorno in pretura", "Techetechetè", "Sport 100% calcio", "Rai News"};

struct Listings {
    QTemporaryDir dir;
    explicit Listings(bool worst, int channels = Channels)
    {
        tools::makeDatabases(QStringLiteral(ORVENTO_SOURCE_DIR "/data/database/schema.sql"), dir.path(), true);
        setApplicationFolder(dir.path());
        PercorsoDb = dir.filePath(QStringLiteral("Orvento.cfg"));
        Database db = Database::open(PercorsoDb);
        ProgrammiTable t(db);
        Transaction tx(db);
        for (int c = 0; c < channels; ++c)
            for (int d = 0; d < Days; ++d)
                for (int i = 0; i < PerDay; ++i) {
                    Programme p;
                    p.Data = First.addDays(d).toString("yyyyMMdd").toInt();
                    p.Palinsesto = QStringLiteral("Canale %1").arg(c);
                    p.Numerazione = i + 1;
                    // The day files' programmes start 35 minutes apart and say so.
                    const int start = 6 * 60 + i * (worst ? 37 : 35);
                    p.ORA = QStringLiteral("%1:%2")
                                .arg((start / 60) % 24, 2, 10, QLatin1Char('0'))
                                .arg(start % 60, 2, 10, QLatin1Char('0'));
                    p.Titolo = worst ? Titles[(c * 7 + d * 3 + i) % Titles.size()] +
                                           ((i % 3) ? QStringLiteral(" - Ep. %1").arg(i + d) : QString())
                                     : QStringLiteral("Titolo è %1 di %2").arg(i + c).arg(c);
                    p.Durata = QStringLiteral("35");
                    t.insert(p);
                }
        tx.commit();
        // The set-up's writes are not part of what is measured.
        db.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
};

QStringList favourites(bool worst)
{
    QStringList out;
    if (!worst) {
        // As the pop-up stores them: blanks made "_".
        for (int i = 0; i < 50; ++i)
            out << QStringLiteral("titolo_È_%1_di_%2").arg(i + 3 * i).arg(3 * i);
        return out;
    }
    for (int i = 0; i < 50; ++i) {
        const QString t = Titles[i % Titles.size()];
        out << (i < Titles.size() ? QString(t).replace(QLatin1Char(' '), QLatin1Char('_')) : t + QStringLiteral("*"));
    }
    return out;
}

// One post-processing pass on the program's own connection: durations over
// `days` days of every channel, then the favourites. The pass ends when its
// connection has closed (the log copied back).
void runPass(int channels, int days, const QStringList &patterns)
{
    Database db = openBulkListings();
    int marked = 0;
    {
        // As the program's pass: every channel's days read at once.
        DurationCalculator durations(db);
        if (days > 0)
            durations.readDays(First, days);
        for (int c = 0; c < channels && days > 0; ++c)
            durations.channel(QStringLiteral("Canale %1").arg(c), First, days);
        FavouriteMarker marker(db);
        for (const QString &p : patterns)
            marked += marker.mark(p);
        marker.write();
    }
    // Closed once its statements are gone.
    db.close();
    benchmark::DoNotOptimize(marked);
}

// Runs `work` once per iteration on freshly made listings of `channels`
// channels; the last folder goes, and the next is made, out of the time.
template <typename Work> void onFreshListings(benchmark::State &state, bool worst, int channels, Work work)
{
    std::optional<Listings> l;
    for (auto _ : state) {
        state.PauseTiming();
        l.reset();
        l.emplace(worst, channels);
        state.ResumeTiming();
        work();
    }
    state.SetItemsProcessed(state.iterations() * channels * RowsPerChannel);
}

// range(0): days of the duration pass (0: none); range(1): favourites on;
// range(2): the worst-case rows.
void BM_PostProcess(benchmark::State &state)
{
    const int days = int(state.range(0));
    const bool worst = state.range(2) != 0;
    const QStringList patterns = state.range(1) ? favourites(worst) : QStringList();
    onFreshListings(state, worst, Channels, [&] { runPass(Channels, days, patterns); });
}

// range(0): rows (channels of 20 days x 30 programmes); range(1): the
// worst-case rows. Durations over 20 days, favourites on.
void BM_PostProcessRows(benchmark::State &state)
{
    const int channels = int(state.range(0) / RowsPerChannel);
    const bool worst = state.range(1) != 0;
    const QStringList patterns = favourites(worst);
    onFreshListings(state, worst, channels, [&] { runPass(channels, Days, patterns); });
}

// What any pass must at least do to the worst-case rows, as two bare
// statements on the same connection: every duration rewritten, then every
// row marked (the worst case marks them all), then the close. The pass's
// time is measured against it.
void BM_PostProcessFloor(benchmark::State &state)
{
    onFreshListings(state, true, int(state.range(0) / RowsPerChannel), [] {
        Database db = openBulkListings();
        db.exec(QStringLiteral("update Programmi set Durata = '37'"));
        db.exec(QStringLiteral("update Programmi set Marked = '1'"));
        db.close();
    });
}

} // namespace

// 15 days is the pass the program runs; 20 covers every stored row.
BENCHMARK(BM_PostProcess)
    ->Args({15, 1, 0})
    ->Args({20, 1, 0})
    ->Args({15, 1, 1})
    ->Args({20, 1, 1})
    ->Args({20, 0, 1})
    ->Args({0, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK(BM_PostProcessRows)
    ->Args({120000, 0})
    ->Args({120000, 1})
    ->Args({240000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK(BM_PostProcessFloor)->Arg(120000)->Arg(240000)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
