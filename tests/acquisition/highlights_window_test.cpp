#include "acquisition/FrmDownload.h"
#include "acquisition/Highlights.h"

#include "core/AppState.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "support/ListingsServer.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace orv;

namespace {

// The two downloads as the main window's commands run them: on the download
// window, from the server the settings name.
class DownloadWindowListsTest : public ::testing::Test {
protected:
    void start(const QStringList &options = {})
    {
        server = std::make_unique<test::ListingsServer>(options);
        qputenv("ORVENTO_SERVER", server->baseUrl().toUtf8());
    }
    void SetUp() override
    {
        Prompt::setHandler([this](const PromptRequest &r) {
            prompts << r.text;
            return Answer::Ok;
        });
    }
    void TearDown() override
    {
        Windows::unload<FrmDownload>();
        Prompt::setHandler({});
        qunsetenv("ORVENTO_SERVER");
        Annulla = false;
    }

    test::TempApp app;
    std::unique_ptr<test::ListingsServer> server;
    QStringList prompts;
    test::RecordingSeam main;
    int viewerRefreshes() const { return main.count(QStringLiteral("CARICA_HIGHLIGHTS")); }
};

TEST_F(DownloadWindowListsTest, CompletedHighlightsRefreshTheViewerAndCloseTheWindow)
{
    start();
    Windows::get<FrmDownload>().show();
    SCARICA_HIGH();

    EXPECT_FALSE(QDir(app.file("highlights")).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(viewerRefreshes(), 1);
    EXPECT_FALSE(Windows::loaded<FrmDownload>());
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(DownloadWindowListsTest, AFailedHighlightsListLeavesTheWindowOpenWithItsStatus)
{
    start({"--fail500", "/highlights/lista"});
    Windows::get<FrmDownload>().show();
    SCARICA_HIGH();

    ASSERT_TRUE(Windows::loaded<FrmDownload>());
    EXPECT_EQ(Windows::get<FrmDownload>().Label1->text(), "Download Nuovi HIGHLIGHTS Interrotto.");
    EXPECT_FALSE(Windows::get<FrmDownload>().Command1->isEnabled());
    EXPECT_EQ(prompts.size(), 1);
    EXPECT_EQ(viewerRefreshes(), 0);
}

TEST_F(DownloadWindowListsTest, TheStopButtonEndsTheHighlightsAfterTheCurrentPage)
{
    start();
    FrmDownload &w = Windows::get<FrmDownload>();
    w.show();
    // The first page's name in the status bar is the moment the user presses Stop.
    main.onCall = [&w](const QString &line) {
        if (line.startsWith(QStringLiteral("status ")) && line.size() > 9 && w.Command1->isEnabled())
            w.Command1->click();
    };
    SCARICA_HIGH();
    main.onCall = {};

    EXPECT_EQ(QDir(app.file("highlights")).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(viewerRefreshes(), 1); // a stopped download still counts as done
}

} // namespace
