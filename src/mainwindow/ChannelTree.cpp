#include "mainwindow/ChannelTree.h"

#include "core/ChannelOrder.h"

namespace orv::channeltree {

std::optional<QString> nodeImage(const std::optional<qint32> &antenna, int filter)
{
    if (!antenna)
        return std::nullopt;
    qint32 g = *antenna;
    if (filter == 0) {
        // Unknown groups (0, above 7) are shown as satellite channels.
        if (g == 0 || g > 7)
            g = 1;
        if (g < 1)
            return std::nullopt;
        return ChannelOrder::groupImageKey(int(g));
    }
    if (g != filter)
        return std::nullopt;
    return ChannelOrder::groupImageKey(int(g));
}

} // namespace orv::channeltree
