#include "ChannelLogo.h"
#include "LogoLayout.h"
#include "SchemaMaker.h"

#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Net.h"
#include "platform/Text.h"
#include "support/ListingsServer.h"
#include "support/TempApp.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QMap<int, QString> shippedChannels()
{
    orv::test::TempApp app;
    orv::Database db = orv::Database::open(app.db(QStringLiteral("Palinsesti.cfg")));
    auto st = db.prepare(QStringLiteral("select IDTV, NOMETV from Televisioni"));
    QMap<int, QString> channels;
    while (st.next())
        channels.insert(int(st.integer(0)), st.text(1));
    return channels;
}

// Checks one day file as the day-file reader takes it; empty when it is sound.
QString dayFileProblem(const QByteArray &bytes)
{
    if (!bytes.endsWith("\r\n"))
        return "empty or last line without CR LF";
    static const QRegularExpression row(
        QStringLiteral(u"^([01][0-9]|2[0-3]):([0-5][0-9])\u00A7([0-9]+)\u00A7([^\u00A7\r\n]*\u00A7){8}$"));
    const QStringList lines = QString::fromLatin1(bytes.chopped(2)).split(QStringLiteral("\r\n"));
    int previous = -1, lastEnd = 0;
    bool pastMidnight = false;
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = row.match(line);
        if (!m.hasMatch())
            return "not a time, a duration and ten fields: " + line;
        const int minutes = m.captured(1).toInt() * 60 + m.captured(2).toInt();
        pastMidnight |= minutes < previous;
        previous = minutes;
        lastEnd = minutes + m.captured(3).toInt();
    }
    if (!lines.first().startsWith("06:00"))
        return "does not start at 06:00";
    return pastMidnight || lastEnd > 24 * 60 ? QString() : QStringLiteral("nothing runs past midnight");
}

QString dayFile(int code, int offset)
{
    return QStringLiteral("/orvento/database2/%1/%2.txt").arg(code).arg(QDate::currentDate().addDays(offset).toString("yyyyMMdd"));
}

} // namespace

TEST(ListingsServer, SoundCodePage1252DayFilesForEveryShippedChannelInTheWindowAndNothingElse)
{
    orv::test::ListingsServer server;
    auto get = [&](const QString &path, orv::net::Outcome *outcome = nullptr) {
        QByteArray body;
        const orv::net::FetchResult r = orv::net::readUrl(server.url(path), body);
        if (outcome)
            *outcome = r.outcome;
        return body;
    };
    const QList<int> codes = shippedChannels().keys();
    EXPECT_EQ(codes.size(), 41);
    QString week; // channel 101's first week as the reader decodes it
    // Every channel at the window's edges, and a few channels on every day.
    for (const int code : codes)
        for (int offset = -1; offset <= 20; ++offset)
            if (code == 101 || code == 304 || code == 502 || offset == -1 || offset == 0 || offset == 20) {
                const QByteArray bytes = get(dayFile(code, offset));
                const QString problem = dayFileProblem(bytes);
                EXPECT_TRUE(problem.isEmpty()) << dayFile(code, offset).toStdString() << ": " << problem.toStdString();
                if (code == 101 && offset >= 0 && offset < 7)
                    week += orv::text::decodeCp1252(bytes);
            }
    EXPECT_TRUE(week.contains(QRegularExpression("[àèéìòù]")));
    EXPECT_TRUE(week.contains(QStringLiteral(" \u00A6 ")));
    orv::net::Outcome outcome{};
    for (const QString &path : {dayFile(101, 21), dayFile(101, -2), dayFile(999, 0), QStringLiteral("/orvento/checks/999.txt"),
                                QStringLiteral("/orvento/scripts/101.txt")}) {
        get(path, &outcome);
        EXPECT_EQ(outcome, orv::net::Outcome::NotFound) << path.toStdString();
    }
}

// Rebuilding keeps the listings and settings of an existing database.
TEST(MakeDb, AnExistingDatabaseIsReplacedOnlyWhenForced)
{
    QTemporaryDir dir;
    const QString mine = dir.filePath(QStringLiteral("Palinsesti.cfg"));
    for (const bool force : {false, true}) {
        ASSERT_TRUE(orv::files::writeAtomically(mine, "mine"));
        EXPECT_EQ(orv::tools::makeDatabases(orv::test::sourceData(QStringLiteral("database/schema.sql")), dir.path(), force), QString());
        EXPECT_EQ(QFile(mine).size() == 4, !force) << force;
    }
}

// Per shipped channel the server's picture, which names it; a logo already there stays as it is.
TEST(LogoLayout, EveryShippedChannelGetsTheServersPictureAndKeptLogosStay)
{
    auto readAll = [](const QString &path) { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); };
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("loghitv"));
    QDir().mkpath(folder);
    QFile own(folder + QStringLiteral("/101.GIF"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly) && own.write("downloaded") == 10);
    own.close();
    ASSERT_EQ(orv::tools::layOutLogos(orv::test::sourceData(QStringLiteral("database/schema.sql")), folder), QString());
    orv::test::ListingsServer server;
    const QMap<int, QString> channels = shippedChannels();
    for (auto c = channels.begin(); c != channels.end(); ++c)
        if (c.key() != 101) {
            const QString path = QStringLiteral("%1/%2.gif").arg(folder).arg(c.key());
            QByteArray served;
            orv::net::readUrl(server.url(QStringLiteral("/orvento/database2/palinsesti/%1.gif").arg(c.key())), served);
            EXPECT_FALSE(QImage(path).isNull()) << c.key();
            EXPECT_EQ(readAll(path), served) << c.key();
        }
    EXPECT_EQ(readAll(own.fileName()), QByteArray("downloaded"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), channels.size());
    EXPECT_NE(orv::tools::channelLogo(106, QStringLiteral("Italia 1")), orv::tools::channelLogo(106, QStringLiteral("Italia 2")));
}
