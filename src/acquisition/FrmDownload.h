#pragma once

#include <QWidget>

namespace orv {

// The download window. (Bare for now: the cycle arrives with the download work.)
class FrmDownload : public QWidget {
    Q_OBJECT
public:
    FrmDownload();
    // Downloads every active channel, then post-processes.
    void CICLO_TELEVISIONI();
    // Exit status of an unattended run: 0 when the last cycle ran to its end,
    // non-zero when an error cut it short (the reason went to standard error).
    int unattendedExitCode() const { return exitCode_; }

private:
    int exitCode_ = 0;
};

} // namespace orv
