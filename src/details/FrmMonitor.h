#pragma once

#include <QWidget>

class QTreeWidget;

namespace orv {

// The keyword monitor: the watched words and the programmes they match.
class FrmMonitor : public QWidget {
    Q_OBJECT
public:
    FrmMonitor();
    // The keyword search from today on; sets MonitorTrovato on a match.
    void Command3_Click();
    QTreeWidget *TreeView1 = nullptr;

protected:
    void changeEvent(QEvent *event) override;
};

} // namespace orv
