#pragma once

#include "core/ChannelOrder.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace orv {

// Channel setup: which channels are downloaded and shown, and in which order.
// Nothing reaches Televisioni until Command3 (apply).
class FrmConfig : public QWidget {
    Q_OBJECT
public:
    FrmConfig();

    // Roles of a list line beside its text: the channel name and the group
    // image key.
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int ImageRole = Qt::UserRole + 1;

    // Reloads the list from Televisioni.
    void CARICA_TV_ALBERO();
    // Captions, and the list reloaded: unapplied changes are dropped.
    void Form_Activate();

    void Command3_Click(); // apply
    void Command4_Click(); // clear all
    void Command5_Click(); // tick all
    void Command7_Click(); // move up
    void Command8_Click(); // move down
    void TreeView1_NodeClick(QTreeWidgetItem *node);

    bool ListaModificata() const { return modified_; }
    const ChannelOrder &order() const { return order_; }

    QLabel *LabTitoloBar = nullptr;
    QWidget *LabInizio = nullptr;
    QToolButton *CmdClose = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label5 = nullptr;
    QLabel *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Image1 = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QPushButton *Command3 = nullptr;
    QToolButton *Command4 = nullptr, *Command5 = nullptr, *Command7 = nullptr, *Command8 = nullptr;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    void setCaptions();
    void showEntry(int index);
    int selectedIndex() const;
    void swapWith(int s, int p);
    void tickAll(bool on);
    void TreeView1_ItemChanged(QTreeWidgetItem *item, int column);

    ChannelOrder order_;
    bool modified_ = false;
    bool filling_ = false;
    // The window lost the focus to another window of the program.
    bool leftForOwnWindow_ = false;
};

} // namespace orv
