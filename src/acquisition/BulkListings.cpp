#include "acquisition/BulkListings.h"

#include "core/AppState.h"

namespace orv {

Database openBulkListings()
{
    Database db = Database::open(PercorsoDb);
    db.exec(QStringLiteral("PRAGMA cache_size = -65536; PRAGMA wal_autocheckpoint = 8000"));
    return db;
}

} // namespace orv
