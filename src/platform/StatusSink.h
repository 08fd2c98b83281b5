#pragma once

#include <QString>
#include <functional>

namespace orv {

// Where the old one-character error marks go: the main window's status bar
// panels once it exists, standard error before and without it.
class StatusSink {
public:
    using Handler = std::function<void(int panel, const QString &text)>;
    // panel is 1-based, as the status bar's panels are counted.
    static void write(int panel, const QString &text);
    static void mark(const QString &text) { write(1, text); }
    static void setHandler(Handler handler);
    static bool hasHandler();
};

} // namespace orv
