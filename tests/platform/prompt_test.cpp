#include "platform/Prompt.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace orv;

namespace {
// The answer a box on screen gives to one key.
Answer pressOn(const PromptRequest &request, Qt::Key key)
{
    std::unique_ptr<QMessageBox> box = buildPromptBox(request);
    QMessageBox *shown = box.get();
    QTimer::singleShot(0, shown, [shown, key] { QTest::keyClick(shown, key); });
    switch (shown->exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Retry: return Answer::Retry;
    default: return Answer::Abort;
    }
}

// The program's questions, as their callers ask them: the unattended answer
// is the one that stops work, while Enter on screen takes the first button.
TEST(PromptBoxes, EnterTakesTheFirstButtonAndUnattendedRunsStillStop)
{
    const std::tuple<Buttons, Icon, Answer> cases[] = {{Buttons::OkCancel, Icon::Question, Answer::Ok},
                                                       {Buttons::RetryCancel, Icon::Information, Answer::Retry}};
    for (const auto &[buttons, icon, enter] : cases) {
        PromptRequest r{QStringLiteral("Vuoi davvero eliminare questo titolo dalla lista?"), QStringLiteral("Titolo"),
                        buttons, icon, Answer::Cancel};
        EXPECT_EQ(pressOn(r, Qt::Key_Return), enter);
        EXPECT_EQ(pressOn(r, Qt::Key_Escape), Answer::Cancel);
        EXPECT_EQ(Prompt::show(r), Answer::Cancel); // offscreen: nothing waits
    }
}
} // namespace
