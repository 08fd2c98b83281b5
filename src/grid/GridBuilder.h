#pragma once

#include "grid/GridModel.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <functional>
#include <vector>

namespace orv {

class Database;

// COSTRUISCI_GRIGLIA: the shown channels once, every grid day's programmes
// by one range query, each channel laid out as CARICA_PROGRAMMI_TV does.
// When the range cannot be read, each channel-day is queried on its own: a
// channel-day that fails writes its mark and gets no cells, the others show.
class GridBuilder {
public:
    struct Options {
        QDate mainDay;          // FrmMain.MonthView1
        int giorniGriglia = 1;  // the grid shows this + 1 days
        bool colore = false;    // colour cells by programme type
        QString logoFolder;     // where <IDTV>.gif logos lie ("" for none)
        // Channels done so far, of the total (rows, then cells).
        std::function<void(int done, int total)> progress;
        // A one-character failure mark for the status bar.
        std::function<void(const QString &mark)> mark;
    };

    // A listings database that is not open fails every channel-day.
    GridBuilder(Database &channels, Database &listings) : channels_(channels), listings_(listings) {}

    GridModel build(const Options &options);

private:
    using Records = std::vector<ProgrammiTable::GridRecord>;
    using Buckets = std::vector<std::vector<int>>; // record indices by row * days + day
    bool readRange(const GridModel &m, const QHash<QString, int> &rowOf, Records &records, Buckets &buckets);
    void readEachDay(const GridModel &m, const Options &o, Records &records, Buckets &buckets);

    Database &channels_;
    Database &listings_;
};

} // namespace orv
