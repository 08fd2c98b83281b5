#pragma once

#include "platform/Database.h"

namespace orv {

// The listings connection of the download cycle and of post-processing. Both
// write into the key and marks indexes far and wide (a cycle 20 days a
// channel, post-processing every stored row): a 64 MB page cache reads each
// page once rather than again for every channel or title, and the log is
// copied back in large steps.
Database openBulkListings();

} // namespace orv
