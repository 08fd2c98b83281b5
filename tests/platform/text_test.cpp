#include "platform/Files.h"
#include "platform/Text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

TEST(TextDecode, Cp1252BytesBecomeTheirLetters)
{
    EXPECT_EQ(text::decode(QByteArray("\x80 caff\xE9")), QStringLiteral("€ caffé"));
    EXPECT_EQ(text::decode(QByteArray("perch\xC3\xA9")), QStringLiteral("perché"));
    EXPECT_EQ(text::decode(QByteArray("\xEF\xBB\xBFok")), QStringLiteral("ok"));
    // The section mark and the broken bar of the day files.
    EXPECT_EQ(text::decode(QByteArray("a\xA7 b \xA6 c")), QStringLiteral("a§ b ¦ c"));
    EXPECT_EQ(text::encodeCp1252(QStringLiteral("€é§")), QByteArray("\x80\xE9\xA7"));
}

TEST(TextDecode, OnlyStrictUtf8IsTakenAsUtf8)
{
    // Four-byte letters are UTF-8; an overlong form, an encoded surrogate, a
    // value past U+10FFFF and a sequence cut at the end are not.
    EXPECT_EQ(text::decode(QByteArray("\xF0\x9F\x98\x80")), QString::fromUtf8("\xF0\x9F\x98\x80"));
    EXPECT_EQ(text::decode(QByteArray("\xE2\x82\xAC")), QStringLiteral("€"));
    EXPECT_FALSE(text::isValidUtf8(QByteArray("\xC0\xAF")));
    EXPECT_FALSE(text::isValidUtf8(QByteArray("\xE0\x80\xAF")));
    EXPECT_FALSE(text::isValidUtf8(QByteArray("\xED\xA0\x80")));
    EXPECT_FALSE(text::isValidUtf8(QByteArray("\xF4\x90\x80\x80")));
    EXPECT_FALSE(text::isValidUtf8(QByteArray("ok \xC3")));
    EXPECT_FALSE(text::isValidUtf8(QByteArray("\xE2\x82(")));
    EXPECT_TRUE(text::isValidUtf8(QByteArray("\xF4\x8F\xBF\xBF \xED\x9F\xBF")));
    EXPECT_EQ(text::decode(QByteArray("caff\xC3")), QStringLiteral("caffÃ"));
}

TEST(TextLines, CrAndCrLfEndLinesLoneLfDoesNot)
{
    const QStringList lines = text::splitLinesCr(QStringLiteral("a\r\nb\rc\nd\r\n\r\ne"));
    EXPECT_EQ(lines, (QStringList{"a", "b", "c\nd", "", "e"}));
    EXPECT_EQ(text::splitLinesCr(QStringLiteral("x\r\n")), QStringList{"x"});
    EXPECT_EQ(text::splitLinesAny(QStringLiteral("a\nb\r\nc")), (QStringList{"a", "b", "c"}));
}

TEST(TextHelpers, OneBasedPositions)
{
    EXPECT_EQ(text::mid(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
    EXPECT_EQ(text::mid(QStringLiteral("abc"), 9), QString());
    EXPECT_EQ(text::inStr(1, QStringLiteral("Hello World"), QStringLiteral("WORLD"), Qt::CaseInsensitive), 7);
    EXPECT_EQ(text::inStr(8, QStringLiteral("Hello World"), QStringLiteral("world"), Qt::CaseInsensitive), 0);
    EXPECT_EQ(text::inStr(1, QStringLiteral("Hello"), QStringLiteral("hello")), 0);
}

TEST(Files, ResolvesWithoutRegardToCase)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Database/Sub"));
    QFile f(dir.filePath(QStringLiteral("Database/Sub/Orvento.cfg")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(files::resolve(dir.path(), QStringLiteral("\\database\\sub\\orvento.CFG")),
              dir.filePath(QStringLiteral("Database/Sub/Orvento.cfg")));
    // A part that does not exist keeps the spelling it was given.
    EXPECT_EQ(files::resolve(dir.path(), QStringLiteral("\\database\\New\\x.txt")),
              dir.filePath(QStringLiteral("Database/New/x.txt")));
}

TEST(Files, PlainNamesOnly)
{
    EXPECT_TRUE(files::isPlainFileName(QStringLiteral("serata film.htm")));
    for (const char *bad : {"../database/Orvento.cfg", "..\\x", "/etc/passwd", "a/b", "..", "", "c:x",
                            "tab\there"})
        EXPECT_FALSE(files::isPlainFileName(QString::fromLatin1(bad))) << bad;
}

TEST(Files, AtomicWriteReplacesWholeOrNothing)
{
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("logo.gif"));
    ASSERT_TRUE(files::writeAtomically(p, "old"));
    ASSERT_TRUE(files::writeAtomically(p, "new content"));
    QByteArray got;
    ASSERT_TRUE(files::readAll(p, got));
    EXPECT_EQ(got, QByteArray("new content"));
    EXPECT_FALSE(files::writeAtomically(dir.filePath(QStringLiteral("no/such/folder/f")), "x"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"logo.gif"});
}
