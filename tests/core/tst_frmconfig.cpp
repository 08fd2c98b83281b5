#include "core/AppState.h"
#include "core/FrmConfig.h"
#include "core/Store.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace orv;

class TestFrmConfig : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempApp> app;
    QStringList asked;              // texts of the boxes shown
    Answer answer = Answer::Ok;     // what the user answers
    std::unique_ptr<test::RecordingSeam> main;
    int treeReloads() const { return main->count(QStringLiteral("LOAD_TV")); }
    int gridRefreshes() const { return main->count(QStringLiteral("refreshGridIfCurrent")); }

    FrmConfig &open()
    {
        auto &w = Windows::get<FrmConfig>();
        w.show();
        return w;
    }
    QTreeWidgetItem *node(FrmConfig &w, int i) { return w.TreeView1->topLevelItem(i); }
    int indexOf(FrmConfig &w, const QString &name)
    {
        for (int i = 0; i < w.TreeView1->topLevelItemCount(); ++i)
            if (node(w, i)->text(0) == name)
                return i;
        return -1;
    }
    Channel channel(const QString &name)
    {
        Database db = Database::open(PercorsoPalinsesti);
        return *TelevisioniTable(db).byName(name);
    }
    void exec(const char *sql)
    {
        Database db = Database::open(PercorsoPalinsesti);
        db.exec(QString::fromUtf8(sql));
    }
    // Every row's name, tick and position, in position order.
    QStringList table()
    {
        Database db = Database::open(PercorsoPalinsesti);
        QStringList rows;
        for (const Channel &c : TelevisioniTable(db).allByPosition())
            rows << QStringLiteral("%1|%2|%3").arg(c.NOMETV).arg(c.Attivo).arg(c.Posizione);
        return rows;
    }

private slots:
    void initTestCase() { test::failQtTestOnUnanswered(); }
    void init()
    {
        app = std::make_unique<test::TempApp>();
        asked.clear();
        answer = Answer::Ok;
        main = std::make_unique<test::RecordingSeam>();
        Lingua[86] = QStringLiteral("gia' la prima");
        Lingua[87] = QStringLiteral("gia' l'ultima");
        Lingua[88] = QStringLiteral("applicare?");
        Prompt::setHandler([this](const PromptRequest &r) {
            asked << r.text;
            return r.buttons == Buttons::Ok ? Answer::Ok : answer;
        });
    }
    void cleanup()
    {
        Windows::unloadAll();
        Prompt::setHandler({});
        main.reset();
        app.reset();
    }

    void twoMovesUpCarryTickAndIconAndApplyWritesOneTwoThree()
    {
        exec("update Televisioni set Attivo = 0, ANTENNA = 7 where NOMETV = 'Rai 3'");
        auto &w = open();
        w.TreeView1->setCurrentItem(node(w, 2));
        w.Command7_Click();
        w.Command7_Click();
        QVERIFY(asked.isEmpty());
        QCOMPARE(node(w, 0)->text(0), QStringLiteral("Rai 3"));
        QCOMPARE(node(w, 0)->checkState(0), Qt::Unchecked);
        QCOMPARE(node(w, 0)->data(0, FrmConfig::ImageRole).toString(), QStringLiteral("radio"));
        QCOMPARE(node(w, 1)->text(0), QStringLiteral("Rai 1"));
        QCOMPARE(node(w, 1)->checkState(0), Qt::Checked);
        QCOMPARE(node(w, 1)->data(0, FrmConfig::ImageRole).toString(), QStringLiteral("televisione2"));
        QCOMPARE(w.TreeView1->currentItem(), node(w, 0));
        QVERIFY(w.ListaModificata());

        w.Command3_Click();
        QVERIFY(!w.ListaModificata());
        QCOMPARE(channel("Rai 3").Posizione, 1);
        QCOMPARE(channel("Rai 1").Posizione, 2);
        QCOMPARE(channel("Rai 2").Posizione, 3);
        QCOMPARE(treeReloads(), 1);
        QCOMPARE(gridRefreshes(), 1);
    }

    void movesPastTheEndsAreRefused()
    {
        auto &w = open();
        w.TreeView1->setCurrentItem(node(w, 0));
        w.Command7_Click();
        QCOMPARE(asked, QStringList{Lingua[86]});
        QCOMPARE(node(w, 0)->text(0), QStringLiteral("Rai 1"));
        QVERIFY(!w.ListaModificata());

        const int last = w.TreeView1->topLevelItemCount() - 1;
        const QString name = node(w, last)->text(0);
        w.TreeView1->setCurrentItem(node(w, last));
        w.Command8_Click();
        QCOMPARE(asked, (QStringList{Lingua[86], Lingua[87]}));
        QCOMPARE(node(w, last)->text(0), name);
        QVERIFY(w.ListaModificata()); // the refused move down still marks the list
    }

    void cancelOnCloseLeavesTheTableUntouched()
    {
        const auto before = table();
        auto &w = open();
        w.TreeView1->setCurrentItem(node(w, 3));
        w.Command7_Click();
        w.Command4_Click();
        answer = Answer::Cancel;
        w.close();
        QCOMPARE(asked, QStringList{Lingua[88]});
        QCOMPARE(table(), before);
        QCOMPARE(treeReloads(), 1); // the tree is rebuilt all the same
    }

    void aSingleTickAsksOnClose()
    {
        QPointer<FrmConfig> unchanged = &open();
        unchanged->close();
        QTRY_VERIFY(unchanged.isNull());
        QVERIFY(asked.isEmpty());

        auto &w = open();
        node(w, indexOf(w, "TV8"))->setCheckState(0, Qt::Checked);
        QVERIFY(w.ListaModificata());
        w.close();
        QCOMPARE(asked, QStringList{Lingua[88]});
        QVERIFY(channel("TV8").Attivo);
    }

    void comingBackFromAnotherWindowDropsUnappliedChanges()
    {
        auto &w = open();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        exec("update Televisioni set Attivo = 1 where NOMETV = 'TV8'");
        const int i = indexOf(w, "TV8");
        QCOMPARE(node(w, i)->checkState(0), Qt::Unchecked);
        w.TreeView1->setCurrentItem(node(w, 1));
        w.Command7_Click();
        QCOMPARE(node(w, 0)->text(0), QStringLiteral("Rai 2"));

        // A box asked over the list keeps what the user did.
        QMessageBox box;
        box.open();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.accept();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(node(w, 0)->text(0), QStringLiteral("Rai 2"));
        QVERIFY(w.ListaModificata());

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(node(w, 0)->text(0), QStringLiteral("Rai 1"));
        QCOMPARE(node(w, indexOf(w, "TV8"))->checkState(0), Qt::Checked);
        QVERIFY(!w.ListaModificata());
    }

    void clickingAChannelShowsItsDescription()
    {
        exec("update Televisioni set NOMETV = 'Canale dell''Arte' where NOMETV = 'Rai 5'");
        auto &w = open();
        w.TreeView1_NodeClick(node(w, indexOf(w, "Canale dell'Arte")));
        QCOMPARE(w.Label3->text(), QStringLiteral("Canale dell'Arte"));
        QCOMPARE(w.Label8->text(), QStringLiteral("Arte, musica e teatro"));
        QVERIFY(w.ListaModificata());
    }

    void aFailedApplyWritesNothingAndStillAsksOnClose()
    {
        // Rai 1's row is written before Rai 2's is refused: it must roll back.
        exec("create trigger rifiuta before update on Televisioni when new.NOMETV = 'Rai 2' "
             "begin select raise(abort, 'bloccato'); end");
        auto &w = open();
        w.Command4_Click();
        w.Command3_Click();
        QCOMPARE(main->status(3), QStringList{"*"});
        QVERIFY(main->status(1).isEmpty());
        QVERIFY(w.ListaModificata());
        QVERIFY(channel("Rai 1").Attivo);
        QCOMPARE(channel("Rai 1").Posizione, 1);
    }
};

QTEST_MAIN(TestFrmConfig)
#include "tst_frmconfig.moc"
