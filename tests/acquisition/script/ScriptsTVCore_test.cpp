#include "ScriptFixture.h"

using namespace orv;
using namespace orv::test;

using ScriptRunTest = ScriptFixture;

TEST_F(ScriptRunTest, QueryTakesTheDayApartWithExactCase)
{
    writeScript("t\r\n#WEBQUERY# http://x.test/#LONGYEAR#/#MONTH#/#DAY#?y=#SHORTYEAR#&d=#day# \r\n");
    run("20260309");
    ASSERT_EQ(fetched.size(), 1);
    EXPECT_EQ(fetched[0], QStringLiteral("http://x.test/2026/03/09?y=26&d=#day#"));
}

TEST_F(ScriptRunTest, BlanksInsideTheQueryAreReplaced)
{
    writeScript("t\r\n#WEBQUERY#http://x.test/a b c  \r\n");
    run();
    writeScript("t\r\n#REPLACESPACES#=+\r\n#WEBQUERY#http://x.test/a b\r\n");
    run();
    writeScript("t\r\n#REPLACESPACES#=\r\n#WEBQUERY#http://x.test/a b\r\n");
    run();
    writeScript("t\r\n#REPLACESPACES#=-,x\r\n#REPLACESPACES#=_\r\n#WEBQUERY#http://x.test/a b\r\n");
    run();
    EXPECT_EQ(fetched, QStringList({"http://x.test/a%20b%20c", "http://x.test/a+b", "http://x.test/a%20b",
                                    "http://x.test/a_b"}));
}

TEST_F(ScriptRunTest, QueryOnlyOnLineZeroGivesTheS1Box)
{
    writeScript("#WEBQUERY#http://x.test/\r\n#DOWNLOADINFO#\r\n#PUT#=x#01\r\n#ENDDOWNLOADINFO#\r\n");
    run();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Errore In Ricezione Dati da Internet. Codice (S1)!"));
    EXPECT_EQ(boxes[0].buttons, Buttons::Ok);
    EXPECT_TRUE(fetched.isEmpty());
    EXPECT_EQ(var(1), QByteArray());
}

TEST_F(ScriptRunTest, ScriptWithLoneLfLinesIsOneLine)
{
    writeScript("t\n#WEBQUERY#http://x.test/\n");
    run();
    EXPECT_EQ(boxTexts(), QStringList{"Errore In Ricezione Dati da Internet. Codice (S1)!"});
}

TEST_F(ScriptRunTest, QueryWithoutHttpEndsTheRunSilently)
{
    writeScript(scriptOf({"#PUT#=x#01"}).replace("http://", "ftp://"));
    run();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(fetched.isEmpty());
    EXPECT_EQ(var(1), QByteArray());
}

TEST_F(ScriptRunTest, NormalisedCrLfPageReadsEachLineThenAnEmptyOne)
{
    runScript({"#READNEXTLINE#", "#PUT#=0#10", "#TAKEWORD#=#01##10##10#", "#READNEXTLINE#",
               "#TAKEWORD#=#02##10##10#", "#READNEXTLINE#", "#TAKEWORD#=#03##10##10#"},
              "uno\r\ndue\r\n");
    EXPECT_EQ(var(1), QByteArray("uno"));
    EXPECT_EQ(var(2), QByteArray(""));
    EXPECT_EQ(var(3), QByteArray("due"));
}

TEST_F(ScriptRunTest, NormalisedLfPageReadsLineByLineAndEndsWithBlanks)
{
    runScript({"#PUT#=0#10", "#READNEXTLINE#", "#TAKEWORD#=#01##10##10#", "#READNEXTLINE#",
               "#TAKEWORD#=#02##10##10#", "#READNEXTLINE#", "#TAKEWORD#=#03##10##10#"},
              "uno\ndue");
    EXPECT_EQ(var(1), QByteArray("uno"));
    EXPECT_EQ(var(2), QByteArray("due  "));
    EXPECT_EQ(var(3), QByteArray(""));
}

TEST_F(ScriptRunTest, GenerationTwoReadsThePageAsFetched)
{
    writeScript(scriptOf({"#PUT#=0#10", "#READNEXTLINE#", "#TAKEWORD#=#01##10##10#"}, {},
                         "#SCRIPTGENERATION#=2\r\n"));
    web[PageUrl] = "uno\ndue";
    run();
    EXPECT_EQ(var(1), QByteArray("uno\ndue"));
    EXPECT_EQ(engine.ScriptGeneration, 2);
}

TEST_F(ScriptRunTest, GenerationReadsTheHeaderItem)
{
    writeScript(scriptOf({}, {}, "#SCRIPTGENERATION#=abc\r\n"));
    run();
    EXPECT_EQ(engine.ScriptGeneration, 0);
    writeScript(scriptOf({}, {}, "#SCRIPTGENERATION#=2.5\r\n"));
    run();
    EXPECT_EQ(engine.ScriptGeneration, 2);
    writeScript(scriptOf({}));
    run();
    EXPECT_EQ(engine.ScriptGeneration, 1);
}

TEST_F(ScriptRunTest, SectionsRunInTheirPassesOnly)
{
    writeScript("t\r\n#WEBQUERY#http://x.test/\r\n#PUT#=outside#01\r\n#COMMENTS#\r\n#PUT#=second#02\r\n"
                "#ENDCOMMENTS#\r\n#PUT#=after#03\r\n");
    run();
    EXPECT_EQ(var(1), QByteArray());
    EXPECT_EQ(var(2), QByteArray("second"));
    EXPECT_EQ(var(3), QByteArray());
}

TEST_F(ScriptRunTest, MarkerLineIsNeverExecuted)
{
    writeScript("t\r\n#WEBQUERY#http://x.test/\r\n#DOWNLOADINFO# #PUT#=x#01\r\n#PUT#=y#02\r\n#ENDDOWNLOADINFO#\r\n");
    run();
    EXPECT_EQ(var(1), QByteArray());
    EXPECT_EQ(var(2), QByteArray("y"));
}

TEST_F(ScriptRunTest, EarlierKeywordInTheTableWins)
{
    runScript({"#put#=a #SAVEDATA# b#01"}, "x\r\n");
    EXPECT_EQ(var(1), QByteArray());
    EXPECT_EQ(rows().size(), 1u);
}

TEST_F(ScriptRunTest, VariablesPersistAcrossRunsAndChannels)
{
    runScript({"#PUT#=kept#07"}, "x\r\n");
    writeScript(scriptOf({"#STRING#=#08#=#07#!"}));
    engine.ESEGUI_SCRIPT_TV(QStringLiteral("script.txt"), QStringLiteral("Altro"), QStringLiteral("20260310"));
    EXPECT_EQ(var(8), QByteArray("kept!"));
}

TEST_F(ScriptRunTest, FailedFetchNeverReadsAnEarlierPage)
{
    runScript({"#READNEXTLINE#", "#PUT#=0#10", "#TAKEWORD#=#01##10##10#"}, "vecchia pagina\r\n");
    EXPECT_EQ(var(1), QByteArray("vecchia pagina"));
    web.clear();
    run();
    EXPECT_EQ(var(1), QByteArray("  "));
}

TEST_F(ScriptRunTest, FailedGenerationTwoFetchReadsAnEmptyPage)
{
    writeScript(scriptOf({"#READNEXTLINE#", "#PUT#=0#10", "#TAKEWORD#=#01##10##10#"}, {},
                         "#SCRIPTGENERATION#=2\r\n"));
    web[PageUrl] = "pagina\r\n";
    run();
    ASSERT_EQ(var(1), QByteArray("pagina"));
    web.clear();
    engine.ScriptRigaPagina.clear();
    answers = {Answer::Retry};
    run();
    // Neither the earlier page nor a failure: a page without lines.
    EXPECT_EQ(boxTexts(), QStringList{"The Web Page Is End, This Shouldn't Happen ! Take a look at #REPEAT#-#WHILE# "
                                      "Function Line : 4"});
    EXPECT_EQ(var(1), QByteArray());
}

TEST_F(ScriptRunTest, GeneralFailureShowsTheLineAndRetryGoesOn)
{
    answers = {Answer::Retry};
    runScript({"#PUT#=a#01", "#PUT#=b#ab", "#PUT#=c#03"}, "x\r\n");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("General Script Failure, Check Script's Line n° : 4"));
    EXPECT_EQ(boxes[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(boxes[0].defaultAnswer, Answer::Cancel);
    EXPECT_EQ(engine.RispostaScript, 4);
    EXPECT_EQ(var(3), QByteArray("c"));
}

TEST_F(ScriptRunTest, CancelInTheGeneralFailureBoxEndsTheRun)
{
    runScript({"#PUT#=b#51", "#PUT#=c#03"}, "x\r\n", {"#PUT#=d#04"});
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(engine.RispostaScript, 2);
    EXPECT_EQ(var(3), QByteArray());
    EXPECT_EQ(var(4), QByteArray());
    // The next run opens its pages without hindrance.
    runScript({"#READNEXTLINE#", "#PUT#=ok#05"}, "x\r\n");
    EXPECT_EQ(var(5), QByteArray("ok"));
}

TEST_F(ScriptRunTest, SecondPassRunsAfterTheFirstWasStopped)
{
    runScript({"#PUT#=nohash", "#PUT#=a#01"}, "x\r\n", {"#PUT#=b#02"});
    EXPECT_EQ(boxTexts(), QStringList{"Error on Script Expression : The #PUT# Instruction is not complete !Line : 3"});
    EXPECT_EQ(var(1), QByteArray());
    EXPECT_EQ(var(2), QByteArray("b"));
}

TEST_F(ScriptRunTest, RunawayRunEndsThroughTheGeneralFailureBox)
{
    engine.setMaxExecutedLines(20);
    answers = {Answer::Retry};
    QList<QByteArray> many;
    for (int i = 0; i < 40; ++i)
        many << "#PUT#=x#" + QByteArray::number(10 + i % 10);
    many << "#PUT#=end#01";
    runScript(many, "x\r\n", {"#PUT#=second#02"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("General Script Failure")));
    EXPECT_EQ(var(1), QByteArray());
    EXPECT_EQ(var(2), QByteArray());
}

TEST_F(ScriptRunTest, StopButtonEndsTheRun)
{
    int pumps = 0;
    engine.setEventPump([&pumps] {
        if (++pumps > 1)
            Annulla = true;
    });
    QList<QByteArray> many;
    for (int i = 0; i < 4900; ++i)
        many << "#PUT#=x#10";
    many << "#PUT#=end#01";
    runScript(many, "x\r\n");
    Annulla = false;
    EXPECT_GT(pumps, 1);
    EXPECT_EQ(var(10), QByteArray("x"));
    EXPECT_EQ(var(1), QByteArray());
    EXPECT_TRUE(boxes.empty());
}
