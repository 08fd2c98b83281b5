#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <typeindex>
#include <unordered_map>

namespace orv {

// Every window exists once: the first use creates it, unload() destroys it
// and the next use creates it anew, as the old default instances did.
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
