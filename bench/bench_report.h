#pragma once
// How the benchmarks report: the machine's load beside the figures (other
// work on the machine slows both sides of an interleaved pair, but shows in
// the absolute times), medians of interleaved rounds, one PASS or BELOW
// TARGET line per target, and the exit status: 0 when every target is met,
// 1 when one is not, 2 when the benchmark could not measure (an error, a
// peer that failed, results that differ from the peer's).
#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace nuvel::bench {

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The one-minute load average, as the system gives it.
inline double LoadAverage() {
  double load = -1;
  if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(f, "%lf", &load) != 1) load = -1;
    std::fclose(f);
  }
  return load;
}

inline void PrintLoad(const char* when) { std::printf("(load average %s: %.2f)\n", when, LoadAverage()); }

// Collects the verdicts of a benchmark's target rows.
class Targets {
 public:
  // A ratio that must be at most `target`.
  void AtMost(const std::string& row, double ratio, double target) { Row(row, ratio, "<=", target, ratio <= target); }
  // A ratio that must be at least `target`.
  void AtLeast(const std::string& row, double ratio, double target) {
    Row(row, ratio, ">=", target, ratio >= target);
  }
  // A row whose result differs from the peer's, or could not be measured.
  void Failed(const std::string& row, const std::string& why) {
    std::printf("%-60s %s  ERROR\n", row.c_str(), why.c_str());
    error_ = true;
  }
  bool AllMet() const { return allMet_; }
  // 0, 1 or 2 as above.
  int ExitStatus() const {
    std::printf("all targets: %s\n", error_ ? "ERROR" : allMet_ ? "PASS" : "BELOW TARGET");
    return error_ ? 2 : allMet_ ? 0 : 1;
  }

 private:
  void Row(const std::string& row, double ratio, const char* op, double target, bool met) {
    std::printf("%-60s %7.2f  target %s %-5g %s\n", row.c_str(), ratio, op, target, met ? "PASS" : "BELOW TARGET");
    allMet_ = allMet_ && met;
  }
  bool allMet_ = true;
  bool error_ = false;
};

// Runs a benchmark's body; an exception ends it with a message and status 2.
inline int GuardedMain(const std::function<int()>& body) {
  try {
    return body();
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "benchmark error: %s\n", e.what());
    return 2;
  }
}

}  // namespace nuvel::bench
