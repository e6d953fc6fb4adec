#pragma once
// A temporary program folder holding the shipped data file, with ProgPath
// pointing at it, and the program's conversion settings put back after each
// test.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/conv_context.h"
#include "core/conv_mode.h"
#include "core/conv_table.h"
#include "core/shared_state.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel::test {

inline std::vector<uint8_t> V(std::initializer_list<int> bytes) {
  std::vector<uint8_t> v;
  for (int b : bytes) v.push_back(static_cast<uint8_t>(b));
  return v;
}

inline std::vector<uint8_t> V(std::string_view s) { return std::vector<uint8_t>(s.begin(), s.end()); }

class ConversionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_path_ = ProgPath;
    saved_data_ = DataFileName;
    saved_mode_ = GetConvMode();
    ProgPath = temp_.Folder();
    DataFileName = "DIDOD.drf";
    temp_.CopyShippedFile("DIDOD.drf");
  }
  void TearDown() override {
    SetConvMode(saved_mode_);
    ProgPath = saved_path_;
    DataFileName = saved_data_;
    NoConversion = false;
    ForceCP1255 = false;
  }

  // Converts `in` by `mode` in one direction with a freshly prepared table.
  static std::vector<uint8_t> Convert(int mode, bool out, std::vector<uint8_t> in) {
    ConvertWholeText(ConvContext{mode}, out, in);
    return in;
  }

  TempProgramFolder temp_;
  std::string saved_path_;
  std::string saved_data_;
  int saved_mode_ = kConvNone;
};

}  // namespace nuvel::test
