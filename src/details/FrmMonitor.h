#pragma once

#include "details/TitleEditorWindow.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace orv {

struct MonitorTree;

// Set by the keyword monitor's search when a programme matches.
inline bool MonitorTrovato = false;

// The keyword monitor: the watched keywords and the programmes whose titles
// hold them, from the main window's day on.
class FrmMonitor : public TitleEditorWindow {
    Q_OBJECT
public:
    FrmMonitor();

    // The search ("Ricerca Ora"); sets MonitorTrovato when a programme is found.
    void Command3_Click();
    void Form_Activate() override;
    void TreeView1_NodeClick(QTreeWidgetItem *node);

    // The key a tree node carries.
    static QString keyOf(const QTreeWidgetItem *node);

    QTreeWidget *TreeView1 = nullptr;
    QPushButton *Command3 = nullptr;

private:
    void clearTree();
    void showTree(const MonitorTree &tree);
};

} // namespace orv
