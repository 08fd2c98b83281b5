#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/Store.h"

namespace orv {


// How one transfer ended: the whole file arrived, the server has no such
// file, or the server could not be reached (or the file arrived cut short).
enum class FetchOutcome { Fetched, NotFound, Failed };
using FetchFn = std::function<FetchOutcome(const QString &url, const QString &file)>;

// Runs the scraping script (a file under TempDir) for one channel and day
// (yyyymmdd); false when the run failed and stored nothing of the day.
using ScriptFn = std::function<bool(const QString &scriptFile, const QString &channel, const QString &day)>;

// What the cycle shows while it runs; the download window implements it.
class DownloadView {
public:
    virtual ~DownloadView() = default;
    virtual void setStatus(const QString &text) {}     // the cycle's status line
    virtual void setConnection(const QString &text) {} // first status panel
    virtual void setStopEnabled(bool on) {}
    virtual void setChannelRange(int maximum) {}
    virtual void setChannelsDone(int done) {}
    virtual void setDayRange(int minimum, int maximum) {}
    virtual void setDayIndex(int index) {}
    virtual void setDay(const QDate &day) {}
    virtual void setLogo(const QString &file) {}
    virtual void markReadFailure() {} // "~" in the window's own status bar
    virtual void finishBars() {}      // both bars to their maximum
    virtual void processEvents() {}   // let pending window events run
};

// The listings download cycle: every active channel in display order, its
// check file choosing script mode (7 days) or ready-made day files (20 days).
class DownloadCycle {
public:
    static constexpr int ScriptDays = 7;
    static constexpr int DatabaseDays = 20;
    static constexpr int DatabaseBarMaximum = 30;

    struct Report {
        int scriptChannels = 0;
        int daysStored = 0;
        int rowsStored = 0;
        int failedDays = 0;    // day files that did not arrive whole, script days that failed
        bool cutShort = false; // an error ended the cycle early
        QString reason;        // why, for standard error
    };

    DownloadCycle(DownloadView &view, FetchFn fetch);
    ~DownloadCycle();

    void setFetch(FetchFn fetch) { fetch_ = std::move(fetch); }
    void setScriptRunner(ScriptFn run) { script_ = std::move(run); }
    // The first day of every day loop (today unless a test says otherwise).
    void setToday(const QDate &day) { today_ = day; }

    // One whole cycle up to, not including, the post-processing.
    void run();
    // One channel: check file, then script or ready-made days. A code of 0
    // or less is not a channel: it is skipped with the lookup's message.
    void GATEWAY_TV(const QString &name, qint32 code);
    void SCARICA_GIORNI_SCRIPT(qint32 code, const QString &name);
    void SCARICA_GIORNI_DATABASE(qint32 code, const QString &name);
    // Fetches, reads and stores one ready-made channel-day; the day's rows
    // are replaced only when the whole file was read.
    void SCARICA_TV_DATABASE(const QString &day, qint32 code, int index, const QString &name);
    // Reads a fetched day file and queues its rows: false when the file
    // gives nothing to store. Queued days are written when the channel's
    // transfers are done (or a batch is full).
    bool storeDay(const QByteArray &bytes, qint32 day, const QString &name);
    // Writes the queued days: one transaction, each day replaced whole or
    // not at all. The cycle calls it after each channel and when a batch is
    // full, between transfers: no write lock is ever held across one.
    void finishStoring();
    // Runs the script for one channel-day; a failed run is a day not received.
    void SCARICA_TV_SCRIPT(const QString &day, const QString &name);
    // The channel code as decimal text; empty (after the message) when the
    // channel is not known.
    static QString LEGGI_CODICE_TV(const QString &name);
    // The Stop button.
    void stop();

    bool interrupted() const { return InterrompiCiclo; }
    const Report &report() const { return report_; }
    // Whether the update check already ran in this program run.
    static bool &updateChecked();

private:
    QString url(const QString &path) const;
    // Fetch with the single retry; notice is shown before the retry.
    FetchOutcome fetchWithRetry(const QString &url, const QString &file, const QString &notice = {});
    QDate today() const;
    void cutShort(const QString &reason);
    // The listings database, open for the length of a cycle.
    ProgrammiTable &programmes();
    bool hasDay(const QDate &day, const QString &name);
    // A day file read whole, waiting for its batch.
    struct PendingDay {
        qint32 day = 0;
        QString channel;
        std::vector<Programme> rows;
    };
    static constexpr int BatchRows = 10000;

    DownloadView &view_;
    FetchFn fetch_;
    ScriptFn script_;
    QDate today_;
    Report report_;
    bool InterrompiCiclo = false;
    std::unique_ptr<Database> listings_;
    std::unique_ptr<ProgrammiTable> programmes_;
    std::vector<PendingDay> pending_;
    int pendingRows_ = 0;
};

// Message shared by the connection failures, with its tag: "1", "2" ...
QString connectionFailureText(const QString &tag);

} // namespace orv
