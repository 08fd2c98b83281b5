#include "core/AppState.h"
#include "core/FrmBrowserCons.h"
#include "core/FrmPreferenze.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "platform/Windows.h"
#include "support/Prompts.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

namespace {

class FrmPreferenzeTest : public ::testing::Test {
protected:
    void SetUp() override { CARICA_CONFIGURAZIONE(); }
    void TearDown() override { Windows::unloadAll(); }

    FrmPreferenze &open() { Windows::get<FrmPreferenze>().show(); return Windows::get<FrmPreferenze>(); }
    QVariantMap storedRow(const char *file)
    {
        Database db = Database::open(app.db(QString::fromLatin1(file)));
        return ConfigTable(db).readRow();
    }

    test::TempApp app;
    test::RecordingSeam main;
    test::Prompts prompts;
};

TEST_F(FrmPreferenzeTest, DaysBoxInvalidValuesBecomeSeven)
{
    const std::pair<const char *, int> cases[] = {{"0", 7},   {"9", 7},   {"tre", 7}, {"", 7},  {"-3", 7},
                                                  {"0.5", 7}, {"7.5", 7}, {"3", 3},   {" 1 ", 1}, {"2.6", 3}};
    auto &w = open();
    for (auto [typed, days] : cases) {
        SCOPED_TRACE(typed);
        GiorniGriglia = 2;
        w.CmbGiorniGriglia->setEditText(QString::fromLatin1(typed));
        EXPECT_EQ(w.CmbGiorniGriglia->currentText(), days == 7 ? QStringLiteral("7") : QString::fromLatin1(typed));
        EXPECT_EQ(int(GiorniGriglia), days);
    }
}

TEST_F(FrmPreferenzeTest, EachCheckBoxShowsAndWritesItsOwnSetting)
{
    bool *const settings[] = {&CheckUpdate, &HighLights, &Colore, &Pulisci, &griglia, &UsaProxy};
    auto &w = open();
    const QList<QCheckBox *> boxes{w.Check1, w.Check2, w.Check3, w.Check4, w.Check5, w.ChkProxy};
    for (int i = 0; i < 6; ++i) {
        for (bool *s : settings)
            *s = s == settings[i];
        w.CARICA_OPZIONI();
        boxes[i]->click(); // the one ticked box
        for (int k = 0; k < 6; ++k)
            EXPECT_FALSE(boxes[k]->isChecked() || *settings[k]) << "box " << i << ", then " << k;
    }
}

TEST_F(FrmPreferenzeTest, ShowsTheSettingsControlsWriteAtOnceAndChiudiStores)
{
    GiorniGriglia = 4;
    auto &w = open();
    // Filling the days box leaves the setting alone.
    EXPECT_EQ(w.CmbGiorniGriglia->currentText(), QStringLiteral("4"));
    EXPECT_EQ(GiorniGriglia, qint16(4));
    EXPECT_EQ(w.ListView2->count(), 5);
    EXPECT_EQ(w.ListView2->item(0)->text(), QStringLiteral("Cartoni Animati")); // the newest first
    EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("Italiano.ini"));
    w.Combo1->setCurrentIndex(w.Combo1->findText(QStringLiteral("English.ini")));
    emit w.Combo1->textActivated(w.Combo1->currentText());
    EXPECT_EQ(language, QStringLiteral("English.ini"));
    w.CmbGiorniGriglia->setEditText(QStringLiteral("5"));
    w.Text2->setText(QStringLiteral("/home/anna/film.mdb"));
    EXPECT_EQ(Cinedrawerdb, QStringLiteral("/home/anna/film.mdb"));
    // Nothing is stored before "Chiudi".
    EXPECT_EQ(storedRow("config.cfg").value("GiorniGriglia").toInt(), 2);
    w.Command2_Click();
    EXPECT_EQ(storedRow("config.cfg").value("GiorniGriglia").toInt(), 5);
    EXPECT_EQ(storedRow("config.cfg").value("Cinedrawerdb").toString(), QStringLiteral("/home/anna/film.mdb"));
}

TEST_F(FrmPreferenzeTest, ProxyEditsAreKeptOnlyThroughChiudiReadableByTheUserOnly)
{
    const QString path = app.db("config2.cfg");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ReadOther);
    const QString before = ProxyName;
    QPointer<FrmPreferenze> w = &open();
    w->txtProxy[0]->setText(QStringLiteral("proxy.ufficio"));
    w->close(); // by its frame
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ProxyName, before);
    EXPECT_EQ(storedRow("config2.cfg").value("ProxyName").toString(), before);

    auto &again = open();
    EXPECT_EQ(again.txtProxy[0]->text(), before);
    again.txtProxy[0]->setText(QStringLiteral("proxy.ufficio"));
    again.txtProxy[1]->setText(QStringLiteral("3128"));
    again.txtProxy[2]->setText(QStringLiteral("utente"));
    again.txtProxy[3]->setText(QStringLiteral("segreta"));
    EXPECT_EQ(again.txtProxy[3]->echoMode(), QLineEdit::Password);
    again.Command2->click();
    EXPECT_EQ(QStringList({ProxyName, ProxyPort, ProxyUser}), QStringList({"proxy.ufficio", "3128", "utente"}));
    EXPECT_EQ(storedRow("config2.cfg").value("ProxyPass").toString(), QStringLiteral("segreta"));
    EXPECT_FALSE(Windows::loaded<FrmPreferenze>() && Windows::get<FrmPreferenze>().isVisible());
    const auto others = QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                        QFileDevice::WriteOther;
    EXPECT_EQ(QFile::permissions(path) & others, QFileDevice::Permissions());
    EXPECT_TRUE(QFile::permissions(path) & QFileDevice::ReadOwner);
}

TEST_F(FrmPreferenzeTest, PickerWritesThePathIntoTheWindow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile(dir.filePath("Film.mdb")).open(QIODevice::WriteOnly));
    QFile::remove(app.db("config.cfg")); // the types' list cannot be read: a mark, and the window still opens
    auto &w = open();
    EXPECT_EQ(main.status(1), QStringList{"*"});
    w.Command1_Click();
    ASSERT_TRUE(Windows::loaded<FrmBrowserCons>());
    QPointer<FrmBrowserCons> picker = &Windows::get<FrmBrowserCons>();
    picker->setFolder(dir.path());
    ASSERT_EQ(picker->File1->count(), 1);
    picker->File1_DblClick(picker->File1->item(0)->text());
    const QString expected = QDir(dir.path()).absolutePath() + QStringLiteral("/Film.mdb");
    EXPECT_EQ(w.Text2->text(), expected);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(picker.isNull());
}

} // namespace
