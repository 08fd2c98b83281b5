#pragma once

#include <QString>
#include <optional>

namespace orv {

// What the channel tree lists: the active, shown channels in Posizione
// order (TelevisioniTable::activeVisibleByPosition), narrowed by the group filter.
namespace channeltree {

inline constexpr const char *RootKey = "R";
inline constexpr const char *RootText = "Palinsesti Disponibili";
inline constexpr const char *RootImage = "root1";

// The language text of each group filter's title (filter 0..7).
inline constexpr int GroupTitleText[8] = {10, 16, 17, 18, 19, 20, 21, 22};

// The image of the node a row gets under the filter, or nothing when the
// row is not listed.
std::optional<QString> nodeImage(const std::optional<qint32> &antenna, int filter);

} // namespace channeltree
} // namespace orv
