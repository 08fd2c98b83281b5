#pragma once

#include <QWidget>

namespace orv {

// The favourites editor: the titles marked on every download.
class FrmPreferiti : public QWidget {
    Q_OBJECT
public:
    FrmPreferiti();

protected:
    void changeEvent(QEvent *event) override;
};

} // namespace orv
