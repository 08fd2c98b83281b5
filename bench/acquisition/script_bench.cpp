// One run of the sample server's La7 script over a generated 1 MB list page
// of 2,000 programmes: the page fetched (from memory), normalised, scraped
// and every programme stored.
// And a window's write of a mark while a run waits on a page, after the run
// has saved programmes: how long the window is held. And how long scripts
// that work too hard take to be stopped.
#include "Channels.h"
#include "Content.h"
#include "SchemaMaker.h"
#include "acquisition/script/ScriptsTV.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "platform/Database.h"
#include "platform/Prompt.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>

using namespace orv;

namespace {

constexpr int Programmes = 2000;
const char *const PageUrl = "http://bench.test/guida";

QByteArray listingPage()
{
    QByteArray page = "<html>\r\n<head><title>Guida</title></head>\r\n<body>\r\n<ul class=\"palinsesto\">\r\n";
    const QByteArray plot(360, 'x');
    for (int i = 0; i < Programmes; ++i) {
        const int minutes = 6 * 60 + i * 10 % (18 * 60);
        page += "<li class=\"prog\"><b>" + QByteArray::number(minutes / 60 % 24).rightJustified(2, '0') + ":" +
                QByteArray::number(minutes % 60).rightJustified(2, '0') + "</b><i>Film Commedia</i>" +
                "<a href=\"http://bench.test/scheda/" + QByteArray::number(i) + ".htm\">Titolo del programma " +
                QByteArray::number(i) + "</a><p>Una trama " + plot + "</p></li>\r\n";
    }
    page += "<li class=\"fine\">Fine della programmazione</li>\r\n</ul>\r\n</body>\r\n</html>\r\n";
    return page;
}

// The sample server's script for La7, whose list page the one above imitates.
QByteArray script()
{
    return listings::scriptFile(*listings::channelByCode(107), QStringLiteral("http://bench.test"));
}

// A throw-away application folder with fresh databases and the script.
bool makeFolder(QTemporaryDir &dir, const QByteArray &scriptText, benchmark::State &state)
{
    for (const char *d : {"TempDir", "covers", "database"})
        QDir().mkpath(dir.filePath(QLatin1String(d)));
    const QString err = tools::makeDatabases(QStringLiteral(ORVENTO_SOURCE_DIR "/data/database/schema.sql"),
                                             dir.filePath(QStringLiteral("database")), true);
    if (!err.isEmpty()) {
        state.SkipWithError(err.toStdString().c_str());
        return false;
    }
    setApplicationFolder(dir.path());
    Prompt::setUnattended(true);
    QFile f(dir.filePath(QStringLiteral("TempDir/script.txt")));
    f.open(QIODevice::WriteOnly);
    f.write(scriptText);
    return true;
}

void BM_ScriptRun(benchmark::State &state)
{
    QTemporaryDir dir;
    if (!makeFolder(dir, script(), state))
        return;
    const QByteArray page = listingPage();
    ScriptsTV engine([&page](const QString &, const QString &file) {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(page);
    });
    engine.setEventPump({});
    // No detail pages: the run is the list page's alone.
    TakeNone = true;
    for (auto _ : state) {
        state.PauseTiming();
        {
            Database db = Database::open(PercorsoDb);
            db.exec(QStringLiteral("delete from Programmi"));
        }
        state.ResumeTiming();
        engine.ESEGUI_SCRIPT_TV(QStringLiteral("script.txt"), QStringLiteral("Canale Prova"),
                                QStringLiteral("20260309"));
    }
    Database db = Database::open(PercorsoDb);
    const qint64 stored = ProgrammiTable(db).count();
    if (stored != Programmes)
        state.SkipWithError("not every programme was stored");
    state.counters["page_bytes"] = double(page.size());
    state.counters["programmes"] = double(stored);
}

void BM_WindowWriteDuringPageWait(benchmark::State &state)
{
    QByteArray text = "Banco di prova\r\n#WEBQUERY#=http://bench.test/guida\r\n#DOWNLOADINFO#\r\n";
    for (int i = 0; i < 100; ++i)
        text += "#PUT#=Titolo#01\r\n#TAKETITLE#=#01\r\n#SAVEDATA#\r\n";
    text += "#PUT#=http://bench.test/scheda#20\r\n#OPENNEWWEB#=#20\r\n#ENDDOWNLOADINFO#\r\n";
    QTemporaryDir dir;
    if (!makeFolder(dir, text, state))
        return;
    bool failed = false;
    double seconds = 0;
    ScriptsTV engine([&](const QString &url, const QString &file) {
        if (url.endsWith(QLatin1String("scheda"))) {
            // The window marks a programme while the page is on its way.
            QElapsedTimer t;
            t.start();
            try {
                Database ui = Database::open(PercorsoDb);
                ProgrammiTable(ui).setState({20260309, QStringLiteral("Canale Prova"), 1}, StateField::Marked, true);
            } catch (const DbError &) {
                failed = true;
            }
            seconds = double(t.nsecsElapsed()) / 1e9;
        }
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write("x\r\n");
    });
    engine.setEventPump({});
    for (auto _ : state) {
        {
            Database db = Database::open(PercorsoDb);
            db.exec(QStringLiteral("delete from Programmi"));
        }
        engine.ESEGUI_SCRIPT_TV(QStringLiteral("script.txt"), QStringLiteral("Canale Prova"),
                                QStringLiteral("20260309"));
        state.SetIterationTime(seconds);
    }
    if (failed)
        state.SkipWithError("the window's write failed");
}

// Scripts that never end by themselves, each hiding its work in another way.
QByteArray hardScript(int kind)
{
    QByteArray s = "Lavora troppo\r\n#WEBQUERY#=http://bench.test/guida\r\n#DOWNLOADINFO#\r\n";
    auto filler = [](int n, const QByteArray &line) {
        QByteArray f;
        for (int i = 0; i < n; ++i)
            f += line + "\r\n";
        return f;
    };
    switch (kind) {
    case 0: // a jump to a label near the end of the script and back
        return s + "top:\r\n#GOTO#=far\r\n#ENDDOWNLOADINFO#\r\n" + filler(4900, "rem") + "far:\r\n#GOTO#=top\r\n";
    case 1: // a tag block of 3,000 lines, over and over
        return s + "#CHECKVARIABLE#=#09\r\n#PUT#=a#01\r\n#REPEAT#\r\n#STARTDELETETAGS#\r\n#WHILE#=#01##02#\r\n"
                   "#ENDDOWNLOADINFO#\r\n#DELETETAGS#\r\n" +
               filler(3000, "#T#=<zz>") + "#ENDDELETETAGS#\r\n";
    case 2: // nothing but cheap lines
        return s + "#PUT#=a#01\r\n#REPEAT#\r\n#PUT#=b#02\r\n#WHILE#=#01##02#\r\n#ENDDOWNLOADINFO#\r\n";
    case 3: // short texts built from every variable reference
        return s + "#PUT#=a#01\r\n#REPEAT#\r\n#STRING#=#03#=#01##02#\r\n#WHILE#=#01##02#\r\n#ENDDOWNLOADINFO#\r\n";
    case 4: // a variable doubled for ever
        return s + "#PUT#=ab#05\r\n#REPEAT#\r\n#STRING#=#05#=#05##05#\r\n#WHILE#=#05##06#\r\n#ENDDOWNLOADINFO#\r\n";
    default: // a chain of substitutions, each doubling
        return s + "#PUT#=ab#05\r\n#CHECKVARIABLE#=#05\r\n#STARTSUBSTITUTETAGS#\r\n#ENDDOWNLOADINFO#\r\n"
                   "#SUBSTITUTETAGS#\r\n" +
               filler(40, "=a=aa") + "#ENDSUBSTITUTETAGS#\r\n";
    }
}

void BM_ScriptThatWorksTooHard(benchmark::State &state)
{
    QTemporaryDir dir;
    if (!makeFolder(dir, hardScript(int(state.range(0))), state))
        return;
    ScriptsTV engine([](const QString &, const QString &file) {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write("x\r\n");
    });
    engine.setEventPump({});
    for (auto _ : state)
        engine.ESEGUI_SCRIPT_TV(QStringLiteral("script.txt"), QStringLiteral("Canale Prova"),
                                QStringLiteral("20260309"));
}

// "#FIND#" of a 10,000-character word that is not on a 2 MB page line, whose
// letters differ from the word's only in case; range(0) searches a run, so
// that the page's own reading is shared out.
void BM_FindLongWord(benchmark::State &state)
{
    const int searches = int(state.range(0));
    const QByteArray word = QByteArray(9999, 'A') + 'b';
    QByteArray text = "Parola lunga\r\n#WEBQUERY#=http://bench.test/guida\r\n#DOWNLOADINFO#\r\n#READNEXTLINE#\r\n";
    for (int i = 0; i < searches; ++i)
        text += "#RESETCURSOR#\r\n#FIND#=" + word + "#04\r\n";
    text += "#ENDDOWNLOADINFO#\r\n";
    QTemporaryDir dir;
    if (!makeFolder(dir, text, state))
        return;
    QByteArray line;
    for (int i = 0; i < (1 << 20); ++i)
        line += "aA";
    const QByteArray page = line + "\r\n";
    ScriptsTV engine([&page](const QString &, const QString &file) {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(page);
    });
    engine.setEventPump({});
    for (auto _ : state) {
        engine.ScriptVariabili[4] = "x";
        engine.ESEGUI_SCRIPT_TV(QStringLiteral("script.txt"), QStringLiteral("Canale Prova"),
                                QStringLiteral("20260309"));
    }
    if (engine.ScriptVariabili[4] != "0")
        state.SkipWithError("the search did not run to its end");
    state.counters["search"] =
        benchmark::Counter(double(searches),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_FindLongWord)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScriptThatWorksTooHard)->DenseRange(0, 5)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScriptRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowWriteDuringPageWait)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The engine's event pump and the fetch need an application object.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
