#pragma once
// Shared chunks of the format tests: byte helpers, a temporary program
// folder with the shipped conversion tables, and the shared state put back
// after each test.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/conv_mode.h"
#include "core/conv_table.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "formats/para_vector.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel::test {

inline std::vector<uint8_t> B(std::string_view s) { return std::vector<uint8_t>(s.begin(), s.end()); }
inline std::vector<uint8_t> B(std::initializer_list<int> bytes) {
  std::vector<uint8_t> v;
  for (int b : bytes) v.push_back(static_cast<uint8_t>(b));
  return v;
}
inline std::string S(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }
inline std::vector<std::string> Strings(const TParagraphs& paras) {
  std::vector<std::string> out;
  for (const auto& p : paras) out.push_back(S(p));
  return out;
}

class FormatsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_path_ = ProgPath;
    saved_data_ = DataFileName;
    ProgPath = temp_.Folder();
    DataFileName = "DIDOD.drf";
    temp_.CopyShippedFile("DIDOD.drf");
    DigitTable.fill(false);
    for (int c = '0'; c <= '9'; ++c) DigitTable[static_cast<size_t>(c)] = true;
    DigitTable['.'] = true;
    SetConvMode(0);
  }
  void TearDown() override {
    SetConvMode(kConvNone);
    ProgPath = saved_path_;
    DataFileName = saved_data_;
    NoConversion = NuvDosConfig = ForceCP1255 = TagConfig = Config6 = false;
  }
  std::string WriteTemp(std::string_view name, std::string_view bytes) {
    temp_.WriteFile(name, bytes);
    return temp_.Path(name).string();
  }

  TempProgramFolder temp_;
  std::string saved_path_;
  std::string saved_data_;
};

}  // namespace nuvel::test
