#pragma once

#include "mdi/MdiChild.h"
#include "views/TitleBand.h"

class QAction;
class QListWidget;
class QToolBar;

namespace orv {

class Browser;

// The highlights viewer: the pages the download put into highlights, shown
// as they came (no page scripts, no programme clicks).
class FrmHigh : public MdiChild, public TitleBand {
    Q_OBJECT
public:
    FrmHigh();

    // Re-reads the highlights folder into the file list.
    void CARICA_HIGHLIGHTS();
    void File1_Click();
    void Toolbar1_ButtonClick(const QString &key);
    QString folder() const;

    QListWidget *File1 = nullptr;
    Browser *WebBrowser1 = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QAction *button(const QString &key) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void deleteSelected();
};

} // namespace orv
