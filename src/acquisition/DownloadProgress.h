#pragma once

#include <QString>

namespace orv {

// Where the transfer figures appear: the download window's "Bytes :"
// (Label2), "Totale :" (Label3) and "Velocita' :" (Label6) labels.
// FrmDownload implements it and installs itself with setDownloadProgress().
class DownloadProgress {
public:
    virtual ~DownloadProgress() = default;
    virtual void setFileBytes(const QString &text) = 0;  // Label2
    virtual void setCycleBytes(const QString &text) = 0; // Label3
    virtual void setRate(const QString &text) = 0;       // Label6
};

// The figures go to this sink (none: nowhere). The window that installs
// itself must remove itself (nullptr) before it is destroyed.
void setDownloadProgress(DownloadProgress *sink);
DownloadProgress *downloadProgress();

} // namespace orv
