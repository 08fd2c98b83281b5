#pragma once

#include <QIcon>
#include <QString>

namespace orv {

// The pictures behind the image keys of the channel groups ("parabola",
// "televisione2", ... "radio") and of the tree's root ("root1"): the channel
// tree and the channel setup show the same picture for the same group.
class GroupIcons {
public:
    // A null icon for an unknown key.
    static QIcon icon(const QString &imageKey);
};

} // namespace orv
