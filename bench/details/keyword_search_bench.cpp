// The keyword monitor's search over 140,000 programmes (200 channels x 20
// days x 35) with 10 and 50 keywords; target under 250 ms for 50.
#include "SchemaMaker.h"
#include "core/Store.h"
#include "details/KeywordSearch.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

using namespace orv;

namespace {

constexpr int Channels = 200, Days = 20, PerDay = 35;
constexpr qint32 FirstDay = 20240101;

const char *const Words[] = {"Meteo",   "Notizie", "Calcio",  "Film",     "Serie",   "Cucina",  "Viaggio",
                             "Storia",  "Natura",  "Musica",  "Quiz",     "Cartoni", "Mistero", "Amore",
                             "Commedia", "Scienza", "Motori",  "Tennis",   "Teatro",  "Arte",    "Isola",
                             "Montagna", "Mare",    "Città",   "Famiglia", "Detective", "Medici", "Cavalli"};
constexpr int WordCount = int(sizeof Words / sizeof *Words);

// Titles repeat across days and channels, with an episode number on a part of them.
QString title(int channel, int slot, int day)
{
    const int a = (channel * 7 + slot * 3) % WordCount, b = (channel + slot * 5) % WordCount;
    QString t = QStringLiteral("%1 e %2").arg(QString::fromUtf8(Words[a]), QString::fromUtf8(Words[b]));
    if (slot % 3 == 0)
        t += QStringLiteral(" - Episodio %1").arg(day * 2 + channel % 5);
    return t;
}

struct Listings {
    QTemporaryDir dir;
    Database db;
    Listings()
    {
        tools::makeDatabases(QStringLiteral(ORVENTO_SOURCE_DIR "/data/database/schema.sql"), dir.path(), true);
        db = Database::open(dir.filePath(QStringLiteral("Orvento.cfg")));
        ProgrammiTable t(db);
        Transaction tx(db);
        for (int d = 0; d < Days; ++d)
            for (int c = 0; c < Channels; ++c)
                for (int s = 0; s < PerDay; ++s) {
                    Programme p;
                    p.Data = FirstDay + d;
                    p.Palinsesto = QStringLiteral("Canale %1").arg(c);
                    p.Numerazione = s + 1;
                    p.ORA = QStringLiteral("%1:%2").arg(6 + s / 2, 2, 10, QLatin1Char('0')).arg(s % 2 * 30, 2, 10,
                                                                                                  QLatin1Char('0'));
                    p.Titolo = title(c, s, d);
                    p.Descrizione = QStringLiteral("Descrizione del programma");
                    t.insert(p);
                }
        tx.commit();
    }
};

Listings &listings()
{
    static Listings l;
    return l;
}

// One keyword in ten is a word of many titles, the others name one series
// (a few dozen programmes) or nothing; one holds a stored apostrophe.
QStringList keywords(int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i) {
        if (i % 10 == 0)
            out << QString::fromUtf8(Words[i % WordCount]);
        else if (i % 2)
            out << QStringLiteral("%1 e %2 - Episodio").arg(QString::fromUtf8(Words[i % WordCount]),
                                                            QString::fromUtf8(Words[(i * 3) % WordCount]));
        else
            out << QStringLiteral("Parola %1").arg(i);
    }
    out[1] = QStringLiteral("L*isola e");
    return out;
}

void BM_KeywordSearch(benchmark::State &state)
{
    Listings &l = listings();
    const QStringList words = keywords(int(state.range(0)));
    size_t listed = 0;
    for (auto _ : state) {
        MonitorTree tree = KeywordSearch::run(l.db, words, FirstDay);
        listed = 0;
        for (const auto &kw : tree.keywords)
            for (const auto &day : kw.days)
                for (const auto &ch : day.channels)
                    listed += ch.programmes.size();
        benchmark::DoNotOptimize(tree);
    }
    state.counters["listed"] = double(listed);
}
BENCHMARK(BM_KeywordSearch)->Arg(2)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
