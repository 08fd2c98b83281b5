#pragma once

#include <QByteArray>
#include <QString>

namespace orv::tools {

// A channel's logo as a small GIF: the channel's name on a field whose colour
// is taken from the channel code, drawn at the size of the grid's name box.
// The listings server serves it and the build lays it out in the application
// folder, so both show the same picture. Needs a QGuiApplication (fonts).
QByteArray channelLogo(int code, const QString &name);

} // namespace orv::tools
