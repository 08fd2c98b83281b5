#pragma once

#include "core/Store.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

namespace orv {

class FilmSearchMenu;
class ProgrammeDisplay;

// The programme pop-up: the record of the selected programme (PopUpData,
// PopUpPalinsesto, PopUpNumerazione) with its marks, refilled each time it
// becomes the active window.
class FrmPopUp : public QWidget {
    Q_OBJECT
public:
    FrmPopUp();
    // The one entry of every opener: stores the key, fills, shows and raises the window.
    void showProgramme(const ProgrammeKey &key);

    // Fills the window from the selected programme.
    void Form_Activate();
    // Favourite, reminder and record toggles.
    void Label7_Click();
    void Label8_Click();
    void Label18_Click();
    // Web-search menu and film export.
    void Label10_Click();
    void Label11_Click();
    // Locate in the day grid.
    void Image8_Click();
    // Information boxes, 1 to 5.
    void Command_Click(int index);

    // The selected programme's key.
    static ProgrammeKey selectedKey();

    ProgrammeDisplay *display = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label18 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Image8 = nullptr;
    std::array<QPushButton *, 5> Command{};
    // The hidden menu of film-site searches that Label10 pops up.
    FilmSearchMenu *a = nullptr;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setCaptions();
    void toggleState(StateField field);
    // The hover delay off and the hover card closed.
    void cancelHover();
};

} // namespace orv
