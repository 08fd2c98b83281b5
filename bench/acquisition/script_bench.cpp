// One script run over a generated 1 MB listing page of 2,000 programmes: the
// page fetched (from memory), normalised, scraped and every programme stored.
#include "SchemaMaker.h"
#include "acquisition/script/ScriptsTV.h"
#include "core/AppState.h"
#include "core/Store.h"
#include "platform/Database.h"
#include "platform/Prompt.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    page += "<li class=\"fine\">Fine</li>\r\n</ul>\r\n</body>\r\n</html>\r\n";
    return page;
}

QByteArray script()
{
    const char *lines[] = {
        "Banco di prova",
        "#WEBQUERY#=http://bench.test/guida",
        "#DOWNLOADINFO#",
        "#PUT#=prog#30#",
        "#FINDLINE#=<ul class=\"palinsesto\">#01##ONERROR#=*STOP*",
        "#FINDLINE#=<li class=\"#01##ONERROR#=*STOP*",
        "#REPEAT#",
        "#FIND#=<b>#05#",
        "#COMPUTECURSOR#=2",
        "#PUTCURSOR#=#06#",
        "#FIND#=</b>#07#",
        "#TAKEWORD#=#08##06##07#",
        "#TAKEHOUR#=#08#",
        "#FIND#=<i>#05#",
        "#COMPUTECURSOR#=2",
        "#PUTCURSOR#=#06#",
        "#FIND#=</i>#07#",
        "#TAKEWORD#=#09##06##07#",
        "#TAKETYPE#=#09#",
        "#FIND#=href=\"#05#",
        "#COMPUTECURSOR#=5",
        "#PUTCURSOR#=#06#",
        "#COMPUTECURSOR#=1",
        "#FIND#=\"#07#",
        "#TAKEWORD#=#10##06##07#",
        "#TAKELINK#=#10#",
        "#COMPUTECURSOR#=1",
        "#PUTCURSOR#=#06#",
        "#FIND#=</a>#07#",
        "#TAKEWORD#=#11##06##07#",
        "#TAKETITLE#=#11#",
        "#FIND#=<p>#05#",
        "#COMPUTECURSOR#=2",
        "#PUTCURSOR#=#06#",
        "#FIND#=</p>#07#",
        "#TAKEWORD#=#12##06##07#",
        "#TAKECOMMENTS#=#12#",
        "#SAVEDATA#",
        "#FINDLINE#=<li class=\"#01##ONERROR#=*STOP*",
        "#FIND#=class=\"#02#",
        "#COMPUTECURSOR#=6",
        "#PUTCURSOR#=#03#",
        "#COMPUTECURSOR#=1",
        "#FIND#=\"#04#",
        "#TAKEWORD#=#32##03##04#",
        "#WHILE#=#32##30#==",
        "#ENDDOWNLOADINFO#",
    };
    QByteArray s;
    for (const char *l : lines)
        s += QByteArray(l) + "\r\n";
    return s;
}

void BM_ScriptRun(benchmark::State &state)
{
    int argc = 1;
    char name[] = "script_bench";
    char *argv[] = {name};
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    for (const char *d : {"TempDir", "covers", "database"})
        QDir().mkpath(dir.filePath(QLatin1String(d)));
    const QString err = tools::makeDatabases(QStringLiteral(ORVENTO_SOURCE_DIR "/data/database/schema.sql"),
                                             dir.filePath(QStringLiteral("database")), true);
    if (!err.isEmpty()) {
        state.SkipWithError(err.toStdString().c_str());
        return;
    }
    setApplicationFolder(dir.path());
    Prompt::setUnattended(true);
    {
        QFile f(dir.filePath(QStringLiteral("TempDir/script.txt")));
        f.open(QIODevice::WriteOnly);
        f.write(script());
    }
    const QByteArray page = listingPage();
    ScriptsTV engine([&page](const QString &, const QString &file) {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(page);
    });
    engine.setEventPump({});
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

} // namespace

BENCHMARK(BM_ScriptRun)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
