#pragma once

#include "acquisition/DurationCalculator.h"
#include "platform/Database.h"

#include <QDate>
#include <QWidget>
#include <optional>

class QLabel;
class QProgressBar;

namespace orv {

// The post-processing window: durations from the next programme's start
// (phase 1), then the favourite marks (phase 2).
class FrmElaboraD : public QWidget {
    Q_OBJECT
public:
    static constexpr int Days = 15;

    FrmElaboraD();

    // Both phases, then the window unloads itself.
    void ELABORA_DURATA();
    void METTI_PREFERITI();

    // The first day of phase 1 (today unless a test says otherwise).
    void setToday(const QDate &day) { today_ = day; }

    QLabel *Label1;
    QLabel *Label2;
    QProgressBar *ProgressBar1;
    QProgressBar *ProgressBar2;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ELABORA_TV();
    void CALCOLA_DURATA(const QString &channel);
    QDate today() const { return today_.isValid() ? today_ : QDate::currentDate(); }
    // One listings connection for a whole pass, opened at first use.
    Database &listings();

    QDate today_;
    std::optional<Database> listings_;
    // Phase 1's durations, one for the pass.
    std::optional<DurationCalculator> durations_;
    QDate MonthView1;
    bool running_ = false;
};

} // namespace orv
