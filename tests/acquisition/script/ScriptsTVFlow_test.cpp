#include "ScriptFixture.h"

using namespace orv;
using namespace orv::test;

using ControlFlowTest = ScriptFixture;

TEST_F(ControlFlowTest, RepeatLoopsUntilWhileSaysStop)
{
    runScript({"#PUT#=#05", "#PUT#=xxx#06", "#REPEAT#", "#STRING#=#05#=#05#x", "#WHILE#=#05##06#", "#PUT#=done#07",
               "#PUT#=a#05", "#PUT#=a#06", "#PUT#=#08", "#REPEAT#", "#STRING#=#08#=#08#!", "#PUT#=b#05",
               "#WHILE#=#05##06#=="},
              "x\r\n");
    EXPECT_EQ(vars({5, 7}), Bytes({"b", "done"}));
    // "==" loops while the two are equal.
    EXPECT_EQ(var(8), QByteArray("!"));
}

TEST_F(ControlFlowTest, IfComparesTextsExactlyAndNumbersByValue)
{
    struct Case {
        QByteArray a, b, op;
        bool holds;
    } cases[] = {{"Abc", "abc", "==", false}, {"Abc", "abc", "<>", true},   {"abc", "abc", "==", true},
                 {"10", "9", "<<", false},    {"10", "9", ">>", true},      {"12abc", "12", ">>", false},
                 {"", "1", "<<", true},       {"5", "5", "<<", false},      {"5", "5", ">>", false},
                 {"a", "a", "<>==", true},    {"a", "b", "", true}};
    for (const Case &c : cases) {
        engine.ScriptVariabili[1] = c.a;
        engine.ScriptVariabili[2] = c.b;
        engine.ScriptVariabili[3] = "no";
        runScript({"#IF#=#01##02#" + c.op, "#PUT#=yes#03", "#ENDIF#"}, "x\r\n");
        EXPECT_EQ(var(3), QByteArray(c.holds ? "yes" : "no")) << c.a.constData() << c.op.constData() << c.b.constData();
    }
}

TEST_F(ControlFlowTest, InnerIfEndsTheOuterBlock)
{
    engine.ScriptVariabili[1] = "a";
    engine.ScriptVariabili[2] = "b";
    runScript({"#IF#=#01##01#==", "#IF#=#01##02#==", "#PUT#=inner#03", "#ENDIF#", "#PUT#=rest#04", "#ENDIF#"},
              "x\r\n", {"#IF#=#01##02#==", "#IF#=#01##01#==", "#PUT#=inner#05", "#ENDIF#", "#PUT#=rest#06", "#ENDIF#"});
    EXPECT_EQ(vars({3, 4}), Bytes({"", "rest"}));
    // A false outer block is passed over only up to the inner "#ENDIF#".
    EXPECT_EQ(vars({5, 6}), Bytes({"", "rest"}));
}

TEST_F(ControlFlowTest, WhileOutsideALoopGoesBackToLineZero)
{
    writeScript("#PUT#=x#09 title line\r\n#WEBQUERY#http://x.test/\r\n#DOWNLOADINFO#\r\n#PUT#=x#08\r\n"
                "#WHILE#=#08##09#\r\n#PUT#=after#07\r\n#ENDDOWNLOADINFO#\r\n");
    run();
    EXPECT_EQ(vars({9, 7}), Bytes({"x", "after"}));
}

TEST_F(ControlFlowTest, GotoFindsItsLabelAnywhereInAnyCase)
{
    runScript({"#GOTO#=Fine", "#PUT#=skipped#01", "some text FINE: more", "#PUT#=after#02"}, "x\r\n");
    EXPECT_EQ(vars({1, 2}), Bytes({"", "after"}));
}

TEST_F(ControlFlowTest, GotoToAMissingLabelEndsThePass)
{
    answers = {Answer::Retry};
    runScript({"#GOTO#=nowhere", "#PUT#=x#01"}, "x\r\n", {"#PUT#=y#02"});
    EXPECT_EQ(boxTexts(), QStringList{"Error on Script Expression : The #GOTO# Instruction point to a label that "
                                      "didn't exist!Line : 3"});
    EXPECT_EQ(vars({1, 2}), Bytes({"", "y"}));
}

// A runaway run ends through the general failure box and skips the second pass.
TEST_F(ControlFlowTest, RunawayScriptsAreStopped)
{
    const QList<QByteArray> scripts[] = {
        {"#PUT#=a#01", "#REPEAT#", "#PUT#=b#02", "#WHILE#=#01##02#"},
        {"top:", "#IF#=#01##01#==", "#GOTO#=top", "#ENDIF#"},
        // The "#WHILE#" jumps back above the "#IF#", which opens a new block each time.
        {"#PUT#=a#01", "#REPEAT#", "#IF#=#01##01#==", "#WHILE#=#01##02#"},
    };
    ScriptsTV::Limits limits;
    limits.lines = 100000;
    limits.depth = 20;
    engine.setLimits(limits);
    for (const auto &script : scripts) {
        boxes.clear();
        engine.ScriptVariabili[3].clear();
        runScript(script, "x\r\n", {"#PUT#=y#03"});
        ASSERT_EQ(boxes.size(), 1u) << script.join(' ').constData();
        EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("General Script Failure")));
        EXPECT_EQ(var(3), QByteArray());
    }
}

using TypeBlockTest = ScriptFixture;

TEST_F(TypeBlockTest, BlockRunsForTypesListedInImporta)
{
    struct Case {
        QByteArray type;
        bool all, none, runs;
    } cases[] = {{"Film Commedia", false, false, true}, {"film", false, false, false}, {"", false, false, false},
                 {"Talk show", true, false, true},      {"Film", true, true, false},   {"Film", false, true, false}};
    for (const Case &c : cases) {
        TakeAll = c.all;
        TakeNone = c.none;
        engine.ScriptVariabili[3] = "no";
        runScript({"#PUT#=" + c.type + "#01", "#TAKETYPE#=#01", "#STARTGODEEP#", "#PUT#=yes#03", "#ENDGODEEP#",
                   "#PUT#=after#04"},
                  "x\r\n");
        EXPECT_EQ(var(3), QByteArray(c.runs ? "yes" : "no")) << c.type.constData() << c.all << c.none;
        EXPECT_EQ(var(4), QByteArray("after"));
    }
}

using TagBlockTest = ScriptFixture;

TEST_F(TagBlockTest, TagBlocksMayStandAfterTheSections)
{
    writeScript(scriptOf({"#PUT#=<b>a</b> &amp; b=c#05", "#CHECKVARIABLE#=#05", "#STARTDELETETAGS#",
                          "#STARTSUBSTITUTETAGS#"}) +
                "#DELETETAGS#\r\n#TAG#=<b>\r\n#TAG#=</b>\r\n#ENDDELETETAGS#\r\n"
                "#DELETETAGS#\r\n#TAG#=a\r\n#ENDDELETETAGS#\r\n"
                "#SUBSTITUTETAGS#\r\n=&amp;=&\r\n=b=c=d=\r\n==zz\r\n#ENDSUBSTITUTETAGS#\r\n");
    web[PageUrl] = "x\r\n";
    run();
    EXPECT_EQ(var(5), QByteArray(" a  & c=d==c"));
}

using PageSwitchTest = ScriptFixture;

static const QByteArray kGen2 = "#SCRIPTGENERATION#=2\r\n";

TEST_F(PageSwitchTest, SlotsKeepTheirReadPositions)
{
    web["http://pages.test/scheda/1"] = "D1\r\nD2\r\n";
    writeScript(scriptOf({"#PUT#=0#10", "#READNEXTLINE#", "#TAKEWORD#=#01##10##10#", "#PUT#=http://pages.test/scheda/1#20",
                          "#OPENNEWWEB#=#20", "#READNEXTLINE#", "#TAKEWORD#=#02##10##10#", "#RESTOREWEB#",
                          "#READNEXTLINE#", "#TAKEWORD#=#03##10##10#", "#OPENNEWWEB#=#20", "#READNEXTLINE#",
                          "#TAKEWORD#=#04##10##10#"},
                         {"#READNEXTLINE#", "#TAKEWORD#=#05##10##10#", "#RESTOREWEB#", "#READNEXTLINE#",
                          "#TAKEWORD#=#06##10##10#"},
                         kGen2));
    web[PageUrl] = "M1\r\nM2\r\nM3\r\n";
    run();
    EXPECT_EQ(vars({1, 2, 3, 4}), Bytes({"M1", "D1", "M2", "D1"}));
    // The page made current in the first pass is still read in the second.
    EXPECT_EQ(vars({5, 6}), Bytes({"D2", "M1"}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PageSwitchTest, NonWebAddressIsRefusedWithoutFetching)
{
    answers = {Answer::Retry};
    runScript({"#PUT#=file:///etc/passwd#20", "#OPENNEWWEB#=#20", "#PUT#=#21", "#OPENNEWWEB#=#21", "#PUT#=x#01"},
              "M1\r\n");
    EXPECT_EQ(boxTexts(), QStringList({"Error on Script Expression : #OPENNEWWEB# Line : 4",
                                       "Error on Script Expression : #OPENNEWWEB# Line : 6"}));
    EXPECT_EQ(fetched, QStringList{PageUrl});
    EXPECT_EQ(var(1), QByteArray("x"));
    EXPECT_EQ(engine.ScriptFilePagina, 21);
}

TEST_F(PageSwitchTest, FailedSecondPageIsNeverAnEarlierOne)
{
    web["http://pages.test/scheda/1"] = "D1\r\n";
    writeScript(scriptOf({"#PUT#=0#10", "#OPENNEWWEB#=#20", "#READNEXTLINE#", "#TAKEWORD#=#01##10##10#"}, {}, kGen2));
    web[PageUrl] = "M1\r\n";
    engine.ScriptVariabili[20] = "http://pages.test/scheda/1";
    run();
    ASSERT_EQ(var(1), QByteArray("D1"));
    engine.ScriptVariabili[20] = "http://pages.test/scheda/2";
    engine.ScriptRigaPagina.clear();
    engine.ScriptVariabili[1].clear();
    answers = {Answer::Retry};
    run();
    EXPECT_EQ(boxTexts(), QStringList{"The Web Page Is End, This Shouldn't Happen ! Take a look at #REPEAT#-#WHILE# "
                                      "Function Line : 6"});
    EXPECT_EQ(var(1), QByteArray());
}

TEST_F(PageSwitchTest, StartReadWebRewindsTheCurrentPage)
{
    answers = {Answer::Retry};
    writeScript(scriptOf({"#PUT#=0#10", "#READNEXTLINE#", "#READNEXTLINE#", "#STARTREADWEB#", "#FIND#=M#01",
                          "#READNEXTLINE#", "#TAKEWORD#=#02##10##10#"},
                         {}, kGen2));
    web[PageUrl] = "M1\r\nM2\r\n";
    run();
    EXPECT_EQ(boxTexts(), QStringList{"General Script Failure, Check Script's Line n° : 8"});
    EXPECT_EQ(var(2), QByteArray("M1"));
}
