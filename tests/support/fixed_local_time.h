#pragma once
// A fixed moment in a given time zone for the date routines: sets TZ and the
// date clock for the life of the object and puts both back afterwards.
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "core/dates.h"

namespace nuvel::test {

class FixedLocalTime {
 public:
  FixedLocalTime(const char* zone, int64_t utc_seconds) {
    if (const char* old = std::getenv("TZ")) old_zone_ = old;
    setenv("TZ", zone, 1);
    tzset();
    SetDateClock([utc_seconds] { return utc_seconds; });
  }
  ~FixedLocalTime() {
    SetDateClock({});
    if (old_zone_) {
      setenv("TZ", old_zone_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  FixedLocalTime(const FixedLocalTime&) = delete;
  FixedLocalTime& operator=(const FixedLocalTime&) = delete;

 private:
  std::optional<std::string> old_zone_;
};

}  // namespace nuvel::test
