#include "ScriptFixture.h"

using namespace orv;
using namespace orv::test;

using SearchInstructionTest = ScriptFixture;

// Page line 1 holds the word at column 5.
static const QByteArray kPage = "abc word\r\nnext line\r\nlast WORD here\r\n";

TEST_F(SearchInstructionTest, FindGivesTheColumnAndKeepsTheCursorOnIt)
{
    runScript({"#READNEXTLINE#", "#FIND#=WORD#01", "#FIND#=word#02", "#COMPUTECURSOR#=1", "#FIND#=word#03", "#PUTCURSOR#=#04"}, kPage);
    EXPECT_EQ(vars({1, 2, 3, 4}), Bytes({"5", "5", "0", "6"}));
    EXPECT_TRUE(boxes.empty());
}

// A long line is searched a piece at a time: a word across the pieces'
// borders is found at its column, and a new line is searched, not the old.
TEST_F(SearchInstructionTest, FindSearchesLongLinesWhole)
{
    QByteArray line(3 << 20, 'x');
    line.replace((1 << 20) - 3, 6, "NeEdLe");
    line.replace((2 << 20) - 2, 6, "needle");
    const QByteArray second = QByteArray(line.size() - 7, 'y') + "NEEDLE!";
    runScript({"#READNEXTLINE#", "#FIND#=needle#01", "#COMPUTECURSOR#=1", "#FIND#=nEEDLE#02", "#COMPUTECURSOR#=1",
               "#FIND#=needle#03", "#READNEXTLINE#", "#FIND#=needle#04"},
              line + "\n" + second + "\n");
    EXPECT_TRUE(boxes.empty()) << boxTexts().join('|').toStdString();
    EXPECT_EQ(vars({1, 2, 3, 4}), Bytes({QByteArray::number((1 << 20) - 2), QByteArray::number((2 << 20) - 1), "0",
                                         QByteArray::number(second.size() - 6)}));
}

TEST_F(SearchInstructionTest, FindAskActionIsExactCase)
{
    runScript({"#READNEXTLINE#", "#FIND#=zzz#01#ONERROR#=*ask*", "#FIND#=zzz#02#onerror#=*ASK*", "#PUT#=x#03"}, kPage);
    EXPECT_EQ(vars({1, 2}), Bytes({"0", "0"}));
    EXPECT_EQ(boxTexts(), QStringList{"Can't Find The Word : zzz On the #FIND# ScriptLine : 5"});
    EXPECT_EQ(boxes[0].title, QStringLiteral("Script Engine Information"));
    EXPECT_EQ(boxes[0].buttons, Buttons::RetryCancel);
    // Cancel ends loops and blocks, not the pass.
    EXPECT_EQ(var(3), QByteArray("x"));
    EXPECT_TRUE(engine.ScriptEsciCiclo);
}

TEST_F(SearchInstructionTest, FindWithoutVariableStopsThePass)
{
    runScript({"#READNEXTLINE#", "#FIND#=word", "#PUT#=x#01"}, kPage, {"#PUT#=y#02"});
    EXPECT_EQ(boxTexts(),
              QStringList{"Error on Script Expression : The #FIND# Instruction is not complete !Line : 4"});
    EXPECT_EQ(vars({1, 2}), Bytes({"", "y"}));
}

TEST_F(SearchInstructionTest, FindLineReadsForwardToTheWord)
{
    runScript({"#FINDLINE#=word#01", "#FINDLINE#=HERE#02", "#PUT#=0#10", "#TAKEWORD#=#03##10##10#", "#PUTCURSOR#=#04"}, kPage);
    EXPECT_EQ(vars({1, 2, 3, 4}), Bytes({"1", "1", "last WORD here", "11"}));
}

TEST_F(SearchInstructionTest, FindLineStopEndsThePassAskShowsTheBox)
{
    runScript({"#FINDLINE#=zzz#01#ONERROR#=*STOP*", "#PUT#=x#02"}, kPage,
              {"#FINDLINE#=zzz#03#ONERROR#=*ASK*", "#PUT#=y#04"});
    EXPECT_EQ(vars({1, 2, 3}), Bytes({"0", "", "0"}));
    EXPECT_EQ(boxTexts(), QStringList{"Can't Find The Word : zzzLine : 7"});
    EXPECT_EQ(var(4), QByteArray("y"));
}

using CursorInstructionTest = ScriptFixture;

TEST_F(CursorInstructionTest, SetAndComputeCursor)
{
    runScript({"#SETCURSOR#=12", "#COMPUTECURSOR#=-2", "#PUTCURSOR#=#01", "#COMPUTECURSOR#=abc", "#PUTCURSOR#=#02",
               "#SETCURSOR#=x7", "#PUTCURSOR#=#03"},
              kPage);
    EXPECT_EQ(vars({1, 2, 3}), Bytes({"10", "10", "x7"}));
}

using TextInstructionTest = ScriptFixture;

TEST_F(TextInstructionTest, TakeWordCutsBetweenColumns)
{
    struct Case {
        QByteArray bb, cc, expected;
    } cases[] = {{"2", "6", "cde"}, {"2", "0", "cdefgh"}, {"2", "x", "cdefgh"}, {"0", "9", "abcdefgh"},
                 {"6", "20", "gh"}};
    for (const Case &c : cases) {
        engine.ScriptVariabili[1] = "unchanged";
        engine.ScriptVariabili[2] = c.bb;
        engine.ScriptVariabili[3] = c.cc;
        runScript({"#READNEXTLINE#", "#TAKEWORD#=#01##02##03#"}, "abcdefgh\r\n");
        EXPECT_EQ(var(1), c.expected) << c.bb.constData() << "," << c.cc.constData();
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(TextInstructionTest, TakeWordEmptyRangeShowsTheBoxOrStopsSilentlyWithScriptError)
{
    const QList<QByteArray> script = {"#READNEXTLINE#", "#PUT#=5#02", "#PUT#=6#03", "#TAKEWORD#=#01##02##03#",
                                      "#PUT#=x#04"};
    answers = {Answer::Retry};
    engine.ScriptVariabili[1] = "old";
    runScript(script, "abcdefgh\r\n");
    EXPECT_EQ(boxTexts(),
              QStringList{"Error on Script Expression : The #TAKEWORD# Instruction is not complete !Line : 6"});
    EXPECT_EQ(vars({1, 4}), Bytes({"old", "x"}));

    boxes.clear();
    engine.ScriptVariabili[4].clear();
    ScriptError = true;
    runScript(script, "abcdefgh\r\n", {"#PUT#=y#05"});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(vars({4, 5}), Bytes({"", "y"}));
}

TEST_F(TextInstructionTest, TakeWordLenTakesAGivenLength)
{
    runScript({"#READNEXTLINE#", "#PUT#=2#02", "#PUT#=3#03", "#TAKEWORDLEN#=#01##02##03#", "#PUT#=7#02",
               "#TAKEWORDLEN#=#04##02##03#"},
              "abcdefgh\r\n");
    EXPECT_EQ(vars({1, 4}), Bytes({"cde", "h"}));
}

TEST_F(TextInstructionTest, StringExpandsVariablesInOrder)
{
    engine.ScriptVariabili[5] = "#06#";
    engine.ScriptVariabili[6] = "sei";
    engine.ScriptVariabili[7] = "#01#";
    runScript({"#PUT#=20#01", "#PUT#=30#02", "#STRING#=#09#=Ora #01#:#02# #50#", "#STRING#=#10#=#05#/#07#",
               "#STRING#=#11#=a#ONERROR#=*STOP*"},
              kPage);
    EXPECT_EQ(vars({9, 10, 11}), Bytes({"Ora 20:30 #50#", "sei/#01#", "a"}));
    EXPECT_EQ(engine.ScriptSuErrore, QByteArray("*STOP*"));
}

TEST_F(TextInstructionTest, VariableNumbersAreChecked)
{
    answers = {Answer::Retry, Answer::Retry, Answer::Retry};
    runScript({"#PUT#=a#51", "#PUT#=b#-1", "#PUT#=c#x1", "#PUT#=d#5 ", "#PUT#=e#5"}, kPage);
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(var(5), QByteArray("e"));
}
