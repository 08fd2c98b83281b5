#include "core/AppState.h"
#include "core/Language.h"
#include "core/Store.h"
#include "support/TempApp.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        listings = Database::open(PercorsoDb);
        channels = Database::open(PercorsoPalinsesti);
        favourites = Database::open(PercorsoPreferiti);
    }

    Programme prog(qint32 day, const QString &channel, int n, const QString &time, const QString &title)
    {
        Programme p;
        p.Data = day;
        p.Palinsesto = channel;
        p.Numerazione = n;
        p.ORA = time;
        p.Titolo = title;
        return p;
    }

    QStringList titles(const std::vector<Programme> &rows)
    {
        QStringList out;
        for (const auto &p : rows)
            out << p.Titolo;
        return out;
    }

    test::TempApp app;
    Database listings, channels, favourites;
};

TEST_F(StoreTest, DayWrittenAsTextIsANumber)
{
    // Writers hand the day over as its eight-character text.
    listings.prepare(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo) "
                                    "values (?, 'Rai 1', 1, '20:00', 'Tg1')"))
        .bind(1, QStringLiteral("20261206"))
        .execute();
    ProgrammiTable t(listings);
    EXPECT_TRUE(t.hasChannelDay(20261206, QStringLiteral("Rai 1")));
    EXPECT_EQ(t.channelDay(20261206, QStringLiteral("rai 1")).size(), 1u);
    EXPECT_EQ(t.deleteBefore(20261206), 0);
    EXPECT_EQ(t.deleteBefore(20261207), 1);
    EXPECT_EQ(t.count(), 0);
}

TEST_F(StoreTest, ChannelNamesMatchWithoutRegardToCase)
{
    ProgrammiTable t(listings);
    const QString name = QStringLiteral("Radio Città D'Italia");
    t.insert(prog(20261206, name, 1, QStringLiteral("06:00"), QStringLiteral("Buongiorno")));
    EXPECT_EQ(t.channelDay(20261206, QStringLiteral("RADIO CITTÀ d'italia")).size(), 1u);
    EXPECT_TRUE(t.find({20261206, QStringLiteral("radio città d'italia"), 1}).has_value());
    EXPECT_EQ(t.deleteChannelDay(20261206, QStringLiteral("RADIO CITTÀ D'ITALIA")), 1);

    TelevisioniTable tv(channels);
    auto c = tv.byName(QStringLiteral("serie più"));
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->NOMETV, QStringLiteral("Serie Più"));
}

TEST_F(StoreTest, StartTimesSortAsText)
{
    ProgrammiTable t(listings);
    t.insert(prog(20261206, QStringLiteral("Rai 1"), 1, QStringLiteral("10:00"), QStringLiteral("B")));
    t.insert(prog(20261206, QStringLiteral("Rai 2"), 1, QStringLiteral("09:05"), QStringLiteral("A")));
    t.insert(prog(20261206, QStringLiteral("Rai 3"), 1, QStringLiteral("08:59"), QStringLiteral("Z")));
    auto rows = t.reportRows(QStringLiteral("*"), 20261206, QStringLiteral("09:00"), QStringLiteral("23:59"));
    EXPECT_EQ(titles(rows), (QStringList{"A", "B"}));
}

TEST_F(StoreTest, OnlyTheTextOneIsAMark)
{
    ProgrammiTable t(listings);
    auto p = prog(20261206, QStringLiteral("Rai 1"), 1, QStringLiteral("21:00"), QStringLiteral("null"));
    t.insert(p);
    p.Numerazione = 2;
    p.Titolo = QStringLiteral("zero");
    p.Promemoria = QStringLiteral("0");
    t.insert(p);
    p.Numerazione = 3;
    p.Titolo = QStringLiteral("uno");
    p.Promemoria = QStringLiteral("1");
    t.insert(p);
    listings.exec(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo, "
                                 "Promemoria) values (20261206, 'Rai 1', 4, '21:00', 'vuoto', '')"));
    auto rows = t.withStateAt(20261206, QStringLiteral("21:00"), StateField::Promemoria);
    EXPECT_EQ(titles(rows), QStringList{"uno"});

    EXPECT_TRUE(t.setState({20261206, QStringLiteral("Rai 1"), 1}, StateField::Marked, true));
    EXPECT_EQ(titles(t.markedOnDay(20261206)), (QStringList{"null", "uno"}));
    EXPECT_TRUE(t.setState({20261206, QStringLiteral("Rai 1"), 1}, StateField::Marked, false));
    EXPECT_EQ(t.find({20261206, QStringLiteral("Rai 1"), 1})->Marked, QStringLiteral("0"));
    EXPECT_FALSE(t.setState({20261206, QStringLiteral("Rai 1"), 99}, StateField::Marked, true));
}

TEST_F(StoreTest, PercentAndUnderscoreInTitlesAreLiteral)
{
    ProgrammiTable t(listings);
    t.insert(prog(20261206, QStringLiteral("Rai 1"), 1, QStringLiteral("20:00"), QStringLiteral("100% Calcio")));
    t.insert(prog(20261206, QStringLiteral("Rai 1"), 2, QStringLiteral("21:00"), QStringLiteral("1000 Calcio")));
    t.insert(prog(20261206, QStringLiteral("Rai 1"), 3, QStringLiteral("22:00"), QStringLiteral("Tom_Jerry")));
    t.insert(prog(20261206, QStringLiteral("Rai 1"), 4, QStringLiteral("23:00"), QStringLiteral("TomXJerry")));
    EXPECT_EQ(titles(t.byTitleLike(QStringLiteral("100% calcio"))), QStringList{"100% Calcio"});
    EXPECT_EQ(titles(t.byTitleLike(QStringLiteral("tom_jerry"))), QStringList{"Tom_Jerry"});
    EXPECT_EQ(t.setMarkedByTitleLike(QStringLiteral("tom*"), true), 2);
}

TEST_F(StoreTest, FavouriteIdsRunOnFromTheHighest)
{
    PreferitiTable f(favourites);
    EXPECT_EQ(f.addWithNextId(QStringLiteral("Il_Padrino")), 1);
    f.add(QStringLiteral("Montalbano"));
    EXPECT_EQ(f.addWithNextId(QStringLiteral("Ulisse")), 2);
    EXPECT_TRUE(f.contains(QStringLiteral("il_padrino")));
    EXPECT_EQ(f.remove(QStringLiteral("MONTALBANO")), 1);
    EXPECT_EQ(f.titles().size(), 2);
}

// The filter menu names each group with texts 16 to 22; a channel must sit
// under the title a viewer would look for it.
TEST_F(StoreTest, InstalledChannelsSitUnderTheirGroupTitle)
{
    const LanguageFile italian = readLanguageFile(app.file(QStringLiteral("languages/Italiano.ini")));
    ASSERT_EQ(italian.errorNumber, 0);
    auto groupTitle = [&](const char *name) {
        const auto c = TelevisioniTable(channels).byName(QString::fromUtf8(name));
        return c && c->ANTENNA ? italian.entries.value(15 + *c->ANTENNA).toStdString() : std::string("(assente)");
    };
    for (const char *name : {"Rai 1", "Canale 5", "La7"})
        EXPECT_EQ(groupTitle(name), std::string("Televisione")) << name;
    for (const char *name : {"Rai Movie", "Iris"})
        EXPECT_EQ(groupTitle(name), std::string("Cinema")) << name;
    EXPECT_EQ(groupTitle("Rai Sport"), std::string("Sport"));
    EXPECT_EQ(groupTitle("Radio 1"), std::string("Radio"));
}

// Every table and field the program reads is installed, each Config with its row.
TEST_F(StoreTest, InstalledSchemaHasEveryField)
{
    const QList<QStringList> expected = {
        {"Orvento.cfg", "Programmi", "Data", "Palinsesto", "Numerazione", "ORA", "Titolo", "Titolo2", "Type",
         "Genere", "Descrizione", "Durata", "link", "Link1", "Link2", "Immagine", "Marked", "Promemoria",
         "Registra"},
        {"Palinsesti.cfg", "Televisioni", "IDTV", "NOMETV", "Descrizione", "Attivo", "Visualizzare", "Posizione",
         "ANTENNA", "Canale", "Digitale", "Colore", "Ricarica", "GIORNI"},
        {"Preferiti.cfg", "Preferiti", "ID", "Titolo"},
        {"monitor.cfg", "Monitor", "Titolo"},
        {"config.cfg", "Importa", "Titolo"},
        {"config.cfg", "Config", "CARD", "Width", "Heigth", "Top", "Left", "FullScreen", "TakeOnlyListed",
         "ScriptError", "ShutDown", "ShutType", "CheckUpdate", "TakeAll", "TakeNone", "HTMLRicerche", "Locandine",
         "HighLights", "NavBar", "GiorniGriglia", "Cinedrawerdb"},
        {"config2.cfg", "Config", "HTMLReport", "Colore", "Pulisci", "UsaProxy", "ProxyName", "ProxyPort",
         "ProxyUser", "ProxyPass", "language", "HTMLmytv", "griglia", "PopUp"},
    };
    for (const QStringList &e : expected) {
        Database db = Database::open(app.db(e[0]));
        auto st = db.prepare(QStringLiteral("select * from ") + e[1]);
        for (const QString &field : e.mid(2))
            EXPECT_GE(st.columnIndex(field), 0) << qPrintable(e[0]) << " " << qPrintable(field);
        if (e[1] == QLatin1String("Config")) {
            EXPECT_TRUE(ConfigTable(db).hasRow()) << qPrintable(e[0]);
        }
    }
}

} // namespace
