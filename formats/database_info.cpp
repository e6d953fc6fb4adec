#include "formats/database_info.h"

#include <cmath>
#include <cstdio>

namespace nuvel {

namespace {

// The civil date of a day count from 1970-01-01.
void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  if (m <= 2) ++y;
}

}  // namespace

std::string DateTimeText(TDateTime value) {
  if (!std::isfinite(value)) return {};
  const auto seconds = static_cast<int64_t>(std::llround(value * 86400.0));
  int64_t days = seconds / 86400;
  int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  int64_t y = 0;
  unsigned m = 0, d = 0;
  CivilFromDays(days - 25569, y, m, d);  // 25569 days from 1899-12-30 to 1970-01-01
  char text[48];
  std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02lld:%02lld:%02lld", static_cast<long long>(y), m, d,
                static_cast<long long>(rest / 3600), static_cast<long long>(rest / 60 % 60),
                static_cast<long long>(rest % 60));
  return text;
}

std::vector<std::pair<std::string, std::string>> DatabaseFieldRows(const TPalmPDB& db) {
  auto n = [](uint64_t v) { return std::to_string(v); };
  return {{"Records", n(db.NumRecords)},
          {"Type", db.DBType},
          {"Creator", db.Creator},
          {"Version", std::to_string(db.Version)},
          {"Created", DateTimeText(db.Created)},
          {"Modified", DateTimeText(db.Modified)},
          {"Backed up", DateTimeText(db.BackedUp)},
          {"Mod number", n(db.ModNumber)},
          {"AppInfoArea", n(db.AppInfoArea)},
          {"SortInfoArea", n(db.SortInfoArea)},
          {"Next record list", n(db.NextRecordList)},
          {"ID Seed", n(db.IDSeed)}};
}

std::vector<std::array<std::string, 3>> DatabaseRecordRows(const TPalmPDB& db) {
  std::vector<std::array<std::string, 3>> rows;
  rows.reserve(db.Records.size() + 1);
  rows.push_back({"Record", "Offset", "Size"});
  for (std::size_t i = 0; i < db.Records.size(); ++i)
    rows.push_back({std::to_string(i + 1), std::to_string(db.Records[i].Offset), std::to_string(db.Records[i].Size)});
  return rows;
}

}  // namespace nuvel
