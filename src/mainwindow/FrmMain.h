#pragma once

#include <QMainWindow>

namespace orv {

// The main window. (Bare for now: menus, tree, views and timers arrive with
// the main-window work.)
class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    FrmMain();
};

} // namespace orv
