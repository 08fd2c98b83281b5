#pragma once

#include <QString>

namespace orv::tools {
// Writes "<IDTV>.gif" into logoFolder for every channel of the channel list
// that schema.sql installs. A logo already there (in any letter case) is kept:
// it may be one the channel-file download brought. Returns an error text,
// empty on success.
QString layOutLogos(const QString &schemaPath, const QString &logoFolder);
} // namespace orv::tools
