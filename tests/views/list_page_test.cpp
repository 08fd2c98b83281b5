#include "details/ListingsFixture.h"
#include "platform/Text.h"
#include "views/ListPages.h"
#include "views/ProgrammeId.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace orv;

namespace {

QString crlf(std::initializer_list<const char *> lines)
{
    QString s;
    for (const char *l : lines)
        s += QString::fromUtf8(l) + QStringLiteral("\r\n");
    return s;
}

} // namespace

TEST(ListTemplateRead, MarkerLinesAreDroppedWholeAndEveryLineEndBecomesCrLf)
{
    for (const char *eol : {"\n", "\r", "\r\n"}) {
        const ListTemplate t = ListTemplate::parse(
            QStringLiteral("<html>|x <!--END_HEAD--> lost|r1|r2|<!--END_BODY-->|mid|<!--BEGIN_DESCRIPTION-->|desc|"
                           "<!--END_DESCRIPTION-->|tail1|tail2")
                .replace(QLatin1Char('|'), QLatin1String(eol)));
        EXPECT_EQ(QStringList({t.head, t.row, t.middle, t.description, t.tail}),
                  QStringList({crlf({"<html>"}), crlf({"r1", "r2"}), crlf({"mid"}), crlf({"desc"}),
                               crlf({"tail1", "tail2"})}))
            << eol;
    }
    EXPECT_EQ(ListTemplate::parse(QByteArray("Citt\xE0 \x80\r\n")).head, QStringLiteral("Città €\r\n"));
    EXPECT_EQ(ListTemplate::parse(QByteArray("Citt\xC3\xA0\r\n")).head, QStringLiteral("Città\r\n"));
}

TEST(ListTemplateRead, AtMostThirtyThousandKeptLinesMarkerLinesNotCounted)
{
    QString text = QStringLiteral("<!--END_HEAD-->\n");
    for (int i = 0; i < ListTemplate::MaxLines; ++i)
        text += QStringLiteral("l\n");
    const ListTemplate t = ListTemplate::parse(text + QStringLiteral("<!--END_BODY-->\nmid\n"));
    EXPECT_EQ(t.row.count(QLatin1Char('\n')), ListTemplate::MaxLines);
    EXPECT_TRUE(t.middle.isEmpty());
}

TEST(Escaping, SpecialCharactersButNotCharacterReferences)
{
    const std::pair<const char *, const char *> table[] = {
        {"<b>", "&lt;b&gt;"}, {"\"x\" 'y'", "&quot;x&quot; &#39;y&#39;"}, {"a&b;c", "a&b;c"}, {"&", "&amp;"},
        {"perch&eacute; &#233; &#xE9; &#XE9; &frac12;", "perch&eacute; &#233; &#xE9; &#XE9; &frac12;"},
        {"&; &#; &#x; &eacute &#12a;", "&amp;; &amp;#; &amp;#x; &amp;eacute &amp;#12a;"}};
    for (const auto &[in, out] : table)
        EXPECT_EQ(htmlEscape(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(Placeholders, LongestFirst)
{
    Placeholders p;
    p.set(QStringLiteral("_A_"), QStringLiteral("short"));
    p.set(QStringLiteral("_A_B_"), QStringLiteral("long"));
    EXPECT_EQ(p.fill(u"_A_B_ _A_"), QStringLiteral("long short"));
}

TEST(ProgrammeIds, OnlyDayChannelNumberOpensAProgramme)
{
    // Id, channel and number; number 0: no programme.
    const std::tuple<const char *, const char *, int> cases[] = {
        {"20261206#Rai 1#12", "Rai 1", 12}, {"20261206#Canale #5#3", "Canale #5", 3}, {"20261206##3", "", 3},
        {"20261206#Rai 1", "", 0},          {"2026126#Rai 1#1", "", 0},               {"2026120a#Rai 1#1", "", 0},
        {"20261206#Rai 1#1a", "", 0},       {"20261206#Rai 1#", "", 0},               {"", "", 0},
        {"20261206#Rai 1#1234567890", "", 0}};
    const QRegularExpression js(programmeIdPattern());
    for (const auto &[id, channel, number] : cases) {
        const auto key = parseProgrammeId(QString::fromUtf8(id));
        EXPECT_EQ(js.match(QString::fromUtf8(id)).hasMatch(), number != 0) << id;
        ASSERT_EQ(key.has_value(), number != 0) << id;
        if (key) {
            EXPECT_EQ(*key, (ProgrammeKey{20261206, QString::fromUtf8(channel), number})) << id;
        }
    }
}

TEST(Times, TypedTimesBecomeHhMm)
{
    for (const char *good : {" 9 ", "9.00", "09:00"})
        EXPECT_EQ(normaliseTime(QString::fromUtf8(good)), QStringLiteral("09:00")) << good;
    for (const char *bad : {"24:00", "12:60", "ab", "", "1:2", "12:00'"})
        EXPECT_FALSE(normaliseTime(QString::fromUtf8(bad))) << bad;
}

class ListPages : public test::ListingsTest {
protected:
    Programme programme(qint32 day, const QString &channel, int n, const QString &ora, const QString &type = "Film")
    {
        Programme p;
        std::tie(p.Data, p.Palinsesto, p.Numerazione, p.ORA, p.Type) = std::tie(day, channel, n, ora, type);
        p.Titolo = QStringLiteral("Titolo %1").arg(n);
        p.Descrizione = QStringLiteral("Descrizione %1").arg(n);
        return p;
    }
    void insert(const std::vector<Programme> &ps)
    {
        Transaction tx(db);
        for (const Programme &p : ps)
            ProgrammiTable(db).insert(p);
        tx.commit();
    }
    QString writeTemplate(const QString &text)
    {
        QFile f(app.file(QStringLiteral("t.htm")));
        f.open(QIODevice::WriteOnly);
        f.write(text.toUtf8());
        return f.fileName();
    }
    PageBuild card(const QString &tpl, const QString &channel)
    {
        return buildCardPage({writeTemplate(tpl), PercorsoDb, 20261206, channel, "7.gif"});
    }
    PageBuild report(const QString &tpl, const QString &type = "Film", const QString &from = "12:00",
                     const QString &to = "23:59")
    {
        return buildReportPage({writeTemplate(tpl), PercorsoDb, 20261206, type, from, to}, nullptr);
    }
    // Rows and descriptions in one template, each on its own line.
    static QString simple(const QString &row, const QString &desc, const QString &head = "H:_TV_TITLE_|_TV_TODAY_")
    {
        return head + QStringLiteral("\n<!--END_HEAD-->\n") + row + QStringLiteral("\n<!--END_BODY-->\nM\n"
                                                                                 "<!--BEGIN_DESCRIPTION-->\n") +
               desc + QStringLiteral("\n<!--END_DESCRIPTION-->\nT\n");
    }
    static QStringList lines(const QString &html, const QString &prefix)
    {
        return html.split(QStringLiteral("\r\n")).filter(QRegularExpression(u'^' + QRegularExpression::escape(prefix)));
    }

};

// Only described programmes have an anchor, numbered by position; values are escaped, cover names encoded.
TEST_F(ListPages, AnchorsDescriptionsAndCoversOfCardAndReport)
{
    Programme p = programme(20261206, QStringLiteral("Rai 1"), 4, QStringLiteral("21:00"));
    p.link = QStringLiteral("http://x/?a=1&b=2");
    p.Immagine = QStringLiteral("film 4.jpg");
    p.Genere = QStringLiteral("Giallo");
    Programme q = programme(20261206, QStringLiteral("Rai 1"), 3, QStringLiteral("20:00"), QString());
    q.Descrizione.clear();
    insert({p, q});
    const QString all = QStringLiteral("_TV_ID_|<!--BEGIN_LINK_FLAG-->|<!--END_LINK_FLAG-->|_TV_WEBLINK_|_TV_COVER_|"
                                       "_PR_DATE_ _TV_TODAY_ _TV_HOUR_ _PR_TITLE_|_PR_TIPO_|_TV_TYPE_|_TV_DESCRIPTION_");
    const QString tpl = simple("R:" + all, "D:<!--NAME_FLAG-->|" + all, "H:_TV_TITLE_|_TV_TODAY_|_LOGO_TV_");
    const PageBuild c = card(tpl, QStringLiteral("rai 1"));
    EXPECT_EQ(lines(c.page.html, "H:"), QStringList{"H:Rai 1|06/12/2026|7.gif"});
    const QString p4 = QStringLiteral("06/12/2026 21:00 Titolo 4|Film|Film|Descrizione 4");
    EXPECT_EQ(lines(c.page.html, "R:"),
              (QStringList{"R:'20261206#Rai 1#3'|<!---->|<!---->|<!----->|_TV_COVER_|06/12/2026 06/12/2026 20:00 "
                           "Titolo 3| |<!------>|<!----->",
                           "R:'20261206#Rai 1#4'|<a href='#p2'>|</a>|http://x/?a=1&amp;b=2|_TV_COVER_|06/12/2026 " + p4}));
    EXPECT_EQ(lines(c.page.html, "D:"), QStringList{"D:p2|'20261206#Rai 1#4'|<!--BEGIN_LINK_FLAG-->|<!--END_LINK_FLAG-->|"
                                                    "http://x/?a=1&amp;b=2|covers/film%204.jpg|_PR_DATE_ " + p4});
    const PageBuild r = report(tpl, QStringLiteral("film"), QStringLiteral("21:00"), QStringLiteral("21:00"));
    ASSERT_EQ(lines(r.page.html, "D:").size(), 1);
    EXPECT_TRUE(r.page.html.endsWith("\r\nM\r\n\r\n" + lines(r.page.html, "D:")[0] + "\r\n\r\nT\r\n\r\n"));
}

TEST_F(ListPages, IconsOnlyForTheTextOneAndCoversOnlyForPlainNames)
{
    // Marked, Promemoria, Registra and cover as stored.
    std::vector<Programme> ps;
    for (const char *row : {"1,0,0,", "0,1,,../x.jpg", ",,1,a/b.jpg", "-1,true,11,ok.jpg"}) {
        const QStringList f = QString::fromUtf8(row).split(QLatin1Char(','));
        ps.push_back(programme(20261206, "Rai 2", int(ps.size()) + 1, QStringLiteral("20:0%1").arg(ps.size())));
        std::tie(ps.back().Marked, ps.back().Promemoria, ps.back().Registra, ps.back().Immagine) =
            std::tie(f[0], f[1], f[2], f[3]);
    }
    insert(ps);
    const QString icons = QStringLiteral("_TV_ICONA1_ _TV_ICONA2_ _TV_ICONA3_");
    const PageBuild c = card(simple("R:" + icons, "D:_TV_COVER_\nI:" + icons), "Rai 2");
    const QString t = QStringLiteral("htmlcards/trasparente.gif");
    EXPECT_EQ(lines(c.page.html, "R:"),
              (QStringList{"R:htmlcards/lente.gif " + t + " " + t, "R:" + t + " htmlcards/postit.gif " + t,
                           "R:" + t + " " + t + " htmlcards/registra.gif", "R:" + t + " " + t + " " + t}));
    EXPECT_EQ(lines(c.page.html, "I:").replaceInStrings("I:", "R:"), lines(c.page.html, "R:"));
    EXPECT_EQ(lines(c.page.html, "D:"),
              (QStringList{"D:covers/none.jpg", "D:covers/none.jpg", "D:covers/none.jpg", "D:covers/ok.jpg"}));
}

TEST_F(ListPages, CardTakesTwoHundredReportAndSearchFiveHundred)
{
    std::vector<Programme> ps;
    for (int i = 1; i <= 501; ++i)
        ps.push_back(programme(20261206, QStringLiteral("Rai 1"), i,
                               QStringLiteral("%1:%2").arg(12 + i / 60).arg(i % 60, 2, 10, QLatin1Char('0'))));
    insert(ps);
    const QString tpl = simple("R:_TV_HOUR_", "D:_PR_TV_");
    const PageBuild c = card(tpl, "Rai 1");
    EXPECT_EQ(lines(c.page.html, "R:").size(), 200);
    EXPECT_TRUE(c.page.overLimit);
    const PageBuild r = report(tpl);
    EXPECT_EQ(lines(r.page.html, "D:Rai 1").size(), 500);
    EXPECT_TRUE(r.page.overLimit);
    EXPECT_EQ(lines(r.page.html, "R:").last(), QStringLiteral("R:20:20"));
    // The search page's head shows the main window's day; its descriptions keep _PR_TV_.
    const SearchRequest q{writeTemplate(tpl), PercorsoDb, "titolo", false, false, false, false, 20261206, 20261231};
    const PageBuild s = buildSearchPage(q, nullptr);
    EXPECT_TRUE(s.page.overLimit);
    EXPECT_EQ(lines(s.page.html, "H:"), QStringList{"H:Rai 1|31/12/2026"});
    EXPECT_EQ(lines(s.page.html, "D:_PR_TV_").size(), 500);

    // Exactly at the limit: no message.
    db.exec(QStringLiteral("delete from Programmi where Numerazione > 500"));
    EXPECT_FALSE(report(tpl).page.overLimit);
}

TEST_F(ListPages, EmptyOrFailedQueryStillFillsTheHead)
{
    const QString tpl = simple("R:_TV_HOUR_", "D:_PR_TITLE_", "H:_TV_TITLE_|_TV_TODAY_|_LOGO_TV_");
    EXPECT_EQ(lines(report(tpl).page.html, "H:"), QStringList{"H:|06/12/2026|_LOGO_TV_"});

    const PageBuild b = buildCardPage({writeTemplate(tpl), app.file("database/no.cfg"), 20261206, "Rai 1", ""});
    EXPECT_FALSE(b.dbError.isEmpty());
    EXPECT_EQ(lines(b.page.html, "H:"), QStringList{"H:Rai 1|06/12/2026|"});
}

TEST_F(ListPages, ApostrophesAndMarkupInValuesAndInputs)
{
    Programme p = programme(20261206, QStringLiteral("Tele L'Aquila"), 1, QStringLiteral("21:00"),
                            QStringLiteral("Film d'autore"));
    p.Titolo = QStringLiteral("<i>C'era</i> _TV_TITLE_ &egrave;");
    insert({p});
    // An inserted value is not scanned again; placeholders match in their own case only.
    const QString tpl = simple("R:_PR_TITLE_|_TV_TITLE_|_TV_ID_|_pr_title_", "D:x");
    const PageBuild c = card(tpl, QStringLiteral("Tele L'Aquila"));
    EXPECT_EQ(lines(c.page.html, "R:"),
              QStringList{"R:&lt;i&gt;C&#39;era&lt;/i&gt; _TV_TITLE_ &egrave;|Tele L&#39;Aquila|"
                          "'20261206#Tele L&#39;Aquila#1'|_pr_title_"});
    EXPECT_EQ(report(tpl, QStringLiteral("Film d'")).page.rows, 1);
}

TEST_F(ListPages, ReportSelectsTypePrefixAndTimesBothIncludedInStableOrder)
{
    insert({programme(20261206, "B", 1, "11:59"), programme(20261206, "C", 2, "12:00"),
            programme(20261206, "A", 3, "23:59", "film"), programme(20261206, "B", 4, "12:00", "FILM TV"),
            programme(20261206, "A", 5, "12:00", "Telefilm"), programme(20261207, "A", 6, "13:00")});
    const PageBuild r = report(simple("R:_TV_HOUR_ _PR_TV_ _TV_ID_", "D:x"));
    EXPECT_EQ(lines(r.page.html, "R:"),
              (QStringList{"R:12:00 B '20261206#B#4'", "R:12:00 C '20261206#C#2'", "R:23:59 A '20261206#A#3'"}));
    EXPECT_EQ(lines(r.page.html, "H:"), QStringList{"H:B|06/12/2026"});
}

TEST_F(ListPages, PagesAreWrittenWithByteOrderMarkTemplatesListedByName)
{
    const QString page = app.file(QStringLiteral("temp.htm"));
    ASSERT_TRUE(writeListPage(page, QStringLiteral("città")));
    QFile f(page);
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), QByteArray("\xEF\xBB\xBF" "citt\xC3\xA0"));
    EXPECT_FALSE(writeListPage(app.file(QStringLiteral("no/such/dir/temp.htm")), QStringLiteral("x")));
    for (const char *name : {"b.HTM", "C.htm", "a.htm", "a.txt"})
        writeListPage(app.file(QStringLiteral("database/") + QString::fromUtf8(name)), QString());
    EXPECT_EQ(templateChoices(app.file(QStringLiteral("database"))), (QStringList{"a.htm", "b.HTM", "C.htm"}));
}
