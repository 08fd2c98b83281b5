#include "acquisition/FrmElaboraD.h"

#include "core/AppState.h"
#include "core/Store.h"
#include "platform/Windows.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QProgressBar>
#include <gtest/gtest.h>

using namespace orv;

namespace {

const QDate First(2026, 12, 6);

class PostProcessing : public ::testing::Test {
protected:
    void SetUp() override
    {
        Database db = Database::open(PercorsoPalinsesti);
        db.exec(QStringLiteral("update Televisioni set Attivo = 0"));
        db.exec(QStringLiteral("update Televisioni set Attivo = 1 where IDTV in (101, 102)"));
    }
    void TearDown() override { Windows::unloadAll(); }

    qint32 day(int offset) const { return First.addDays(offset).toString("yyyyMMdd").toInt(); }
    void addDay(int offset, const QString &channel, const QStringList &titles)
    {
        Database db = Database::open(PercorsoDb);
        ProgrammiTable t(db);
        for (int i = 0; i < titles.size(); ++i) {
            Programme p;
            p.Data = day(offset);
            p.Palinsesto = channel;
            p.Numerazione = i + 1;
            p.ORA = QStringLiteral("%1:00").arg(8 + i * 2, 2, 10, QLatin1Char('0'));
            p.Titolo = titles[i];
            t.insert(p);
        }
    }
    std::vector<Programme> rows(int offset, const QString &channel)
    {
        Database db = Database::open(PercorsoDb);
        return ProgrammiTable(db).channelDay(day(offset), channel);
    }

    test::TempApp app;
    test::RecordingSeam main;
};

} // namespace

TEST_F(PostProcessing, EveryDayOfEveryActiveChannelGetsDurationsAndMarks)
{
    for (int d = 0; d < 16; ++d) {
        addDay(d, QStringLiteral("Rai 1"), {QStringLiteral("Tg1"), QStringLiteral("L'ispettore X")});
        addDay(d, QStringLiteral("Rai 2"), {QStringLiteral("Tg2"), QStringLiteral("Film")});
        addDay(d, QStringLiteral("Rai 4"), {QStringLiteral("Tg4"), QStringLiteral("Film")}); // not active
    }
    {
        Database db = Database::open(PercorsoPreferiti);
        PreferitiTable(db).addWithNextId(QStringLiteral("L'ispettore_X"));
    }
    FrmElaboraD &w = Windows::get<FrmElaboraD>();
    w.setToday(First);
    w.show();
    w.ELABORA_DURATA();
    EXPECT_FALSE(Windows::loaded<FrmElaboraD>());

    for (int d = 0; d < 15; ++d) {
        for (const char *channel : {"Rai 1", "Rai 2"}) {
            const auto r = rows(d, QString::fromLatin1(channel));
            ASSERT_EQ(r.size(), 2u);
            EXPECT_EQ(r[0].Durata, "120") << channel << " day " << d;
            EXPECT_EQ(r[1].Durata, "1320") << channel << " day " << d;
        }
        EXPECT_EQ(rows(d, QStringLiteral("Rai 4"))[0].Durata, "") << d;
        EXPECT_EQ(rows(d, QStringLiteral("Rai 1"))[1].Marked, "1") << d;
        EXPECT_EQ(rows(d, QStringLiteral("Rai 1"))[0].Marked, "") << d;
    }
    // Beyond the pass's fifteen days nothing changes but the marks.
    EXPECT_EQ(rows(15, QStringLiteral("Rai 1"))[0].Durata, "");
    EXPECT_EQ(rows(15, QStringLiteral("Rai 1"))[1].Marked, "1");
}

TEST_F(PostProcessing, SecondStartDuringThePassIsRefused)
{
    for (int d = 0; d < 3; ++d)
        addDay(d, QStringLiteral("Rai 1"), {QStringLiteral("Tg1"), QStringLiteral("Film")});
    FrmElaboraD &w = Windows::get<FrmElaboraD>();
    w.setToday(First);
    w.show();
    int nested = 0;
    // A second start arrives while the first pass lets events run.
    QObject::connect(w.ProgressBar1, &QProgressBar::valueChanged, [&] {
        if (nested++ == 0)
            Windows::get<FrmElaboraD>().ELABORA_DURATA();
    });
    w.ELABORA_DURATA();
    EXPECT_FALSE(Windows::loaded<FrmElaboraD>());
    EXPECT_EQ(rows(2, QStringLiteral("Rai 1"))[0].Durata, "120");
}
