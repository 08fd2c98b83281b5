#pragma once

#include <QString>

namespace orv::tools {
// Makes one database file per "-- @database NAME" section of the schema in
// outDir. Existing files are kept unless force is set. Returns an error text,
// empty on success.
QString makeDatabases(const QString &schemaPath, const QString &outDir, bool force);
} // namespace orv::tools
