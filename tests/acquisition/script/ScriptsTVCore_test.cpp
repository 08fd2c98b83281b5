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
    writeScript("t\r\n#REPLACESPACES#=-,x\r\n#REPLACESPACES#=_\r\n#WEBQUERY#http://x.test/a b\r\n");
    run();
    EXPECT_EQ(fetched, QStringList({"http://x.test/a%20b%20c", "http://x.test/a_b"}));
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

// A CR LF page gains an empty line after each; an LF page is split at its LFs
// and ends with the two blank lines added.
TEST_F(ScriptRunTest, PagesAreNormalisedBeforeReading)
{
    const QList<QByteArray> read = {"#PUT#=0#10", "#READNEXTLINE#", "#TAKEWORD#=#01##10##10#", "#READNEXTLINE#",
                                    "#TAKEWORD#=#02##10##10#", "#READNEXTLINE#", "#TAKEWORD#=#03##10##10#"};
    runScript(read, "uno\r\ndue\r\n");
    EXPECT_EQ(vars({1, 2, 3}), Bytes({"uno", "", "due"}));
    runScript(read, "uno\ndue");
    EXPECT_EQ(vars({1, 2, 3}), Bytes({"uno", "due  ", ""}));
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

TEST_F(ScriptRunTest, GeneralFailureRetryGoesOnCancelEndsTheRun)
{
    const QList<QByteArray> script = {"#PUT#=a#01", "#PUT#=b#ab", "#PUT#=c#03"};
    answers = {Answer::Retry};
    runScript(script, "x\r\n", {"#PUT#=d#04"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("General Script Failure, Check Script's Line n° : 4"));
    EXPECT_EQ(boxes[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(boxes[0].defaultAnswer, Answer::Cancel);
    EXPECT_EQ(engine.RispostaScript, 4);
    EXPECT_EQ(vars({3, 4}), Bytes({"c", "d"}));

    engine.ScriptVariabili[3].clear();
    engine.ScriptVariabili[4].clear();
    runScript(script, "x\r\n", {"#PUT#=d#04"});
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(engine.RispostaScript, 2);
    EXPECT_EQ(vars({3, 4}), Bytes({"", ""}));
    // The next run opens its pages without hindrance.
    runScript({"#READNEXTLINE#", "#PUT#=ok#05"}, "x\r\n");
    EXPECT_EQ(var(5), QByteArray("ok"));
}

// Stop does not cut a day's run short: the day ends and is stored whole.
TEST_F(ScriptRunTest, StopLetsTheDaysRunEndAndStoresIt)
{
    int pumps = 0;
    engine.setEventPump([&pumps] {
        if (++pumps > 1)
            Annulla = true;
    });
    QList<QByteArray> many;
    for (int i = 0; i < 4900; ++i)
        many << "#PUT#=x#10";
    many << "#PUT#=end#01" << "#SAVEDATA#";
    runScript(many, "x\r\n");
    Annulla = false;
    EXPECT_GT(pumps, 1);
    EXPECT_EQ(vars({10, 1}), Bytes({"x", "end"}));
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_FALSE(engine.failed());
    EXPECT_TRUE(boxes.empty());
}
