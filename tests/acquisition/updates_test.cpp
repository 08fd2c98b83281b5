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

// The release 72 checks what the sample server publishes: a higher one is
// announced and opens the product page, or is only logged in an unattended run.
TEST(ReleaseCheck, AHigherPublishedReleaseIsAnnouncedAndOpensTheProductPage)
{
    Lingua[175] = QStringLiteral("E' disponibile una nuova versione");
    QStringList prompts, opened;
    Prompt::setHandler([&prompts](const PromptRequest &r) {
        prompts << r.text;
        return Answer::Ok;
    });
    const std::tuple<QStringList, bool, bool> cases[] = {
        {{"--release", "73"}, false, true},  {{"--release", "72.5"}, false, true},
        {{"--release", "72"}, false, false}, {{"--release", ""}, false, false},
        {{"--release", "73", "--fail404", "release"}, false, false}, {{"--release", "73"}, true, true}};
    for (const auto &[options, unattended, announced] : cases) {
        SCOPED_TRACE(options.join(' ').toStdString() + (unattended ? " unattended" : ""));
        test::ListingsServer server(options);
        Prompt::setUnattended(unattended);
        prompts.clear();
        opened.clear();
        ReleaseCheck rc(serverUrlReader(), [&opened](const QString &url) { opened << url; }, server.baseUrl());
        EXPECT_EQ(rc.run(72), announced);
        EXPECT_EQ(opened, announced && !unattended ? QStringList{server.url("/orvento/")} : QStringList());
        EXPECT_EQ(prompts, announced && !unattended ? QStringList{Lingua[175]} : QStringList());
    }
    Prompt::setHandler({});
    Prompt::setUnattended(false);
    Lingua[175].clear();
}

} // namespace
