#include "acquisition/FrmDownload.h"

#include "core/AppState.h"
#include "core/Store.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QCheckBox>
#include <QLabel>
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
        Prompt::setHandler([](const PromptRequest &) { return Answer::Ok; });
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
    test::RecordingSeam main;
    int fetches = 0;
    std::function<void(const QString &)> onFetch;
};

} // namespace

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
