#include "acquisition/Updates.h"

#include "core/AppState.h"
#include "platform/Prompt.h"
#include "support/ListingsServer.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace orv;

namespace {

TEST(PublishedRelease, IsTheNumberAtTheStartOfTheFirstLine)
{
    EXPECT_DOUBLE_EQ(ReleaseCheck::publishedRelease("73"), 73);
    EXPECT_DOUBLE_EQ(ReleaseCheck::publishedRelease("72.5\r\n"), 72.5);
    EXPECT_DOUBLE_EQ(ReleaseCheck::publishedRelease("  74 nuova versione\r\n"), 74);
    EXPECT_DOUBLE_EQ(ReleaseCheck::publishedRelease("72\r\n5\r\n"), 72);
    EXPECT_DOUBLE_EQ(ReleaseCheck::publishedRelease("72\n5"), 72);
    EXPECT_DOUBLE_EQ(ReleaseCheck::publishedRelease("\xEF\xBB\xBF" "75"), 75);
}

class ReleaseCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Lingua[175] = QStringLiteral("E' disponibile una nuova versione");
        Lingua[176] = QStringLiteral("Nuova Versione Disponibile");
        Prompt::setHandler([this](const PromptRequest &r) {
            prompts.push_back(r);
            return Answer::Ok;
        });
    }
    void TearDown() override
    {
        Prompt::setHandler({});
        Prompt::setUnattended(false);
        Lingua[175].clear();
        Lingua[176].clear();
    }

    // Runs the check with the server publishing the given list (nothing:
    // the list could not be read).
    bool check(std::optional<QByteArray> list)
    {
        ReleaseCheck rc(
            [this, list](const QString &url) {
                asked << url;
                return list;
            },
            [this](const QString &url) { opened << url; }, QStringLiteral("http://server.test"));
        return rc.run(72);
    }

    std::vector<PromptRequest> prompts;
    QStringList asked;
    QStringList opened;
};

TEST_F(ReleaseCheckTest, AHigherReleaseIsAnnouncedAndOpensTheProductPage)
{
    for (const char *list : {"73\r\n", "72.5"}) {
        prompts.clear();
        opened.clear();
        EXPECT_TRUE(check(QByteArray(list))) << list;
        ASSERT_EQ(prompts.size(), 1u) << list;
        EXPECT_EQ(prompts[0].text, Lingua[175]);
        EXPECT_EQ(prompts[0].title, Lingua[176]);
        EXPECT_EQ(prompts[0].icon, Icon::Critical);
        EXPECT_EQ(prompts[0].buttons, Buttons::Ok);
        EXPECT_EQ(opened, QStringList{"http://server.test/orvento/"});
    }
    EXPECT_EQ(asked.last(), "http://server.test/orvento/codes/release.txt");
}

TEST_F(ReleaseCheckTest, TheUnattendedRunOnlyLogsTheNotice)
{
    Prompt::setUnattended(true);
    EXPECT_TRUE(check(QByteArray("73")));
    EXPECT_TRUE(prompts.empty());
    EXPECT_TRUE(opened.isEmpty());
}

// The release the sample server publishes with --release, read over the network.
TEST_F(ReleaseCheckTest, AgainstTheListingsServer)
{
    struct Case {
        QStringList options;
        bool announced;
    };
    const std::vector<Case> cases = {{{"--release", "73"}, true},
                                     {{"--release", "72.5"}, true},
                                     {{"--release", "72"}, false},
                                     {{"--release", ""}, false},
                                     {{"--release", "73", "--fail404", "release"}, false}};
    for (const Case &c : cases) {
        test::ListingsServer server(c.options);
        ASSERT_TRUE(server.running());
        opened.clear();
        ReleaseCheck rc(serverUrlReader(), [this](const QString &url) { opened << url; }, server.baseUrl());
        EXPECT_EQ(rc.run(72), c.announced) << c.options.join(' ').toStdString();
        EXPECT_EQ(opened, c.announced ? QStringList{server.url("/orvento/")} : QStringList())
            << c.options.join(' ').toStdString();
    }
}

} // namespace
