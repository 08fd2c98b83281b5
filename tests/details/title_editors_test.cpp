#include "core/AppState.h"
#include "core/Store.h"
#include "details/FrmMonitor.h"
#include "details/FrmPopUp.h"
#include "details/FrmPreferiti.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace orv;

namespace {

const QString Ask = QStringLiteral("Vuoi davvero eliminare questo titolo dalla lista?");

// Both editors run the same cases; the parameter says the favourites editor.
class TitleEditors : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        Prompt::setHandler([this](const PromptRequest &r) {
            questions << r.title + "|" + r.text;
            return answer;
        });
    }
    void TearDown() override
    {
        Windows::unloadAll();
        Prompt::setHandler({});
    }
    bool favourites() const { return GetParam(); }
    QString dbFile() const { return app.db(favourites() ? "Preferiti.cfg" : "monitor.cfg"); }
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
            out << st.text(0);
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
        ASSERT_FALSE(found.isEmpty()) << qPrintable(text);
        w.ListView1_Click(found.first());
    }

    test::TempApp app;
    test::RecordingSeam seam;
    QStringList questions;
    Answer answer = Answer::Ok;
};

INSTANTIATE_TEST_SUITE_P(Editors, TitleEditors, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Preferiti" : "Monitor"; });

} // namespace

TEST_P(TitleEditors, AStarredTitleReachesItsOwnRowNotALookAlike)
{
    store({"La mia isola", "L*isola", "Quark", "Quark", ""});
    auto &w = open();
    EXPECT_EQ(listed(w), (QStringList{"L*isola", "La mia isola", "Quark", "Quark"}));
    EXPECT_TRUE(questions.isEmpty()); // duplicates listed without a box

    click(w, "L*isola");
    w.Text1->setText("L'isola dei famosi");
    w.Command4_Click();
    EXPECT_FALSE(w.Text1->isEnabled());
    EXPECT_EQ(stored(), (QStringList{"La mia isola", "L*isola dei famosi", "Quark", "Quark", ""}));

    // Cancel keeps the row, the selection and "Elimina".
    click(w, "L*isola dei famosi");
    answer = Answer::Cancel;
    w.Command2_Click();
    EXPECT_EQ(stored().size(), 5);
    EXPECT_TRUE(w.Text1->text() == QStringLiteral("L*isola dei famosi") && w.Command2->isEnabled());
    answer = Answer::Ok;
    w.Command2_Click();
    EXPECT_EQ(questions, QStringList(2, "L*isola dei famosi|" + Ask));
    EXPECT_EQ(stored(), (QStringList{"La mia isola", "Quark", "Quark", ""}));
    EXPECT_TRUE(!w.Text1->isEnabled() && w.Text1->text().isEmpty());

    // The second of two equal titles is its own row.
    w.ListView1_Click(w.ListView1->item(2));
    w.Text1->setText("Quark Atlante");
    w.Command4_Click();
    // A pending new row has nothing to delete, and blank text stores nothing.
    w.Command1_Click();
    EXPECT_TRUE(!w.Command2->isEnabled() && w.Text1->isEnabled() && w.Text1->text().isEmpty());
    w.Command2_Click();
    w.Text1->setText("   ");
    w.Command4_Click();
    EXPECT_EQ(stored(), (QStringList{"La mia isola", "Quark", "Quark Atlante", ""}));
}

// No row is current after a list load: "Salva" and "Elimina" store and
// delete nothing, say so and reload the list.
TEST_P(TitleEditors, SaveAndDeleteRightAfterAListLoadReportTheirMarks)
{
    store({"Quark"});
    auto &w = open();
    store({"Ulisse"});
    w.Text1->setText("Senza riga");
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_EQ(seam.status(1), QStringList{"^"});
    EXPECT_EQ(listed(w), (QStringList{"Quark", "Ulisse"}));
    store({"Zorro"});
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_EQ(stored(), (QStringList{"Quark", "Ulisse", "Zorro"}));
    // The favourites editor's "Elimina" is off until a row is chosen.
    EXPECT_EQ(questions, favourites() ? QStringList{} : QStringList{"Senza riga|" + Ask});
    EXPECT_EQ(seam.status(3), favourites() ? QStringList{} : QStringList{"*"});
    EXPECT_EQ(listed(w), favourites() ? (QStringList{"Quark", "Ulisse"}) : (QStringList{"Quark", "Ulisse", "Zorro"}));
    EXPECT_FALSE(w.Text1->isEnabled());
}

TEST_P(TitleEditors, FailuresReportInABoxOrThePanelsAndActivationStopsTheAlert)
{
    store({"Quark"});
    const QString away = dbFile() + ".via";
    QFile::rename(dbFile(), away);
    EXPECT_EQ(open().ListView1->count(), 0);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions.first().startsWith(QLatin1Char('|')) && questions.first().at(1).isDigit());
    Windows::unloadAll();
    QFile::rename(away, dbFile());
    seam.calls.clear();

    // The monitor takes its captions from the language texts at each activation; the favourites editor keeps its own.
    const auto language = Lingua;
    for (int i = 95; i <= 99; ++i)
        Lingua[size_t(i)] = QString::number(i);
    auto &w = open();
    QApplication::setActiveWindow(&w);
    EXPECT_EQ(seam.count("stopMonitorAlert"), 1);
    QStringList captions{w.Label1->text(), w.Command1->text(), w.Command4->text(), w.Command2->text()};
    if (auto *monitor = qobject_cast<FrmMonitor *>(&w))
        captions << monitor->Command3->text();
    EXPECT_EQ(captions.join('|'), favourites() ? "Lista Programmi Preferiti|Nuovo|Salva|Elimina" : "95|96|97|98|99");
    Lingua = language;

    click(w, "Quark");
    QFile::rename(dbFile(), away);
    w.Command2_Click();
    EXPECT_EQ(seam.status(3), QStringList{"*"});
    w.Command1_Click();
    ASSERT_EQ(seam.status(3).size(), 2);
    EXPECT_TRUE(seam.status(3).last().at(0).isDigit());

    QFile::rename(away, dbFile());
    w.Command1_Click();
    QFile::rename(dbFile(), away);
    w.Text1->setText("Nuovo");
    w.Command4_Click();
    EXPECT_EQ(seam.status(1), QStringList{"^"});
}

TEST(MonitorWindow, SearchesFromTheMainWindowsDayAndAProgrammeNodeOpensThePopUp)
{
    test::TempApp app;
    test::RecordingSeam seam;
    Database::open(app.db("monitor.cfg")).exec("insert into Monitor (Titolo) values ('Meteo')");
    Database::open(PercorsoDb).exec("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo) values "
                                    "(20240104, 'TeleUno', 11, '20:30', 'Meteo di ieri'), "
                                    "(20240105, 'TeleUno', 12, '20:30', 'Previsioni Meteo')");
    seam.day = QDate(2024, 1, 5);
    MonitorTrovato = false;
    FrmMonitor &w = Windows::get<FrmMonitor>();
    w.Command3_Click();
    w.Command3_Click(); // a new search starts from the root again
    EXPECT_TRUE(MonitorTrovato);
    ASSERT_EQ(w.TreeView1->topLevelItemCount(), 1);
    QTreeWidgetItem *meteo = w.TreeView1->topLevelItem(0)->child(0);
    ASSERT_EQ(meteo->childCount(), 1);
    QTreeWidgetItem *programme = meteo->child(0)->child(0)->child(0);
    EXPECT_EQ(programme->text(0), QStringLiteral("20:30-Previsioni Meteo"));

    // Day and channel nodes open nothing.
    w.TreeView1_NodeClick(programme->parent());
    EXPECT_FALSE(Windows::loaded<FrmPopUp>());
    w.TreeView1_NodeClick(programme);
    EXPECT_TRUE(Windows::get<FrmPopUp>().isVisible());
    EXPECT_EQ(PopUpData + "|" + PopUpPalinsesto + "|" + PopUpNumerazione, QStringLiteral("20240105|TeleUno|12"));
    Windows::unloadAll();
}
