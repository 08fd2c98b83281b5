#pragma once

#include <QWidget>

namespace orv {

// A view that lives as a child window of the main window. The main window
// calls Form_Activate whenever the child becomes the active one.
class MdiChild : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void Form_Activate() {}
};

} // namespace orv
