#include "acquisition/Highlights.h"

#include "core/AppState.h"
#include "platform/Files.h"
#include "platform/Net.h"
#include "platform/Prompt.h"
#include "platform/Text.h"
#include "support/ListingsServer.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <map>
#include <optional>

using namespace orv;

namespace {

const QString Base = QStringLiteral("http://server.test");

// A server in memory: a path with content is delivered whole; a path without
// content fails after writing a few bytes, as a transfer cut short would.
struct FakeServer {
    std::map<QString, std::optional<QByteArray>> files;
    QStringList requests;

    FileFetcher fetcher()
    {
        return [this](const QString &url, const QString &file) {
            const QString path = url.mid(Base.size());
            requests << path;
            auto it = files.find(path);
            QFile f(file);
            if (it == files.end() || !it->second) {
                if (f.open(QIODevice::WriteOnly))
                    f.write("<html>cut");
                return false;
            }
            return f.open(QIODevice::WriteOnly) && f.write(*it->second) == it->second->size();
        };
    }
};

class RecordingView : public ListDownloadView {
public:
    QStringList statuses;
    QStringList captions;
    void setStatus(const QString &text) override { statuses << text; }
    void setCaption(const QString &text) override { captions << text; }
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
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
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
        Prompt::setHandler({});
        Annulla = false;
    }

    void serve(const QString &path, const QByteArray &content) { server.files[path] = content; }
    void failOn(const QString &path) { server.files[path] = std::nullopt; }

    test::TempApp app;
    FakeServer server;
    RecordingView view;
    QStringList prompts;
    test::RecordingSeam main;
    int treeRebuilds() const { return main.count(QStringLiteral("LOAD_TV")); }
};

using HighlightsTest = ListDownloadTest;
const QString HList = QStringLiteral("/orvento/database2/highlights/lista.txt");
const QString HPage = QStringLiteral("/orvento/database2/highlights/");

TEST_F(HighlightsTest, AStopLeftFromTheListingsCycleDoesNotStopIt)
{
    serve(HList, "a.htm\r\nb.htm\r\n");
    serve(HPage + "a.htm", "a");
    serve(HPage + "b.htm", "b");
    HighlightsDownload job(view, server.fetcher(), Base);
    job.stop();

    EXPECT_EQ(job.run(), HighlightsDownload::Result::Completed);
    EXPECT_EQ(job.report().fetched, (QStringList{"a.htm", "b.htm"}));
}

using ChannelFilesTest = ListDownloadTest;
const QString PList = QStringLiteral("/orvento/database2/palinsesti/lista.txt");
const QString PFile = QStringLiteral("/orvento/database2/palinsesti/");

TEST_F(ChannelFilesTest, NewChannelFilesBringTheLogoOfTheChannelTheyName)
{
    serve(PList, "Rai 1.txt\r\nRai 2.txt\r\nRai 3.txt\r\nSconosciuto.txt\r\n");
    serve(PFile + "Rai%201.txt", "rai uno");
    serve(PFile + "Rai%202.txt", "rai due");
    serve(PFile + "Rai%203.txt", "rai tre");
    serve(PFile + "Sconosciuto.txt", "?");
    serve(PFile + "101.gif", "GIF89a new");
    serve(PFile + "102.gif", "GIF89a two");
    serve(PFile + "103.gif", "GIF89a three");
    writeFile(app.file("loghitv/101.gif"), "GIF89a old");
    writeFile(app.file("tv/Rai 2.txt"), "mine");
    writeFile(app.file("tv/restanti/Rai 3.txt"), "discarded");

    ChannelFilesDownload job(view, server.fetcher(), Base);
    EXPECT_EQ(job.run(), ChannelFilesDownload::Result::Completed);

    EXPECT_EQ(job.report().fetched, (QStringList{"Rai 1.txt", "Sconosciuto.txt"}));
    EXPECT_EQ(contentOf(app.file("tv/Rai 1.txt")), "rai uno");
    EXPECT_EQ(contentOf(app.file("loghitv/101.gif")), "GIF89a new");
    EXPECT_EQ(contentOf(app.file("tv/Rai 2.txt")), "mine");
    EXPECT_FALSE(QFileInfo::exists(app.file("tv/Rai 3.txt")));
    EXPECT_EQ(server.requests, (QStringList{PList, PFile + "Rai%201.txt", PFile + "101.gif", PFile + "Sconosciuto.txt"}));
    EXPECT_FALSE(QFileInfo::exists(app.file("loghitv/0.gif")));
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_EQ(treeRebuilds(), 1);
    EXPECT_EQ(view.statuses.last(), "Download Nuovi Palinsesti completato con successo.");
    EXPECT_EQ(view.captions, QStringList{"Scaricamento Nuovi Palinsesti"});
}

TEST_F(ChannelFilesTest, AFailedLogoKeepsTheGoodOneAndEndsWithP6)
{
    serve(PList, "Rai 1.txt\r\nRai 2.txt\r\n");
    serve(PFile + "Rai%201.txt", "rai uno");
    serve(PFile + "Rai%202.txt", "rai due");
    failOn(PFile + "101.gif");
    writeFile(app.file("loghitv/101.gif"), "GIF89a good");

    ChannelFilesDownload job(view, server.fetcher(), Base);
    EXPECT_EQ(job.run(), ChannelFilesDownload::Result::LogoFailed);

    EXPECT_EQ(contentOf(app.file("loghitv/101.gif")), "GIF89a good");
    EXPECT_FALSE(QFileInfo::exists(app.file("tv/Rai 2.txt")));
    ASSERT_EQ(prompts.size(), 1);
    EXPECT_TRUE(prompts[0].contains("Sei CONNESSO?(P6)"));
    EXPECT_TRUE(Annulla);
    EXPECT_EQ(view.statuses.last(), "Download Nuovo Logo TV Interrotto.");
    EXPECT_EQ(treeRebuilds(), 0);
}

// The same downloads over the network, against the sample listings server.
class ServerDownloadTest : public ListDownloadTest {
protected:
    QStringList listedHighlights(const test::ListingsServer &server)
    {
        QByteArray body;
        EXPECT_TRUE(net::readUrl(server.url(HList), body).ok());
        return text::splitLinesCr(QString::fromLatin1(body));
    }
};

TEST_F(ServerDownloadTest, FetchesNewHighlightsAndSkipsTheSetAsideOnes)
{
    test::ListingsServer server;
    ASSERT_TRUE(server.running());
    const QStringList names = listedHighlights(server);
    ASSERT_GE(names.size(), 2);
    writeFile(app.file("highlights/restanti/" + names[0]), "discarded");

    HighlightsDownload job(view, serverFileFetcher(), server.baseUrl());
    EXPECT_EQ(job.run(), HighlightsDownload::Result::Completed);

    EXPECT_FALSE(QFileInfo::exists(app.file("highlights/" + names[0])));
    EXPECT_EQ(job.report().fetched, names.mid(1));
    for (const QString &name : names.mid(1))
        EXPECT_TRUE(contentOf(app.file("highlights/" + name)).startsWith("<html>")) << name.toStdString();
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(ServerDownloadTest, AHostileListWritesNothingOutsideTheHighlightsFolder)
{
    QStringList names;
    {
        test::ListingsServer plain;
        ASSERT_TRUE(plain.running());
        names = listedHighlights(plain);
    }
    ASSERT_FALSE(names.isEmpty());
    const QString list = app.file("hostile.txt");
    writeFile(list, "../database/Orvento.cfg\r\n..\\x\r\n/etc/passwd\r\nrestanti\r\n" + names[0].toLatin1() + "\r\n");
    test::ListingsServer server({"--highlights-list", list});
    ASSERT_TRUE(server.running());
    auto before = snapshot(app.path());

    HighlightsDownload job(view, serverFileFetcher(), server.baseUrl());
    EXPECT_EQ(job.run(), HighlightsDownload::Result::Completed);

    auto after = snapshot(app.path());
    EXPECT_TRUE(after[QStringLiteral("highlights/") + names[0]].startsWith("<html>"));
    after.erase(QStringLiteral("highlights/") + names[0]);
    after.erase(QStringLiteral("TempDir/listah.txt"));
    EXPECT_EQ(after, before);
    EXPECT_EQ(job.report().unusable, (QStringList{"../database/Orvento.cfg", "..\\x", "/etc/passwd", "restanti"}));
    // The user learns that names were skipped.
    ASSERT_FALSE(main.status(1).isEmpty());
    EXPECT_TRUE(main.status(1).last().contains("/etc/passwd"));
}

TEST_F(ServerDownloadTest, APageCutShortLeavesNoFile)
{
    test::ListingsServer server({"--truncate", "/highlights/stasera_"});
    ASSERT_TRUE(server.running());
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

TEST_F(ServerDownloadTest, NewChannelFilesBringTheirLogos)
{
    test::ListingsServer server;
    ASSERT_TRUE(server.running());
    writeFile(app.file("tv/Rai 2.txt"), "mine");

    ChannelFilesDownload job(view, serverFileFetcher(), server.baseUrl());
    EXPECT_EQ(job.run(), ChannelFilesDownload::Result::Completed);

    EXPECT_TRUE(contentOf(app.file("tv/Rai 1.txt")).contains("NomeTV=Rai 1"));
    EXPECT_TRUE(contentOf(app.file("loghitv/101.gif")).startsWith("GIF"));
    EXPECT_TRUE(contentOf(app.file("loghitv/103.gif")).startsWith("GIF"));
    EXPECT_EQ(contentOf(app.file("tv/Rai 2.txt")), "mine");
    EXPECT_FALSE(QFileInfo::exists(app.file("loghitv/102.gif")));
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_EQ(treeRebuilds(), 1);
}

TEST_F(ServerDownloadTest, AnOverlongListedNameSkipsOnlyItself)
{
    test::ListingsServer server({"--long-names"});
    ASSERT_TRUE(server.running());

    HighlightsDownload pages(view, serverFileFetcher(), server.baseUrl());
    EXPECT_EQ(pages.run(), HighlightsDownload::Result::Completed);
    ASSERT_EQ(pages.report().unusable.size(), 1);
    EXPECT_EQ(pages.report().unusable[0].size(), 300);
    EXPECT_GE(pages.report().fetched.size(), 2);

    ChannelFilesDownload channels(view, serverFileFetcher(), server.baseUrl());
    EXPECT_EQ(channels.run(), ChannelFilesDownload::Result::Completed);
    ASSERT_EQ(channels.report().unusable.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(app.file("tv/Rai 1.txt")));
    EXPECT_TRUE(QFileInfo::exists(app.file("tv/Radio 1.txt")));
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
}

} // namespace
