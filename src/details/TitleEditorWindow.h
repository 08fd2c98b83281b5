#pragma once

#include "details/TitleEditor.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStatusBar;

namespace orv {

// The editor part that the keyword monitor and the favourites editor share:
// the list, the text box and "Nuovo", "Salva", "Elimina". The profile is the
// only difference between the two.
class TitleEditorWindow : public QWidget {
    Q_OBJECT
public:
    explicit TitleEditorWindow(const EditorProfile &profile);

    // Runs whenever the window becomes the active one.
    virtual void Form_Activate();
    // Reloads the list.
    void CARICA_LISTA();

    void Command1_Click(); // "Nuovo"
    void Command4_Click(); // "Salva"
    void Command2_Click(); // "Elimina"
    void ListView1_Click(QListWidgetItem *item);

    // The row id a list item stands for.
    static qint64 rowOf(const QListWidgetItem *item);
    const TitleEditor &editor() const { return editor_; }

    QLabel *Label1 = nullptr;
    QListWidget *ListView1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command2 = nullptr;
    QStatusBar *StatusBar1 = nullptr;

protected:
    // Builds the window's load: checks the database, loads the list, dates
    // the status bar. Called by the derived window once its controls exist.
    void Form_Load();
    // Mouse moves over the window and the given widgets stop the main
    // window's hover delay.
    void watchMouse(QWidget *w);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateDeleteButton();

    TitleEditor editor_;
};

} // namespace orv
