#include "acquisition/FrmDownload.h"

#include "acquisition/UrlCopy.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "support/ListingsServer.h"
#include "support/TempApp.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace orv;

namespace {

const QDate Today(2026, 12, 6);

// The window with transfers that answer from memory: every channel is
// ready-made and every day has one programme.
class DownloadWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Prompt::setHandler([this](const PromptRequest &r) {
            messages << r.text;
            return Answer::Ok;
        });
        Database db = Database::open(PercorsoPalinsesti);
        db.exec(QStringLiteral("update Televisioni set Attivo = 0"));
        db.exec(QStringLiteral("update Televisioni set Attivo = 1 where IDTV in (101, 102)"));
        window().setToday(Today);
        window().setFetch([this](const QString &url, const QString &file) {
            ++fetches;
            if (onFetch)
                onFetch(url);
            const QByteArray body = url.contains(QLatin1String("/checks/"))
                                        ? QByteArray("D")
                                        : QByteArray("20:00\xA7" "30\xA7\xA7\xA7Titolo\xA7\xA7\xA7\xA7\xA7\xA7\r\n");
            files::writeAtomically(file, body);
            return FetchOutcome::Fetched;
        });
    }
    void TearDown() override
    {
        Prompt::setHandler({});
        Windows::unloadAll();
    }
    FrmDownload &window() { return Windows::get<FrmDownload>(); }
    qint64 stored()
    {
        Database db = Database::open(PercorsoDb);
        return ProgrammiTable(db).count();
    }

    test::TempApp app;
    QStringList messages;
    int fetches = 0;
    std::function<void(const QString &)> onFetch;
};

} // namespace

TEST_F(DownloadWindow, CycleEndsWithTheStatusLineAndFullBars)
{
    window().show();
    window().CICLO_TELEVISIONI();
    EXPECT_EQ(window().Label1->text(), QStringLiteral("Importazione Completata."));
    EXPECT_EQ(window().ProgressBar2->maximum(), 2);
    EXPECT_EQ(window().ProgressBar2->value(), 2);
    EXPECT_FALSE(window().Command1->isEnabled());
    EXPECT_EQ(stored(), 40);
    EXPECT_EQ(window().unattendedExitCode(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DownloadWindow, SecondStartWhileRunningIsRefused)
{
    int nested = 0;
    onFetch = [&](const QString &) {
        if (nested++ == 0)
            window().CICLO_TELEVISIONI();
    };
    window().CICLO_TELEVISIONI();
    EXPECT_FALSE(window().running());
    // One cycle's transfers only: 2 check files and 2 x 20 days.
    EXPECT_EQ(fetches, 42);
    EXPECT_EQ(stored(), 40);
}

TEST_F(DownloadWindow, ClosingDuringACycleStopsIt)
{
    onFetch = [&](const QString &url) {
        if (url.endsWith(QLatin1String("20261207.txt")))
            window().close();
    };
    window().show();
    window().CICLO_TELEVISIONI();
    // The day in hand is stored; nothing after it is fetched.
    EXPECT_EQ(stored(), 2);
    EXPECT_EQ(fetches, 3);
    EXPECT_EQ(window().Label1->text(), QStringLiteral("Importazione Completata."));
    EXPECT_FALSE(window().isVisible());
}

TEST_F(DownloadWindow, StopButtonIsEnabledWhileTheCycleRuns)
{
    bool enabledDuring = false;
    onFetch = [&](const QString &) {
        enabledDuring = window().Command1->isEnabled();
        window().Command1->click();
    };
    window().show();
    window().CICLO_TELEVISIONI();
    EXPECT_TRUE(enabledDuring);
    EXPECT_EQ(fetches, 2); // the check file and the first day
}

TEST_F(DownloadWindow, CutShortCycleGivesANonZeroExitCode)
{
    window().setFetch([](const QString &, const QString &) { return FetchOutcome::Failed; });
    window().CICLO_TELEVISIONI();
    EXPECT_NE(window().unattendedExitCode(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("(1)")));
}

// A script channel against the listings server: the pages the script fetches
// are transfers of the cycle like the check and script files.
TEST(DownloadWindowScript, PageTransfersCountInTheFigures)
{
    test::TempApp app;
    test::ListingsServer server;
    ASSERT_TRUE(server.running());
    qputenv("ORVENTO_SERVER", server.baseUrl().toUtf8());
    QStringList messages;
    Prompt::setHandler([&](const PromptRequest &r) {
        messages << r.text;
        return Answer::Ok;
    });
    const bool checkUpdate = CheckUpdate;
    CheckUpdate = false;
    {
        Database db = Database::open(PercorsoPalinsesti);
        db.exec(QStringLiteral("update Televisioni set Attivo = 0"));
        db.exec(QStringLiteral("update Televisioni set Attivo = 1 where IDTV = 107"));
    }

    FrmDownload &window = Windows::get<FrmDownload>();
    window.CICLO_TELEVISIONI();
    const qint64 listFiles = QFileInfo(appPath(QStringLiteral("TempDir/checks.txt"))).size() +
                             QFileInfo(appPath(QStringLiteral("TempDir/script.txt"))).size();
    Database db = Database::open(PercorsoDb);
    const qint64 rows = ProgrammiTable(db).count();
    const QString total = window.Label3->text();

    Windows::unloadAll();
    Prompt::setHandler({});
    CheckUpdate = checkUpdate;
    qunsetenv("ORVENTO_SERVER");

    EXPECT_TRUE(messages.isEmpty()) << messages.join(QStringLiteral(" | ")).toStdString();
    ASSERT_GT(rows, 0);
    ASSERT_GT(listFiles, 0);
    // Seven days of pages came in besides the two small files.
    EXPECT_GT(ByteCiclo, listFiles);
    EXPECT_EQ(total, kbytesText(ByteCiclo));
}

TEST_F(DownloadWindow, FilledRecordFieldsTickGreenAndClearBackToBlack)
{
    ProgrammeRecord record;
    record.TxtTitle = "Il Padrino";
    record.Check1[2] = true;
    window().recordView().recordChanged(record);
    QCheckBox *title = window().Check1.at(2);
    QCheckBox *hour = window().Check1.at(1);
    EXPECT_TRUE(title->isChecked());
    EXPECT_EQ(title->palette().color(title->foregroundRole()), QColor(0, 128, 0));
    EXPECT_FALSE(hour->isChecked());
    EXPECT_EQ(hour->palette().color(hour->foregroundRole()), QColor(Qt::black));

    record.clear();
    window().recordView().recordChanged(record);
    EXPECT_FALSE(title->isChecked());
    EXPECT_EQ(title->palette().color(title->foregroundRole()), QColor(Qt::black));
}
