#include "details/FrmPopUp.h"
#include "details/Promemoria.h"
#include "details/ReminderCheck.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "details/ListingsFixture.h"
#include "support/TestSeam.h"

#include <QFile>
#include <QRegularExpression>

using namespace orv;

namespace {

constexpr qint32 D = 20240105;     // a Friday
constexpr qint32 DNext = 20240106;
constexpr qint32 DBefore = 20240104;
const QString Starts = QStringLiteral("Fra 15 Minuti iniziera' il programma : ");

QDateTime at(qint32 day, const char *hhmm, int seconds = 0)
{
    const QDate d(day / 10000, day / 100 % 100, day % 100);
    return QDateTime(d, QTime::fromString(QString::fromLatin1(hhmm), QStringLiteral("hh:mm")).addSecs(seconds));
}

// Titles with their kind, for compact comparisons.
QStringList said(const std::vector<Announcement> &list)
{
    QStringList out;
    for (const Announcement &a : list)
        out << a.message();
    return out;
}

class ReminderCheckTest : public test::ListingsTest {
protected:
    std::vector<Announcement> dueAt(qint32 day, const char *now)
    {
        ReminderCheck check([=] { return at(day, now); });
        return check.due(db);
    }
};

} // namespace

TEST_F(ReminderCheckTest, AnnouncesEveryMarkInKindOrderAndEveryRowByNumber)
{
    add(D, "TeleDue", 9, "20:45", "Quark", "", "1", "1");
    add(D, "TeleUno", 14, "20:45", "Film tardi", "1");
    add(D, "TeleUno", 12, "20:45", "Meteo", "1", "", "1");
    add(D, "TeleTre", 3, "20:44", "Un minuto prima", "1");
    add(D, "TeleTre", 4, "20:45", "Zero", "0", "0", "0");
    add(D, "TeleTre", 5, "20:45", "Nullo");
    db.exec("update Programmi set Promemoria = NULL, Registra = NULL, Marked = NULL where Numerazione = 5");
    add(DNext, "TeleUno", 1, "20:45", "Domani", "1");
    EXPECT_EQ(said(dueAt(D, "20:30")),
              (QStringList{Starts + "Meteo", Starts + "Film tardi", "Fra 15 Minuti Devi registrare il programma : Quark",
                           "Fra 15 Minuti c'e' il programma Preferito : Quark",
                           "Fra 15 Minuti c'e' il programma Preferito : Meteo"}));
}


TEST_F(ReminderCheckTest, ARowAfterItsListingsMidnightIsDueOnTheNextDay)
{
    add(D, "TeleUno", 1, "20:00", "Sera");
    add(D, "TeleUno", 2, "23:30", "Notte");
    add(D, "TeleUno", 3, "00:05", "Fuori orario", "1");
    // The next day's own listing opens at 00:05 on another channel.
    add(DNext, "TeleDue", 1, "00:05", "Alba", "1");
    EXPECT_EQ(said(dueAt(D, "23:50")), (QStringList{Starts + "Alba", Starts + "Fuori orario"}));
    // Its own date's 00:05 comes a day earlier: nothing then.
    EXPECT_TRUE(dueAt(DBefore, "23:50").empty());
}

TEST_F(ReminderCheckTest, EachMinuteOnceAndMissedMinutesCaughtUpWhileStillAhead)
{
    add(D, "TeleUno", 1, "10:45", "Primo", "1");
    add(D, "TeleUno", 2, "10:50", "Secondo", "1");
    add(D, "TeleUno", 3, "10:52", "Terzo", "1");
    QDateTime now = at(D, "10:30", 31);
    ReminderCheck check([&] { return now; });
    EXPECT_EQ(check.due(db).size(), 1u);
    now = at(D, "10:30", 59); // a second tick in the same minute
    EXPECT_TRUE(check.due(db).empty());
    now = at(D, "10:37", 10); // ticks missed from 10:31 on
    EXPECT_EQ(said(check.due(db)), (QStringList{Starts + "Secondo", Starts + "Terzo"}));
    // Long after, a programme that starts now is not announced late; one a minute later still is.
    add(D, "TeleUno", 4, "11:00", "Quarto", "1");
    add(D, "TeleUno", 5, "11:01", "Quinto", "1");
    now = at(D, "11:00");
    EXPECT_EQ(said(check.due(db)), QStringList{Starts + "Quinto"});
    now = at(D, "10:45"); // set back by the lead: those minutes were looked at
    EXPECT_TRUE(check.due(db).empty());
    // A clock set back an hour is believed.
    now = at(D, "10:30");
    EXPECT_EQ(check.due(db).size(), 1u);
}

TEST_F(ReminderCheckTest, ATickDuringAnAnnouncementStartsNothingAndItsMinuteFollows)
{
    add(D, "TeleUno", 1, "10:45", "Primo", "1");
    add(D, "TeleUno", 2, "10:46", "Secondo", "1");
    QDateTime now = at(D, "10:30");
    ReminderCheck check([&] { return now; });
    QStringList shown;
    int nested = 0;
    auto open = [&] { return Database::open(PercorsoDb); };
    std::function<void(const Announcement &)> announce = [&](const Announcement &a) {
        shown << a.programme.Titolo;
        if (shown.size() == 1) {
            // The box stays open past the next minute's tick.
            now = at(D, "10:31");
            check.run(open, [&](const Announcement &) { ++nested; });
        }
    };
    check.run(open, announce);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(shown, (QStringList{"Primo", "Secondo"}));
    check.run(open, announce); // the next real tick
    EXPECT_EQ(shown.size(), 2);
}

TEST_F(ReminderCheckTest, TheTimerCheckShowsThePopUpThenTheBoxAndReportsFailuresInPanelOne)
{
    add(D, "Rai 1", 12, "20:45", "Meteo", "1");
    reminderCheck().setClock([] { return at(D, "20:30"); });
    QStringList boxes;
    QString shownDay;
    Prompt::setHandler([&](const PromptRequest &r) {
        boxes << r.title + "|" + r.text;
        shownDay = Windows::get<FrmPopUp>().isVisible() ? PopUpData + PopUpPalinsesto + PopUpNumerazione : "";
        return Answer::Ok;
    });
    test::RecordingSeam seam;

    VERIFICA_PROMEMORIA();
    EXPECT_EQ(boxes, QStringList{"|Fra 15 Minuti iniziera' il programma : Meteo"});
    EXPECT_EQ(shownDay, "20240105Rai 112");
    // Panel 1 errors of the check itself: number, blank, description.
    auto errors = [&] { return seam.status(1).filter(QRegularExpression("^\\d+ \\S")); };

    reminderCheck().setClock([] { return at(D, "20:31"); });
    db.close();
    QFile::remove(PercorsoDb);
    VERIFICA_PROMEMORIA();
    EXPECT_EQ(errors().size(), 1) << seam.calls.join(", ").toStdString();

    Prompt::setHandler({});
    Windows::unloadAll();
    reminderCheck().setClock(&QDateTime::currentDateTime);
}
