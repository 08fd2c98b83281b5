// Day grid: 100 channels over 8 days. The build by one range query (and, beside
// it, a query per channel-day), painting a 1600 x 900 canvas,
// a half-hour step with its repaint and the scroll to a programme on the last
// day.
#include "SchemaMaker.h"
#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "details/ProgrammeDisplay.h"
#include "grid/FrmPopUpGhost.h"
#include "grid/FrmSchedaGiorno.h"
#include "grid/GridBuilder.h"
#include "grid/GridView.h"
#include "platform/Database.h"
#include "platform/Windows.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <map>
#include <memory>

using namespace orv;

namespace {

constexpr int Channels = 100;
constexpr int Days = 8;
const QDate MainDay(2026, 12, 6);

qint32 dayOf(const QDate &d) { return dayNumber(d.year(), d.month(), d.day()); }

// The main window as the grid sees it: its day, and nothing shown.
struct BenchSeam : UnansweredSeam {
    QDate currentDay() override { return MainDay; }
    void writeStatus(int, const QString &) override {}
    void startHoverTimer() override {}
    void stopHoverTimer() override {}
    void waitShow(const QString &, const QString &) override {}
    void waitProgress(int, int) override {}
    void waitClose() override {}
    void splashStage(const QString &) override {}
};

// One application folder per cell count, made once.
struct Folder {
    QTemporaryDir dir;
    explicit Folder(int perChannelDay)
    {
        QDir().mkpath(dir.filePath(QStringLiteral("database")));
        tools::makeDatabases(QStringLiteral(ORVENTO_SOURCE_DIR "/data/database/schema.sql"),
                             dir.filePath(QStringLiteral("database")), true);
        setApplicationFolder(dir.path());
        Database ch = Database::open(PercorsoPalinsesti);
        ch.exec(QStringLiteral("delete from Televisioni"));
        for (int c = 0; c < Channels; ++c)
            ch.prepare(QStringLiteral("insert into Televisioni (IDTV, NOMETV, Attivo, Visualizzare, Posizione, "
                                      "Canale, Digitale, Colore) values (?,?,1,1,?,?,1,?)"))
                .bindAll(1000 + c, QStringLiteral("Canale %1").arg(c), c, QString::number(c), 1 + c % 10)
                .execute();
        Database db = Database::open(PercorsoDb);
        ProgrammiTable t(db);
        Transaction tx(db);
        const int minutes = 1440 / perChannelDay;
        static const char *const types[] = {"Film", "Telefilm", "Notiziario", "Cartoni", "Documentario"};
        for (int d = 0; d < Days; ++d)
            for (int c = 0; c < Channels; ++c)
                for (int i = 0; i < perChannelDay; ++i) {
                    Programme p;
                    p.Data = dayOf(MainDay.addDays(d - 1));
                    p.Palinsesto = QStringLiteral("Canale %1").arg(c);
                    p.Numerazione = i + 1;
                    const int start = (i * minutes + 360) % 1440;
                    p.ORA = QStringLiteral("%1:%2").arg(start / 60, 2, 10, QLatin1Char('0')).arg(start % 60, 2, 10,
                                                                                                QLatin1Char('0'));
                    p.Titolo = QStringLiteral("Programma %1 del canale %2").arg(i).arg(c);
                    p.Durata = QString::number(minutes);
                    p.Type = QString::fromLatin1(types[(i + c) % 5]);
                    p.Marked = i % 17 == 0 ? QStringLiteral("1") : QString();
                    p.Link2 = i % 5 == 0 ? QStringLiteral("http://x") : QString();
                    t.insert(p);
                }
        tx.commit();
    }
};

Folder &folder(int cells)
{
    static std::map<int, std::unique_ptr<Folder>> made;
    auto &f = made[cells];
    if (!f)
        f = std::make_unique<Folder>(cells / (Channels * Days));
    setApplicationFolder(f->dir.path());
    GiorniGriglia = Days - 1;
    Colore = true;
    return *f;
}

void BM_Build(benchmark::State &state)
{
    folder(int(state.range(0)));
    Database ch = Database::open(PercorsoPalinsesti);
    Database db = Database::open(PercorsoDb);
    size_t cells = 0;
    for (auto _ : state) {
        GridBuilder::Options o;
        o.mainDay = MainDay;
        o.giorniGriglia = Days - 1;
        o.colore = true;
        GridModel m = GridBuilder(ch, db).build(o);
        cells = m.cells.size();
        benchmark::DoNotOptimize(m);
    }
    state.counters["cells"] = double(cells);
}
BENCHMARK(BM_Build)->Arg(24000)->Arg(64000)->Unit(benchmark::kMillisecond);

// The range query alone, the larger part of a build.
void BM_RangeQuery(benchmark::State &state)
{
    folder(int(state.range(0)));
    Database db = Database::open(PercorsoDb);
    for (auto _ : state) {
        auto rows = ProgrammiTable(db).gridRange(dayOf(MainDay.addDays(-1)), dayOf(MainDay.addDays(Days - 2)));
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_RangeQuery)->Arg(24000)->Arg(64000)->Unit(benchmark::kMillisecond);

// The alternative to the range query: one query per channel and day, on a fresh statement.
void BM_QueryPerChannelDay(benchmark::State &state)
{
    folder(int(state.range(0)));
    Database ch = Database::open(PercorsoPalinsesti);
    Database db = Database::open(PercorsoDb);
    for (auto _ : state) {
        size_t rows = 0;
        for (const Channel &c : TelevisioniTable(ch).activeVisibleByPosition())
            for (int d = 0; d < Days; ++d)
                rows += ProgrammiTable(db).channelDay(dayOf(MainDay.addDays(d - 1)), c.NOMETV).size();
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_QueryPerChannelDay)->Arg(24000)->Arg(64000)->Unit(benchmark::kMillisecond);

FrmSchedaGiorno &grid(int cells)
{
    static int built = 0;
    folder(cells);
    FrmSchedaGiorno::clock = [] { return QDateTime(MainDay, QTime(14, 20)); };
    if (built != cells && Windows::loaded<FrmSchedaGiorno>())
        Windows::unload<FrmSchedaGiorno>();
    built = cells;
    FrmSchedaGiorno &g = Windows::get<FrmSchedaGiorno>();
    // Frame2 then measures 1600 x 900 pixels.
    g.resize(1752, 988);
    return g;
}

void paint(GridView &view)
{
    static QImage image;
    if (image.size() != view.size())
        image = QImage(view.size(), QImage::Format_ARGB32_Premultiplied);
    view.render(&image);
}

void BM_Paint(benchmark::State &state)
{
    FrmSchedaGiorno &g = grid(64000);
    for (auto _ : state)
        paint(*g.Frame2);
    state.counters["painted"] = g.Frame2->paintedCells();
}
BENCHMARK(BM_Paint)->Unit(benchmark::kMillisecond);

void BM_HalfHourStep(benchmark::State &state)
{
    FrmSchedaGiorno &g = grid(64000);
    int v = 0;
    for (auto _ : state) {
        g.HScroll1->setValue(v = (v + 1) % 300);
        paint(*g.Frame2);
    }
}
BENCHMARK(BM_HalfHourStep)->Unit(benchmark::kMillisecond);

void BM_LocateLastDay(benchmark::State &state)
{
    FrmSchedaGiorno &g = grid(64000);
    for (auto _ : state) {
        g.HScroll1->setValue(0);
        SegnalibroData = dayText(dayOf(MainDay.addDays(Days - 2)));
        SegnalibroOra = QStringLiteral("21:30");
        g.METTI_SEGNALIBRO_POPUP();
    }
    state.counters["value"] = g.HScroll1->value();
}
BENCHMARK(BM_LocateLastDay)->Unit(benchmark::kMicrosecond);

// RICARICA_GRIGLIA (a build and the scroll to now) to the first painted frame.
void BM_Reload(benchmark::State &state)
{
    FrmSchedaGiorno &g = grid(64000);
    double build = 0, scroll = 0, painting = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        g.CARICA_TV();
        build += t.nsecsElapsed() / 1e6;
        t.restart();
        g.METTI_SEGNALIBRO();
        scroll += t.nsecsElapsed() / 1e6;
        t.restart();
        paint(*g.Frame2);
        painting += t.nsecsElapsed() / 1e6;
        // The old build is freed after the frame, outside the measure.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["cells"] = g.model().ContaLabProg();
    state.counters["build_ms"] = build / n;
    state.counters["scroll_ms"] = scroll / n;
    state.counters["paint_ms"] = painting / n;
}
BENCHMARK(BM_Reload)->Unit(benchmark::kMillisecond);

// The hover card from its key to a filled card.
void BM_HoverCard(benchmark::State &state)
{
    FrmSchedaGiorno &g = grid(64000);
    const int cell = g.model().ContaLabProg() / 2;
    for (auto _ : state) {
        g.LabPROG_Click_2(cell);
        benchmark::DoNotOptimize(Windows::get<FrmPopUpGhost>().display->Label2->text());
    }
}
BENCHMARK(BM_HoverCard)->Unit(benchmark::kMillisecond);

// A mouse move over the canvas: hit test and arming, cell after cell.
void BM_MouseMove(benchmark::State &state)
{
    FrmSchedaGiorno &g = grid(64000);
    g.METTI_SEGNALIBRO();
    int i = 0;
    for (auto _ : state) {
        const QPointF p(5 + (i * 37) % 1500, 25 + (i * 13) % 800);
        QMouseEvent e(QEvent::MouseMove, p, g.Frame2->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(g.Frame2, &e);
        ++i;
    }
}
BENCHMARK(BM_MouseMove)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchSeam seam;
    ScopedMainWindow installed(seam);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Windows::unloadAll();
    benchmark::Shutdown();
    return 0;
}
