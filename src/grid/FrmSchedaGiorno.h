#pragma once

#include "mdi/MdiChild.h"

#include "core/Store.h"
#include "grid/GridModel.h"

#include <QDate>
#include <QDateTime>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QScrollBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace orv {

class GridColumn;
class GridView;

// The day grid window: the channel column (Frame1) and the time canvas
// (Frame2) painted from one GridModel, the two scroll bars and the day text.
// A build makes a new model and swaps it in whole; scrolling only changes
// the values the frames paint from.
class FrmSchedaGiorno : public MdiChild {
    Q_OBJECT
public:
    // Form_Load: current view 3, build for the main window's day, scroll to now.
    FrmSchedaGiorno();
    ~FrmSchedaGiorno() override;

    void CARICA_TV();
    // The hover card for programme cell `index`.
    void LabPROG_Click_2(int index);
    void RICARICA_GRIGLIA();
    void METTI_SEGNALIBRO();
    void METTI_SEGNALIBRO_POPUP();
    static QString PRENDICOLORE(qint16 code);
    static QString PRENDIFONT(qint16 code);

    void HScroll1_Change();
    void VScroll1_Change();
    void Timer1_Timer();
    void POSIZIONA_LINEA_ORA();

    // Shows or hides the favourite markers of those programmes' cells, no rebuild.
    void setFavouriteMarkers(const std::vector<ProgrammeKey> &keys, bool shown);
    // Scrolls to the programme (SegnalibroData/SegnalibroOra) and brings its row into view.
    void locateProgramme(const ProgrammeKey &key, const QString &ora);

    void Form_Activate() override;

    // Clicks and the hover protocol (positions in twips inside the cell).
    void Toolbar1_ButtonClick(const QString &key);
    void CmdClose_Click();
    void ImgTV_Click(int row);
    void LabPROG_Click(int index);
    void LabPROG_MouseMove(int index, float x, float y);

    const GridModel &model() const { return model_; }

    // The grid's own calendars: the main window's day and the first grid day.
    QDate MonthView1;
    QDate MonthView2;
    qint32 ValorePrecedenteH = 0;
    qint32 ValorePrecedenteV = 0;

    GridColumn *Frame1 = nullptr;
    GridView *Frame2 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QScrollBar *VScroll1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QTimer *Timer1 = nullptr;
    QLabel *LabTitoloBar = nullptr;
    QLabel *LabInizio = nullptr;
    QToolButton *CmdClose = nullptr;
    QToolBar *Toolbar1 = nullptr;

    // The clock the now line and the scroll to now read (tests set it).
    static inline std::function<QDateTime()> clock;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Resize();
    void buildToolbar();
    void printWindow();
    void canvasMouse(QMouseEvent *event, bool press);
    void columnMouse(QMouseEvent *event, bool press);
    void cancelHover(bool closeCard);
    static QDateTime now();
    QDate mainDay() const;
    void installModel(GridModel model);
    void jumpH(int value);
    void waitText(int index, bool progress);
    void closeWait();
    void wheel(QWheelEvent *event);

    GridModel model_;
    bool building_ = false;
    bool rebuildPending_ = false;
};

} // namespace orv
