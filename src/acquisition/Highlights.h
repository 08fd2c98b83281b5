#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace orv {

// Copies one URL into one local file; true only when the whole file arrived.
using FileFetcher = std::function<bool(const QString &url, const QString &file)>;

// What the highlights and channel-file downloads show while they run; the
// download window implements it.
class ListDownloadView {
public:
    virtual ~ListDownloadView() = default;
    virtual void setStatus(const QString &text) {}  // Label1
    virtual void setCaption(const QString &text) {} // window caption
    virtual void setStopEnabled(bool on) {}         // Command1
    virtual void processEvents() {}                 // let pending window events run
};

// The pattern both downloads share: fetch a list of file names into TempDir,
// then fetch every listed name that is neither in the local folder nor in its
// "restanti" subfolder (what the user set aside is not fetched again).
//
// Names come from the server: one that is not a plain file name is skipped
// and reported, so nothing is ever written outside its folder. Every file is
// fetched aside and moved into place only when it arrived whole, so a failed
// transfer leaves neither an empty file nor a damaged old one.
class ListDownload {
public:
    struct Report {
        QStringList fetched;  // names written into the folder
        QStringList unusable; // names skipped as unsafe
    };

    ListDownload(ListDownloadView &view, FileFetcher fetch, QString serverBase);
    virtual ~ListDownload() = default;

    // The Stop button: ends the file loop before its next name.
    void stop() { InterrompiCiclo = true; }
    const Report &report() const { return report_; }

    // The names of a list file, trimmed, empty lines left out.
    static QStringList readList(const QString &file);

protected:
    // Where a download's list and files come from and go to, and its texts.
    struct Source {
        QString caption;         // window caption
        QString folder;          // local folder of the files
        QString serverPath;      // server folder holding lista.txt and the files
        QString listFile;        // the list's copy, under TempDir
        QString listTag;         // connection-message tag: list failed
        QString listInterrupted; // status after a failed list
        QString fetching;        // status while a file downloads
        bool nameInStatusBar;    // each file's name in status panel 1
        QString fileTag;         // connection-message tag: a file failed
        QString fileInterrupted; // status after a failed file
    };
    enum class Step { Completed, ListFailed, ListMissing, FileFailed, AfterFileFailed };
    // The list, then every listed name not yet present; afterFile runs once a
    // file is in place and ends the run when it gives false (it reported).
    Step fetchListed(const Source &source, const std::function<bool(const QString &name)> &afterFile);

    QString url(const QString &path) const;
    // Fetches with one retry; true when the whole file is in place.
    bool fetchInto(const QString &url, const QString &target);
    // The local path of a listed name inside folder (spelled as on disk when
    // it exists), or empty when the name may not be used there.
    QString targetFor(const QString &folder, const QString &name);
    // Present in folder or folder/restanti as a normal file.
    static bool present(const QString &folder, const QString &name);
    static void makeFolders(const QString &folder);
    // A line for the status panel naming the skipped names; empty when none.
    QString unusableSummary() const;
    // A transfer failed: the connection message with its tag, the run marked
    // cancelled, status shown and Stop disabled.
    void giveUp(const QString &tag, const QString &status);

    ListDownloadView &view_;
    FileFetcher fetch_;
    QString base_;
    Report report_;
    bool InterrompiCiclo = false;
};

// SCARICA_HIGH: new highlight pages into \highlights\, then the viewer's list
// is refreshed.
class HighlightsDownload : public ListDownload {
public:
    enum class Result { Completed, ListFailed, ListMissing, PageFailed };
    using ListDownload::ListDownload;
    Result run();
};

// SCARICA_PALINSESTI: new channel files into \tv\, each with its channel's
// logo into \loghitv\, then the channel tree is rebuilt.
class ChannelFilesDownload : public ListDownload {
public:
    enum class Result { Completed, ListFailed, ListMissing, FileFailed, LogoFailed };
    using ListDownload::ListDownload;
    Result run();

    // The channel a channel file is named after: its name without the
    // extension ("Rai 1.txt" is "Rai 1").
    static QString channelOf(const QString &fileName);
    // The IDTV of the channel of that name, 0 when there is none.
    static qint32 channelCode(const QString &channel);
};

// The two downloads on the download window, fetching from the listings
// server. The caller shows the window first. SCARICA_HIGH unloads the
// window when it completes; every other ending leaves it open.
void SCARICA_HIGH();
void SCARICA_PALINSESTI();

// The fetcher the program uses: the listings server through the user's proxy
// settings; a page that is not there (an HTTP error) counts as failed.
FileFetcher serverFileFetcher();

} // namespace orv
