#include "core/AppState.h"
#include "core/Store.h"
#include "details/FrmMonitor.h"
#include "details/FrmPopUp.h"
#include "mainwindow/MainState.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace orv;

class TestFrmMonitor : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempApp> app;
    std::unique_ptr<test::RecordingSeam> seam;

    void watch(const QString &word)
    {
        Database db = Database::open(app->db("monitor.cfg"));
        MonitorTable(db).add(word);
    }
    void add(const QDate &day, const QString &channel, int number, const QString &ora, const QString &title)
    {
        Database db = Database::open(PercorsoDb);
        Programme p;
        p.Data = dayNumber(day.year(), day.month(), day.day());
        p.Palinsesto = channel;
        p.Numerazione = number;
        p.ORA = ora;
        p.Titolo = title;
        ProgrammiTable(db).insert(p);
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
    void init()
    {
        app = std::make_unique<test::TempApp>();
        seam = std::make_unique<test::RecordingSeam>();
        Prompt::setHandler([](const PromptRequest &) { return Answer::Ok; });
        MonitorTrovato = false;
    }
    void cleanup()
    {
        Windows::unloadAll();
        Prompt::setHandler({});
        seam.reset();
        for (int i : {95, 96, 97, 98, 99, 101})
            Lingua[size_t(i)].clear();
        app.reset();
    }

    void searchesFromTheMainWindowsDayAndANodeOpensThePopUp()
    {
        const QDate day(2024, 1, 5);
        watch("Meteo");
        add(day, "TeleUno", 12, "20:30", "Previsioni Meteo");
        add(day.addDays(-1), "TeleUno", 12, "20:30", "Previsioni Meteo di ieri");
        seam->day = day;
        FrmMonitor &w = Windows::get<FrmMonitor>();
        w.Command3_Click();
        QVERIFY(MonitorTrovato);
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

        // A new search starts from the root again.
        w.Command3_Click();
        QCOMPARE(w.TreeView1->topLevelItemCount(), 1);
        QCOMPARE(texts(w.TreeView1->topLevelItem(0)).size(), 5);
    }

    void aSearchWithoutHitsLeavesTheFlagAlone()
    {
        watch("Meteo");
        add(seam->day, "TeleUno", 1, "20:30", "Telegiornale");
        FrmMonitor &w = Windows::get<FrmMonitor>();
        w.Command3_Click();
        QVERIFY(!MonitorTrovato);
        QCOMPARE(texts(w.TreeView1->topLevelItem(0)), (QStringList{"Programmi Trovati", "  Meteo"}));
    }

    void activationTakesTheCaptionsFromTheLanguage()
    {
        const char *texts[] = {"Parole", "Nuova", "Registra", "Togli", "Cerca"};
        for (int i = 0; i < 5; ++i)
            Lingua[size_t(95 + i)] = QString::fromLatin1(texts[i]);
        FrmMonitor &w = Windows::get<FrmMonitor>();
        QCOMPARE(w.Command3->text(), QStringLiteral("Ricerca Ora"));
        w.show();
        QApplication::setActiveWindow(&w);
        QCOMPARE((QStringList{w.Label1->text(), w.Command1->text(), w.Command4->text(), w.Command2->text(),
                              w.Command3->text()}),
                 (QStringList{"Parole", "Nuova", "Registra", "Togli", "Cerca"}));
    }
};

QTEST_MAIN(TestFrmMonitor)
#include "tst_frmmonitor.moc"
