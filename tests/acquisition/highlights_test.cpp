#include "acquisition/FrmDownload.h"
#include "acquisition/Highlights.h"
#include "acquisition/UrlCopy.h"

#include "core/AppState.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/Text.h"
#include "platform/Windows.h"
#include "support/ListingsServer.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QDirIterator>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>
#include <map>

using namespace orv;

namespace {

const QString Base = QStringLiteral("http://server.test");

class RecordingView : public ListDownloadView {
public:
    QStringList statuses;
    void setStatus(const QString &text) override { statuses << text; }
    void setCaption(const QString &) override {}
};

QByteArray contentOf(const QString &path)
{
    QByteArray data;
    files::readAll(path, data);
    return data;
}

void writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    files::writeAtomically(path, data);
}

// Every file under a folder, with its content.
std::map<QString, QByteArray> snapshot(const QString &root)
{
    std::map<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        out[QDir(root).relativeFilePath(f)] = contentOf(f);
    }
    return out;
}

class ListDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Annulla = false;
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
    // A server in memory: a served path is delivered whole; any other fails
    // after writing a few bytes, as a transfer cut short would.
    FileFetcher fetcher()
    {
        return [this](const QString &url, const QString &file) {
            requests << url.mid(Base.size());
            const auto it = served.find(requests.last());
            const bool whole = it != served.end();
            return files::writeAtomically(file, whole ? it->second : QByteArray("<html>cut")) && whole;
        };
    }

    test::TempApp app;
    std::map<QString, QByteArray> served;
    QStringList requests;
    RecordingView view;
    QStringList prompts;
    test::RecordingSeam main;
    int treeRebuilds() const { return main.count(QStringLiteral("LOAD_TV")); }
    int viewerRefreshes() const { return main.count(QStringLiteral("CARICA_HIGHLIGHTS")); }
};

const QString HList = QStringLiteral("/orvento/database2/highlights/lista.txt");
const QString PList = QStringLiteral("/orvento/database2/palinsesti/lista.txt");
const QString PFile = QStringLiteral("/orvento/database2/palinsesti/");

// List lines end at CR, LF or both; names are trimmed, empty lines skipped.
TEST_F(ListDownloadTest, NewChannelFilesBringTheLogoOfTheChannelTheyName)
{
    served = {{PList, " Rai 1.txt \nRai 2.txt\r\n\r\nRai 3.txt\rSconosciuto.txt"},
              {PFile + "Rai%201.txt", "rai uno"}, {PFile + "Rai%202.txt", "rai due"}, {PFile + "Rai%203.txt", "rai tre"},
              {PFile + "Sconosciuto.txt", "?"},   {PFile + "101.gif", "GIF89a new"}, {PFile + "102.gif", "GIF89a two"},
              {PFile + "103.gif", "GIF89a three"}};
    writeFile(app.file("loghitv/101.gif"), "GIF89a old");
    writeFile(app.file("tv/Rai 2.txt"), "mine");
    writeFile(app.file("tv/restanti/Rai 3.txt"), "discarded");

    ChannelFilesDownload job(view, fetcher(), Base);
    job.stop(); // a Stop left from the listings cycle does not stop it
    EXPECT_EQ(job.run(), ChannelFilesDownload::Result::Completed);

    EXPECT_EQ(job.report().fetched, (QStringList{"Rai 1.txt", "Sconosciuto.txt"}));
    EXPECT_TRUE(job.report().unusable.isEmpty());
    EXPECT_EQ(contentOf(app.file("tv/Rai 1.txt")), "rai uno");
    EXPECT_EQ(contentOf(app.file("loghitv/101.gif")), "GIF89a new");
    EXPECT_EQ(requests, (QStringList{PList, PFile + "Rai%201.txt", PFile + "101.gif", PFile + "Sconosciuto.txt"}));
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_EQ(treeRebuilds(), 1);
    EXPECT_EQ(view.statuses.last(), "Download Nuovi Palinsesti completato con successo.");
}

TEST_F(ListDownloadTest, AFailedLogoKeepsTheGoodOneAndEndsWithP6)
{
    served = {{PList, "Rai 1.txt\r\nRai 2.txt\r\n"}, {PFile + "Rai%201.txt", "rai uno"}, {PFile + "Rai%202.txt", "rai due"}};
    writeFile(app.file("loghitv/101.gif"), "GIF89a good");

    ChannelFilesDownload job(view, fetcher(), Base);
    EXPECT_EQ(job.run(), ChannelFilesDownload::Result::LogoFailed);

    EXPECT_EQ(contentOf(app.file("loghitv/101.gif")), "GIF89a good");
    EXPECT_EQ(requests, (QStringList{PList, PFile + "Rai%201.txt", PFile + "101.gif", PFile + "101.gif"}));
    ASSERT_EQ(prompts.size(), 1);
    EXPECT_TRUE(prompts[0].contains("Sei CONNESSO?(P6)"));
    EXPECT_TRUE(Annulla);
    EXPECT_EQ(treeRebuilds(), 0);
}

// The same downloads over the network, against the sample listings server.
using ServerDownloadTest = ListDownloadTest;
QStringList listedHighlights(const test::ListingsServer &server)
{
    EXPECT_TRUE(LEGGI_URL(server.url(HList)).ok());
    return text::splitLinesCr(TestoUrl);
}

// Hostile or overlong names write nothing outside the folders and skip only
// themselves; pages the user set aside are not fetched again.
TEST_F(ServerDownloadTest, FetchesListedFilesButNotHostileOverlongOrSetAsideOnes)
{
    QStringList names;
    {
        test::ListingsServer plain;
        names = listedHighlights(plain);
    }
    ASSERT_GE(names.size(), 2);
    const QString list = app.file("hostile.txt"), overlong(300, QLatin1Char('a'));
    writeFile(list, "../database/Orvento.cfg\r\n..\\x\r\n/etc/passwd\r\nrestanti\r\n" + overlong.toLatin1() + "\r\n" +
                        names.join("\r\n").toLatin1());
    writeFile(app.file("highlights/restanti/" + names[0]), "discarded");
    test::ListingsServer server({"--highlights-list", list, "--long-names"});
    auto before = snapshot(app.path());

    HighlightsDownload job(view, serverFileFetcher(), server.baseUrl());
    EXPECT_EQ(job.run(), HighlightsDownload::Result::Completed);

    EXPECT_EQ(job.report().fetched, names.mid(1));
    auto after = snapshot(app.path());
    for (const QString &name : names.mid(1))
        EXPECT_EQ(after.erase(QStringLiteral("highlights/") + name), 1u) << name.toStdString();
    after.erase(QStringLiteral("TempDir/listah.txt"));
    EXPECT_EQ(after, before);
    EXPECT_EQ(job.report().unusable,
              (QStringList{"../database/Orvento.cfg", "..\\x", "/etc/passwd", "restanti", overlong}));
    // The user learns that names were skipped.
    EXPECT_TRUE(main.status(1).join('|').contains("/etc/passwd"));

    ChannelFilesDownload channels(view, serverFileFetcher(), server.baseUrl());
    EXPECT_EQ(channels.run(), ChannelFilesDownload::Result::Completed);
    ASSERT_EQ(channels.report().unusable.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(app.file("tv/Radio 1.txt"))); // listed after it
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
}

TEST_F(ServerDownloadTest, APageCutShortLeavesNoFile)
{
    test::ListingsServer server({"--truncate", "/highlights/stasera_"});
    const QStringList names = listedHighlights(server);
    ASSERT_TRUE(names.last().startsWith("stasera_"));

    HighlightsDownload job(view, serverFileFetcher(), server.baseUrl());
    EXPECT_EQ(job.run(), HighlightsDownload::Result::PageFailed);

    EXPECT_FALSE(QFileInfo::exists(app.file("highlights/" + names.last())));
    EXPECT_TRUE(QFileInfo::exists(app.file("highlights/" + names.first())));
    EXPECT_TRUE(QDir(app.file("TempDir")).entryList({"*.part"}, QDir::Files | QDir::Hidden).isEmpty());
    ASSERT_EQ(prompts.size(), 1);
    EXPECT_TRUE(prompts[0].contains("(5)"));
}

// The highlights as the main window's command runs them: on the download
// window, from the server the settings name.
FrmDownload &shownWindow(const test::ListingsServer &server)
{
    qputenv("ORVENTO_SERVER", server.baseUrl().toUtf8());
    Windows::get<FrmDownload>().show();
    return Windows::get<FrmDownload>();
}

TEST_F(ServerDownloadTest, AFailedHighlightsListLeavesTheDownloadWindowOpenWithItsStatus)
{
    test::ListingsServer server({"--fail500", "/highlights/lista"});
    FrmDownload &w = shownWindow(server);
    SCARICA_HIGH();

    ASSERT_TRUE(Windows::loaded<FrmDownload>());
    EXPECT_EQ(w.Label1->text(), "Download Nuovi HIGHLIGHTS Interrotto.");
    EXPECT_FALSE(w.Command1->isEnabled());
    EXPECT_EQ(prompts.size(), 1);
    EXPECT_EQ(viewerRefreshes(), 0);
}

// A stopped download still counts as done: the viewer refreshes, the window closes.
TEST_F(ServerDownloadTest, TheStopButtonEndsTheHighlightsAfterTheCurrentPage)
{
    test::ListingsServer server;
    FrmDownload &w = shownWindow(server);
    // The first page's name in the status bar is the moment the user presses Stop.
    main.onCall = [&w](const QString &line) {
        if (line.startsWith(QStringLiteral("status ")) && line.size() > 9 && w.Command1->isEnabled())
            w.Command1->click();
    };
    SCARICA_HIGH();
    main.onCall = {};

    EXPECT_EQ(QDir(app.file("highlights")).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(viewerRefreshes(), 1);
    EXPECT_FALSE(Windows::loaded<FrmDownload>());
    EXPECT_TRUE(prompts.isEmpty());
}

} // namespace
