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
};

} // namespace orv
