#pragma once

#include "acquisition/DownloadCycle.h"
#include "acquisition/DownloadProgress.h"
#include "acquisition/script/ProgrammeRecord.h"

#include <QDate>
#include <QWidget>
#include <map>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace orv {

class ProgressThrottle;

// The download window "Scaricamento Nuovi Programmi Televisivi": runs the
// listings download cycle and shows its progress.
class FrmDownload : public QWidget, private DownloadView, private RecordView, private DownloadProgress {
    Q_OBJECT
public:
    FrmDownload();
    ~FrmDownload() override;

    // Downloads every active channel, then post-processes. A second start
    // while a cycle runs is refused and brings this window to the front.
    void CICLO_TELEVISIONI();
    // The cycle's steps (GATEWAY_TV, SCARICA_TV_SCRIPT, ...) and the channel
    // code lookup LEGGI_CODICE_TV are DownloadCycle's.
    // The Stop button.
    void Command1_Click();

    // Exit status of an unattended run: 0 when the last cycle ran to its end,
    // non-zero when an error cut it short (the reason went to standard error).
    int unattendedExitCode() const { return exitCode_; }
    bool running() const { return running_; }

    // Where transfers go (tests put in local files).
    void setFetch(FetchFn fetch);
    void setScriptRunner(ScriptFn run);
    void setToday(const QDate &day);

    QPushButton *Command1;
    QLabel *Label1;
    QLabel *StatusBar1; // first panel of the status bar
    QLabel *Image1;
    QProgressBar *ProgressBar1;
    QProgressBar *ProgressBar2;
    QLabel *Label9;
    QLabel *Label2, *Label3, *Label6; // bytes, total, speed
    QGroupBox *Frame5;
    QLineEdit *TxtTitle, *TxtHour, *TxtType, *TxtCode, *TxtLink, *TxtCover;
    QPlainTextEdit *TxtUserComments;
    QLabel *ImgCover;
    std::map<int, QCheckBox *> Check1; // 0 to 5 and 13
    // The panel Frame5 as the script engine sees it.
    RecordView &recordView() { return *this; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // DownloadView
    void setStatus(const QString &text) override;
    void setConnection(const QString &text) override;
    void setStopEnabled(bool on) override;
    void setChannelRange(int maximum) override;
    void setChannelsDone(int done) override;
    void setDayRange(int minimum, int maximum) override;
    void setDayIndex(int index) override;
    void setDay(const QDate &day) override;
    void setLogo(const QString &file) override;
    void markReadFailure() override;
    void finishBars() override;
    void processEvents() override;

    // RecordView: the script engine's current programme.
    void recordChanged(const ProgrammeRecord &record) override;
    void captionChanged(const QString &caption) override;
    void coverChanged(const QImage &picture) override;

    void buildRecordPanel();
    // DownloadProgress: the transfer figures.
    void setFileBytes(const QString &text) override;
    void setCycleBytes(const QString &text) override;
    void setRate(const QString &text) override;

    // The transfers of the cycle: the listings server, through the proxy
    // when the settings say so.
    static FetchOutcome fetch(const QString &url, const QString &file);
    // False when the day's run failed.
    bool runScript(const QString &script, const QString &channel, const QString &day);

    DownloadCycle cycle_;
    // The bars follow the cycle at most every 50 ms.
    ProgressThrottle *channelsDone_;
    ProgressThrottle *dayIndex_;
    QDate today_;
    QDate MonthView1;
    bool running_ = false;
    bool closeAfterCycle_ = false;
    int exitCode_ = 0;
};

} // namespace orv
