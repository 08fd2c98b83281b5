#pragma once

#include <QString>
#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace orv {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };
enum class Icon { None, Information, Warning, Critical, Question };

struct PromptRequest {
    QString text;
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    // What an unattended run answers: OK, or the answer that stops work. The
    // box on screen keeps its first button as the one Enter presses.
    Answer defaultAnswer = Answer::Ok;
};

// Every message box of the program goes through here. In unattended runs and
// without a display nothing waits: the box is written to standard error with
// its title and text and answered with its default. Tests put in a handler
// that scripts the answers.
class Prompt {
public:
    using Handler = std::function<Answer(const PromptRequest &)>;

    static Answer show(const PromptRequest &request);
    static Answer message(const QString &text, const QString &title = QString(), Buttons buttons = Buttons::Ok,
                          Icon icon = Icon::None, Answer defaultAnswer = Answer::Ok);
    // An input box; unattended it answers with the default text.
    static QString input(const QString &text, const QString &title, const QString &defaultText);

    static void setUnattended(bool on);
    static bool unattended();
    // False in the unattended run and without a display: nothing may wait on a window.
    static bool canShowWindows();
    // Installs a handler (tests); an empty handler restores the real boxes.
    static void setHandler(Handler handler);
    using InputHandler = std::function<QString(const QString &text, const QString &title, const QString &def)>;
    static void setInputHandler(InputHandler handler);
};

// The box the user answers, built but not yet shown.
std::unique_ptr<QMessageBox> buildPromptBox(const PromptRequest &request);

// Writes a box to standard error: what an unattended run does with it.
void writePromptToStderr(const PromptRequest &request);

} // namespace orv
