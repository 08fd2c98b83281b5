#pragma once

#include "core/Store.h"
#include "grid/GridGeometry.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <vector>

namespace orv {

// One channel row of the grid.
struct GridRow {
    QString NOMETV;
    QString IDTV;
    QString Canale;
    // 0 none, 1 "DTT", 2 "GEN", 3 "RAD".
    int Digitale = 0;
    int Colore = 0;
    // The logo file, empty when the channel has none.
    QString logo;
    QString badge() const;
    // The code box's colours; false for a code outside 1 to 10.
    bool codeColours(quint32 &back, quint32 &fore) const;
};

// One programme cell: LabPROG(i) in build order.
struct GridCell {
    ProgrammeKey key;
    QString ORA;
    QString Titolo;
    int row = 0;
    // Left at scroll value 0 and width, twips.
    int left = 0;
    int width = 0;
    grid::CellColours colours;
    // "D" + yyyymmdd + "[" + Numerazione + "]" + Palinsesto + ORA.
    QString tag() const;
};

// A favourite (Image1) or link (Image2) marker on its cell.
struct GridMarker {
    int cell = 0;
    bool visible = true;
};

// The built grid: rows, cells and markers with their positions for scroll
// value 0, and the positions for any scroll value computed from them.
class GridModel {
public:
    QDate firstDay;  // MonthView2: the main window's day less one
    int days = 0;    // GiorniGriglia + 1
    std::vector<GridRow> rows;
    std::vector<GridCell> cells;
    std::vector<GridMarker> favMarkers;  // Image1
    std::vector<GridMarker> linkMarkers; // Image2

    int ContaLabProg() const { return int(cells.size()); }
    int ContaImage1() const { return int(favMarkers.size()); }
    int ContaImage2() const { return int(linkMarkers.size()); }
    static int TopRiga(int row) { return row * grid::RowTw; }
    static int PosizioneOre(int k) { return k * grid::HalfHourTw + grid::HeaderOffsetTw; }
    int PosizioneProgrammi(int i) const { return cells[size_t(i)].left; }
    int CellaImage1(int k) const { return favMarkers[size_t(k)].cell; }
    int CellaImage2(int k) const { return linkMarkers[size_t(k)].cell; }

    // Positions in the time canvas at horizontal value h and vertical value v.
    static int leftAt(int left, int h) { return left - h * grid::HalfHourTw; }
    int cellLeftAt(int i, int h) const { return leftAt(cells[size_t(i)].left, h); }
    int cellTopAt(int i, int v) const { return grid::CellTopTw + (cells[size_t(i)].row - v) * grid::RowTw; }

    // Half-hour steps of the time axis: the horizontal range is 0 to this - 1.
    int halfHours() const { return days * grid::HalfHoursPerDay; }
    QDate lastDay() const { return firstDay.addDays(days - 1); }
    bool containsDay(const QDate &day) const { return days > 0 && day >= firstDay && day <= lastDay(); }

    // The cell of a programme, -1 when the grid has none.
    int findCell(const ProgrammeKey &key) const;
    // The row of a channel (case-blind), -1 when none.
    int findRow(const QString &channel) const;
    // [first, end) of the cells of a row (cells are built row by row).
    std::pair<int, int> rowCells(int row) const;

    // Shows the favourite marker of cell c, adding one when it has none.
    void showFavourite(int c);
    // Hides every favourite marker of cell c.
    void hideFavourite(int c);
    // The favourite marker of cell c that is shown, -1 when none.
    int visibleFavourite(int c) const;

    // Called by the builder once the cells are complete.
    void finish();

private:
    static QString keyText(const ProgrammeKey &key);
    std::vector<int> rowStart_;
    mutable QHash<QString, int> byKey_;
};

} // namespace orv
