#pragma once

#include <QString>

namespace orv::shell {

// Opens a web address (or a file) with the desktop's default program. In the
// unattended run, or without a display, nothing is opened: the address is
// only written to standard error. False when nothing was opened.
bool open(const QString &url);

} // namespace orv::shell
