#pragma once

#include "mainwindow/MdiChild.h"

#include <QDate>

class QComboBox;
class QLabel;

namespace orv {

// The channel card: one channel's programmes of one day.
class FrmSchedaHtml : public MdiChild {
    Q_OBJECT
public:
    FrmSchedaHtml();
    // Builds and shows the card of a channel and day.
    void CARICA_SCHEDA(const QString &channel, const QDate &day);
    void Form_Activate() override;

    QComboBox *Combo1 = nullptr;
    QString shownChannel() const { return channel_; }
    QDate shownDay() const { return day_; }

private:
    QLabel *label_ = nullptr;
    QString channel_;
    QDate day_;
};

} // namespace orv
