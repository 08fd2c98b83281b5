#include "core/AppState.h"
#include "core/Settings.h"
#include "platform/Database.h"
#include "support/Prompts.h"
#include "support/TempApp.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace orv;

namespace {

void clearSettings()
{
    CARD = HTMLRicerche = Cinedrawerdb = HTMLReport = ProxyName = ProxyPort = ProxyUser = ProxyPass = language =
        HTMLmytv = QString();
    Width = Heigth = Top = Left = 0;
    FullScreen = TakeOnlyListed = ScriptError = ShutDown = CheckUpdate = TakeAll = TakeNone = Locandine = HighLights =
        NavBar = Colore = Pulisci = UsaProxy = griglia = PopUp = false;
    ShutType = GiorniGriglia = 0;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearSettings();
        Lingua[169] = QStringLiteral("salvataggio non riuscito");
    }

    QVariant stored(const QString &file, const QString &column)
    {
        Database db = Database::open(app.db(file));
        auto st = db.prepare(QStringLiteral("select \"%1\" from Config").arg(column));
        return st.next() ? st.value(0) : QVariant();
    }
    void run(const QString &file, const QString &sql) { Database::open(app.db(file)).exec(sql); }
    void breakFile(const QString &file)
    {
        QFile f(app.db(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
    }

    test::TempApp app;
    test::Prompts prompts;
    QStringList &messages = prompts.texts;
};

// Every setting, in one comparable list.
QVariantList allSettings()
{
    return {CARD, Width, Heigth, Top, Left, FullScreen, TakeOnlyListed, ScriptError, ShutDown, ShutType,
            CheckUpdate, TakeAll, TakeNone, HTMLRicerche, Locandine, HighLights, NavBar, GiorniGriglia,
            Cinedrawerdb, HTMLReport, Colore, Pulisci, UsaProxy, ProxyName, ProxyPort, ProxyUser, ProxyPass,
            language, HTMLmytv, griglia, PopUp};
}
// Their keys: 19 in config.cfg, then config2.cfg's.
const char *const Keys[] = {"CARD", "Width", "Heigth", "Top", "Left", "FullScreen", "TakeOnlyListed", "ScriptError",
    "ShutDown", "ShutType", "CheckUpdate", "TakeAll", "TakeNone", "HTMLRicerche", "Locandine", "HighLights", "NavBar",
    "GiorniGriglia", "Cinedrawerdb", "HTMLReport", "Colore", "Pulisci", "UsaProxy", "ProxyName", "ProxyPort",
    "ProxyUser", "ProxyPass", "language", "HTMLmytv", "griglia", "PopUp"};

TEST_F(SettingsTest, EveryKeyRoundTripsThroughBothFiles)
{
    CARICA_CONFIGURAZIONE();
    // Every value differs from the installed one.
    CARD = QStringLiteral("moderna.htm");
    Width = 2000000, Heigth = -5, Top = 7, Left = 8;
    FullScreen = TakeOnlyListed = ScriptError = ShutDown = TakeAll = TakeNone = UsaProxy = true;
    CheckUpdate = Locandine = HighLights = NavBar = Colore = Pulisci = griglia = PopUp = false;
    ShutType = 3, GiorniGriglia = 7;
    HTMLRicerche = "r.htm", Cinedrawerdb = "/home/u/film's.mdb", HTMLReport = "rep.htm", HTMLmytv = "my.htm";
    ProxyName = "proxy.local", ProxyPort = "3128", ProxyUser = "utente", ProxyPass = "pa'ss";
    language = "English.ini";
    const QVariantList saved = allSettings();
    SALVA_CONFIGURAZIONE();
    for (int i = 0; i < int(saved.size()); ++i) {
        QVariant column = stored(i < 19 ? "config.cfg" : "config2.cfg", QString::fromLatin1(Keys[i]));
        EXPECT_TRUE(column.convert(saved[i].metaType()) && column == saved[i]) << Keys[i];
    }

    clearSettings();
    CARICA_CONFIGURAZIONE();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(allSettings(), saved);
}

TEST_F(SettingsTest, NullValueIsReportedOnceAndNeverWrittenBack)
{
    run("config2.cfg", QStringLiteral("update Config set ProxyPass = null, ProxyUser = 'io'"));
    ProxyPass = QStringLiteral("before");
    CARICA_CONFIGURAZIONE();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(
        QStringLiteral("Errore nel caricamento configurazione, hai installato correttamente tutti i file?\r\n94")));
    EXPECT_EQ(QStringList({ProxyPass, ProxyUser, language}), QStringList({"before", "io", "Italiano.ini"}));

    Colore = false;
    SALVA_CONFIGURAZIONE();
    EXPECT_TRUE(stored("config2.cfg", "ProxyPass").isNull());
    EXPECT_EQ(stored("config2.cfg", "Colore").toInt(), 0);

    // Once the user gives it a value, it is saved.
    ProxyPass = QStringLiteral("nuova");
    SALVA_CONFIGURAZIONE();
    EXPECT_EQ(stored("config2.cfg", "ProxyPass").toString(), QStringLiteral("nuova"));
}

TEST_F(SettingsTest, AMissingColumnOrAValueOfTheWrongTypeLeavesTheOtherKeysAndTheStoredValue)
{
    run("config.cfg", QStringLiteral("alter table Config drop column Cinedrawerdb"));
    run("config.cfg", QStringLiteral("update Config set Width = 'largo', ShutType = 70000, GiorniGriglia = 32767, "
                                     "Top = 10.6, FullScreen = 'true'"));
    Width = 99;
    CARICA_CONFIGURAZIONE();
    EXPECT_EQ(messages.size(), 3);
    EXPECT_EQ(QVariantList({Width, ShutType, GiorniGriglia, Top, FullScreen, language}),
              QVariantList({99, 0, 32767, 11, true, "Italiano.ini"}));
    messages.clear();
    SALVA_CONFIGURAZIONE();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(stored("config.cfg", "Width").toString(), QStringLiteral("largo"));
    EXPECT_EQ(stored("config.cfg", "ShutType").toInt(), 70000);
}

TEST_F(SettingsTest, EmptyTableShowsTheShortMessageAndKeepsStoredNothing)
{
    run("config2.cfg", QStringLiteral("delete from Config"));
    CARICA_CONFIGURAZIONE();
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "Errore nel caricamento configurazione, hai installto correttamente tutti i file?")});
    EXPECT_TRUE(language.isEmpty());
    EXPECT_EQ(CARD, QStringLiteral("classica.htm"));

    messages.clear();
    Colore = true;
    CARD = QStringLiteral("altra.htm");
    SALVA_CONFIGURAZIONE();
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "Errore nel salvataggio configurazione, hai installto correttamente tutti i file?")});
    EXPECT_EQ(stored("config.cfg", "CARD").toString(), QStringLiteral("altra.htm"));
    // An empty first file shows its own text, and the second file is still tried.
    run("config.cfg", QStringLiteral("delete from Config"));
    SALVA_CONFIGURAZIONE();
    EXPECT_EQ(messages, (QStringList{messages[0], Lingua[169], messages[0]}));
}

TEST_F(SettingsTest, DamagedFileAtStartIsNotWipedAtCloseAndAFailedSaveStopsBeforeTheSecondFile)
{
    const QString path = app.db(QStringLiteral("config2.cfg"));
    QFile::copy(path, path + QStringLiteral(".good"));
    breakFile("config2.cfg");
    CARICA_CONFIGURAZIONE();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(language.isEmpty());

    // Repaired while the program runs: the close must not store the empties.
    QFile::remove(path);
    QFile::copy(path + QStringLiteral(".good"), path);
    SALVA_CONFIGURAZIONE();
    EXPECT_EQ(stored("config2.cfg", "language").toString(), QStringLiteral("Italiano.ini"));
    EXPECT_EQ(stored("config2.cfg", "ProxyPort").toString(), QStringLiteral("8080"));

    CARICA_CONFIGURAZIONE();
    messages.clear();
    breakFile("config.cfg");
    Colore = false;
    SALVA_CONFIGURAZIONE();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(
        QStringLiteral("Errore nel salvataggio configurazione, hai installto correttamente tutti i file?\r\n")));
    EXPECT_EQ(stored("config2.cfg", "Colore").toInt(), 1);
}

} // namespace
