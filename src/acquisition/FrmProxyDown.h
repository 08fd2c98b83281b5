#pragma once

#include "platform/Net.h"

#include <QDateTime>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class ProxyDownloader;

// The hidden proxy download window: drives the download component through
// the user's proxy and shows how the transfer goes. Created on first use and
// never shown; the copy operations read lblBYTES and lastResult() back.
class FrmProxyDown : public QWidget {
    Q_OBJECT
public:
    FrmProxyDown();
    ~FrmProxyDown() override;

    // Proxy connection test.
    void INIZIALIZZA();
    // Starts one transfer and returns at once; its end clears ProxyOccupato
    // and emits transferEnded().
    void StartDownload(const QString &FileName, const QString &URL,
                       net::OnFailure onFailure = net::OnFailure::KeepOld);
    // Updates the progress display.
    void Progress(qint64 BytesRead, qint64 BytesMax, const QString &StatusText, qint32 Colour, qint32 Delta);

    // How the last transfer ended.
    const net::FetchResult &lastResult() const;

    ProxyDownloader *DownCTL;
    QLabel *lblBYTES, *Label2, *Label3, *lblHeader, *lblTime, *chkPrg;
    QLineEdit *TxtURL, *TxtFile;
    std::array<QLineEdit *, 4> txtProxy;
    QPushButton *Command1, *Command2;

signals:
    void transferEnded();

private:
    void Command2_Click();
    void onProgress(int status, qint64 bytesRead, qint64 bytesMax);
    void onError(const QString &text);
    void onCompleted();
    void onStateChanged(int state);

    QString target_;
    bool completed_ = false;
    QString errorText_;
    qint64 previousBytes_ = 0;
    bool ftp_ = false;
    bool timing_ = false;
    QDateTime start_;
    int ftpStep_ = 0;
};

// Waits, letting window events run, until the running proxy transfer ends.
void waitForProxyTransfer(FrmProxyDown &window);

} // namespace orv
