#include "details/ProgrammeDisplay.h"

#include "core/AppState.h"
#include "platform/Database.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace orv;

namespace {

const QDate Today(2026, 12, 6);

qint32 day(const QDate &d) { return d.toString(QStringLiteral("yyyyMMdd")).toInt(); }

} // namespace

TEST(ProgrammeTexts, DaysCountFromTodayAndPathsStayInTheirFolders)
{
    // Yesterday, tomorrow, and two days on across a month and a year end.
    for (const auto &[day, status] : {std::pair{20261230, "(Gia' Trasmesso)"},
                                      {20270101, "(Sara' Trasmesso fra 1 giorno)"},
                                      {20270102, "(Sara' Trasmesso fra 2 giorni)"}})
        EXPECT_EQ(ProgrammeTexts::broadcastStatus(day, QDate(2026, 12, 31)), status);

    test::TempApp app;
    Programme p;
    p.Immagine = QStringLiteral("film.jpg");
    EXPECT_EQ(ProgrammeTexts::of(p, Today, 101).coverPath.mid(PercorsoApp.size()).toLower(), "/covers/film.jpg");
    for (const char *bad : {"", "../../secret.jpg", "..\\x.jpg", "sub/x.jpg"}) {
        p.Immagine = QString::fromUtf8(bad);
        EXPECT_TRUE(ProgrammeTexts::of(p, Today, 101).coverPath.isEmpty()) << bad;
    }
}

class DisplayFill : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(PercorsoApp).mkpath(QStringLiteral("Covers"));
        QDir(PercorsoApp).mkpath(QStringLiteral("loghitv"));
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(Qt::red);
        img.save(PercorsoApp + QStringLiteral("/Covers/cover.png"), "PNG");
        img.save(PercorsoApp + QStringLiteral("/loghitv/101.gif"), "PNG");
        // State fields as "1", "0", "" and NULL, one programme each.
        QStringList rows{QStringLiteral("(DAY, 'Canale Ignoto', 1, 'Senza logo', '', NULL, NULL, NULL)")};
        const QStringList states{"'1'", "'0'", "''", "NULL"};
        for (int i = 0; i < 4; ++i)
            rows << QStringLiteral("(DAY, 'Rai 1', %1, 'Film %2', '%3', %4, %4, %4)")
                        .arg(QString::number(i + 1), QString::number(i),
                             QLatin1String(i == 0 ? "cover.png" : "missing.png"), states[i]);
        Database db = Database::open(PercorsoDb);
        db.exec(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, Titolo, Immagine, Marked, "
                               "Promemoria, Registra) values ") +
                rows.join(", ").replace("DAY", QString::number(day(QDate::currentDate()))));
        db.exec("update Programmi set Type = 'TV', ORA = '21:15', Durata = '90', Genere = 'Noir', Descrizione = 'X'");
    }
    QString marks() const { return seam.status(1).join(QString()); }
    ProgrammeKey key(int n, const QString &channel = QStringLiteral("Rai 1")) const
    {
        return {day(QDate::currentDate()), channel, n};
    }

    test::TempApp app;
    test::RecordingSeam seam;
    ProgrammeDisplay d;
};

TEST_F(DisplayFill, OnlyTheTextOneSetsAStateIconAndNothingStaysBehind)
{
    // Type, title, day, start, duration, genre, status and description as shown.
    auto shown = [&] {
        QStringList t{d.Label1->text(), d.Label2->text(), d.Label13->text(), d.Label4->text(), d.Label6->text()};
        return (t << d.Label9->text() << d.Label15->text() << d.Text1->toPlainText()).join('|');
    };
    ASSERT_TRUE(d.fill(key(1)));
    EXPECT_EQ(shown(),
              "TV|Film 0|" + QDate::currentDate().toString("dd/MM/yyyy") + "|21:15|90|Noir|Sara' trasmesso oggi|X");
    EXPECT_TRUE(!d.ImgTV->isHidden() && !d.Image3->isHidden());
    // The later programmes' cover files are missing: the old cover goes, and each says so.
    for (int n = 1; n <= 4; ++n) {
        ASSERT_TRUE(d.fill(key(n)));
        for (QLabel *icon : {d.Image2, d.Image1, d.Image11})
            EXPECT_EQ(icon->isHidden(), n != 1) << n;
    }
    EXPECT_TRUE(d.Image3->isHidden());
    EXPECT_EQ(marks(), "///");
    // An unknown channel shows no logo, and no box is opened for it.
    ASSERT_TRUE(d.fill(key(1, QStringLiteral("Canale Ignoto"))));
    EXPECT_TRUE(d.ImgTV->isHidden());
    EXPECT_EQ(d.Label2->text(), "Senza logo");
    // A key with no row empties the display.
    EXPECT_FALSE(d.fill(key(9)));
    EXPECT_EQ(shown(), "|||||||");
    EXPECT_TRUE(d.ImgTV->isHidden());
}
