#include "views/FrmRicerche.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace orv {

FrmRicerche::FrmRicerche()
{
    setWindowTitle(QStringLiteral("Ricerche"));
    auto *layout = new QVBoxLayout(this);
    TxtRicerca = new QLineEdit(this);
    layout->addWidget(TxtRicerca);
    layout->addStretch(1);
}

} // namespace orv
