#include "ScriptFixture.h"

#include <QThread>
#include <new>

using namespace orv;
using namespace orv::test;

namespace {

const QString GeneralFailure = QStringLiteral("General Script Failure");

// Runs with limits small enough to be reached quickly; every case counts
// what it did into variable 07, and a second pass that must not run writes 03.
class LimitsTest : public ScriptFixture {
protected:
    ScriptsTV::Limits limits;

    void SetUp() override
    {
        ScriptFixture::SetUp();
        limits.lines = 200000;
        limits.work = 200000;
        limits.runMs = 600000;
        limits.variableBytes = 64 * 1024;
        limits.pageBytes = 1024;
        engine.setLimits(limits);
    }

    // The run ended through the general failure box, and only through it.
    void expectEndedTooHard(const std::string &what)
    {
        ASSERT_EQ(boxes.size(), 1u) << what << ": " << boxTexts().join('|').toStdString();
        EXPECT_TRUE(boxes[0].text.startsWith(GeneralFailure)) << what;
        EXPECT_EQ(var(3), QByteArray()) << what << ": the second pass ran";
        EXPECT_TRUE(engine.failed()) << what;
    }

    void runCase(const QByteArray &script, const QByteArray &page = "x\r\n")
    {
        boxes.clear();
        for (int v : {3, 5, 7})
            engine.ScriptVariabili[v].clear();
        writeScript(script);
        web[PageUrl] = page;
        run();
    }

    static QByteArray filler(int lines, const QByteArray &line = "rem")
    {
        QByteArray s;
        for (int i = 0; i < lines; ++i)
            s += line + "\r\n";
        return s;
    }
};

} // namespace

// Work that a single step hides (a label searched through the whole script,
// a tag block, a skipped type block, a search along a long page line) is
// counted: each runaway ends within its budget, long before the line cap.
TEST_F(LimitsTest, WorkInsideAStepIsCounted)
{
    TakeNone = true;
    const QByteArray count = "#STRING#=#07#=#07#x";
    struct Case {
        const char *name;
        QByteArray script;
        QByteArray page = "x\r\n";
    } cases[] = {
        {"goto", scriptOf({"top:", count, "#GOTO#=far"}, {"#PUT#=y#03"}) + filler(4000) + "far:\r\n#GOTO#=top\r\n"},
        {"tags", scriptOf({"#CHECKVARIABLE#=#09", "#PUT#=a#01", "#REPEAT#", count, "#STARTDELETETAGS#",
                           "#WHILE#=#01##02#"},
                          {"#PUT#=y#03"}) +
                     "#DELETETAGS#\r\n" + filler(3000, "#T#=<zz>") + "#ENDDELETETAGS#\r\n"},
        {"type block", scriptOf({"#PUT#=a#01", "#REPEAT#", count, "#STARTGODEEP#"}, {"#PUT#=y#03"}) +
                           filler(4000) + "#ENDGODEEP#\r\n#WHILE#=#01##02#\r\n"},
        {"long line", scriptOf({"#PUT#=a#01", "#READNEXTLINE#", "#REPEAT#", count, "#RESETCURSOR#",
                                "#FIND#=absent#04", "#WHILE#=#01##02#"},
                               {"#PUT#=y#03"}),
         QByteArray(800000, 'z') + "\r\n"},
    };
    limits.pageBytes = 1 << 20;
    engine.setLimits(limits);
    for (const Case &c : cases) {
        runCase(c.script, c.page);
        expectEndedTooHard(c.name);
        // Uncounted, each would go round many hundreds of times.
        EXPECT_GT(var(7).size(), 0) << c.name;
        EXPECT_LT(var(7).size(), 150) << c.name;
    }
}

// A text that would outgrow a variable is never built: doubling by "#STRING#",
// a chain of substitutions, gathered comments, a piece of a long page line.
TEST_F(LimitsTest, VariablesAndTheRecordStayWithinTheirLimit)
{
    limits.work = 50000000;
    limits.pageBytes = 1 << 20;
    engine.setLimits(limits);
    const QByteArray twentyX(20, 'x');
    struct Case {
        const char *name;
        QByteArray script;
        QByteArray page = "x\r\n";
        bool inRecord = false;
    } cases[] = {
        {"string", scriptOf({"#PUT#=" + twentyX + "#08", "#PUT#=a#05", "#REPEAT#", "#STRING#=#05#=#05##05#",
                             "#STRING#=#07#=#07#x", "#WHILE#=#07##08#"},
                            {"#PUT#=y#03"})},
        {"substitutions", scriptOf({"#PUT#=a#05", "#CHECKVARIABLE#=#05", "#STARTSUBSTITUTETAGS#"}, {"#PUT#=y#03"}) +
                              "#SUBSTITUTETAGS#\r\n" + filler(24, "=a=aa") + "#ENDSUBSTITUTETAGS#\r\n"},
        {"comments",
         scriptOf({"#PUT#=" + twentyX + "#08", "#PUT#=" + QByteArray(8000, 'c') + "#06", "#REPEAT#",
                   "#TAKECOMMENTS#=#06", "#STRING#=#07#=#07#x", "#WHILE#=#07##08#"},
                  {"#PUT#=y#03"}),
         "x\r\n", true},
        {"piece", scriptOf({"#PUT#=0#10", "#READNEXTLINE#", "#TAKEWORD#=#05##10##10#"}, {"#PUT#=y#03"}),
         QByteArray(100000, 'p') + "\r\n"},
    };
    for (const Case &c : cases) {
        runCase(c.script, c.page);
        expectEndedTooHard(c.name);
        EXPECT_LE(c.inRecord ? engine.record().TxtUserComments.size() : var(5).size(), limits.variableBytes)
            << c.name;
    }
}

TEST_F(LimitsTest, PagesLargerThanTheLimitAreNotRead)
{
    // The day's own page: the run ends before any line of it is executed.
    runCase(scriptOf({"#PUT#=ran#05"}, {"#PUT#=y#03"}), QByteArray(2000, 'p'));
    expectEndedTooHard("main page");
    EXPECT_EQ(var(5), QByteArray());

    // A second page is refused by its own instruction, and the run goes on.
    web["http://pages.test/scheda/1"] = QByteArray(2000, 'd');
    answers = {Answer::Retry};
    runCase(scriptOf({"#PUT#=http://pages.test/scheda/1#20", "#OPENNEWWEB#=#20", "#PUT#=ran#05"}));
    EXPECT_EQ(boxTexts(), QStringList{"Error on Script Expression : #OPENNEWWEB# Line : 4"});
    EXPECT_EQ(var(5), QByteArray("ran"));
    EXPECT_EQ(engine.ScriptFilePagina, 20);
}

// A run ends when its time is up, however little each step does; the time a
// box waits for its answer does not count.
TEST_F(LimitsTest, RunTimeIsLimitedButNotTheUsersAnswers)
{
    limits.lines = limits.work = std::numeric_limits<qint64>::max() / 2;
    limits.runMs = 150;
    limits.pageBytes = 1 << 20;
    engine.setLimits(limits);
    runCase(scriptOf({"#PUT#=a#01", "#REPEAT#", "#PUT#=b#02", "#WHILE#=#01##02#"}, {"#PUT#=y#03"}));
    expectEndedTooHard("endless loop");

    // The answers take longer than the whole limit; the scan after them stays
    // well inside it even in a slow (sanitizer) build.
    limits.runMs = 1500;
    engine.setLimits(limits);
    Prompt::setHandler([this](const PromptRequest &r) {
        boxes.push_back(r);
        QThread::msleep(1000);
        return Answer::Retry;
    });
    runCase(scriptOf({"#RESETCURSOR#", "#FIND#=absent#04#ONERROR#=*ASK*", "#FIND#=absent#04#ONERROR#=*ASK*",
                      "#PUT#=1#02", "#REPEAT#", "#FINDLINE#=L#01#", "#WHILE#=#01##02#=="},
                     {"#PUT#=y#03"}),
            filler(20000, "L"));
    EXPECT_EQ(boxes.size(), 2u) << boxTexts().join('|').toStdString();
    EXPECT_EQ(var(3), QByteArray("y"));
}

// One search along a long line looks at the clock as it goes (at least once
// a megabyte), so a run whose time is up in the middle of it ends there.
TEST_F(LimitsTest, ALongSearchLooksAtTheClock)
{
    qint64 looks = 0;
    engine.setClock([&looks] { return ++looks * 1000; });
    limits.lines = limits.work = limits.runMs = std::numeric_limits<qint64>::max() / 2;
    limits.pageBytes = 16 << 20;
    engine.setLimits(limits);
    const QByteArray page = QByteArray(8 << 20, 'a') + "\r\n";
    const QByteArray absent = QByteArray(300, 'A') + "b";
    auto search = [&](const QByteArray &word) {
        looks = 0;
        runCase(scriptOf({"#READNEXTLINE#", "#RESETCURSOR#", "#FIND#=" + word + "#04"}, {"#PUT#=y#03"}), page);
        return looks;
    };
    const qint64 atOnce = search("a");
    EXPECT_EQ(var(4), QByteArray("1"));
    EXPECT_GE(search(absent) - atOnce, 6);
    EXPECT_EQ(vars({3, 4}), Bytes({"y", "0"}));

    // The time runs out a few pieces into the search.
    limits.runMs = (atOnce + 2) * 1000;
    engine.setLimits(limits);
    search(absent);
    expectEndedTooHard("search");
}

// Numbers far beyond any line read as "past the end"; a number that is not
// one fails the instruction.
TEST_F(LimitsTest, OutOfRangeNumbersAreClamped)
{
    engine.setLimits(ScriptsTV::Limits());
    const QByteArray huge = "1e300", notANumber = "0e999";
    runScript({"#READNEXTLINE#", "#PUT#=" + huge + "#11", "#PUT#=2#12", "#PUT#=0#13", "#PUT#=1#14",
               "#PUT#=1" + QByteArray(300, '0') + "#15", "#TAKEWORD#=#01##11##13#", "#TAKEWORDLEN#=#02##11##14#",
               "#TAKEWORDLEN#=#04##14##11#", "#TAKEWORD#=#05##12##15#", "#SETCURSOR#=" + huge, "#FIND#=c#06"},
              "abcdefgh\r\n");
    EXPECT_TRUE(boxes.empty()) << boxTexts().join('|').toStdString();
    EXPECT_EQ(vars({1, 2, 4, 5, 6}), Bytes({"", "", "bcdefgh", "cdefgh", "0"}));

    const QList<QByteArray> failing[] = {
        {"#SETCURSOR#=" + notANumber, "#FIND#=c#06"},
        {"#PUT#=" + notANumber + "#11", "#TAKEWORD#=#01##11##13#"},
        {"#PUT#=" + notANumber + "#11", "#TAKEWORDLEN#=#01##14##11#"},
    };
    for (const auto &lines : failing) {
        runCase(scriptOf(QList<QByteArray>{"#READNEXTLINE#", "#PUT#=0#13", "#PUT#=1#14"} + lines, {"#PUT#=y#03"}),
                "abcdefgh\r\n");
        expectEndedTooHard(lines.join(' ').toStdString());
    }
}

// Memory running out anywhere in a run ends the run, not the program; the
// failed day stores nothing of what it saved, so the next cycle fetches it whole.
TEST_F(LimitsTest, AllocationFailureEndsTheRun)
{
    engine.setFetch([this](const QString &url, const QString &file) {
        if (url.contains(QLatin1String("scheda")))
            throw std::bad_alloc();
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(web[url]);
    });
    runCase(scriptOf({"#PUT#=Primo#01", "#TAKETITLE#=#01", "#SAVEDATA#", "#PUT#=http://pages.test/scheda/1#20",
                      "#OPENNEWWEB#=#20", "#PUT#=ran#05"},
                     {"#PUT#=y#03"}));
    expectEndedTooHard("allocation");
    EXPECT_EQ(var(5), QByteArray());
    EXPECT_TRUE(rows().empty());
}
