#pragma once

#include "mainwindow/MdiChild.h"

#include <QDate>

class QComboBox;

namespace orv {

// The daily report: one day's programmes of a type within a time range.
class FrmReport : public MdiChild {
    Q_OBJECT
public:
    FrmReport();
    void VISUALIZZA_RICERCA_HTML_REPORT();
    void Form_Activate() override;

    QComboBox *CmbRicerca = nullptr;
    QComboBox *Combo1 = nullptr;
    QDate builtDay() const { return builtDay_; }

private:
    QDate builtDay_;
};

} // namespace orv
