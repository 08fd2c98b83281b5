#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

namespace orv {

// The tip of the day: one line of TIPOFDAY.TXT at a time, chosen at random.
class frmTip : public QWidget {
    Q_OBJECT
public:
    frmTip();

    // The start-up road (TipAllAvvio set) and the Help menu's road.
    static void open();
    // The per-user setting "Show Tips at Startup" (default on).
    static bool showAtStartup();
    static void setShowAtStartup(bool on);
    // Where the setting lives; empty = the user's store (tests set a file).
    static inline QString storeFile;

    bool LoadTips(const QString &fileName);
    void DisplayCurrentTip();
    void cmdNextTip_Click();

    QStringList tips() const { return tips_; }
    int currentTip() const { return current_; }

    QLabel *lblTipText = nullptr;
    QCheckBox *chkLoadTipsAtStartup = nullptr;
    QPushButton *cmdNextTip = nullptr;
    QPushButton *cmdOK = nullptr;
    QLabel *Label1 = nullptr;

protected:
    void changeEvent(QEvent *event) override;

private:
    void Form_Load();
    void DoNextTip();
    void applyCaptions();
    QStringList tips_;
    int current_ = 0;
};

} // namespace orv
