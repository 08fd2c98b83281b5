#include "ListingsServer.h"

#include <QDeadlineTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace orv::test {

ListingsServer::ListingsServer(const QStringList &options)
{
    QString program = qEnvironmentVariable("ORVENTO_LISTINGS_SERVER", QStringLiteral(ORVENTO_LISTINGS_SERVER));
    process_.setProgram(program);
    process_.setArguments(QStringList{QStringLiteral("--port"), QStringLiteral("0")} + options);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start();
    if (!process_.waitForStarted(10000)) {
        ADD_FAILURE() << "the listings server did not start: " << program.toStdString();
        return;
    }
    // The first line it prints is the address it listens on.
    while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
    }
    const QString line = QString::fromLatin1(process_.readLine()).trimmed();
    const QUrl url(line);
    if (!url.isValid() || url.port() <= 0) {
        ADD_FAILURE() << "the listings server gave no address: " << line.toStdString() << " "
                      << process_.readAllStandardError().toStdString();
        return;
    }
    base_ = line;
    port_ = quint16(url.port());
}

QString ListingsServer::waitForHeld(int ms)
{
    QDeadlineTimer deadline(ms);
    for (;;) {
        while (process_.canReadLine()) {
            const QString line = QString::fromLatin1(process_.readLine()).trimmed();
            if (line.startsWith(QLatin1String("held ")))
                return line.mid(5);
        }
        if (deadline.hasExpired() || !process_.waitForReadyRead(int(deadline.remainingTime())))
            return {};
    }
}

ListingsServer::~ListingsServer()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

} // namespace orv::test
