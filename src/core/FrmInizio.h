#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace orv {

// The splash window. It has no behaviour of its own: start-up sets Label1,
// the main window's load writes its stages there and the day grid drives
// ProgressBar1 while AvvioInCorso is true.
class FrmInizio : public QWidget {
    Q_OBJECT
public:
    FrmInizio();

    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Image5 = nullptr;
    QLabel *Label1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
};

} // namespace orv
