#include "acquisition/FrmDownload.h"

#include "acquisition/FrmElaboraD.h"
#include "core/AppState.h"
#include "core/Store.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace orv;

namespace {

const QByteArray DayFile("08:00\xA7" "30\xA7\xA7\xA7Tg\xA7\xA7\xA7\xA7\xA7\xA7\r\n"
                         "20:00\xA7" "30\xA7\xA7\xA7L'ispettore X\xA7\xA7\xA7\xA7\xA7\xA7\r\n");

// The download window with transfers that answer from memory: Rai 1 and
// Rai 2 are active and ready-made, every day is DayFile.
class DownloadWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Prompt::setHandler([](const PromptRequest &) { return Answer::Ok; });
        Database::open(PercorsoPalinsesti).exec(QStringLiteral("update Televisioni set Attivo = IDTV in (101, 102)"));
        window().setToday(QDate(2026, 12, 6));
        window().setFetch([this](const QString &url, const QString &file) {
            ++fetches;
            if (onFetch)
                onFetch(url);
            files::writeAtomically(file, url.contains(QLatin1String("/checks/")) ? QByteArray("D") : DayFile);
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

// A second start of the cycle, or of its post-processing, while it runs is
// refused; the one run stores the active channels' days, then times and
// marks them.
TEST_F(DownloadWindow, OneCycleAtATimeThenItsPostProcessing)
{
    Database::open(PercorsoDb)
        .exec(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo) values "
                             "(20261206, 'Rai 4', 1, '08:00', 'Tg'), (20261206, 'Rai 4', 2, '20:00', 'Tg')"));
    {
        Database db = Database::open(PercorsoPreferiti);
        PreferitiTable(db).addWithNextId(QStringLiteral("L'ispettore_X"));
    }
    int nestedCycle = 0, nestedPass = 0;
    onFetch = [&](const QString &) {
        if (nestedCycle++ == 0)
            window().CICLO_TELEVISIONI();
    };
    QObject::connect(Windows::get<FrmElaboraD>().ProgressBar1, &QProgressBar::valueChanged, [&] {
        if (nestedPass++ == 0)
            Windows::get<FrmElaboraD>().ELABORA_DURATA();
    });
    window().CICLO_TELEVISIONI();
    EXPECT_FALSE(window().running());
    EXPECT_FALSE(Windows::loaded<FrmElaboraD>());
    // One cycle's transfers only: 2 check files and 2 x 20 days.
    EXPECT_EQ(fetches, 42);
    EXPECT_EQ(stored(), 2 * 20 * 2 + 2);

    // Durations on the pass's fifteen days of the active channels; marks everywhere.
    Database db = Database::open(PercorsoDb);
    const std::pair<const char *, int> counts[] = {
        {"Durata = '720'", 2 * 2 * 15}, {"Durata = '30'", 2 * 2 * 5}, {"Marked = '1'", 2 * 20}};
    for (const auto &[where, count] : counts) {
        Statement st = db.prepare(QStringLiteral("select count(*) from Programmi where ") + QLatin1String(where));
        ASSERT_TRUE(st.next());
        EXPECT_EQ(st.integer(0), count) << where;
    }
}

// Closing the download window stops the cycle, whose post-processing still
// runs; closing that window too ends its durations after the day in hand.
TEST_F(DownloadWindow, ClosingDuringACycleStopsIt)
{
    onFetch = [&](const QString &url) {
        if (url.endsWith(QLatin1String("20261207.txt")))
            window().close();
    };
    FrmElaboraD &post = Windows::get<FrmElaboraD>();
    QObject::connect(post.ProgressBar1, &QProgressBar::valueChanged, &post, &QWidget::close);
    window().show();
    window().CICLO_TELEVISIONI();
    // The day in hand is stored; nothing after it is fetched; the bars end full.
    EXPECT_EQ(stored(), 2 * 2);
    EXPECT_EQ(fetches, 3);
    EXPECT_EQ(window().Label1->text(), QStringLiteral("Importazione Completata."));
    EXPECT_EQ(window().Label9->text(), QStringLiteral("07/12/2026"));
    EXPECT_EQ(std::pair(window().ProgressBar2->value(), window().ProgressBar1->value()), std::pair(2, 30));
    EXPECT_FALSE(window().isVisible());
    Database db = Database::open(PercorsoDb);
    Statement st = db.prepare(QStringLiteral("select group_concat(Durata, ' ') from "
                                             "(select Durata from Programmi order by Data, Numerazione)"));
    EXPECT_EQ(st.next() ? st.text(0) : QString(), QStringLiteral("720 720 30 30"));
}

TEST_F(DownloadWindow, FilledRecordFieldsTickGreenAndClearBackToBlack)
{
    ProgrammeRecord record;
    record.Check1[2] = true;
    QCheckBox *title = window().Check1.at(2);
    const auto colour = [](QCheckBox *b) { return b->palette().color(b->foregroundRole()); };
    window().recordView().recordChanged(record);
    EXPECT_TRUE(title->isChecked());
    EXPECT_EQ(colour(title), QColor(0, 128, 0));
    EXPECT_FALSE(window().Check1.at(1)->isChecked());
    record.clear();
    window().recordView().recordChanged(record);
    EXPECT_FALSE(title->isChecked());
    EXPECT_EQ(colour(title), QColor(Qt::black));
}
