#include "core/AppState.h"
#include "core/Store.h"
#include "details/FrmMonitor.h"
#include "details/FrmPopUp.h"
#include "details/FrmPreferiti.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace orv;

// Both editors run the same cases; the column says which window.
class TestTitleEditors : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempApp> app;
    std::unique_ptr<test::RecordingSeam> seam;
    QStringList questions;
    Answer answer = Answer::Ok;

    bool favourites() const
    {
        QFETCH_GLOBAL(bool, fav);
        return fav;
    }
    QString dbFile() const { return app->db(favourites() ? "Preferiti.cfg" : "monitor.cfg"); }
    QString table() const { return favourites() ? "Preferiti" : "Monitor"; }

    void store(const QStringList &titles)
    {
        Database db = Database::open(dbFile());
        for (const QString &t : titles)
            db.prepare("insert into " + table() + " (Titolo) values (?)").bind(1, t).execute();
    }
    // Every stored title, table order.
    QStringList stored()
    {
        Database db = Database::open(dbFile());
        Statement st = db.prepare("select Titolo from " + table() + " order by rowid");
        QStringList out;
        while (st.next())
            out << (st.isNull(0) ? QStringLiteral("<null>") : st.text(0));
        return out;
    }
    TitleEditorWindow &open()
    {
        TitleEditorWindow *w = favourites() ? static_cast<TitleEditorWindow *>(&Windows::get<FrmPreferiti>())
                                            : &Windows::get<FrmMonitor>();
        w->show();
        return *w;
    }
    static QStringList listed(const TitleEditorWindow &w)
    {
        QStringList out;
        for (int i = 0; i < w.ListView1->count(); ++i)
            out << w.ListView1->item(i)->text();
        return out;
    }
    static void click(TitleEditorWindow &w, const QString &text)
    {
        const auto found = w.ListView1->findItems(text, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        w.ListView1_Click(found.first());
    }

    // Node texts from the root down, depth-first.
    static QStringList texts(QTreeWidgetItem *node, int depth = 0)
    {
        QStringList out{QString(depth * 2, QLatin1Char(' ')) + node->text(0)};
        for (int i = 0; i < node->childCount(); ++i)
            out << texts(node->child(i), depth + 1);
        return out;
    }

private slots:
    void initTestCase() { test::failQtTestOnUnanswered(); }
    void initTestCase_data()
    {
        QTest::addColumn<bool>("fav");
        QTest::newRow("monitor") << false;
        QTest::newRow("preferiti") << true;
    }
    void init()
    {
        app = std::make_unique<test::TempApp>();
        seam = std::make_unique<test::RecordingSeam>();
        questions.clear();
        answer = Answer::Ok;
        Prompt::setHandler([this](const PromptRequest &r) {
            questions << r.title + "|" + r.text;
            return answer;
        });
    }
    void cleanup()
    {
        Windows::unloadAll();
        Prompt::setHandler({});
        seam.reset();
        app.reset();
    }

    void aStarredTitleReachesItsOwnRowNotALookAlike()
    {
        store({"La mia isola", "L*isola", "Quark", "Quark", ""});
        auto &w = open();
        QCOMPARE(listed(w), (QStringList{"L*isola", "La mia isola", "Quark", "Quark"}));
        QVERIFY(questions.isEmpty()); // duplicates listed without a box

        click(w, "L*isola");
        QCOMPARE(w.Text1->text(), QStringLiteral("L*isola"));
        w.Text1->setText("L'isola dei famosi");
        w.Command4_Click();
        QCOMPARE(stored(), (QStringList{"La mia isola", "L*isola dei famosi", "Quark", "Quark", ""}));

        // Cancel keeps the row and the selection.
        click(w, "L*isola dei famosi");
        answer = Answer::Cancel;
        w.Command2_Click();
        QCOMPARE(stored().size(), 5);
        QVERIFY(w.Command2->isEnabled());
        QCOMPARE(w.Text1->text(), QStringLiteral("L*isola dei famosi"));
        answer = Answer::Ok;
        w.Command2_Click();
        QCOMPARE(questions, QStringList(2, "L*isola dei famosi|Vuoi davvero eliminare questo titolo dalla lista?"));
        QCOMPARE(stored(), (QStringList{"La mia isola", "Quark", "Quark", ""}));
        QVERIFY(w.Text1->text().isEmpty());
        QVERIFY(!w.Text1->isEnabled());

        // The second of two equal titles is its own row.
        w.ListView1_Click(w.ListView1->item(2));
        w.Text1->setText("Quark Atlante");
        w.Command4_Click();
        QCOMPARE(stored(), (QStringList{"La mia isola", "Quark", "Quark Atlante", ""}));
    }

    void aNewTitleIsStoredWithStarsAndOnlyAListedRowCanBeDeleted()
    {
        store({"Quark"});
        auto &w = open();
        QCOMPARE(w.Command2->isEnabled(), !favourites());
        w.Command1_Click();
        QVERIFY(w.Text1->isEnabled());
        // A pending new row has nothing to delete.
        QVERIFY(!w.Command2->isEnabled());
        w.Command2_Click();
        w.Text1->setText("Un po' di sole");
        w.Command4_Click();
        QVERIFY(!w.Text1->isEnabled());
        QCOMPARE(stored(), (QStringList{"Quark", "Un po* di sole"}));
        QCOMPARE(listed(w), (QStringList{"Quark", "Un po* di sole"}));
        QCOMPARE(w.Command2->isEnabled(), !favourites());

        // Blank text stores nothing, nor does "Salva" with no row after a list load.
        w.Command1_Click();
        w.Text1->setText("   ");
        w.Command4_Click();
        click(w, "Quark");
        w.Text1->clear();
        w.Command4_Click();
        w.Text1->setText("Senza riga");
        w.Command4_Click();
        QCOMPARE(stored(), (QStringList{"Quark", "Un po* di sole"}));
    }

    // No row is current after a list load: "Salva" and "Elimina" store and
    // delete nothing, say so and reload the list.
    void saveAndDeleteRightAfterAListLoadReportTheirMarks()
    {
        store({"Quark"});
        auto &w = open();
        store({"Ulisse"});
        w.Text1->setText("Senza riga");
        QTest::mouseClick(w.Command4, Qt::LeftButton);
        QCOMPARE(seam->status(1), QStringList{"^"});
        QCOMPARE(listed(w), (QStringList{"Quark", "Ulisse"}));
        store({"Zorro"});
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QCOMPARE(stored(), (QStringList{"Quark", "Ulisse", "Zorro"}));
        // The favourites editor's "Elimina" is off until a row is chosen.
        QCOMPARE(questions, favourites() ? QStringList{}
                                         : QStringList{"Senza riga|Vuoi davvero eliminare questo titolo dalla lista?"});
        QCOMPARE(seam->status(3), favourites() ? QStringList{} : QStringList{"*"});
        QCOMPARE(listed(w),
                 favourites() ? (QStringList{"Quark", "Ulisse"}) : (QStringList{"Quark", "Ulisse", "Zorro"}));
        QCOMPARE(w.Text1->text().isEmpty(), !favourites());
        QVERIFY(!w.Text1->isEnabled());
    }

    void aListThatCannotBeReadSaysSoInABox()
    {
        QFile::remove(dbFile());
        auto &w = open();
        QCOMPARE(w.ListView1->count(), 0);
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions.first().startsWith(QLatin1Char('|')));
        QVERIFY(questions.first().at(1).isDigit());
    }

    void activationStopsTheMonitorAlert()
    {
        auto &w = open();
        QCOMPARE(seam->count("stopMonitorAlert"), 0);
        QApplication::setActiveWindow(&w);
        QCOMPARE(seam->count("stopMonitorAlert"), 1);
    }

    void failedCommandsReportInThePanels()
    {
        store({"Quark"});
        auto &w = open();
        const QString away = dbFile() + ".via";
        click(w, "Quark");
        QFile::rename(dbFile(), away);
        w.Command2_Click();
        QCOMPARE(seam->status(3), QStringList{"*"});
        w.Command1_Click();
        QCOMPARE(seam->status(3).size(), 2);
        QVERIFY(seam->status(3).last().at(0).isDigit());

        QFile::rename(away, dbFile());
        w.Command1_Click();
        QFile::rename(dbFile(), away);
        w.Text1->setText("Nuovo");
        w.Command4_Click();
        QCOMPARE(seam->status(1), QStringList{"^"});
    }

    void monitorSearchesFromTheMainWindowsDayAndANodeOpensThePopUp()
    {
        if (favourites())
            QSKIP("monitor only");
        const QDate day(2024, 1, 5);
        auto add = [](const QDate &d, const QString &title) {
            Database::open(PercorsoDb).exec(QString("insert into Programmi (Data, Palinsesto, Numerazione, ORA, "
                                                    "Titolo) values (%1, 'TeleUno', 12, '20:30', '%2')")
                                                .arg(d.toString("yyyyMMdd"), title));
        };
        store({"Meteo"});
        add(day.addDays(-1), "Previsioni Meteo di ieri");
        seam->day = day;
        MonitorTrovato = false;
        FrmMonitor &w = Windows::get<FrmMonitor>();
        w.Command3_Click();
        QVERIFY(!MonitorTrovato);
        QCOMPARE(texts(w.TreeView1->topLevelItem(0)), (QStringList{"Programmi Trovati", "  Meteo"}));

        // A new search starts from the root again.
        add(day, "Previsioni Meteo");
        w.Command3_Click();
        QVERIFY(MonitorTrovato);
        QCOMPARE(w.TreeView1->topLevelItemCount(), 1);
        QCOMPARE(texts(w.TreeView1->topLevelItem(0)),
                 (QStringList{"Programmi Trovati", "  Meteo", "    05/01/2024", "      TeleUno",
                              "        20:30-Previsioni Meteo"}));
        QTreeWidgetItem *programme = w.TreeView1->topLevelItem(0)->child(0)->child(0)->child(0)->child(0);
        QCOMPARE(FrmMonitor::keyOf(programme), QStringLiteral("D05/01/2024[12]TeleUno20:30"));

        // Day and channel nodes open nothing.
        w.TreeView1_NodeClick(programme->parent());
        QVERIFY(!Windows::loaded<FrmPopUp>());
        w.TreeView1_NodeClick(programme);
        QVERIFY(Windows::get<FrmPopUp>().isVisible());
        QCOMPARE(PopUpData + "|" + PopUpPalinsesto + "|" + PopUpNumerazione, QStringLiteral("20240105|TeleUno|12"));
    }
};

QTEST_MAIN(TestTitleEditors)
#include "tst_title_editors.moc"
