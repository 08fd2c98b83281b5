// Cost of one fetch over the network layer against the sample server on
// loopback: what the download cycle pays per channel-day.
#include "platform/Net.h"

#include <QCoreApplication>
#include <QDate>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

QString base;

void BM_CopyDayFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString url = base + QStringLiteral("/orvento/database2/101/%1.txt").arg(QDate::currentDate().toString("yyyyMMdd"));
    for (auto _ : state) {
        auto r = orv::net::copyUrlToFile(url, dir.filePath("dbuff.txt"));
        if (!r.ok())
            state.SkipWithError("fetch failed");
    }
}
BENCHMARK(BM_CopyDayFile)->Unit(benchmark::kMillisecond);

void BM_CopyBytes(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString url = base + QStringLiteral("/test/bytes/%1").arg(state.range(0));
    for (auto _ : state) {
        auto r = orv::net::copyUrlToFile(url, dir.filePath("blob.bin"));
        if (!r.ok())
            state.SkipWithError("fetch failed");
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CopyBytes)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString server = qEnvironmentVariable("ORVENTO_LISTINGS_SERVER");
    if (server.isEmpty())
        server = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/orvento-listings-server");
    QProcess process;
    process.start(server, {QStringLiteral("--port"), QStringLiteral("0")});
    if (!process.waitForStarted() || !process.waitForReadyRead(10000)) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(server));
        return 1;
    }
    base = QString::fromLatin1(process.readLine()).trimmed();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    process.terminate();
    process.waitForFinished();
    return 0;
}
