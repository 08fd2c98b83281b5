#include "ScriptFixture.h"

using namespace orv;
using namespace orv::test;

using ScriptRunTest = ScriptFixture;

namespace {

// One run of a script, its lines given apart by "|": variables set before it,
// and the variables from 01 on and the boxes it leaves. Rows run in turn on
// one engine, as a day's channels do.
enum Flags { Retry = 1, ScriptErrorOn = 2, Gen2 = 4, All = 8, None = 16 };
struct Row {
    const char *name;
    QByteArray s1, page = "x\r\n", expect = {};
    QString boxes = {};
    int flags = 0;
    QByteArray s2 = {};
    std::map<int, QByteArray> preset = {};
    QByteArray tail = {};
};

const QByteArray kPage = "abc word\r\nnext line\r\nlast WORD here\r\n", kEight = "abcdefgh\r\n",
                 kRead3 = "#PUT#=0#10|#READNEXTLINE#|#TAKEWORD#=#01##10##10#|#READNEXTLINE#|#TAKEWORD#=#02##10##10#|"
                          "#READNEXTLINE#|#TAKEWORD#=#03##10##10#",
                 kEmptyRange = "#READNEXTLINE#|#PUT#=5#02|#PUT#=6#03|#TAKEWORD#=#01##02##03#|#PUT#=x#04",
                 kSecondPage = "#PUT#=0#10|#OPENNEWWEB#=#20|#READNEXTLINE#|#TAKEWORD#=#01##10##10#";
const QString kFailure = QStringLiteral("General Script Failure, Check Script's Line n° : "),
              kPageEnd = QStringLiteral("The Web Page Is End, This Shouldn't Happen ! Take a look at #REPEAT#-#WHILE# "
                                        "Function Line : %1"),
              kOpen = QStringLiteral("Error on Script Expression : #OPENNEWWEB# Line : %1"),
              kIncomplete =
                  QStringLiteral("Error on Script Expression : The #%1# Instruction is not complete !Line : %2");

const Row kRows[] = {
    {"CR LF page gains an empty line after each", kRead3, "uno\r\ndue\r\n", "uno||due"},
    {"LF page ends in two blanks", kRead3, "uno\ndue", "uno|due  |"},
    {"failed fetch never reads an earlier page", kRead3, {}, "  ||  "},
    {"find and cursor",
     "#READNEXTLINE#|#FIND#=WORD#01|#FIND#=word#02|#COMPUTECURSOR#=1|#FIND#=word#03|#PUTCURSOR#=#04|#SETCURSOR#=12|"
     "#COMPUTECURSOR#=-2|#PUTCURSOR#=#05|#COMPUTECURSOR#=abc|#PUTCURSOR#=#06|#SETCURSOR#=x7|#PUTCURSOR#=#07", kPage,
     "5|5|0|6|10|10|x7"},
    // Cancel ends loops and blocks, not the pass.
    {"find *ASK* is exact case", "#READNEXTLINE#|#FIND#=zzz#01#ONERROR#=*ask*|#FIND#=zzz#02#onerror#=*ASK*|#PUT#=x#03",
     kPage, "0|0|x", "Can't Find The Word : zzz On the #FIND# ScriptLine : 5"},
    {"findline", "#FINDLINE#=word#01|#FINDLINE#=HERE#02|#PUT#=0#10|#TAKEWORD#=#03##10##10#|#PUTCURSOR#=#04", kPage,
     "1|1|last WORD here|11"},
    {"findline *STOP* and *ASK*, exact case",
     "#FINDLINE#=zzz#01#ONERROR#=*stop*|#PUT#=x#02|#FINDLINE#=zzz#01#ONERROR#=*STOP*|#PUT#=z#02", kPage, "0|x|0|y",
     "Can't Find The Word : zzzLine : 10", 0,
     "#FINDLINE#=zzz#03#ONERROR#=*ask*|#FINDLINE#=zzz#03#ONERROR#=*ASK*|#PUT#=y#04"},
    {"takeword and takewordlen",
     "#READNEXTLINE#|#TAKEWORD#=#01##21##22#|#TAKEWORD#=#02##21##23#|#TAKEWORD#=#03##21##24#|#TAKEWORD#=#04##23##25#|"
     "#TAKEWORD#=#05##22##26#|#TAKEWORDLEN#=#06##21##27#|#TAKEWORDLEN#=#07##28##27#", kEight,
     "cde|cdefgh|cdefgh|abcdefgh|gh|cde|h", {}, 0, {},
     {{21, "2"}, {22, "6"}, {23, "0"}, {24, "x"}, {25, "9"}, {26, "20"}, {27, "3"}, {28, "7"}}},
    {"takeword empty range", kEmptyRange, kEight, "old|5|6|x", kIncomplete.arg("TAKEWORD").arg(6), Retry, {},
     {{1, "old"}}},
    {"takeword empty range, ScriptError on", kEmptyRange, kEight, "|5|6||y", {}, ScriptErrorOn, "#PUT#=y#05"},
    {"string", "#PUT#=20#01|#PUT#=30#02|#STRING#=#09#=Ora #01#:#02# #50#|#STRING#=#10#=#05#/#07#|"
     "#STRING#=#11#=a#ONERROR#=*STOP*", "x\r\n", "20|30|||#06#|sei|#01#||Ora 20:30 #50#|sei/#01#|a", {}, 0, {},
     {{5, "#06#"}, {6, "sei"}, {7, "#01#"}}},
    {"variable numbers", "#PUT#=a#51|#PUT#=b#-1|#PUT#=c#x1|#PUT#= d #5 ", "x\r\n", "|||| d ",
     kFailure + "3|" + kFailure + "4|" + kFailure + "5", Retry},
    {"instruction without its #", "#TAKEHOUR#=03|#PUT#=x#02", "x\r\n", "|", kIncomplete.arg("TAKEHOUR").arg(3), Retry},
    {"general failure, Retry goes on", "#PUT#=a#01|#PUT#=b#ab|#PUT#=c#03", "x\r\n", "a||c|d", kFailure + "4", Retry,
     "#PUT#=d#04"},
    {"general failure, Cancel ends the run", "#PUT#=a#01|#PUT#=b#ab|#PUT#=c#03", "x\r\n", "a|||", kFailure + "4", 0,
     "#PUT#=d#04"},
    // "==" loops while the two are equal.
    {"repeat", "#PUT#=#05|#PUT#=xxx#06|#REPEAT#|#STRING#=#05#=#05#x|#WHILE#=#05##06#|#PUT#=done#07|#PUT#=a#05|"
     "#PUT#=a#06|#PUT#=#08|#REPEAT#|#STRING#=#08#=#08#!|#PUT#=b#05|#WHILE#=#05##06#==", "x\r\n", "||||b|a|done|!"},
    // Texts compare exactly, numbers by value; "==" and "<>" together hold.
    {"if", "#IF#=#11##12#==|#PUT#=y#01|#ENDIF#|#IF#=#11##12#<>|#PUT#=y#02|#ENDIF#|#IF#=#13##14#<<|#PUT#=y#03|#ENDIF#|"
     "#IF#=#13##14#>>|#PUT#=y#04|#ENDIF#|#IF#=#15##16#>>|#PUT#=y#05|#ENDIF#|#IF#=#17##18#<<|#PUT#=y#06|#ENDIF#|"
     "#IF#=#19##19#<<|#PUT#=y#07|#ENDIF#|#IF#=#11##11#<>==|#PUT#=y#08|#ENDIF#|#IF#=#11##12#|#PUT#=y#09|#ENDIF#",
     "x\r\n", "|y||y||y||y|y", {}, 0, {},
     {{11, "Abc"}, {12, "abc"}, {13, "10"}, {14, "9"}, {15, "12abc"}, {16, "12"}, {17, ""}, {18, "1"}, {19, "5"}}},
    // An inner "#ENDIF#" ends the outer block too, true or false.
    {"if blocks", "#IF#=#01##01#==|#IF#=#01##02#==|#PUT#=inner#03|#ENDIF#|#PUT#=rest#04|#ENDIF#", "x\r\n",
     "a|b||rest||rest", {}, 0, "#IF#=#01##02#==|#IF#=#01##01#==|#PUT#=inner#05|#ENDIF#|#PUT#=rest#06|#ENDIF#",
     {{1, "a"}, {2, "b"}}},
    // A type block runs for the types listed in Importa, all of them or none.
    {"type listed", "#PUT#=Film Commedia#01|#TAKETYPE#=#01|#STARTGODEEP#|#PUT#=y#02|#ENDGODEEP#|#PUT#=z#03", "x\r\n",
     "Film Commedia|y|z"},
    {"type not listed", "#PUT#=film#01|#TAKETYPE#=#01|#STARTGODEEP#|#PUT#=y#02|#ENDGODEEP#|#PUT#=z#03", "x\r\n",
     "film||z"},
    {"no type", "#TAKETYPE#=#01|#STARTGODEEP#|#PUT#=y#02|#ENDGODEEP#|#PUT#=z#03", "x\r\n", "||z"},
    {"all types", "#PUT#=Talk show#01|#TAKETYPE#=#01|#STARTGODEEP#|#PUT#=y#02|#ENDGODEEP#", "x\r\n", "Talk show|y", {},
     All},
    {"no types", "#PUT#=Film#01|#TAKETYPE#=#01|#STARTGODEEP#|#PUT#=y#02|#ENDGODEEP#", "x\r\n", "Film|", {}, All | None},
    {"goto finds its whole label anywhere in any case",
     "#GOTO#=Fine|#PUT#=skipped#01|Ravine:|#PUT#=skipped#01|some text FINE: more|#PUT#=after#02", "x\r\n", "|after"},
    {"goto to a missing label ends the pass", "#GOTO#=nowhere|#PUT#=x#01", "x\r\n", "|y",
     "Error on Script Expression : The #GOTO# Instruction point to a label that didn't exist!Line : 3", Retry,
     "#PUT#=y#02"},
    {"tag blocks after the sections, with case, and not after a stop",
     "#PUT#=<b>a</b> &amp; b=c<B>#05|#CHECKVARIABLE#=#05|#STARTDELETETAGS#|#STARTSUBSTITUTETAGS#", "x\r\n",
     "0|||| a  & c=d==c<B>|<b>", {}, 0, "#CHECKVARIABLE#=#50|#STARTDELETETAGS#|#PUT#=<b>#06|#CHECKVARIABLE#=#06|"
     "#IF#=#06##06#==|#FINDLINE#=z#01#ONERROR#=*STOP*|#STARTDELETETAGS#|#ENDIF#", {},
     "#DELETETAGS#\r\n#TAG#=<b>\r\n#TAG#=</b>\r\n#ENDDELETETAGS#\r\n#DELETETAGS#\r\n#TAG#=a\r\n#ENDDELETETAGS#\r\n"
     "#SUBSTITUTETAGS#\r\n=&amp;=&\r\n=b=c=d=\r\n==zz\r\n#ENDSUBSTITUTETAGS#\r\n"},
    // Numbers far beyond any line read as "past the end".
    {"huge numbers", "#READNEXTLINE#|#TAKEWORD#=#01##11##13#|#TAKEWORDLEN#=#02##11##14#|#TAKEWORDLEN#=#04##14##11#|"
     "#TAKEWORD#=#05##12##15#|#SETCURSOR#=1e300|#FIND#=c#06", kEight, "|||bcdefgh|cdefgh|0", {}, 0, {},
     {{11, "1e300"}, {12, "2"}, {13, "0"}, {14, "1"}, {15, "1" + QByteArray(300, '0')}}},
    // Each page keeps its read position (opened again under its number, it is
    // refused); the page current at the first pass's end is read in the second.
    {"page slots, a second page rewinds to its own first line",
     "#PUT#=0#10|#READNEXTLINE#|#TAKEWORD#=#01##10##10#|#PUT#=http://pages.test/scheda/1#20|#OPENNEWWEB#=#20|"
     "#READNEXTLINE#|#TAKEWORD#=#02##10##10#|#OPENNEWWEB#=#20|#RESTOREWEB#|#READNEXTLINE#|#TAKEWORD#=#03##10##10#|"
     "#OPENNEWWEB#=#20|#READNEXTLINE#|#TAKEWORD#=#04##10##10#", "M1\r\nM2\r\nM3\r\n", "M1|D1|M2|D1|D2|D1|M1",
     kOpen.arg(11), Gen2, "#READNEXTLINE#|#TAKEWORD#=#05##10##10#|#STARTREADWEB#|#READNEXTLINE#|"
     "#TAKEWORD#=#06##10##10#|#RESTOREWEB#|#READNEXTLINE#|#TAKEWORD#=#07##10##10#"},
    {"non-web address and page 00 are refused, yet current: reading fails",
     "#PUT#=file:///etc/passwd#20|#OPENNEWWEB#=#20|#PUT#=#21|#OPENNEWWEB#=#21|#PUT#=x#01|"
     "#PUT#=http://pages.test/scheda/1#00|#OPENNEWWEB#=#00|#READNEXTLINE#", "M1\r\n", "x",
     kOpen.arg(4) + "|" + kOpen.arg(6) + "|" + kOpen.arg(9) + "|" + kFailure + "10", Retry},
    // After the slots' row has read the first one.
    {"failed second page is never an earlier one", kSecondPage, "M1\r\n", "", kPageEnd.arg(6), Gen2 | Retry, {},
     {{20, "http://pages.test/scheda/2"}}},
    {"page end ends the loop after Retry too, cursor at 1", "#READNEXTLINE#|#REPEAT#|#SETCURSOR#=7|#READNEXTLINE#|"
     "#PUTCURSOR#=#01", "a\r\n", "1", kPageEnd.arg(7), Gen2 | Retry},
    // A second page beyond the limit fails only its instruction.
    {"large second page", "#PUT#=http://pages.test/scheda/big#20|#OPENNEWWEB#=#20|#PUT#=ran#01", "x\r\n", "ran",
     kOpen.arg(4), Retry},
    {"startreadweb and each pass rewind: find needs a line read", "#PUT#=0#10|#READNEXTLINE#|#READNEXTLINE#|"
     "#STARTREADWEB#|#FIND#=M#01|#READNEXTLINE#|#TAKEWORD#=#02##10##10#", "M1\r\nM2\r\n", "|M1|",
     kFailure + "8|" + kFailure + "13", Gen2 | Retry, "#FIND#=M#03"},
};

Bytes lines(const QByteArray &s) { return s.isEmpty() ? Bytes() : s.split('|'); }

} // namespace

TEST_F(ScriptRunTest, Instructions)
{
    web[QStringLiteral("http://pages.test/scheda/1")] = "D1\r\nD2\r\n";
    web[QStringLiteral("http://pages.test/scheda/big")] = QByteArray(2000, 'd');
    ScriptsTV::Limits limits;
    limits.pageBytes = 1024;
    engine.setLimits(limits);
    for (const Row &r : kRows) {
        SCOPED_TRACE(r.name);
        engine.ScriptVariabili.fill({});
        engine.ScriptRigaPagina.clear();
        for (const auto &[i, v] : r.preset)
            engine.ScriptVariabili[i] = v;
        boxes.clear();
        answers.assign(r.flags & Retry ? 4 : 0, Answer::Retry);
        ScriptError = r.flags & ScriptErrorOn;
        TakeAll = r.flags & All;
        TakeNone = r.flags & None;
        const QByteArray header = r.flags & Gen2 ? "#SCRIPTGENERATION#=2\r\n" : "";
        runText(scriptOf(lines(r.s1), lines(r.s2), header) + r.tail, r.page);
        Bytes got;
        for (qsizetype i = 1; i <= r.expect.count('|') + 1; ++i)
            got << var(int(i));
        EXPECT_EQ(got.join('|').toStdString(), r.expect.toStdString());
        EXPECT_EQ(boxTexts().join('|').toStdString(), r.boxes.toStdString());
    }
    for (const QString &url : fetched)
        EXPECT_TRUE(url.startsWith(QLatin1String("http://"))) << url.toStdString();
}

TEST_F(ScriptRunTest, QueryTakesTheDayApartAndReplacesBlanks)
{
    // The first query line counts; a section's marker line runs nothing.
    for (const QByteArray s : {"t\r\n#WEBQUERY# http://x.test/#LONGYEAR#/#MONTH#/#DAY#?y=#SHORTYEAR#&d=#day# a \r\n"
                               "#DOWNLOADINFO# #PUT#=x#01\r\n",
                               "t\r\n#REPLACESPACES#=-,x\r\n#REPLACESPACES#=_\r\n#WEBQUERY#http://x.test/a b\r\n"
                               "#WEBQUERY#http://c\r\n",
                               "#WEBQUERY#http://x.test/\r\n#DOWNLOADINFO#\r\n#PUT#=x#01\r\n#ENDDOWNLOADINFO#\r\n"}) {
        writeScript(s);
        run();
    }
    EXPECT_EQ(fetched, QStringList({"http://x.test/2026/03/09?y=26&d=#day#%20a", "http://x.test/a_b"}));
    // A query on the title line: no fetch, the (S1) box.
    EXPECT_EQ(boxTexts(), QStringList{"Errore In Ricezione Dati da Internet. Codice (S1)!"});
    EXPECT_EQ(var(1), QByteArray());
}

// Stop does not cut a day's run short: the day ends and is stored whole. The
// script is of the largest size, 5001 lines: its last line ends the pass.
TEST_F(ScriptRunTest, StopLetsTheDaysRunEndAndStoresIt)
{
    int pumps = 0;
    engine.setEventPump([&pumps] { Annulla = ++pumps > 1; });
    runScript(Bytes(4993, "#PUT#=x#10") << "#PUT#=end#01" << "#SAVEDATA#", "x\r\n");
    Annulla = false;
    EXPECT_GT(pumps, 1);
    EXPECT_EQ(var(10) + "|" + var(1), "x|end");
    EXPECT_TRUE(rows().size() == 1 && !engine.failed() && boxes.empty());
}

using SearchInstructionTest = ScriptFixture;

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
    EXPECT_EQ(Bytes({var(1), var(2), var(3), var(4)}), Bytes({QByteArray::number((1 << 20) - 2),
                                                            QByteArray::number((2 << 20) - 1), "0",
                                                            QByteArray::number(second.size() - 6)}));
}
