#pragma once

#include "views/HtmlView.h"

class QCheckBox;
class QFrame;
class QLineEdit;

namespace orv {

// The search page: programmes whose texts hold the words searched. The
// main window's day changes never rebuild it.
class FrmRicerche : public HtmlView {
    Q_OBJECT
public:
    FrmRicerche();

    void CARICA_CARD_RICERCHE();
    void VISUALIZZA_RICERCA_HTML();

    QLineEdit *TxtRicerca = nullptr;
    QLabel *Label1 = nullptr;
    QCheckBox *Check2 = nullptr;
    QCheckBox *Check3 = nullptr;
    QCheckBox *Check4 = nullptr;
    QCheckBox *Check5 = nullptr;
    QCheckBox *Check6 = nullptr;
    QPushButton *Command1 = nullptr;
    QFrame *Frame1 = nullptr;

protected:
    void layoutTwips(int W, int H) override;
};

} // namespace orv
