// Inserting 100,000 programmes through the store against a bare prepared
// insert loop on the same schema; prints the ratio of the two.
#include "SchemaMaker.h"
#include "core/Store.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <map>

using namespace orv;

namespace {

constexpr int Rows = 100000;

struct Fresh {
    QTemporaryDir dir;
    QString path;
    Fresh()
    {
        tools::makeDatabases(QStringLiteral(ORVENTO_SOURCE_DIR "/data/database/schema.sql"), dir.path(), true);
        path = dir.filePath(QStringLiteral("Orvento.cfg"));
    }
};

Programme sample(int i)
{
    Programme p;
    p.Data = 20261206 + (i / 5000) % 20;
    p.Palinsesto = QStringLiteral("Canale %1").arg(i % 200);
    p.Numerazione = i / 200 + 1;
    p.ORA = QStringLiteral("%1:%2").arg((i / 60) % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
    p.Titolo = QStringLiteral("Titolo del programma %1").arg(i);
    p.Type = QStringLiteral("Film");
    p.Genere = QStringLiteral("Commedia");
    p.Descrizione = QStringLiteral("Una descrizione di media lunghezza per il programma numero %1.").arg(i);
    p.Durata = QStringLiteral("30");
    p.link = QStringLiteral("http://127.0.0.1/p/%1").arg(i);
    return p;
}

void BM_StoreInsert(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Fresh f;
        Database db = Database::open(f.path);
        state.ResumeTiming();
        ProgrammiTable t(db);
        Transaction tx(db);
        for (int i = 0; i < Rows; ++i)
            t.insert(sample(i));
        tx.commit();
    }
}

void BM_BareInsert(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Fresh f;
        sqlite3 *db = nullptr;
        sqlite3_open(f.path.toUtf8().constData(), &db);
        registerJetTextRules(db);
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr);
        state.ResumeTiming();
        sqlite3_stmt *st = nullptr;
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(db,
                           "insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo, Titolo2, Type, "
                           "Genere, Descrizione, Durata, link, Link1, Link2, Immagine, Marked, Promemoria, "
                           "Registra) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                           -1, &st, nullptr);
        for (int i = 0; i < Rows; ++i) {
            const Programme p = sample(i);
            auto text = [&](int idx, const QString &s) {
                QByteArray b = s.toUtf8();
                sqlite3_bind_text(st, idx, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            };
            sqlite3_bind_int64(st, 1, p.Data);
            text(2, p.Palinsesto);
            sqlite3_bind_int64(st, 3, p.Numerazione);
            text(4, p.ORA);
            text(5, p.Titolo);
            text(6, p.Titolo2);
            text(7, p.Type);
            text(8, p.Genere);
            text(9, p.Descrizione);
            text(10, p.Durata);
            text(11, p.link);
            text(12, p.Link1);
            text(13, p.Link2);
            text(14, p.Immagine);
            sqlite3_bind_null(st, 15);
            sqlite3_bind_null(st, 16);
            sqlite3_bind_null(st, 17);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_close(db);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_StoreInsert)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BareInsert)->Unit(benchmark::kMillisecond)->Iterations(3);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const auto &r : runs)
            times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double store = 0, bare = 0;
    for (const auto &[name, t] : reporter.times) {
        if (name.rfind("BM_StoreInsert", 0) == 0)
            store = t;
        if (name.rfind("BM_BareInsert", 0) == 0)
            bare = t;
    }
    if (store > 0 && bare > 0)
        std::printf("store / bare insert time: %.2fx (target: within 1.5x)\n", store / bare);
    benchmark::Shutdown();
    return 0;
}
