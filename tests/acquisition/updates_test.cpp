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
    const std::pair<const char *, double> cases[] = {{"73", 73},        {"72.5\r\n", 72.5}, {"  74 nuova versione\r\n", 74},
                                                     {"72\r\n5\r\n", 72}, {"72\n5", 72},      {"\xEF\xBB\xBF" "75", 75}};
    for (const auto &[text, release] : cases)
        EXPECT_DOUBLE_EQ(ReleaseCheck::publishedRelease(text), release) << text;
}

class ReleaseCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Lingua[175] = QStringLiteral("E' disponibile una nuova versione");
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
    }
    // The release 72 checks what the sample server publishes.
    bool run(const test::ListingsServer &server)
    {
        ReleaseCheck rc(serverUrlReader(), [this](const QString &url) { opened << url; }, server.baseUrl());
        return rc.run(72);
    }

    std::vector<PromptRequest> prompts;
    QStringList opened;
};

TEST_F(ReleaseCheckTest, AHigherPublishedReleaseIsAnnouncedAndOpensTheProductPage)
{
    const std::pair<QStringList, bool> cases[] = {{{"--release", "73"}, true}, {{"--release", "72.5"}, true},
                                                  {{"--release", "72"}, false}, {{"--release", ""}, false},
                                                  {{"--release", "73", "--fail404", "release"}, false}};
    for (const auto &[options, announced] : cases) {
        SCOPED_TRACE(options.join(' ').toStdString());
        test::ListingsServer server(options);
        prompts.clear();
        opened.clear();
        EXPECT_EQ(run(server), announced);
        EXPECT_EQ(opened, announced ? QStringList{server.url("/orvento/")} : QStringList());
        ASSERT_EQ(prompts.size(), announced ? 1u : 0u);
        if (announced)
            EXPECT_EQ(prompts[0].text, Lingua[175]);
    }
    // The unattended run only logs the notice.
    Prompt::setUnattended(true);
    test::ListingsServer server({"--release", "73"});
    prompts.clear();
    opened.clear();
    EXPECT_TRUE(run(server));
    EXPECT_TRUE(prompts.empty());
    EXPECT_TRUE(opened.isEmpty());
}

} // namespace
