#include "core/AppState.h"
#include "core/Language.h"
#include "core/Settings.h"
#include "support/Prompts.h"
#include "support/TempApp.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace orv;

namespace {

QByteArray header()
{
    QByteArray h;
    for (int i = 0; i < LanguageHeaderItems; ++i)
        h += "Voce " + QByteArray::number(i) + "\r\n";
    return h;
}

QByteArray entryLine(int i, const QByteArray &text) { return "T" + QByteArray::number(i).rightJustified(4, '0') + "= " + text; }

// 19 header lines and `count` entries "testo <i>", lines ended by `end`.
QByteArray languageFile(int count, const QByteArray &end = "\r\n")
{
    QByteArray out = header();
    out.replace("\r\n", end);
    for (int i = 0; i < count; ++i)
        out += entryLine(i, "testo " + QByteArray::number(i)) + end;
    return out;
}

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Lingua.fill(QStringLiteral("stale"));
        italian = readLanguageFile(app.file(QStringLiteral("languages/Italiano.ini")));
        ASSERT_EQ(italian.entries.size(), LanguageEntries);
    }

    void load(const QByteArray &content)
    {
        QFile f(app.file(QStringLiteral("languages/Prova.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size());
        f.close();
        language = QStringLiteral("Prova.ini");
        CARICA_LINGUA();
    }

    test::TempApp app;
    LanguageFile italian;
    test::Prompts prompts;
    QStringList &messages = prompts.texts;
};

TEST_F(LanguageTest, TextStartsAtTheEighthCharacterAndIsCutAt820)
{
    QByteArray content = languageFile(LanguageEntries);
    content.replace(entryLine(1, "testo 1"), "T0001= ");
    content.replace(entryLine(2, "testo 2"), "T0002=" + QByteArray(" inizio") + QByteArray(893, 'x'));
    content.replace(entryLine(3, "testo 3"), "T0003=  spazi attorno ");
    load(content);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(Lingua[0], QStringLiteral("testo 0"));
    EXPECT_EQ(Lingua[1], QString());
    EXPECT_EQ(Lingua[2].size(), LanguageTextMax);
    EXPECT_TRUE(Lingua[2].startsWith(QStringLiteral("inizio")));
    EXPECT_EQ(Lingua[3], QStringLiteral(" spazi attorno "));
}

TEST_F(LanguageTest, QuotedHeaderLineFeedsByteOrderMarkAndCodePage1252AllLoad)
{
    // A first header line of three items, one quoted with commas inside.
    QByteArray quoted = languageFile(LanguageEntries);
    quoted.replace(header(), "\"Orvento, lingua, italiana\",7.2, build\r\n" + header().mid(header().indexOf("Voce 3")));
    QByteArray cp1252 = languageFile(LanguageEntries);
    cp1252.replace(entryLine(5, "testo 5"), entryLine(5, "Novit\xE0 \x80"));
    const std::pair<QByteArray, QString> cases[] = {
        {quoted, QStringLiteral("testo 5")},
        {"\xEF\xBB\xBF" + languageFile(LanguageEntries, "\n") + entryLine(250, "in piu'") + "\n", QStringLiteral("testo 5")},
        {languageFile(LanguageEntries, "\r"), QStringLiteral("testo 5")},
        {cp1252, QStringLiteral("Novit\u00E0 \u20AC")}};
    for (const auto &[content, fifth] : cases) {
        SCOPED_TRACE(fifth.toStdString());
        messages.clear();
        load(content);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(Lingua[0], QStringLiteral("testo 0"));
        EXPECT_EQ(Lingua[5], fifth);
        EXPECT_EQ(Lingua[249], QStringLiteral("testo 249"));
        EXPECT_EQ(Lingua[250], QString());
    }
}

// A file that ends early keeps what it read, a missing or unsafe one nothing: Italian fills the rest.
TEST_F(LanguageTest, ShortMissingOrUnsafeFileReportsOnceAndFallsBackToItalian)
{
    load(languageFile(100)); // Prova.ini
    EXPECT_TRUE(messages.value(0).startsWith(QStringLiteral("62 ")));
    for (const QString &name : {QStringLiteral("Prova.ini"), QStringLiteral("Klingon.ini"), QString(),
                                QStringLiteral("../database/config.cfg")}) {
        SCOPED_TRACE(name.toStdString());
        messages.clear();
        Lingua.fill(QStringLiteral("stale"));
        language = name;
        CARICA_LINGUA();
        EXPECT_EQ(messages.size(), 1);
        EXPECT_EQ(Lingua[99], name == QLatin1String("Prova.ini") ? QStringLiteral("testo 99") : italian.entries[99]);
        EXPECT_EQ(Lingua[186], italian.entries[186]);
    }
}

// Every index a window reads must have a text in both bundled files.
class BundledLanguageTest : public ::testing::TestWithParam<const char *> {};

TEST_P(BundledLanguageTest, EveryUsedEntryHasText)
{
    const LanguageFile f = readLanguageFile(test::sourceData(QStringLiteral("languages/")) + QLatin1String(GetParam()));
    ASSERT_EQ(f.errorNumber, 0) << f.errorText.toStdString();
    ASSERT_EQ(f.entries.size(), LanguageEntries);

    const std::pair<int, int> used[] = {{5, 14},   {16, 61},   {63, 63},   {65, 70},  {72, 138},
                                        {142, 151}, {153, 169}, {175, 178}, {185, 186}};
    for (auto [from, to] : used)
        for (int i = from; i <= to; ++i) {
            EXPECT_FALSE(f.entries[i].trimmed().isEmpty()) << "entry " << i;
            EXPECT_NE(f.entries[i].trimmed(), QStringLiteral("-")) << "entry " << i;
        }
    // Texts joined to others at run time keep their blanks.
    EXPECT_TRUE(f.entries[119].endsWith(' ') && f.entries[162].endsWith(' ') && f.entries[163].startsWith(' '));
}

INSTANTIATE_TEST_SUITE_P(Files, BundledLanguageTest, ::testing::Values("Italiano.ini", "English.ini"));

} // namespace
