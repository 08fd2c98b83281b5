#pragma once

#include <QByteArray>

namespace listings {

// A small GIF logo for a channel: a coloured field with a light band, the
// colours taken from the channel code.
QByteArray channelLogo(int code);
// A tiny JPEG picture used as a programme's cover.
QByteArray posterJpeg();

} // namespace listings
