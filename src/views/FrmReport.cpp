#include "views/FrmReport.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace orv {

FrmReport::FrmReport()
{
    setWindowTitle(QStringLiteral("Report Giornaliero"));
    auto *layout = new QVBoxLayout(this);
    CmbRicerca = new QComboBox(this);
    Combo1 = new QComboBox(this);
    layout->addWidget(CmbRicerca);
    layout->addWidget(Combo1);
    layout->addStretch(1);
    VistaCorrente = 2;
}

void FrmReport::VISUALIZZA_RICERCA_HTML_REPORT() { builtDay_ = mainWindow().currentDay(); }

void FrmReport::Form_Activate() { VistaCorrente = 2; }

} // namespace orv
