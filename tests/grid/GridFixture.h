#pragma once

#include "core/AppState.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "grid/GridBuilder.h"
#include "platform/Database.h"
#include "support/TempApp.h"

#include <QDate>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace orv::test {

inline qint32 dayOf(const QDate &d) { return dayNumber(d.year(), d.month(), d.day()); }

// An application folder whose channel table holds only the channels a test adds.
class GridFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TempApp>();
        channels = Database::open(PercorsoPalinsesti);
        listings = Database::open(PercorsoDb);
        channels.exec(QStringLiteral("delete from Televisioni"));
        GiorniGriglia = 2;
        Colore = true;
    }
    void addChannel(const QString &name, int idtv, int position, int digitale = 1, int colore = 1,
                    const QString &canale = QStringLiteral("1"), bool shown = true)
    {
        channels
            .prepare(QStringLiteral("insert into Televisioni (IDTV, NOMETV, Attivo, Visualizzare, Posizione, "
                                    "Canale, Digitale, Colore) values (?,?,?,?,?,?,?,?)"))
            .bindAll(idtv, name, true, shown, position, canale, digitale, colore)
            .execute();
    }
    struct Row {
        QString ora = QStringLiteral("20:00"), durata = QStringLiteral("30"), titolo = QStringLiteral("Titolo"), type;
        QVariant marked, link2;
    };
    void addProgramme(const QDate &day, const QString &channel, int number, const Row &r)
    {
        listings
            .prepare(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo, Durata, "
                                    "Type, Marked, Link2) values (?,?,?,?,?,?,?,?,?)"))
            .bindAll(qint64(dayOf(day)), channel, number, r.ora, r.titolo, r.durata, r.type, r.marked, r.link2)
            .execute();
    }
    // Programmes at the given times, numbered from 1, 60 minutes each.
    void addDay(const QDate &day, const QString &channel, const QStringList &times)
    {
        for (int i = 0; i < times.size(); ++i)
            addProgramme(day, channel, i + 1, {times[i], QStringLiteral("60"), times[i]});
    }
    GridModel build(const QDate &mainDay)
    {
        GridBuilder::Options o;
        o.mainDay = mainDay;
        o.giorniGriglia = GiorniGriglia;
        o.colore = Colore;
        o.logoFolder = app->file(QStringLiteral("loghitv"));
        o.mark = [this](const QString &mark) { marks.push_back(mark); };
        return GridBuilder(channels, listings).build(o);
    }

    std::unique_ptr<TempApp> app;
    Database channels, listings;
    std::vector<QString> marks; // the build's status-bar marks
    const QDate main{2026, 12, 6}, first{2026, 12, 5};
};

} // namespace orv::test
