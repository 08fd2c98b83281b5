#pragma once

#include "views/HtmlView.h"

class QDateEdit;
class QFrame;

namespace orv {

// The MyTV page: the marked programmes of 31 days from a start day.
class FrmMyTV : public HtmlView {
    Q_OBJECT
public:
    FrmMyTV();

    void CARICA_CARD_MYTV();
    void VISUALIZZA_MYTV_HTML_REPORT();
    void Form_Activate() override;

    QDateEdit *DTPicker1 = nullptr;
    QPushButton *Command1 = nullptr;
    QFrame *Frame1 = nullptr;

protected:
    void layoutTwips(int W, int H) override;
};

} // namespace orv
