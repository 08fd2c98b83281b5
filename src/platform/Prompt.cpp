#include "platform/Prompt.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

#include <cstdio>

namespace orv {

namespace {
bool gUnattended = false;
Prompt::Handler gHandler;
Prompt::InputHandler gInputHandler;

bool noDisplay()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return true;
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

QMessageBox::StandardButtons toQt(Buttons b)
{
    switch (b) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case Buttons::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton firstButton(Buttons b)
{
    switch (b) {
    case Buttons::Ok:
    case Buttons::OkCancel: return QMessageBox::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return QMessageBox::Yes;
    case Buttons::RetryCancel: return QMessageBox::Retry;
    case Buttons::AbortRetryIgnore: return QMessageBox::Abort;
    }
    return QMessageBox::Ok;
}

Answer fromQt(int b, Answer fallback)
{
    switch (b) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Abort: return Answer::Abort;
    case QMessageBox::Ignore: return Answer::Ignore;
    default: return fallback;
    }
}
} // namespace

void writePromptToStderr(const PromptRequest &r)
{
    const QString title = r.title.isEmpty() ? QStringLiteral("Orvento") : r.title;
    QString text = r.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    std::fprintf(stderr, "[%s] %s\n", title.toLocal8Bit().constData(), text.toLocal8Bit().constData());
    std::fflush(stderr);
}

std::unique_ptr<QMessageBox> buildPromptBox(const PromptRequest &r)
{
    auto box = std::make_unique<QMessageBox>();
    box->setWindowTitle(r.title.isEmpty() ? QStringLiteral("Orvento") : r.title);
    QString text = r.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setText(text);
    box->setStandardButtons(toQt(r.buttons));
    switch (r.icon) {
    case Icon::Information: box->setIcon(QMessageBox::Information); break;
    case Icon::Warning: box->setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box->setIcon(QMessageBox::Critical); break;
    case Icon::Question: box->setIcon(QMessageBox::Question); break;
    case Icon::None: break;
    }
    // No box of the program names another default button: Enter takes the
    // first, so "Elimina" confirmed with Enter deletes.
    box->setDefaultButton(firstButton(r.buttons));
    return box;
}

Answer Prompt::show(const PromptRequest &r)
{
    if (gHandler)
        return gHandler(r);
    if (!Prompt::canShowWindows()) {
        writePromptToStderr(r);
        return r.defaultAnswer;
    }
    return fromQt(buildPromptBox(r)->exec(), r.defaultAnswer);
}

Answer Prompt::message(const QString &text, const QString &title, Buttons buttons, Icon icon, Answer def)
{
    PromptRequest r;
    r.text = text;
    r.title = title;
    r.buttons = buttons;
    r.icon = icon;
    r.defaultAnswer = def;
    return show(r);
}

QString Prompt::input(const QString &text, const QString &title, const QString &defaultText)
{
    if (gInputHandler)
        return gInputHandler(text, title, defaultText);
    if (!Prompt::canShowWindows()) {
        writePromptToStderr({text, title, Buttons::Ok, Icon::None, Answer::Ok});
        return defaultText;
    }
    bool ok = false;
    QString s = QInputDialog::getText(nullptr, title, text, QLineEdit::Normal, defaultText, &ok);
    return ok ? s : QString();
}

void Prompt::setUnattended(bool on) { gUnattended = on; }
bool Prompt::unattended() { return gUnattended; }
bool Prompt::canShowWindows() { return !gUnattended && !noDisplay(); }
void Prompt::setHandler(Handler handler) { gHandler = std::move(handler); }
void Prompt::setInputHandler(InputHandler handler) { gInputHandler = std::move(handler); }

} // namespace orv
