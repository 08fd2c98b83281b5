#pragma once

#include "views/HtmlView.h"

#include <QDate>
#include <array>

namespace orv {

// The channel card: one channel's programmes of one day, from a template of
// htmlcards. The main window's CARICA_SCHEDA_PALINSESTO asks for it.
class FrmSchedaHtml : public HtmlView {
    Q_OBJECT
public:
    FrmSchedaHtml();

    void CARICA_CARD_HTML();
    // Builds the card of a channel and day with the template named in
    // Combo1 and shows it (the main window has checked the choice).
    void buildCard(const QString &channel, const QDate &day);
    void Form_Activate() override;
    void Command1_Click();

    std::array<QLabel *, 6> LabSpiega{};
    QPushButton *Command1 = nullptr;

protected:
    void layoutTwips(int W, int H) override;
};

} // namespace orv
