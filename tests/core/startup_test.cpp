#include "core/AppState.h"
#include "core/SingleInstance.h"
#include "core/StartupSteps.h"
#include "core/UserStore.h"
#include "platform/Database.h"
#include "support/TempApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace orv;

namespace {

TEST(DownloadCommand, OnlyTheExactSingleWordRunsUnattended)
{
    EXPECT_TRUE(startup::isDownloadCommand({QStringLiteral("Download")}));
    const QList<QStringList> others = {{}, {"download"}, {"Download "}, {" Download"}, {"Download", "Download"}};
    for (const QStringList &args : others)
        EXPECT_FALSE(startup::isDownloadCommand(args)) << args.join('|').toStdString();
}

TEST(StaleLockFiles, OnlyLdbLockFilesGo)
{
    QTemporaryDir dir;
    for (const char *n : {"Orvento.ldb", "CONFIG.LDB", "Orvento.cfg", "Orvento.cfg-wal", "ldb.txt"})
        ASSERT_TRUE(QFile(dir.filePath(n)).open(QIODevice::WriteOnly));
    EXPECT_EQ(startup::removeStaleLockFiles(dir.path()), 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              QStringList({"Orvento.cfg", "Orvento.cfg-wal", "ldb.txt"}));
}

class FirstRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        companion = dir.filePath(QStringLiteral("OrventoMonitor"));
        QFile f(companion);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    bool run(UserStore &store)
    {
        return startup::startCompanionOnFirstRun(store, companion, [this](const QString &program) {
            launched << program;
            return true;
        });
    }

    QTemporaryDir dir;
    QString companion;
    QStringList launched;
    UserStore store = UserStore::atFile(dir.filePath(QStringLiteral("user.ini")));
};

TEST_F(FirstRunTest, CompanionStartsOnceAcrossRunsAndNeitherItsAbsenceNorAnUnwritableStoreStopStartUp)
{
    EXPECT_TRUE(run(store)); // nothing stored yet: the first run
    EXPECT_EQ(store.value(QStringLiteral("FirstTime")), QStringLiteral("False"));
    for (const QString yes : {" true", "-1"}) {
        store.setValue(QStringLiteral("FirstTime"), yes);
        EXPECT_TRUE(run(store)) << yes.toStdString();
    }
    UserStore again = UserStore::atFile(dir.filePath(QStringLiteral("user.ini")));
    EXPECT_FALSE(run(again));
    // The store's folder is a plain file: nothing can be written there.
    ASSERT_TRUE(QFile(dir.filePath(QStringLiteral("blocker"))).open(QIODevice::WriteOnly));
    UserStore broken = UserStore::atFile(dir.filePath(QStringLiteral("blocker/user.ini")));
    EXPECT_FALSE(broken.setValue(QStringLiteral("EXEFile"), QStringLiteral("/x")));
    EXPECT_TRUE(run(broken));
    EXPECT_EQ(launched, QStringList(4, companion));
    QFile::remove(companion);
    EXPECT_FALSE(run(broken));
    EXPECT_EQ(launched.size(), 4);
}

TEST(SingleInstanceLock, AnotherRuntimeFolderStillMeetsTheFolderLock)
{
    // Two programs started with different environments share nothing but
    // the application folder.
    QTemporaryDir app, other, runtimeA, runtimeB;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtimeA.path().toUtf8());
    SingleInstance first(app.path());
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(SingleInstance(other.path()).acquire()); // another folder, the same runtime folder
    qputenv("XDG_RUNTIME_DIR", runtimeB.path().toUtf8());
    SingleInstance second(app.path() + QStringLiteral("/."));
    EXPECT_FALSE(second.acquire());
    // A folder that cannot hold the lock file, not even for root, leaves the runtime lock to decide.
    EXPECT_TRUE(SingleInstance(QStringLiteral("/proc")).acquire());
    qputenv("XDG_RUNTIME_DIR", saved);
}

TEST(ServerAddress, ATrailingSlashIsDropped)
{
    qputenv("ORVENTO_SERVER", "http://guida.test/");
    EXPECT_EQ(serverBase(), QStringLiteral("http://guida.test"));
    qunsetenv("ORVENTO_SERVER");
}

// The program itself, started as a process on a throw-away application folder
// and a throw-away per-user store.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program = qEnvironmentVariable("ORVENTO_PROGRAM", QStringLiteral(ORVENTO_PROGRAM));
        if (!QFile::exists(program))
            GTEST_SKIP() << "ORVENTO_PROGRAM not built";
        // Nothing to fetch: the unattended cycle has no channel and no update check.
        Database::open(PercorsoPalinsesti).exec(QStringLiteral("update Televisioni set Attivo = 0"));
        Database::open(app.db(QStringLiteral("config.cfg"))).exec(QStringLiteral("update Config set CheckUpdate = 0"));
    }

    // display: "offscreen", or the X display the program is told to use ("" none).
    void start(QProcess &p, const QStringList &args, const QString &display) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVENTO_HOME"), app.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), user.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("ORVENTO_SERVER"), QStringLiteral("http://127.0.0.1:9"));
        for (const QString name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        env.insert(display == QLatin1String("offscreen") ? QStringLiteral("QT_QPA_PLATFORM") : QStringLiteral("DISPLAY"),
                   display);
        p.setProcessEnvironment(env);
        p.setStandardInputFile(QProcess::nullDevice());
        p.start(program, args);
    }

    QString userValue(const QString &key) const
    {
        QSettings s(user.filePath(QStringLiteral("config/Orvento/Orvento.conf")), QSettings::IniFormat);
        return s.value(QStringLiteral("Options/") + key).toString();
    }

    // Waits (bounded) until the user store holds EXEFile: the instance is past its lock.
    bool waitUntilStarted() const
    {
        for (int i = 0; i < 600 && userValue(QStringLiteral("EXEFile")).isEmpty(); ++i)
            QThread::msleep(100);
        return !userValue(QStringLiteral("EXEFile")).isEmpty();
    }

    test::TempApp app;
    QTemporaryDir user, runtime;
    QString program;
};

TEST_F(ProgramTest, SecondInstanceIsRefusedWhileTheFirstRunsAndTakesOverADeadOnesLock)
{
    QProcess first;
    start(first, {}, QStringLiteral("offscreen"));
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(waitUntilStarted()) << first.readAllStandardError().toStdString();
    ASSERT_EQ(first.state(), QProcess::Running);

    // "download" is not the unattended word: this is a second interactive start.
    QProcess second;
    start(second, {QStringLiteral("download")}, QStringLiteral("offscreen"));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains("Orvento gia' in esecuzione!"));
    EXPECT_EQ(first.state(), QProcess::Running);

    // A first instance that died leaves its lock behind; the next start takes
    // it. The download runs on with a display gone away and with none at all.
    first.kill();
    first.waitForFinished();
    for (const QString display : {":7193", ""}) {
        QProcess third;
        start(third, {QStringLiteral("Download")}, display);
        ASSERT_TRUE(third.waitForFinished(180000));
        EXPECT_EQ(third.exitStatus(), QProcess::NormalExit) << third.readAllStandardError().toStdString();
        EXPECT_EQ(third.exitCode(), 0) << third.readAllStandardError().toStdString();
    }
    EXPECT_EQ(userValue(QStringLiteral("FirstTime")), QStringLiteral("False"));
    EXPECT_EQ(userValue(QStringLiteral("EXEFile")), QFileInfo(program).canonicalFilePath());
}

} // namespace
