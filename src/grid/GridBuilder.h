#pragma once

#include "grid/GridModel.h"

#include <QDate>
#include <QString>
#include <functional>

namespace orv {

class Database;

// COSTRUISCI_GRIGLIA: the shown channels once, every grid day's programmes
// by one range query, each channel laid out as CARICA_PROGRAMMI_TV does.
class GridBuilder {
public:
    struct Options {
        QDate mainDay;          // FrmMain.MonthView1
        int giorniGriglia = 1;  // the grid shows this + 1 days
        bool colore = false;    // colour cells by programme type
        QString logoFolder;     // where <IDTV>.gif logos lie ("" for none)
        // Channels done so far, of the total (rows, then cells).
        std::function<void(int done, int total)> progress;
    };

    GridBuilder(Database &channels, Database &listings) : channels_(channels), listings_(listings) {}

    GridModel build(const Options &options);

private:
    Database &channels_;
    Database &listings_;
};

} // namespace orv
