#include "core/AppState.h"
#include "core/FrmConfig.h"
#include "core/Store.h"
#include "platform/Windows.h"
#include "support/Prompts.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace orv;

namespace {

class FrmConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Lingua[86] = QStringLiteral("gia' la prima");
        Lingua[87] = QStringLiteral("gia' l'ultima");
        Lingua[88] = QStringLiteral("applicare?");
    }
    void TearDown() override { Windows::unloadAll(); }

    FrmConfig &open() { Windows::get<FrmConfig>().show(); return Windows::get<FrmConfig>(); }
    QTreeWidgetItem *node(FrmConfig &w, int i) { return w.TreeView1->topLevelItem(i); }
    QTreeWidgetItem *node(FrmConfig &w, const QString &name)
    {
        return w.TreeView1->findItems(name, Qt::MatchExactly).value(0);
    }
    Database db() { return Database::open(PercorsoPalinsesti); }
    Channel channel(const QString &name) { Database d = db(); return *TelevisioniTable(d).byName(name); }
    // Every row's name, tick and position, in position order.
    QStringList table()
    {
        QStringList rows;
        Database d = db();
        for (const Channel &c : TelevisioniTable(d).allByPosition())
            rows << QStringLiteral("%1|%2|%3").arg(c.NOMETV).arg(c.Attivo).arg(c.Posizione);
        return rows;
    }

    test::TempApp app;
    test::RecordingSeam main;
    test::Prompts prompts;
    QStringList &asked = prompts.texts;
};

TEST_F(FrmConfigTest, MovesPastTheEndsAreRefusedTwoMovesUpCarryTickAndIconAndApplyWritesOneTwoThree)
{
    db().exec(QStringLiteral("update Televisioni set Attivo = 0, ANTENNA = 7 where NOMETV = 'Rai 3'"));
    auto &w = open();
    w.TreeView1->setCurrentItem(node(w, 0));
    w.Command7_Click();
    EXPECT_EQ(asked, QStringList{Lingua[86]});
    EXPECT_EQ(node(w, 0)->text(0), QStringLiteral("Rai 1"));
    EXPECT_FALSE(w.ListaModificata());

    const int last = w.TreeView1->topLevelItemCount() - 1;
    EXPECT_EQ(w.Label6->text(), QString::number(last + 1));
    const QString name = node(w, last)->text(0);
    w.TreeView1->setCurrentItem(node(w, last));
    w.Command8_Click();
    EXPECT_EQ(asked, (QStringList{Lingua[86], Lingua[87]}));
    EXPECT_EQ(node(w, last)->text(0), name);
    EXPECT_TRUE(w.ListaModificata()); // the refused move down still marks the list
    asked.clear();
    w.TreeView1->setCurrentItem(node(w, 2));
    w.Command7_Click();
    w.Command7_Click();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(node(w, 0)->text(0), QStringLiteral("Rai 3"));
    EXPECT_EQ(node(w, 0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(node(w, 0)->data(0, FrmConfig::ImageRole).toString(), QStringLiteral("radio"));
    EXPECT_EQ(w.TreeView1->currentItem(), node(w, 0));

    w.Command3_Click();
    EXPECT_FALSE(w.ListaModificata());
    EXPECT_EQ(table().mid(0, 3), (QStringList{"Rai 3|0|1", "Rai 1|1|2", "Rai 2|1|3"}));
    EXPECT_EQ(main.count(QStringLiteral("LOAD_TV")), 1);
    EXPECT_EQ(main.count(QStringLiteral("refreshGridIfCurrent")), 1);
}

TEST_F(FrmConfigTest, ASingleTickAsksOnCloseAndCancelLeavesTheTableUntouched)
{
    open().close();
    EXPECT_TRUE(asked.isEmpty());

    const auto before = table();
    auto &w = open();
    node(w, QStringLiteral("TV8"))->setCheckState(0, Qt::Checked); // a single tick is a change
    prompts.answer = Answer::Cancel;
    w.close();
    EXPECT_EQ(asked, QStringList{Lingua[88]});
    EXPECT_EQ(table(), before);
    EXPECT_EQ(main.count(QStringLiteral("LOAD_TV")), 2); // every close rebuilds the tree
}

TEST_F(FrmConfigTest, ComingBackFromAnotherWindowDropsUnappliedChanges)
{
    auto &w = open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    db().exec(QStringLiteral("update Televisioni set Attivo = 1 where NOMETV = 'TV8'"));
    w.TreeView1->setCurrentItem(node(w, 1));
    w.Command7_Click();

    // A box asked over the list keeps what the user did.
    QMessageBox box;
    box.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    box.accept();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(node(w, 0)->text(0), QStringLiteral("Rai 2"));

    QWidget other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(node(w, 0)->text(0), QStringLiteral("Rai 1"));
    EXPECT_EQ(node(w, QStringLiteral("TV8"))->checkState(0), Qt::Checked);
    EXPECT_FALSE(w.ListaModificata());
}

TEST_F(FrmConfigTest, ClickingAChannelShowsItsDescription)
{
    db().exec(QStringLiteral("update Televisioni set NOMETV = 'Canale dell''Arte' where NOMETV = 'Rai 5'"));
    const QString logo = QStringLiteral("loghitv/%1.gif").arg(channel("Canale dell'Arte").IDTV);
    QFile::copy(app.file("covers/none.jpg"), app.file(logo)); // a picture is known by its content
    auto &w = open();
    w.TreeView1_NodeClick(node(w, QStringLiteral("Canale dell'Arte")));
    EXPECT_FALSE(w.Image1->pixmap().isNull());
    EXPECT_EQ(w.Label3->text(), QStringLiteral("Canale dell'Arte"));
    EXPECT_EQ(w.Label8->text(), QStringLiteral("Arte, musica e teatro"));
    EXPECT_TRUE(w.ListaModificata());
}

TEST_F(FrmConfigTest, AFailedApplyWritesNothingAndStillAsksOnClose)
{
    // Rai 1's row is written before Rai 2's is refused: it must roll back.
    db().exec(QStringLiteral("create trigger rifiuta before update on Televisioni when new.NOMETV = 'Rai 2' "
                             "begin select raise(abort, 'bloccato'); end"));
    auto &w = open();
    w.Command5_Click();
    EXPECT_EQ(node(w, QStringLiteral("TV8"))->checkState(0), Qt::Checked);
    w.Command4_Click();
    w.Command3_Click();
    EXPECT_EQ(main.status(3), QStringList{"*"});
    EXPECT_TRUE(main.status(1).isEmpty());
    EXPECT_TRUE(w.ListaModificata());
    EXPECT_TRUE(channel("Rai 1").Attivo);
    EXPECT_EQ(channel("Rai 1").Posizione, 1);
}

} // namespace
