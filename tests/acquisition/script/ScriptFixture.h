#pragma once

#include "acquisition/script/ScriptsTV.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "platform/Database.h"
#include "platform/Prompt.h"
#include "support/TempApp.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <deque>
#include <gtest/gtest.h>
#include <map>

namespace orv::test {

using Bytes = QList<QByteArray>;

// A throw-away application folder, pages served from memory, and message
// boxes recorded and answered from a queue (Cancel when it runs out).
class ScriptFixture : public ::testing::Test {
protected:
    static constexpr const char *PageUrl = "http://pages.test/guida";
    static constexpr const char *Day = "20260309";
    static constexpr const char *Channel = "Canale Prova";

    TempApp app;
    std::map<QString, QByteArray> web;
    QStringList fetched;
    std::vector<PromptRequest> boxes;
    std::deque<Answer> answers;
    ScriptsTV engine{[this](const QString &url, const QString &file) {
        fetched << url;
        auto it = web.find(url);
        if (it == web.end())
            return;
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(it->second);
    }};

    void SetUp() override
    {
        ScriptError = Locandine = TakeAll = TakeNone = false;
        Annulla = false;
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
    void TearDown() override
    {
        Prompt::setHandler({});
    }

    void writeScript(const QByteArray &body, const char *name = "script.txt")
    {
        QFile f(app.file(QStringLiteral("TempDir/") + QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(body);
    }
    // A script with the query line and the two sections, lines ended CR LF.
    static QByteArray scriptOf(const QList<QByteArray> &section1, const QList<QByteArray> &section2 = {},
                               const QByteArray &header = {})
    {
        QByteArray s = "Script di prova\r\n" + header + "#WEBQUERY#" + PageUrl + "\r\n#DOWNLOADINFO#\r\n";
        for (const QByteArray &l : section1)
            s += l + "\r\n";
        s += "#ENDDOWNLOADINFO#\r\n#COMMENTS#\r\n";
        for (const QByteArray &l : section2)
            s += l + "\r\n";
        s += "#ENDCOMMENTS#\r\n";
        return s;
    }
    void runScript(const QList<QByteArray> &section1, const QByteArray &page, const QList<QByteArray> &section2 = {})
    {
        writeScript(scriptOf(section1, section2));
        web[PageUrl] = page;
        run();
    }
    void run(const char *day = Day) { engine.ESEGUI_SCRIPT_TV(QStringLiteral("script.txt"), Channel, day); }

    QByteArray var(int i) const { return engine.ScriptVariabili[i]; }
    QList<QByteArray> vars(std::initializer_list<int> which) const
    {
        QList<QByteArray> out;
        for (int i : which)
            out << engine.ScriptVariabili[i];
        return out;
    }

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

    static QByteArray jpeg()
    {
        QImage img(4, 4, QImage::Format_RGB32);
        img.fill(Qt::red);
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "JPG");
        return bytes;
    }
};

} // namespace orv::test
