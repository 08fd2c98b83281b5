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
} // namespace

// The program's questions, as their callers ask them: the unattended answer
// is the one that stops work, while Enter on screen takes the first button.
struct Question {
    const char *name;
    Buttons buttons;
    Icon icon;
    Answer enter;
};
void PrintTo(const Question &q, std::ostream *os) { *os << q.name; }

class PromptBoxes : public ::testing::TestWithParam<Question> {};

TEST_P(PromptBoxes, EnterTakesTheFirstButtonAndUnattendedRunsStillStop)
{
    const Question q = GetParam();
    PromptRequest r{QStringLiteral("Vuoi davvero eliminare questo titolo dalla lista?"), QStringLiteral("Titolo"),
                    q.buttons, q.icon, Answer::Cancel};
    EXPECT_EQ(pressOn(r, Qt::Key_Return), q.enter);
    EXPECT_EQ(pressOn(r, Qt::Key_Escape), Answer::Cancel);
    EXPECT_EQ(Prompt::show(r), Answer::Cancel); // offscreen: nothing waits
}

INSTANTIATE_TEST_SUITE_P(Styles, PromptBoxes,
                         ::testing::Values(Question{"OkCancelQuestion", Buttons::OkCancel, Icon::Question, Answer::Ok},
                                           Question{"RetryCancelInformation", Buttons::RetryCancel,
                                                    Icon::Information, Answer::Retry}),
                         [](const auto &info) { return std::string(info.param.name); });
