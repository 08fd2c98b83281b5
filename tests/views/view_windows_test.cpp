#include "core/MainWindowSeam.h"
#include "mainwindow/FrmWait.h"
#include "mainwindow/MainFixture.h"
#include "platform/Browser.h"
#include "views/FrmHigh.h"
#include "views/FrmMyTV.h"
#include "views/FrmReport.h"
#include "views/FrmRicerche.h"
#include "views/FrmSchedaHtml.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace orv;
using namespace orv::test;

namespace {

qint32 dayOf(const QDate &d) { return dayNumber(d.year(), d.month(), d.day()); }


using CardWindow = MainFixture;
using ReportWindow = MainFixture;

} // namespace

TEST_F(CardWindow, EmptyDayShowsTheHintsAndAFilledDayThePage)
{
    FrmMain &m = loadMain();
    m.TreeView1_NodeClick(m.TreeView1->findItems("Rai 1", Qt::MatchExactly | Qt::MatchRecursive).value(0));
    FrmSchedaHtml &card = Windows::get<FrmSchedaHtml>();
    card.Form_Activate();
    EXPECT_FALSE(card.WebBrowser1->isVisibleTo(&card));
    // No first programme to read the channel from.
    EXPECT_EQ(m.panelText(1), QStringLiteral("*"));

    addProgramme(todayNumber(), QStringLiteral("Rai 1"), 1, QStringLiteral("Il Commissario"));
    m.SMISTAMENTO_VISUALIZZAZIONI();
    EXPECT_TRUE(card.WebBrowser1->isVisibleTo(&card));
    EXPECT_TRUE(page("temp.htm").contains(QStringLiteral("Il Commissario")));
    EXPECT_TRUE(page("temp.htm").contains(QStringLiteral("loghitv/101.gif")));
    EXPECT_EQ(m.panelText(1), QString());

    // A channel without a code has no logo.
    Database::open(PercorsoPalinsesti).exec(QStringLiteral("delete from Televisioni where NOMETV = 'Rai 1'"));
    m.SMISTAMENTO_VISUALIZZAZIONI();
    EXPECT_EQ(m.panelText(1), QStringLiteral("N"));
}

TEST_F(ReportWindow, TimesAreCheckedAndEnterBuilds)
{
    loadMain();
    VistaCorrente = 2;
    FrmReport &r = Windows::get<FrmReport>();
    addProgramme(todayNumber(), QStringLiteral("Rai 1"), 1, QStringLiteral("Prima Serata"));
    addProgramme(todayNumber(), QStringLiteral("Rai 1"), 2, QStringLiteral("Seconda Serata"));
    Database::open(PercorsoDb).exec(
        QStringLiteral("update Programmi set Type = iif(Numerazione = 1, 'Film', 'Telefilm'), ORA = '09:00'"));
    r.TxtInizio->setText(QStringLiteral("9"));
    QTest::keyClick(r.CmbRicerca, Qt::Key_Return);
    EXPECT_TRUE(page("tempreport.htm").contains(QStringLiteral("Prima Serata")));
    EXPECT_FALSE(page("tempreport.htm").contains(QStringLiteral("Seconda Serata")));

    QFile::remove(QDir(PercorsoApp).filePath(QStringLiteral("tempreport.htm")));
    r.TxtFine->setText(QStringLiteral("25:00"));
    r.Command1->click();
    EXPECT_EQ(prompts.value(prompts.size() - 1), QStringLiteral("Orario non valido: usa il formato hh:mm"));
    EXPECT_TRUE(page("tempreport.htm").isEmpty());
}

TEST_F(ReportWindow, ClosingDuringABuildEndsItAndUnloadsTheWindow)
{
    FrmMain &m = loadMain();
    for (int n = 1; n <= 30; ++n)
        addProgramme(todayNumber(), QStringLiteral("Rai 1"), n, QStringLiteral("Film %1").arg(n));
    Database::open(PercorsoDb).exec(QStringLiteral("update Programmi set Type = 'Film', ORA = '20:00'"));
    FrmReport &r = Windows::get<FrmReport>();
    m.showChild(r);
    QPointer<FrmReport> alive(&r);
    int builds = 0;
    // A second request while building runs once afterwards; a close ends the build.
    QTimer::singleShot(0, &r, [&] {
        ++builds;
        r.VISUALIZZA_RICERCA_HTML_REPORT();
        r.VISUALIZZA_RICERCA_HTML_REPORT();
        QTimer::singleShot(0, &r, [&] { r.CmdClose_Click(); });
    });
    QFile::remove(QDir(PercorsoApp).filePath(QStringLiteral("tempreport.htm")));
    r.VISUALIZZA_RICERCA_HTML_REPORT();
    QTest::qWait(50);
    EXPECT_EQ(builds, 1);
    EXPECT_TRUE(page("tempreport.htm").isEmpty());
    EXPECT_TRUE(alive.isNull());
    EXPECT_FALSE(Windows::loaded<FrmWait>());
}

namespace {

class ViewWindows : public MainFixture {
protected:
    void SetUp() override
    {
        MainFixture::SetUp();
        HTMLRicerche = QStringLiteral("classica.htm");
        HTMLmytv = QStringLiteral("classica.htm");
    }
    // Thirteen marked programmes on one day and channel.
    void markThirteen(const QDate &day, const QString &channel, const QString &title)
    {
        for (int n = 1; n <= 13; ++n)
            addProgramme(dayOf(day), channel, n, title + QString::number(n));
        Database::open(PercorsoDb).exec(QStringLiteral("update Programmi set Marked = '1', ORA = printf('%02d:00', "
                                                       "Numerazione + 6)"));
    }
};

} // namespace

TEST_F(ViewWindows, SearchRunsOnEnterAndADayChangeLeavesItsPageAlone)
{
    FrmMain &m = loadMain();
    addProgramme(todayNumber(), "Rai 1", 1, "Il Gattopardo");
    addProgramme(dayOf(QDate::currentDate().addDays(-1)), "Rai 1", 1, "Gattopardo ieri");
    FrmRicerche &s = Windows::get<FrmRicerche>();
    const int before = VistaCorrente;
    s.TxtRicerca->setText(QStringLiteral("gattopardo"));
    QTest::keyClick(s.TxtRicerca, Qt::Key_Return);
    EXPECT_TRUE(page("tempricerche.htm").contains(QStringLiteral("Il Gattopardo")));
    EXPECT_EQ(VistaCorrente, before);

    s.Check2->setChecked(true);
    s.Command1->click();
    const QString searched = page("tempricerche.htm");
    EXPECT_TRUE(searched.contains(QStringLiteral("Gattopardo ieri")));
    m.CmdGiornoDx_Click();
    EXPECT_EQ(page("tempricerche.htm"), searched);

    // The exact words and each mark option narrow the search on their own.
    const QString titles[] = {"Il Gattopardo", "Il mio Gattopardo", "Gattopardo P", "Gattopardo R"};
    for (int n = 2; n <= 4; ++n)
        addProgramme(todayNumber(), "Rai 1", n, titles[n - 1]);
    Database::open(PercorsoDb).exec(QStringLiteral(
        "update Programmi set Marked = Numerazione = 2, Promemoria = Numerazione = 3, Registra = Numerazione = 4"));
    QCheckBox *const options[] = {s.Check3, s.Check4, s.Check5, s.Check6};
    for (int i = 0; i < 4; ++i) {
        s.TxtRicerca->setText(i == 0 ? QStringLiteral("il gattopardo") : QStringLiteral("gattopardo"));
        for (int k = 0; k < 4; ++k)
            options[k]->setChecked(k == i);
        s.Command1->click();
        const QString found = page("tempricerche.htm");
        EXPECT_TRUE(found.contains(titles[i]) && found.count(QStringLiteral("Gattopardo")) == 1) << i;
    }
}

TEST_F(ViewWindows, MyTvKeepsItsPickerSaysCapacityOnceAndRebuildsOnAChoice)
{
    FrmMain &m = loadMain();
    m.CmdGiornoDx_Click();
    const QDate start = m.currentDay();
    markThirteen(start, QStringLiteral("Rai 1"), QStringLiteral("Segnato "));
    markThirteen(start.addDays(3), QStringLiteral("Rai 2"), QStringLiteral("Altro "));
    FrmMyTV &w = Windows::get<FrmMyTV>();
    m.CmdGiornoDx_Click(); // the page starts at the picker's day, not the main window's
    w.Command1->click();
    EXPECT_EQ(w.DTPicker1->date(), start);
    ASSERT_EQ(prompts.size(), 1);
    const QString html = page("tempmytv.htm");
    EXPECT_EQ(html.count(QStringLiteral("\r\n")), html.count(u'\n'));
    EXPECT_TRUE(html.contains(QStringLiteral("Segnato 12")));
    EXPECT_FALSE(html.contains(QStringLiteral("Segnato 13")));

    const int roomy = w.Combo1->findText(QStringLiteral("capiente.htm"));
    w.Combo1->setCurrentIndex(roomy);
    emit w.Combo1->activated(roomy);
    EXPECT_EQ(HTMLmytv, QStringLiteral("capiente.htm"));
    EXPECT_TRUE(page("tempmytv.htm").contains(QStringLiteral("Segnato 13")));
    EXPECT_EQ(prompts.size(), 1);
}

TEST_F(ViewWindows, HighlightsListFilesDeleteMovesToRestanti)
{
    loadMain();
    const QDir high(app->file(QStringLiteral("highlights")));
    ASSERT_TRUE(high.mkpath(QStringLiteral("sub")));
    for (const char *name : {"B.htm", "a #1 50%.htm", "c.jpg"}) {
        QFile f(high.filePath(QString::fromUtf8(name)));
        f.open(QIODevice::WriteOnly);
        f.write("<html><body>highlight</body></html>");
    }
    // The download's call loads the viewer unshown.
    mainWindow().CARICA_HIGHLIGHTS();
    ASSERT_TRUE(Windows::loaded<FrmHigh>());
    FrmHigh &h = Windows::get<FrmHigh>();
    ASSERT_EQ(h.File1->count(), 3);

    // Names with blanks, "#" and "%" open as files; the list ignores letter case.
    const QString odd = high.filePath(QStringLiteral("a #1 50%.htm"));
    h.File1->setCurrentRow(0);
    h.File1_Click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.WebBrowser1->url().toLocalFile() == odd; }, 10000));

    answer = Answer::Cancel;
    h.Toolbar1_ButtonClick(QStringLiteral("elimina"));
    EXPECT_TRUE(QFile::exists(odd));
    answer = Answer::Ok;
    h.Toolbar1_ButtonClick(QStringLiteral("elimina"));
    EXPECT_FALSE(QFile::exists(odd));
    EXPECT_TRUE(QFile::exists(high.filePath(QStringLiteral("restanti/a #1 50%.htm"))));
    EXPECT_EQ(h.File1->count(), 2);

    // A copy that cannot be made keeps the page.
    ASSERT_TRUE(QDir(high.filePath(QStringLiteral("restanti"))).removeRecursively());
    QFile(high.filePath(QStringLiteral("restanti"))).open(QIODevice::WriteOnly);
    h.File1->setCurrentRow(0);
    h.Toolbar1_ButtonClick(QStringLiteral("elimina"));
    EXPECT_TRUE(QFile::exists(high.filePath(QStringLiteral("B.htm"))));
    EXPECT_EQ(h.File1->count(), 2);

    ASSERT_TRUE(mainWindow().startJob()); // new highlights only when no other job runs
    h.Toolbar1_ButtonClick(QStringLiteral("scarica"));
    mainWindow().finishJob();
    h.Toolbar1_ButtonClick(QStringLiteral("scarica"));
    EXPECT_EQ(highlights, 1);
}
