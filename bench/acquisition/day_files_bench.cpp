// Reading and storing N channels x 20 days x 30 programmes from local day
// files (50, 200 and 400 channels: 30,000, 120,000 and 240,000 rows), one
// write per channel as the cycle does, against
// a bare prepared-insert loop of the same rows in one transaction.
#include "SchemaMaker.h"
#include "acquisition/DayFileParser.h"
#include "acquisition/DownloadCycle.h"
#include "core/AppState.h"
#include "core/Store.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>

using namespace orv;

namespace {

constexpr int MaxChannels = 400, Days = 20, PerDay = 30;

struct DayFile {
    QString path;
    qint32 day;
    QString channel;
};

// The day files, written once for the whole run.
const std::vector<DayFile> &dayFiles()
{
    static QTemporaryDir dir;
    static std::vector<DayFile> files;
    if (!files.empty())
        return files;
    for (int c = 0; c < MaxChannels; ++c) {
        for (int d = 0; d < Days; ++d) {
            QString text;
            for (int i = 0; i < PerDay; ++i)
                text += QStringLiteral("%1:%2§%3§Film§Commedia§Titolo è %4 di %5§Second title§Prima parte "
                                       "della descrizione. ¦ Seconda parte, più lunga: un po' di testo.§"
                                       "http://127.0.0.1/p/%4§§§\r\n")
                            .arg(6 + i * 35 / 60, 2, 10, QLatin1Char('0'))
                            .arg((i * 35) % 60, 2, 10, QLatin1Char('0'))
                            .arg(35)
                            .arg(i + c)
                            .arg(c);
            DayFile f{dir.filePath(QStringLiteral("%1-%2.txt").arg(c).arg(d)), 20261206 + d,
                      QStringLiteral("Canale %1").arg(c)};
            files::writeAtomically(f.path, text::encodeCp1252(text));
            files.push_back(f);
        }
    }
    return files;
}

struct Fresh {
    QTemporaryDir dir;
    Fresh()
    {
        tools::makeDatabases(QStringLiteral(ORVENTO_SOURCE_DIR "/data/database/schema.sql"), dir.path(), true);
        setApplicationFolder(dir.path());
        PercorsoDb = dir.filePath(QStringLiteral("Orvento.cfg"));
    }
};

struct NullView : DownloadView {};

// The files of the first n channels (channel-major, as the cycle goes).
std::vector<DayFile> firstChannels(int n)
{
    const auto &all = dayFiles();
    return {all.begin(), all.begin() + qsizetype(n) * Days};
}

void BM_ReadAndStoreDayFiles(benchmark::State &state)
{
    const int Channels = int(state.range(0));
    const auto input = firstChannels(Channels);
    for (auto _ : state) {
        state.PauseTiming();
        Fresh f;
        NullView view;
        DownloadCycle cycle(view, {});
        state.ResumeTiming();
        for (size_t i = 0; i < input.size(); ++i) {
            const DayFile &d = input[i];
            QByteArray bytes;
            files::readAll(d.path, bytes);
            cycle.storeDay(bytes, d.day, d.channel);
            // The cycle writes each channel's days when its transfers are done.
            if (i + 1 == input.size() || input[i + 1].channel != d.channel)
                cycle.finishStoring();
        }
        state.PauseTiming();
        if (cycle.report().rowsStored != Channels * Days * PerDay)
            state.SkipWithError("not every row was stored");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Channels * Days * PerDay);
}

void bindText(sqlite3_stmt *st, int i, const QString &s)
{
    const QByteArray u = s.toUtf8();
    sqlite3_bind_text(st, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

void BM_BarePreparedInsert(benchmark::State &state)
{
    const int Channels = int(state.range(0));
    // The same rows, already read into memory.
    std::vector<std::vector<Programme>> days;
    for (const DayFile &d : firstChannels(Channels)) {
        QByteArray bytes;
        files::readAll(d.path, bytes);
        days.push_back(DayFileParser::parse(bytes, d.day, d.channel).programmes);
    }
    for (auto _ : state) {
        state.PauseTiming();
        Fresh f;
        Database db = Database::open(PercorsoDb);
        state.ResumeTiming();
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db.handle(),
                           "insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo, Titolo2, Type, "
                           "Genere, Descrizione, Durata, link, Link1, Link2, Immagine) "
                           "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                           -1, &st, nullptr);
        sqlite3_exec(db.handle(), "begin", nullptr, nullptr, nullptr);
        for (const auto &rows : days) {
            for (const Programme &p : rows) {
                sqlite3_reset(st);
                sqlite3_bind_int(st, 1, p.Data);
                bindText(st, 2, p.Palinsesto);
                sqlite3_bind_int(st, 3, p.Numerazione);
                bindText(st, 4, p.ORA);
                bindText(st, 5, p.Titolo);
                bindText(st, 6, p.Titolo2);
                bindText(st, 7, p.Type);
                bindText(st, 8, p.Genere);
                bindText(st, 9, p.Descrizione);
                bindText(st, 10, p.Durata);
                bindText(st, 11, p.link);
                bindText(st, 12, p.Link1);
                bindText(st, 13, p.Link2);
                bindText(st, 14, p.Immagine);
                sqlite3_step(st);
            }
        }
        sqlite3_exec(db.handle(), "commit", nullptr, nullptr, nullptr);
        sqlite3_finalize(st);
    }
    state.SetItemsProcessed(state.iterations() * Channels * Days * PerDay);
}

// The reading alone: what the store adds to the bare loop's work.
void BM_ParseOnly(benchmark::State &state)
{
    const auto input = firstChannels(int(state.range(0)));
    for (auto _ : state) {
        size_t n = 0;
        for (const DayFile &d : input) {
            QByteArray bytes;
            files::readAll(d.path, bytes);
            n += DayFileParser::parse(bytes, d.day, d.channel).programmes.size();
        }
        benchmark::DoNotOptimize(n);
    }
}

} // namespace

// The machine is shared: the fastest of five runs is the figure to compare.
double fastest(const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); }

BENCHMARK(BM_BarePreparedInsert)->Arg(50)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(5)->ComputeStatistics("min", fastest)->DisplayAggregatesOnly(true);
BENCHMARK(BM_ReadAndStoreDayFiles)->Arg(50)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(5)->ComputeStatistics("min", fastest)->DisplayAggregatesOnly(true);

BENCHMARK(BM_ParseOnly)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
