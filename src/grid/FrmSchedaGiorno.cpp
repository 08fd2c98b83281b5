#include "grid/FrmSchedaGiorno.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "grid/FrmPopUpGhost.h"
#include "mainwindow/DateNav.h"
#include "platform/Windows.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace orv {

FrmSchedaGiorno::FrmSchedaGiorno()
{
    setWindowTitle(QStringLiteral("Griglia"));
    auto *layout = new QVBoxLayout(this);
    Frame1 = new QFrame(this);
    Frame2 = new QFrame(this);
    label_ = new QLabel(Frame1);
    auto *l1 = new QVBoxLayout(Frame1);
    l1->addWidget(label_);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    VistaCorrente = 3;
    MonthView2 = mainWindow().currentDay();
    CARICA_TV();
    METTI_SEGNALIBRO();
}

void FrmSchedaGiorno::CARICA_TV()
{
    const QDate day = mainWindow().currentDay();
    if (!AvvioInCorso)
        mainWindow().waitShow(QStringLiteral("Griglia"), Lingua[156]);
    builtDay_ = day;
    ++buildCount_;
    label_->setText(QStringLiteral("Griglia del ") + datenav::shortDate(day));
    if (!AvvioInCorso)
        mainWindow().waitClose();
}

void FrmSchedaGiorno::METTI_SEGNALIBRO() {}

void FrmSchedaGiorno::RICARICA_GRIGLIA()
{
    Frame2->hide();
    Frame1->hide();
    hide();
    MonthView2 = mainWindow().currentDay().addDays(-1);
    QCoreApplication::processEvents();
    CARICA_TV();
    METTI_SEGNALIBRO();
    Frame2->show();
    Frame1->show();
    show();
}

void FrmSchedaGiorno::LabPROG_Click_2(qint16 index)
{
    lastHoverCell_ = index;
    Windows::get<FrmPopUpGhost>().show();
}

void FrmSchedaGiorno::setFavouriteMarkers(const std::vector<ProgrammeKey> &, bool) {}

void FrmSchedaGiorno::locateProgramme(const ProgrammeKey &key, const QString &ora)
{
    SegnalibroData = dayText(key.Data);
    SegnalibroOra = ora;
}

void FrmSchedaGiorno::Form_Activate() { VistaCorrente = 3; }

} // namespace orv
