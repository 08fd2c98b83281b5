#include "core/FrmBrowserCons.h"
#include "core/PreferenceLists.h"

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

TEST(PreferenceListsTest, ImportaRowsAreListedNewestFirstWithoutEmptiesOrRepeats)
{
    EXPECT_EQ(preferences::importaListItems({"A", "", "B"}), (QStringList{"B", "A"}));
    EXPECT_EQ(preferences::importaListItems({"Film", "film", "Sport"}), (QStringList{"Sport", "film"}));
}

TEST(PreferenceListsTest, LanguageFilesAreTheIniFilesByName)
{
    QTemporaryDir dir;
    touch(dir.filePath("italiano.ini"));
    touch(dir.filePath("English.INI"));
    touch(dir.filePath("deutsch.ini"));
    touch(dir.filePath("leggimi.txt"));
    QDir(dir.path()).mkdir("vecchie.ini");
    EXPECT_EQ(preferences::languageFiles(dir.path()), (QStringList{"deutsch.ini", "English.INI", "italiano.ini"}));
    EXPECT_TRUE(preferences::languageFiles(dir.filePath("manca")).isEmpty());
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
    const QString dp = QLocale().decimalPoint();
    EXPECT_EQ(FrmBrowserCons::fsyze(1048576 + 262144), "1" + dp + "25 MB");
    EXPECT_EQ(FrmBrowserCons::fsyze(1572864), "1" + dp + "5 MB");
    EXPECT_EQ(FrmBrowserCons::fsyze(1048576), "1" + dp + "0 MB");
    EXPECT_EQ(FrmBrowserCons::joinPath("/", "Film.mdb"), "/Film.mdb"); // nothing doubled at a drive's root
}

} // namespace
