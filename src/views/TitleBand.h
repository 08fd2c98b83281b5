#pragma once

#include <QRect>
#include <algorithm>

class QLabel;
class QPushButton;
class QWidget;

namespace orv {

// The views lay out in twips, fifteen to a pixel.
constexpr int Twips = 15;
inline QRect twips(int left, int top, int width, int height)
{
    return QRect(left / Twips, top / Twips, std::max(0, width / Twips), std::max(0, height / Twips));
}

// Closes a view and its frame (the window is unloaded).
void unloadView(QWidget *view);

// The band across the top of a view: LabInizio behind the title
// LabTitoloBar and the close button CmdClose, which unloads the view.
struct TitleBand {
    QLabel *LabInizio = nullptr;
    QLabel *LabTitoloBar = nullptr;
    QPushButton *CmdClose = nullptr;

    void addTitleBand(QWidget *view);
    // W: the view's outer width in twips.
    void placeTitleBand(int W) const;
};

} // namespace orv
