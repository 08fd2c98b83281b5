#include "mainwindow/MainFixture.h"
#include "platform/Browser.h"
#include "views/FrmReport.h"
#include "views/FrmSchedaHtml.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include "mainwindow/FrmWait.h"

using namespace orv;
using namespace orv::test;

namespace {

class CardWindow : public MainFixture {
protected:
    FrmMain &mainOn(const QString &channel)
    {
        FrmMain &m = loadMain();
        QTreeWidgetItem *node = m.TreeView1->findItems(channel, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        EXPECT_NE(node, nullptr);
        m.TreeView1_NodeClick(node);
        return m;
    }
    static qint32 today() { return QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toInt(); }
};

} // namespace

TEST_F(CardWindow, EmptyDayShowsTheHintsAndAFilledDayThePage)
{
    FrmMain &m = mainOn(QStringLiteral("Rai 1"));
    FrmSchedaHtml &card = Windows::get<FrmSchedaHtml>();
    card.Form_Activate();
    EXPECT_FALSE(card.WebBrowser1->isVisibleTo(&card));
    // No first programme to read the channel from.
    EXPECT_EQ(m.panelText(1), QStringLiteral("*"));

    addProgramme(today(), QStringLiteral("Rai 1"), 1, QStringLiteral("Il Commissario"));
    m.SMISTAMENTO_VISUALIZZAZIONI();
    EXPECT_TRUE(card.WebBrowser1->isVisibleTo(&card));
    EXPECT_TRUE(page("temp.htm").contains(QStringLiteral("Il Commissario")));
    EXPECT_EQ(m.panelText(1), QString());

    // A channel without a code has no logo.
    Database::open(PercorsoPalinsesti).exec(QStringLiteral("delete from Televisioni where NOMETV = 'Rai 1'"));
    m.SMISTAMENTO_VISUALIZZAZIONI();
    EXPECT_EQ(m.panelText(1), QStringLiteral("N"));
}

class ReportWindow : public CardWindow {};

TEST_F(ReportWindow, TimesAreCheckedAndEnterBuilds)
{
    loadMain();
    VistaCorrente = 2;
    FrmReport &r = Windows::get<FrmReport>();
    addProgramme(today(), QStringLiteral("Rai 1"), 1, QStringLiteral("Prima Serata"));
    Database::open(PercorsoDb).exec(QStringLiteral("update Programmi set Type = 'Film', ORA = '09:00'"));
    r.TxtInizio->setText(QStringLiteral("9"));
    r.TxtFine->setText(QStringLiteral("9.30"));
    QTest::keyClick(r.CmbRicerca, Qt::Key_Return);
    EXPECT_TRUE(page("tempreport.htm").contains(QStringLiteral("Prima Serata")));

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
        addProgramme(today(), QStringLiteral("Rai 1"), n, QStringLiteral("Film %1").arg(n));
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
