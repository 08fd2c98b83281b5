#pragma once

#include <QByteArray>

namespace listings {

// A tiny JPEG picture used as a programme's cover.
QByteArray posterJpeg();

} // namespace listings
