#pragma once

#include "mainwindow/Commands.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

class QAction;
class QCalendarWidget;
class QLabel;
class QMdiArea;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QFrame;

namespace orv {

class MdiChild;

// The main window: navigation bar, channel tree, child views, toolbars,
// status bar and timers. Everything else is reached from here.
class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    FrmMain();
    ~FrmMain() override;

    // The load sequence; runs once, on the first show (or when called).
    void Form_Load();

    // Channel tree, date navigation, view dispatch.
    void LOAD_TV();
    void SEARCH_TV_TREE();
    void SMISTAMENTO_VISUALIZZAZIONI();
    void CARICA_SCHEDA_PALINSESTO();
    void MonthView1_DateClick();
    void CmdGiornoDx_Click();
    void CmdGiornoSx_Click();
    void m_menuv_Click(int index);
    void TreeView1_NodeClick(QTreeWidgetItem *node);
    void ImgFrecce_Click();
    // The current day and channel (the selected node's key; empty when none).
    QDate currentDay() const;
    QString currentChannel() const;
    // Moves the calendar and its labels to a day without rebuilding the view:
    // the caller dispatches (the grid's logo click selects a channel first).
    void setCurrentDay(const QDate &day);

    // Command sources.
    void Toolbar1_ButtonClick(const QString &key);
    void Toolbar2_ButtonClick(const QString &key);
    void Toolbar3_ButtonClick(const QString &key);
    void ImgIcone_Click(int index);
    void runCommand(Command command);
    void supportMail(int topicIndex);
    void APPLICA_LINGUA();

    // Life cycle and panels.
    void CmdClose_Click(int index);
    void m_menu_visu_Click(int index);
    void m_vecchi_Click();
    void m_puliscidb_Click();
    void StatusBar1_PanelClick();
    void ImgIcone_MouseMove(int index);
    void Picture2_MouseMove();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer_POP2_Timer();
    // Mouse over one of the main window's controls: hover delay off.
    void stopHoverTimer();
    // The monitor alert stops blinking (status panel 2 emptied).
    void stopMonitorAlert();
    bool popUpPressed() const;

    // Shows a view as a child window (created on first use) in front.
    void showChild(MdiChild &child);
    // The daily-grid refresh after a change of channels or a download.
    void refreshGrid();
    // Long jobs (download, post-processing, builds): a second start while
    // one runs is refused and the running job's window comes to the front;
    // closing the window meanwhile stops the job and closes when it ends.
    bool jobRunning() const { return job_; }
    bool startJob();
    void finishJob();

    // Geometry in twips, as the settings store it.
    static constexpr int TwipsPerPixel = 15;
    static constexpr int MinWidthTwips = 11355;
    static constexpr int MinHeightTwips = 8320;
    void applyStoredGeometry();
    void storeGeometry();

    // Status-bar panel text (1-based; for panels 3 and 4 the text written
    // there, shown before the date and the time).
    QString panelText(int panel) const;
    void writeStatus(int panel, const QString &text);

    QCalendarWidget *MonthView1 = nullptr;
    std::array<QLabel *, 3> LabDATA{};
    QPushButton *CmdGiornoSx = nullptr;
    QPushButton *CmdGiornoDx = nullptr;
    QFrame *Picture1 = nullptr;
    QFrame *Picture2 = nullptr;
    QFrame *Picture3 = nullptr;
    QFrame *Picture4 = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QToolBar *Toolbar2 = nullptr;
    QToolBar *Toolbar3 = nullptr;
    std::array<QLabel *, 9> ImgIcone{};
    std::array<QLabel *, 9> LabIcone{};
    QLabel *lblHighlight = nullptr;
    QLabel *HighLabel1 = nullptr;
    QLabel *ImgFrecce = nullptr;
    std::array<QLabel *, 7> LabTitoloBar{};
    QMdiArea *mdiArea = nullptr;
    QTimer *TimerProg = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    QTimer *Timer_POP2 = nullptr;
    QMenu *menu1 = nullptr;
    QMenu *m_config1 = nullptr;
    std::array<QAction *, 8> m_menuv{};
    std::array<QAction *, 3> m_menu_visu{};

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildNavigationBar();
    void buildTreePanel();
    void buildLogoPanel();
    void buildMenus();
    void buildToolbars();
    void buildStatusBar();
    void buildTimers();
    void refreshDateLabels(const QDate &shown);
    void setLabDATA(int index, const QString &text);
    void loadStage(const QString &text);
    void cleanOldListings();
    bool confirmCleaning();
    void runCleaning(const std::function<void()> &clean);
    void openWeb(const QString &path);
    // False when the job did not start (none installed, or one running).
    bool runJob(const std::function<void()> &job);
    void showFocused(MdiChild &child, QWidget *field);
    void runDownload(bool refreshAfter);
    bool refuseSecondJob();
    void onSubWindowActivated();
    QAction *toolbarButton(QToolBar *bar, int number) const;
    void showClock();

    bool loaded_ = false;
    bool closing_ = false;
    bool closePending_ = false;
    bool job_ = false;
    // The calendar's day changed since the last mouse press on it: the click
    // that ends that press adds nothing.
    bool dayJustChanged_ = false;
    std::array<QLabel *, 4> panels_{};
    QLabel *alertIcon_ = nullptr;
    bool alertShown_ = false;
    std::array<QString, 2> panelMarks_;
    QList<QAction *> menuActions_;
};

} // namespace orv
