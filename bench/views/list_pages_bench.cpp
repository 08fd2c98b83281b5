// The list pages on 140,000 programmes (200 channels x 20 days x 35), on the
// schema's key index alone: channel card, daily report (ordinary and at the
// 500 limit) and a one-pass fill of a 1 MB template part.
#include "ListingsDb.h"
#include "core/Store.h"
#include "views/ListPages.h"

#include <benchmark/benchmark.h>


using namespace orv;

namespace {

QString source(const char *relative) { return QStringLiteral(ORVENTO_SOURCE_DIR "/data/") + QLatin1String(relative); }

void BM_ChannelCard(benchmark::State &state)
{
    CardRequest r{source("htmlcards/classica.htm"), listings().path, FirstDay + 7, QStringLiteral("Canale 123"),
                  QStringLiteral("123.gif")};
    for (auto _ : state) {
        const PageBuild b = buildCardPage(r);
        if (b.page.rows != PerDay)
            state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(b.page.html.size());
    }
}

void report(benchmark::State &state, const char *type, bool atLimit)
{
    ReportRequest r{source("htmlreport/classica.htm"), listings().path, FirstDay + 11, QString::fromLatin1(type),
                    QStringLiteral("12:00"), QStringLiteral("23:59")};
    for (auto _ : state) {
        const PageBuild b = buildReportPage(r, nullptr);
        if (b.page.overLimit != atLimit || b.page.rows == 0)
            state.SkipWithError("unexpected result size");
        state.counters["rows"] = b.page.rows;
        benchmark::DoNotOptimize(b.page.html.size());
    }
}

void BM_ReportFilm(benchmark::State &state) { report(state, "Film", false); }
void BM_ReportAtLimit(benchmark::State &state) { report(state, "Telefilm", true); }

void BM_ReportQueryOnly(benchmark::State &state)
{
    Database db = Database::open(listings().path);
    ProgrammiTable t(db);
    for (auto _ : state)
        benchmark::DoNotOptimize(t.reportRows(QStringLiteral("Telefilm*"), FirstDay + 11, QStringLiteral("12:00"),
                                              QStringLiteral("23:59"), 501));
}

// The report's parts apart: the query alone and the filling alone.
void BM_ReportFillOnly(benchmark::State &state)
{
    Database db = Database::open(listings().path);
    const auto rows = ProgrammiTable(db).reportRows(QStringLiteral("Telefilm*"), FirstDay + 11, QStringLiteral("12:00"),
                                                    QStringLiteral("23:59"), 501);
    ListTemplate t;
    ListTemplate::read(source("htmlreport/classica.htm"), t);
    for (auto _ : state) {
        ListPageBuilder b(t, ListKind::Report);
        b.setHead(QStringLiteral("Canale 1"), QStringLiteral("12/12/2026"));
        benchmark::DoNotOptimize(b.build(rows, ReportLimit).html.size());
    }
}
BENCHMARK(BM_ReportFillOnly)->Unit(benchmark::kMillisecond);

void BM_FillOneMegabyte(benchmark::State &state)
{
    QString part;
    while (part.size() < 1024 * 1024)
        part += QStringLiteral("<tr><td><a id=_TV_ID_>_TV_HOUR_</a></td><td>_PR_TITLE_ &middot; _TV_TITLE_</td>"
                               "<td><img src=\"_TV_ICONA1_\"></td><td>testo senza segnaposto _ e < qui</td></tr>\r\n");
    Placeholders p;
    p.set(QStringLiteral("_TV_ID_"), QStringLiteral("'20261206#Rai 1#1'"));
    p.set(QStringLiteral("_TV_HOUR_"), QStringLiteral("21:00"));
    p.set(QStringLiteral("_PR_TITLE_"), QStringLiteral("Un titolo"));
    p.set(QStringLiteral("_TV_TITLE_"), QStringLiteral("Rai 1"));
    p.set(QStringLiteral("_TV_ICONA1_"), QStringLiteral("htmlcards/lente.gif"));
    for (auto _ : state)
        benchmark::DoNotOptimize(p.fill(part).size());
}

} // namespace

BENCHMARK(BM_ChannelCard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportFilm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportAtLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportQueryOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillOneMegabyte)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
