#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace orv {

// The preferences window. Every control writes its setting the moment it
// changes, except the proxy boxes: only "Chiudi" copies them, and only
// "Chiudi" stores the settings.
class FrmPreferenze : public QWidget {
    Q_OBJECT
public:
    FrmPreferenze();

    void CARICA_LISTE();
    void CARICA_OPZIONI();
    void Form_Activate();

    void Command1_Click(); // opens the database picker
    void Command2_Click(); // "Chiudi"
    void Command3_Click(); // help

    QLabel *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    std::array<QLabel *, 5> Label1{};
    QCheckBox *Check1 = nullptr, *Check2 = nullptr, *Check3 = nullptr, *Check4 = nullptr, *Check5 = nullptr;
    QCheckBox *ChkProxy = nullptr;
    QComboBox *CmbGiorniGriglia = nullptr;
    QComboBox *Combo1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QToolButton *Command1 = nullptr;
    std::array<QLineEdit *, 4> txtProxy{};
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr;
    QListWidget *ListView2 = nullptr;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    void setCaptions();
    void CmbGiorniGriglia_Change(const QString &text);

    QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr;
    bool checkingDays_ = false;
};

} // namespace orv
