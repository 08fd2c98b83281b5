#pragma once

#include "core/Store.h"

#include <QString>
#include <optional>

namespace orv {

// The page element id of a programme: Data#Palinsesto#Numerazione.
QString programmeIdText(const Programme &p);
// The same id as a page's _TV_ID_ value: escaped, in single quotes.
QString programmeIdValue(const Programme &p);

// Reads a clicked element's id: day before the first "#" (eight digits),
// channel between the first and the last "#", number after the last "#"
// (digits). Anything else is no programme.
std::optional<ProgrammeKey> parseProgrammeId(const QString &id);

// The same rule as a regular expression, for the browser's click script.
QString programmeIdPattern();

} // namespace orv
