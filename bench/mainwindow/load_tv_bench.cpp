// Rebuilding the channel tree (LOAD_TV) for a large channel table, with all
// groups and with one group; the tree is rebuilt on every filter change and
// after every channel setup, so it must stay instant.
#include "SchemaMaker.h"
#include "core/AppState.h"
#include "mainwindow/FrmMain.h"
#include "platform/Database.h"
#include "platform/Windows.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace orv;

namespace {

constexpr int Channels = 2000;

struct App {
    QTemporaryDir dir;
    App()
    {
        QDir(dir.path()).mkpath(QStringLiteral("database"));
        tools::makeDatabases(QStringLiteral(ORVENTO_SOURCE_DIR "/data/database/schema.sql"),
                             dir.filePath(QStringLiteral("database")), true);
        setApplicationFolder(dir.path());
        Database db = Database::open(PercorsoPalinsesti);
        Transaction tx(db);
        Statement st = db.prepare(QStringLiteral(
            "insert into Televisioni (IDTV, NOMETV, Attivo, Visualizzare, Posizione, ANTENNA) values (?1, ?2, 1, 1, ?1, ?3)"));
        for (int i = 0; i < Channels; ++i) {
            st.reset();
            st.bind(1, 10000 + i).bind(2, QStringLiteral("Canale di prova %1").arg(i)).bind(3, i % 9);
            st.execute();
        }
        tx.commit();
    }
};

void BM_LoadTv(benchmark::State &state)
{
    static App app;
    FrmMain &main = Windows::get<FrmMain>();
    FiltroAntenna = qint16(state.range(0));
    for (auto _ : state) {
        main.LOAD_TV();
        benchmark::DoNotOptimize(main.TreeView1->topLevelItem(0)->childCount());
    }
    state.counters["nodes"] = main.TreeView1->topLevelItem(0)->childCount();
    FiltroAntenna = 0;
}
BENCHMARK(BM_LoadTv)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Windows::unloadAll();
    return 0;
}
