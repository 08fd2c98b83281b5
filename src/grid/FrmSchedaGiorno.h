#pragma once

#include "mainwindow/MdiChild.h"

#include "core/Store.h"

#include <QDate>
#include <vector>

class QFrame;
class QLabel;

namespace orv {

// The day grid. Its load sets the current view, takes the main window's day,
// builds the grid and scrolls to the current time.
class FrmSchedaGiorno : public MdiChild {
    Q_OBJECT
public:
    FrmSchedaGiorno();

    void CARICA_TV();
    void METTI_SEGNALIBRO();
    void RICARICA_GRIGLIA();
    // The hover card for programme cell `index`.
    void LabPROG_Click_2(qint16 index);
    void Form_Activate() override;
    // Shows or hides the favourite markers of those programmes' cells, no rebuild.
    void setFavouriteMarkers(const std::vector<ProgrammeKey> &keys, bool shown);
    // Scrolls to the programme (SegnalibroData/SegnalibroOra) and brings its row into view.
    void locateProgramme(const ProgrammeKey &key, const QString &ora);

    QFrame *Frame1 = nullptr;
    QFrame *Frame2 = nullptr;
    // The grid's first day.
    QDate MonthView2;

    // The day of the last build and how many builds ran.
    QDate builtDay() const { return builtDay_; }
    int buildCount() const { return buildCount_; }
    qint16 lastHoverCell() const { return lastHoverCell_; }
    // The last favourite-marker request.
    std::vector<ProgrammeKey> markerKeys;
    bool markersShown = false;

private:
    QLabel *label_ = nullptr;
    QDate builtDay_;
    int buildCount_ = 0;
    qint16 lastHoverCell_ = -1;
};

} // namespace orv
