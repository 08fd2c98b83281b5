// The search page and the MyTV page on the list pages' 140,000 programmes:
// a frequent word (the page limit is reached on the first day), a word found
// nowhere (every row tested), and MyTV's 31 day queries with the fill and
// write of a 530 KB template of 100 lines a day.
#include "ListingsDb.h"
#include "views/ListPages.h"
#include "views/MyTvPage.h"

#include <benchmark/benchmark.h>

#include <QFile>

using namespace orv;

namespace {

SearchRequest searchFor(const char *words)
{
    SearchRequest r;
    r.templatePath = QStringLiteral(ORVENTO_SOURCE_DIR "/data/htmlricerche/classica.htm");
    r.dbPath = listings().path;
    r.words = QString::fromUtf8(words);
    r.fromDay = FirstDay;
    r.shownDay = FirstDay;
    return r;
}

void BM_SearchFrequentWord(benchmark::State &state)
{
    const SearchRequest r = searchFor("programma di");
    for (auto _ : state) {
        const PageBuild b = buildSearchPage(r, nullptr);
        if (!b.page.overLimit)
            state.SkipWithError("the limit was not reached");
        benchmark::DoNotOptimize(b.page.html.size());
    }
}

void BM_SearchWordFoundNowhere(benchmark::State &state)
{
    const SearchRequest r = searchFor("parola inesistente");
    for (auto _ : state) {
        const PageBuild b = buildSearchPage(r, nullptr);
        if (b.page.rows != 0)
            state.SkipWithError("found something");
        benchmark::DoNotOptimize(b.page.html.size());
    }
}

// 31 days of 100 lines, about 530 KB.
QString bigTemplate()
{
    QString t = QStringLiteral("<html><head><!--LINES:100--><title>MyTV dal _DATA_INIZIO_</title></head><body>\r\n");
    for (int d = 1; d <= 31; ++d) {
        t += QStringLiteral("<h2>_NDAY_%1_ _TDAY_%1_</h2>\r\n").arg(d);
        for (int n = 1; n <= 100; ++n)
            t += QStringLiteral("<div class=\"riga\"><a class=\"prog\" tabindex=\"0\" id=_TV_ID_%1_%2_>_TV_HOUR_DAY_%1_%2_"
                                "</a><span class=\"t\">_PR_TITLE_DAY_%1_%2_</span><span class=\"c\">_TV_TV_DAY_%1_%2_"
                                "</span></div>\r\n")
                     .arg(d)
                     .arg(n);
    }
    return t + QStringLiteral("</body></html>\r\n");
}

struct MyTvFiles {
    QTemporaryDir dir;
    QString templatePath, pagePath;
    MyTvFiles()
    {
        templatePath = dir.filePath(QStringLiteral("mytv.htm"));
        pagePath = dir.filePath(QStringLiteral("tempmytv.htm"));
        QFile f(templatePath);
        f.open(QIODevice::WriteOnly);
        f.write(bigTemplate().toUtf8());
    }
};

void BM_MyTvBuild(benchmark::State &state)
{
    static MyTvFiles files;
    state.counters["template_kb"] = double(QFileInfo(files.templatePath).size()) / 1024;
    for (auto _ : state) {
        const QString text = MyTvPage::readTemplate(files.templatePath);
        Database db = Database::open(listings().path);
        db.exec(QStringLiteral("PRAGMA mmap_size = 268435456"));
        ProgrammiTable t(db);
        int rows = 0;
        const auto r = MyTvPage::build(text, QDate(2026, 12, 1), [&](qint32 day) {
            auto v = t.markedOnDay(day, MyTvPage::DayLimit + 1);
            rows += int(v.size());
            return v;
        });
        writeListPage(files.pagePath, r.html);
        state.counters["marked"] = rows;
    }
}

void BM_MyTvFillOnly(benchmark::State &state)
{
    const QString text = bigTemplate();
    std::vector<std::vector<Programme>> days(31);
    {
        Database db = Database::open(listings().path);
        for (int d = 0; d < 31; ++d) {
            const QDate day = QDate(2026, 12, 1).addDays(d);
            days[size_t(d)] = ProgrammiTable(db).markedOnDay(dayNumber(day.year(), day.month(), day.day()), 501);
        }
    }
    int d = 0;
    for (auto _ : state) {
        d = 0;
        benchmark::DoNotOptimize(
            MyTvPage::build(text, QDate(2026, 12, 1), [&](qint32) { return days[size_t(d++)]; }).html.size());
    }
}

} // namespace

BENCHMARK(BM_SearchFrequentWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchWordFoundNowhere)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MyTvBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MyTvFillOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
