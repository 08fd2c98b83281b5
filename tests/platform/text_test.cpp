#include "platform/Files.h"
#include "platform/Text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

// Strict UTF-8 is taken as UTF-8; an overlong form, an encoded surrogate, a
// value past U+10FFFF or a cut sequence is not, and the text is CP1252.
TEST(TextDecode, OnlyStrictUtf8IsTakenAsUtf8)
{
    const struct {
        QByteArray bytes;
        const char *utf8;
    } cases[] = {{"\x80 caff\xE9", "€ caffé"}, {"perch\xC3\xA9", "perché"}, {"\xEF\xBB\xBFok", "ok"},
                 {"a\xA7 b \xA6 c", "a§ b ¦ c"}, {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"}, {"\xEF\xBB\xBF" "caff\xC3", "caffÃ"}};
    for (const auto &c : cases)
        EXPECT_EQ(text::decode(c.bytes), QString::fromUtf8(c.utf8)) << c.bytes.toHex().constData();
    for (const char *bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "ok \xC3", "\xE2\x82("})
        EXPECT_FALSE(text::isValidUtf8(bad)) << QByteArray(bad).toHex().constData();
    EXPECT_TRUE(text::isValidUtf8("\xF4\x8F\xBF\xBF \xED\x9F\xBF"));
    EXPECT_EQ(text::encodeCp1252(QStringLiteral("€é§")), QByteArray("\x80\xE9\xA7"));
}

TEST(TextLines, CrAndCrLfEndLinesLoneLfDoesNot)
{
    EXPECT_EQ(text::splitLinesCr(QStringLiteral("a\r\nb\rc\nd\r\n\r\ne")), (QStringList{"a", "b", "c\nd", "", "e"}));
    EXPECT_EQ(text::splitLinesCr(QStringLiteral("x\r\n")), QStringList{"x"});
    EXPECT_EQ(text::splitLinesAny(QStringLiteral("a\nb\r\nc")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(text::mid(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
    EXPECT_EQ(text::inStr(1, QStringLiteral("Hello World"), QStringLiteral("WORLD"), Qt::CaseInsensitive), 7);
    EXPECT_EQ(text::inStr(8, QStringLiteral("Hello World"), QStringLiteral("world"), Qt::CaseInsensitive), 0);
    EXPECT_EQ(text::inStr(1, QStringLiteral("Hello"), QStringLiteral("hello")), 0);
}

TEST(Files, ResolvesWithoutRegardToCaseAndWritesWholeOrNothing)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Database/Sub"));
    const QString p = dir.filePath(QStringLiteral("Database/Sub/Orvento.cfg"));
    ASSERT_TRUE(files::writeAtomically(p, "old"));
    ASSERT_TRUE(files::writeAtomically(p, "new content"));
    EXPECT_EQ(files::resolve(dir.path(), QStringLiteral("\\database\\sub\\orvento.CFG")), p);
    // A part that does not exist keeps the spelling it was given.
    EXPECT_EQ(files::resolve(dir.path(), QStringLiteral("\\database\\New\\x.txt")),
              dir.filePath(QStringLiteral("Database/New/x.txt")));
    EXPECT_FALSE(files::writeAtomically(dir.filePath(QStringLiteral("no/such/folder/f")), "x"));
    // 240 bytes fit, one more does not; ".." only as the whole name would leave the folder.
    for (const QString &good : {QString(120, u'é'), QStringLiteral("Documentari & Co..txt")})
        EXPECT_TRUE(files::isPlainFileName(good)) << good.toStdString();
    for (const QString &bad : {QString(120, u'é') + u'x', QStringLiteral(".."), QStringLiteral("C:x")})
        EXPECT_FALSE(files::isPlainFileName(bad)) << bad.toStdString();
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("Database/Sub"))).entryList(QDir::Files), QStringList{"Orvento.cfg"});
}
