#pragma once
// What the database-information dialog shows of a Palm database: its header
// fields as label and value, and its records as number, offset and size.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "formats/palm_pdb.h"

namespace nuvel {

// "YYYY-MM-DD HH:MM:SS" of a date-time number (days since 1899-12-30).
std::string DateTimeText(TDateTime value);

// "Records", "Type", ... "ID Seed" with their values.
std::vector<std::pair<std::string, std::string>> DatabaseFieldRows(const TPalmPDB& db);
// A header row "Record", "Offset", "Size", then one row for each record.
std::vector<std::array<std::string, 3>> DatabaseRecordRows(const TPalmPDB& db);

}  // namespace nuvel
