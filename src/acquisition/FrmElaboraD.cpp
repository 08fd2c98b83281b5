#include "acquisition/FrmElaboraD.h"

#include "acquisition/DurationCalculator.h"
#include "acquisition/FavouriteMarker.h"
#include "acquisition/BulkListings.h"
#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Store.h"
#include "platform/Windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace orv {

namespace {

void letEventsRun() { QCoreApplication::processEvents(); }

QString caption() { return linguaOr(83, "Elaborazione Dati Importati"); }

} // namespace

FrmElaboraD::FrmElaboraD()
{
    setWindowTitle(caption());
    Label1 = new QLabel(Lingua[84], this);
    Label2 = new QLabel(this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar2 = new QProgressBar(this);
    ProgressBar1->setRange(1, Days);
    ProgressBar2->setRange(0, 1);
    ProgressBar2->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar2->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar2);
    layout->addWidget(Label2);
    layout->addWidget(ProgressBar1);
    setMinimumWidth(420);
}

void FrmElaboraD::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!AvvioDownload)
        mainWindow().stopHoverTimer();
}

void FrmElaboraD::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (!AvvioDownload)
            mainWindow().stopHoverTimer();
        setWindowTitle(caption());
        Label1->setText(Lingua[84]);
    }
}

void FrmElaboraD::ELABORA_DURATA()
{
    // A second start while a pass runs would unload the window under it.
    if (running_) {
        raise();
        activateWindow();
        return;
    }
    running_ = true;
    ELABORA_TV();
    METTI_PREFERITI();
    durations_.reset();
    listings_.reset();
    running_ = false;
    Windows::unload<FrmElaboraD>();
}

Database &FrmElaboraD::listings()
{
    if (!listings_)
        listings_ = openBulkListings();
    return *listings_;
}

void FrmElaboraD::closeEvent(QCloseEvent *event)
{
    // Closing during the pass ends the duration loops; the window goes
    // when the pass is over.
    if (running_) {
        Annulla = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void FrmElaboraD::ELABORA_TV()
{
    Label1->setText(Lingua[84]);
    letEventsRun();
    std::vector<Channel> channels;
    try {
        Database db = Database::open(PercorsoPalinsesti);
        channels = TelevisioniTable(db).activeByCode();
    } catch (const DbError &) {
        mainWindow().writeStatus(1, QStringLiteral("*"));
    }
    Annulla = false;
    const int count = int(channels.size());
    if (count > 0)
        ProgressBar2->setRange(0, count);
    if (!channels.empty()) {
        try {
            // The days of every channel are read at once; a channel whose
            // days cannot be taken from them reads its own.
            durations_.emplace(listings());
            durations_->readDays(today(), Days);
        } catch (const DbError &) {
            mainWindow().writeStatus(1, QStringLiteral("*"));
        }
    }
    int done = 0;
    for (const Channel &c : channels) {
        if (Annulla)
            break;
        CALCOLA_DURATA(c.NOMETV);
        ProgressBar2->setValue(++done);
        Label2->setText(QStringLiteral("Fase 1 : %1/%2").arg(done).arg(ProgressBar2->maximum()));
    }
    // Its statements go before the connection does.
    durations_.reset();
    Label1->setText(Lingua[85]);
    ProgressBar2->setValue(ProgressBar2->maximum());
    ProgressBar1->setValue(ProgressBar1->maximum());
    letEventsRun();
}

void FrmElaboraD::CALCOLA_DURATA(const QString &channel)
{
    const QDate first = today();
    MonthView1 = first;
    ProgressBar1->setRange(1, Days);
    try {
        if (!durations_)
            durations_.emplace(listings());
        durations_->channel(channel, first, Days, [this, first](int index) {
            if (index > 1)
                letEventsRun();
            if (Annulla)
                return false;
            ProgressBar1->setValue(index);
            MonthView1 = first.addDays(index - 1);
            return true;
        });
    } catch (const DbError &) {
        mainWindow().writeStatus(1, QStringLiteral("*"));
    }
    ProgressBar1->setValue(1);
    letEventsRun();
}

void FrmElaboraD::METTI_PREFERITI()
{
    QStringList favourites;
    try {
        Database db = Database::open(PercorsoPreferiti);
        favourites = PreferitiTable(db).titles();
    } catch (const DbError &) {
        mainWindow().writeStatus(1, QStringLiteral("*"));
        return;
    }
    Annulla = false;
    if (!favourites.isEmpty())
        ProgressBar2->setRange(0, int(favourites.size()));
    try {
        FavouriteMarker marker(listings());
        int done = 0;
        for (const QString &title : favourites) {
            ProgressBar2->setValue(done);
            Label2->setText(QStringLiteral("Fase 2 - Ricerca Preferiti: %1/%2").arg(done).arg(ProgressBar2->maximum()));
            ++done;
            marker.mark(title);
            letEventsRun();
        }
        marker.write();
    } catch (const DbError &) {
        mainWindow().writeStatus(1, QStringLiteral("*"));
    }
}

} // namespace orv
