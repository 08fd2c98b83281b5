#include "ScriptFixture.h"

#include "platform/Net.h"
#include "support/ListingsServer.h"
#include "support/TestSeam.h"

#include <QDate>
#include <QTimer>

using namespace orv;
using namespace orv::test;

namespace {

// Saved programmes as the store receives them, with what the main window's
// status bar was told.
class WritesTest : public ScriptFixture {
protected:
    RecordingSeam mainWindow;

    QString titles(const QString &day = Day)
    {
        QStringList out;
        for (const Programme &p : rows(day))
            out << QString::number(p.Numerazione) + p.Titolo;
        return out.join('|');
    }
    void insert(const QString &day, const char *channel, int number, const char *title)
    {
        Database::open(PercorsoDb).prepare(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, Titolo) values (?,?,?,?)"))
            .bindAll(day.toLongLong(), QString::fromLatin1(channel), number, QString::fromLatin1(title)).execute();
    }
};

} // namespace

// A day's rows are stored when its run ends, a row the table refuses lost
// alone: one already there, and the row past the end of Numerazione (a
// 16-bit number); a run saving more rows than one write holds stores every
// one of them, in order.
TEST_F(WritesTest, ALongRunIsStoredWhole)
{
    insert(Day, Channel, 2, "already there");
    runScript({"#PUT#=1#02", "#REPEAT#", "#FINDLINE#=L#01#", "#IF#=#01##02#==", "#PUT#=t#03", "#TAKETITLE#=#03",
               "#SAVEDATA#", "#ENDIF#", "#WHILE#=#01##02#=="},
              QByteArray("L\r\n").repeated(32768));
    const auto stored = rows();
    ASSERT_EQ(stored.size(), 32767u);
    for (size_t i = 0; i < stored.size(); ++i)
        ASSERT_EQ(stored[i].Numerazione, int(i) + 1);
    EXPECT_EQ(stored[1].Titolo + stored[2].Titolo + stored.back().Titolo, QStringLiteral("already therett"));
    EXPECT_FALSE(engine.failed());
    ASSERT_EQ(mainWindow.status(3).size(), 2);
    EXPECT_TRUE(mainWindow.status(3).contains(QStringLiteral("6 Overflow")));
}

// The window writes a mark (as the pop-up does) while the run waits on a
// slow page server: the write meets no lock at all; the rows the run saved
// before the wait are not there yet (the day is stored whole at its end).
TEST_F(WritesTest, AWindowWritesWhileTheRunWaitsOnItsPageServer)
{
    ListingsServer server({QStringLiteral("--slow"), QStringLiteral("^/web/scheda/"), QStringLiteral("--delay-ms"),
                           QStringLiteral("1500")});
    ASSERT_TRUE(server.running());
    const QString day = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    insert(day, "Altro", 1, "altro");
    bool waiting = false, wroteWhileWaiting = false, marked = false;
    QString storedWhileWaiting = QStringLiteral("?"), failure;
    engine.setFetch([&](const QString &url, const QString &file) {
        waiting = true;
        net::copyUrlToFile(url, file);
        waiting = false;
    });
    QTimer::singleShot(400, [&] {
        wroteWhileWaiting = waiting;
        try {
            Database ui = Database::open(PercorsoDb);
            // Not a moment's wait: any lock held now makes the write fail.
            ui.exec(QStringLiteral("PRAGMA busy_timeout = 0"));
            marked = ProgrammiTable(ui).setState({day.toInt(), QStringLiteral("Altro"), 1}, StateField::Marked, true);
            storedWhileWaiting = titles(day);
        } catch (const DbError &e) {
            failure = e.text();
        }
    });
    // The day's own page comes from the server too, quickly.
    writeScript(scriptOf({"#PUT#=Primo#01", "#TAKETITLE#=#01", "#SAVEDATA#", "#PUT#=" +
                          server.url("/web/scheda/107/" + day + "-1.htm").toLatin1() + "#20", "#OPENNEWWEB#=#20",
                          "#READNEXTLINE#", "#PUT#=Secondo#01", "#TAKETITLE#=#01", "#SAVEDATA#"})
                    .replace(PageUrl, server.url(QStringLiteral("/web/gulp/%1.html").arg(day)).toLatin1()));
    run(day.toLatin1().constData());

    ASSERT_TRUE(wroteWhileWaiting);
    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_TRUE(marked);
    EXPECT_EQ(storedWhileWaiting, QString());
    EXPECT_EQ(titles(day), QStringLiteral("1Primo|2Secondo"));
    EXPECT_TRUE(boxes.empty()) << boxTexts().join('|').toStdString();
}
