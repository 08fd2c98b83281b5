#include "views/FrmSchedaHtml.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "mainwindow/DateNav.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace orv {

FrmSchedaHtml::FrmSchedaHtml()
{
    setWindowTitle(QStringLiteral("Scheda Palinsesto"));
    auto *layout = new QVBoxLayout(this);
    Combo1 = new QComboBox(this);
    label_ = new QLabel(this);
    label_->setAlignment(Qt::AlignCenter);
    layout->addWidget(Combo1);
    layout->addWidget(label_, 1);
    VistaCorrente = 1;
    CARICA_SCHEDA(mainWindow().currentChannel(), mainWindow().currentDay());
    connect(Combo1, &QComboBox::currentIndexChanged, this, [] { mainWindow().SMISTAMENTO_VISUALIZZAZIONI(); });
}

void FrmSchedaHtml::CARICA_SCHEDA(const QString &channel, const QDate &day)
{
    channel_ = channel;
    day_ = day;
    label_->setText(channel + QStringLiteral("\n") + datenav::shortDate(day));
}

void FrmSchedaHtml::Form_Activate() { VistaCorrente = 1; }

} // namespace orv
