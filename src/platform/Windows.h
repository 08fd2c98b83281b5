#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace orv {

// Every window exists once: the first use creates it, unload() destroys it
// and the next use creates it anew, with its controls as first built.
class Windows {
public:
    template <typename W> static W &get()
    {
        QPointer<QWidget> &slot = registry()[std::type_index(typeid(W))];
        if (!slot)
            slot = new W();
        return *static_cast<W *>(slot.data());
    }
    template <typename W> static bool loaded()
    {
        auto it = registry().find(std::type_index(typeid(W)));
        return it != registry().end() && !it->second.isNull();
    }
    template <typename W> static void unload()
    {
        auto it = registry().find(std::type_index(typeid(W)));
        if (it != registry().end() && it->second) {
            it->second->close();
            delete it->second.data();
        }
    }
    // Closes every shown top-level window but `except`, so each runs its own closing
    // (questions about unsaved work) before the program ends. A window that
    // refuses stays open; unloadAll() takes it at the very end.
    static void closeAll(const QWidget *except)
    {
        std::vector<QPointer<QWidget>> shown;
        for (auto &[type, w] : registry())
            if (w && w != except && w->isWindow() && w->isVisible())
                shown.push_back(w);
        // A closing may load or unload windows, so work on a copy.
        for (const QPointer<QWidget> &w : shown)
            if (w && w->isVisible())
                w->close();
    }
    // Shows a top-level window in front and gives it the focus.
    static void toFront(QWidget &w)
    {
        w.show();
        w.raise();
        w.activateWindow();
    }
    // Destroys every window (end of the program, tests).
    static void unloadAll()
    {
        for (auto &[type, w] : registry())
            delete w.data();
        registry().clear();
    }

private:
    static std::unordered_map<std::type_index, QPointer<QWidget>> &registry()
    {
        static std::unordered_map<std::type_index, QPointer<QWidget>> s;
        return s;
    }
};

} // namespace orv
