#pragma once

#include "views/HtmlView.h"

class QFrame;
class QLineEdit;

namespace orv {

// The daily report: every channel's programmes of the main window's day
// whose type begins with a text and that start within two times.
class FrmReport : public HtmlView {
    Q_OBJECT
public:
    FrmReport();

    void CARICA_CARD_REPORT();
    void VISUALIZZA_RICERCA_HTML_REPORT();
    void Form_Activate() override;

    QComboBox *CmbRicerca = nullptr;
    QLineEdit *TxtInizio = nullptr;
    QLineEdit *TxtFine = nullptr;
    QPushButton *Command1 = nullptr;
    QFrame *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;

protected:
    void layoutTwips(int W, int H) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace orv
