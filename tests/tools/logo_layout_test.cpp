#include "ChannelLogo.h"
#include "LogoLayout.h"

#include "platform/Database.h"
#include "support/TempApp.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// The build's logos: one real picture per shipped channel, the picture the
// listings server serves, and a logo already there left as it is.
TEST(LogoLayout, EveryShippedChannelGetsTheServersPictureAndKeptLogosStay)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("loghitv"));
    QDir().mkpath(folder);
    QFile own(folder + QStringLiteral("/101.GIF"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("downloaded");
    own.close();

    ASSERT_EQ(orv::tools::layOutLogos(orv::test::sourceData(QStringLiteral("database/schema.sql")), folder),
              QString());

    orv::test::TempApp app;
    orv::Database db = orv::Database::open(app.db(QStringLiteral("Palinsesti.cfg")));
    auto st = db.prepare(QStringLiteral("select IDTV from Televisioni where IDTV <> 101"));
    int channels = 0;
    while (st.next()) {
        const int code = int(st.integer(0));
        const QString path = folder + QLatin1Char('/') + QString::number(code) + QStringLiteral(".gif");
        const QImage logo(path);
        EXPECT_FALSE(logo.isNull()) << code;
        EXPECT_EQ(readAll(path), orv::tools::channelLogo(code)) << code;
        ++channels;
    }
    EXPECT_GT(channels, 30);
    EXPECT_EQ(readAll(own.fileName()), QByteArray("downloaded"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), channels + 1);
}
