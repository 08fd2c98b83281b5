#include "core/AppState.h"
#include "core/FrmBrowserCons.h"
#include "core/PreferenceLists.h"
#include "core/Store.h"
#include "support/TempApp.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

namespace {

void touch(const QString &path, const QByteArray &data = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

TEST(PreferenceListsTest, ImportaRowsAreListedNewestFirstWithoutEmpties)
{
    EXPECT_EQ(preferences::importaListItems({"A", "", "B"}), (QStringList{"B", "A"}));
    EXPECT_EQ(preferences::importaListItems({"Film", "film", "Sport"}), (QStringList{"Sport", "film"}));
    test::TempApp app;
    Database db = Database::open(app.db("config.cfg"));
    EXPECT_EQ(preferences::importaListItems(ImportaTable(db).allRows()),
              (QStringList{"Cartoni Animati", "Miniserie", "Documentario", "Telefilm", "Film"}));
}

TEST(PreferenceListsTest, GridDaysOutsideOneToSevenBecomeSeven)
{
    bool valid = true;
    for (const char *text : {"0", "9", "parola", "", "-3", "0.5", "7.5"}) {
        EXPECT_EQ(preferences::gridDays(text, &valid), 7) << text;
        EXPECT_FALSE(valid) << text;
    }
    EXPECT_EQ(preferences::gridDays("3", &valid), 3);
    EXPECT_TRUE(valid);
    EXPECT_EQ(preferences::gridDays(" 1 ", &valid), 1);
    EXPECT_TRUE(valid);
    EXPECT_EQ(preferences::gridDays("7", &valid), 7);
    EXPECT_TRUE(valid);
}

TEST(PreferenceListsTest, LanguageFilesAreTheIniFilesByName)
{
    QTemporaryDir dir;
    touch(dir.filePath("italiano.ini"));
    touch(dir.filePath("English.INI"));
    touch(dir.filePath("leggimi.txt"));
    QDir(dir.path()).mkdir("vecchie.ini");
    EXPECT_EQ(preferences::languageFiles(dir.path()), (QStringList{"English.INI", "italiano.ini"}));
    EXPECT_TRUE(preferences::languageFiles(dir.filePath("manca")).isEmpty());
}

TEST(PreferenceListsTest, SettingsFileIsClosedToOtherUsers)
{
    QTemporaryDir dir;
    touch(dir.filePath("config2.cfg"));
    QFile::setPermissions(dir.filePath("config2.cfg"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                           QFileDevice::ReadGroup | QFileDevice::ReadOther);
    EXPECT_TRUE(preferences::restrictToOwner(dir.filePath("config2.cfg")));
    EXPECT_EQ(QFile::permissions(dir.filePath("config2.cfg")) &
                  (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup | QFileDevice::WriteOther),
              QFileDevice::Permissions());
    EXPECT_FALSE(preferences::restrictToOwner(dir.filePath("manca.cfg")));
}

TEST(CataloguePickerTest, SizeInMegabytes)
{
    const QString dp = QLocale().decimalPoint();
    EXPECT_EQ(FrmBrowserCons::fsyze(1048576), "1" + dp + "0 MB");
    EXPECT_EQ(FrmBrowserCons::fsyze(0), "0" + dp + "0 MB");
    EXPECT_EQ(FrmBrowserCons::fsyze(1572864), "1" + dp + "5 MB");
    EXPECT_EQ(FrmBrowserCons::fsyze(1048576 + 262144), "1" + dp + "25 MB");
    EXPECT_EQ(FrmBrowserCons::fsyze(qint64(1536) * 1048576), "1536" + dp + "0 MB");
}

TEST(CataloguePickerTest, PathJoinsFolderAndNameWithOneSlash)
{
    EXPECT_EQ(FrmBrowserCons::joinPath("/", "film.mdb"), "/film.mdb");
    EXPECT_EQ(FrmBrowserCons::joinPath("/home/anna", "film.mdb"), "/home/anna/film.mdb");
}

TEST(CataloguePickerTest, ListsAccessAndSqliteDatabasesOnly)
{
    QTemporaryDir dir;
    touch(dir.filePath("Film.MDB"));
    touch(dir.filePath("catalogo.db"));
    touch(dir.filePath("note.txt"));
    touch(dir.filePath("archivio.cfg"), QByteArray("SQLite format 3\0rest", 20));
    QDir(dir.path()).mkdir("cartella.mdb");
    EXPECT_EQ(FrmBrowserCons::catalogueFiles(dir.path()), (QStringList{"archivio.cfg", "catalogo.db", "Film.MDB"}));
}

} // namespace
