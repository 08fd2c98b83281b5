#pragma once

#include "platform/Database.h"

namespace orv {

// The listings connection of post-processing. Durations and favourite marks
// go over every stored row and write into the key and marks indexes far and
// wide: the connection gets the download's 64 MB page cache, so each page
// is read once rather than again for every channel or title, and copies its
// log back in the download's large steps.
Database openPostProcessingListings();

} // namespace orv
