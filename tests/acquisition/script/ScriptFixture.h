#pragma once

#include "acquisition/script/ScriptsTV.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "platform/Database.h"
#include "platform/Prompt.h"
#include "support/TempApp.h"

#include <QDir>
#include <QFile>
#include <deque>
#include <gtest/gtest.h>
#include <map>

namespace orv::test {

using Bytes = QList<QByteArray>;

// A throw-away application folder, pages served from memory, and message
// boxes recorded and answered from a queue (Cancel when it runs out).
class ScriptFixture : public ::testing::Test {
protected:
    static constexpr const char *PageUrl = "http://pages.test/guida", *Day = "20260309", *Channel = "Canale Prova";

    TempApp app;
    std::map<QString, QByteArray> web;
    QStringList fetched;
    std::vector<PromptRequest> boxes;
    std::deque<Answer> answers;
    ScriptsTV engine{[this](const QString &url, const QString &file) {
        fetched << url;
        QFile f(file);
        if (web.count(url) && f.open(QIODevice::WriteOnly))
            f.write(web[url]);
    }};

    void SetUp() override
    {
        ScriptError = Locandine = TakeAll = TakeNone = Annulla = false;
        engine.setEventPump({});
        Prompt::setHandler([this](const PromptRequest &r) {
            boxes.push_back(r);
            if (answers.empty())
                return r.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
            Answer a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    void TearDown() override { Prompt::setHandler({}); }

    void writeScript(const QByteArray &body)
    {
        QFile f(app.file(QStringLiteral("TempDir/script.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(body) == body.size());
    }
    // A null page is not served.
    void runText(const QByteArray &script, const QByteArray &page = "x\r\n")
    {
        writeScript(script);
        if (page.isNull())
            web.erase(PageUrl);
        else
            web[PageUrl] = page;
        run();
    }
    // A script with the query line and the two sections, lines ended CR LF.
    static QByteArray scriptOf(const Bytes &section1, const Bytes &section2 = {}, const QByteArray &header = {})
    {
        const QByteArray end = "\r\n";
        return "Script di prova\r\n" + header + "#WEBQUERY#" + PageUrl + "\r\n#DOWNLOADINFO#\r\n" +
               (section1.join(end) + end).sliced(section1.isEmpty() ? 2 : 0) + "#ENDDOWNLOADINFO#\r\n#COMMENTS#\r\n" +
               (section2.join(end) + end).sliced(section2.isEmpty() ? 2 : 0) + "#ENDCOMMENTS#\r\n";
    }
    void runScript(const Bytes &s1, const QByteArray &page, const Bytes &s2 = {}) { runText(scriptOf(s1, s2), page); }
    void run(const char *day = Day) { engine.ESEGUI_SCRIPT_TV(QStringLiteral("script.txt"), Channel, day); }

    QByteArray var(int i) const { return engine.ScriptVariabili[i]; }
    std::vector<Programme> rows(const QString &day = Day, const QString &channel = Channel)
    {
        Database db = Database::open(PercorsoDb);
        return ProgrammiTable(db).channelDay(day.toInt(), channel);
    }
    QStringList boxTexts() const
    {
        QStringList out;
        for (const auto &b : boxes)
            out << b.text;
        return out;
    }
};

} // namespace orv::test
