#pragma once

#include <QByteArray>

namespace orv::tools {

// A channel's logo as a small GIF: a coloured field with a light band, the
// colours taken from the channel code. The listings server serves it and the
// build lays it out in the application folder, so both show the same picture.
QByteArray channelLogo(int code);

} // namespace orv::tools
