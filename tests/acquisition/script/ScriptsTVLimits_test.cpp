#include "ScriptFixture.h"

#include <new>

using namespace orv;
using namespace orv::test;

namespace {

// Runs with limits small enough to be reached quickly; a second pass that
// must not run writes variable 03.
class LimitsTest : public ScriptFixture {
protected:
    ScriptsTV::Limits limits;

    void SetUp() override
    {
        ScriptFixture::SetUp();
        limits.lines = limits.work = 200000;
        limits.depth = 20;
        limits.variableBytes = 64 * 1024;
        limits.pageBytes = 1 << 20;
        setLimits();
    }
    void setLimits() { engine.setLimits(limits); }
    // The run ended through the general failure box, and only through it.
    void expectEndedTooHard(const std::string &what)
    {
        ASSERT_EQ(boxes.size(), 1u) << what << ": " << boxTexts().join('|').toStdString();
        EXPECT_TRUE(boxes[0].text.startsWith(QLatin1String("General Script Failure"))) << what;
        EXPECT_EQ(var(3), QByteArray()) << what << ": the second pass ran";
        EXPECT_TRUE(engine.failed()) << what;
    }
    void runCase(const QByteArray &script, const QByteArray &page = "x\r\n")
    {
        boxes.clear();
        engine.ScriptVariabili.fill({});
        runText(script, page);
    }
    static QByteArray filler(int lines, const QByteArray &line = "rem") { return (line + "\r\n").repeated(lines); }
};

} // namespace

// Each run ends in the general failure box, skips its second pass and stores
// nothing of its day, even what it saved. Work a single step hides (a label searched through the
// whole script, a tag block, a skipped type block, a search along a long line)
// is counted: the counter in 07 stays far from the hundreds of rounds it would
// make uncounted. No text outgrows a variable or a record field.
TEST_F(LimitsTest, RunsThatWorkTooHardEnd)
{
    enum Check { None, Counted, InRecord };
    const QByteArray eight = "abcdefgh\r\n", cut = "#READNEXTLINE#|#PUT#=0#13|#PUT#=1#14|";
    auto sc = [](const QByteArray &lines) {
        return scriptOf(QByteArray(lines).replace("COUNT", "#STRING#=#07#=#07#x").split('|'), {"#PUT#=y#03"});
    };
    const struct {
        const char *name;
        QByteArray script, page = "x\r\n";
        Check check = None;
    } cases[] = {
        {"loop", sc("#PUT#=a#01|#REPEAT#|#PUT#=b#02|#WHILE#=#01##02#")},
        {"goto loop", sc("top:|#IF#=#01##01#==|#GOTO#=top|#ENDIF#")},
        // The "#WHILE#" jumps back above the "#IF#", which opens a new block each time.
        {"blocks", sc("#PUT#=a#01|#REPEAT#|#IF#=#01##01#==|#WHILE#=#01##02#")},
        {"goto", sc("top:|COUNT|#GOTO#=far") + filler(4000) + "far:\r\n#GOTO#=top\r\n", {}, Counted},
        {"tags", sc("#CHECKVARIABLE#=#09|#PUT#=a#01|#REPEAT#|COUNT|#STARTDELETETAGS#|#WHILE#=#01##02#") +
                     "#DELETETAGS#\r\n" + filler(3000, "#T#=<zz>") + "#ENDDELETETAGS#\r\n", {}, Counted},
        {"type block", sc("#PUT#=a#01|#REPEAT#|COUNT|#STARTGODEEP#") + filler(4000) +
                           "#ENDGODEEP#\r\n#WHILE#=#01##02#\r\n", {}, Counted},
        {"long line", sc("#PUT#=a#01|#READNEXTLINE#|#REPEAT#|COUNT|#RESETCURSOR#|#FIND#=absent#04|#WHILE#=#01##02#"),
         QByteArray(800000, 'z') + "\r\n", Counted},
        {"string", sc("#PUT#=xxxxxxxxxxxxxxxxxxxx#08|#PUT#=a#05|#REPEAT#|#STRING#=#05#=#05##05#|COUNT|"
                      "#WHILE#=#07##08#")},
        {"substitutions", sc("#PUT#=a#05|#CHECKVARIABLE#=#05|#STARTSUBSTITUTETAGS#") + "#SUBSTITUTETAGS#\r\n" +
                              filler(24, "=a=aa") + "#ENDSUBSTITUTETAGS#\r\n"},
        {"comments", sc("#PUT#=xxxxxxxxxxxxxxxxxxxx#08|#PUT#=" + QByteArray(8000, 'c') +
                        "#06|#REPEAT#|#TAKECOMMENTS#=#06|COUNT|#WHILE#=#07##08#"), {}, InRecord},
        {"piece", sc("#PUT#=0#10|#READNEXTLINE#|#TAKEWORD#=#05##10##10#"), QByteArray(100000, 'p') + "\r\n"},
        // The day's own page beyond the limit: not a line runs.
        {"main page", sc("#PUT#=y#03"), QByteArray((1 << 20) + 1, 'p')},
        // A number that is not one, or a length below 0, fails the instruction.
        {"cursor", sc(cut + "#SETCURSOR#=0e999|#FIND#=c#06"), eight},
        {"start", sc(cut + "#PUT#=0e999#11|#TAKEWORD#=#01##11##13#"), eight},
        {"length", sc(cut + "#PUT#=-1#11|#TAKEWORDLEN#=#01##14##11#"), eight},
        // A day whose run fails after saving is not stored at all.
        {"failure after a save", sc("#PUT#=Primo#01|#TAKETITLE#=#01|#SAVEDATA#|#PUT#=#05|#TAKEWORD#=#06##05##05#")},
        // Memory running out ends the run, not the program.
        {"allocation", sc("#PUT#=Primo#01|#TAKETITLE#=#01|#SAVEDATA#|#PUT#=http://pages.test/scheda/1#20|"
                          "#OPENNEWWEB#=#20|#PUT#=ran#03")},
    };
    engine.setFetch([this](const QString &url, const QString &file) {
        if (url.contains(QLatin1String("scheda")))
            throw std::bad_alloc();
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(web[url]);
    });
    for (const auto &c : cases) {
        runCase(c.script, c.page);
        expectEndedTooHard(c.name);
        EXPECT_TRUE(rows().empty()) << c.name;
        EXPECT_TRUE(c.check != Counted || (var(7).size() > 0 && var(7).size() < 150)) << c.name << var(7).size();
        EXPECT_LE((c.check == InRecord ? engine.record().TxtUserComments : var(5)).size(), limits.variableBytes)
            << c.name;
    }
}

// A run ends when its time is up, however little each step does; the time a
// box waits for its answer does not count.
TEST_F(LimitsTest, RunTimeIsLimitedButNotTheUsersAnswers)
{
    qint64 now = 0;
    engine.setClock([&now] { return now += 100; });
    limits.lines = limits.work = std::numeric_limits<qint64>::max() / 2;
    limits.runMs = 5000;
    setLimits();
    runCase(scriptOf({"#PUT#=a#01", "#REPEAT#", "#PUT#=b#02", "#WHILE#=#01##02#"}, {"#PUT#=y#03"}));
    expectEndedTooHard("endless loop");
    // Each answer takes twice the whole limit.
    Prompt::setHandler([&](const PromptRequest &r) {
        boxes.push_back(r);
        now += 10000;
        return Answer::Retry;
    });
    // The scan after them looks at the clock many times.
    runCase(scriptOf({"#FIND#=absent#04#ONERROR#=*ASK*", "#FIND#=absent#04#ONERROR#=*ASK*", "#PUT#=1#02", "#REPEAT#",
                      "#FINDLINE#=L#01#", "#WHILE#=#01##02#=="}, {"#PUT#=y#03"}),
            filler(20000, "L"));
    EXPECT_EQ(boxes.size(), 2u) << boxTexts().join('|').toStdString();
    EXPECT_EQ(var(3), QByteArray("y"));
}

// One search along a long line looks at the clock as it goes (at least once
// a megabyte), so a run whose time is up in the middle of it ends there. The
// page is as large as a page may be.
TEST_F(LimitsTest, ALongSearchLooksAtTheClock)
{
    qint64 looks = 0;
    engine.setClock([&looks] { return ++looks * 1000; });
    const QByteArray page = QByteArray(8 << 20, 'a') + "\r\n";
    limits.lines = limits.work = limits.runMs = std::numeric_limits<qint64>::max() / 2;
    limits.pageBytes = page.size();
    setLimits();
    const QByteArray absent = QByteArray(300, 'A') + "b";
    auto search = [&](const QByteArray &word) {
        looks = 0;
        runCase(scriptOf({"#READNEXTLINE#", "#RESETCURSOR#", "#FIND#=" + word + "#04"}, {"#PUT#=y#03"}), page);
        return looks;
    };
    const qint64 atOnce = search("a");
    EXPECT_EQ(var(4), QByteArray("1"));
    EXPECT_GE(search(absent) - atOnce, 6);
    EXPECT_EQ(var(3) + "|" + var(4), "y|0");

    // The time runs out a few pieces into the search.
    limits.runMs = (atOnce + 2) * 1000;
    setLimits();
    search(absent);
    expectEndedTooHard("search");
}
