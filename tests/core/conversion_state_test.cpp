// The conversion mode, its setting, the tables and the state guard.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/data_file.h"
#include "core/settings.h"
#include "tests/core/conversion_fixture.h"
#include "tests/support/recording_message_sink.h"

namespace nuvel {
namespace {

using test::V;

class ConversionState : public test::ConversionTest {};

TEST_F(ConversionState, WordModeIsStoredAsChosenAndRunsAsWindows) {
  SaveConvMode(3);
  EXPECT_EQ(ReadIniString("GENPREFS", "Conversion"), "3");
  EXPECT_EQ(GetConvMode(), 2);
  SetConvMode(0);
  LoadConvMode();
  EXPECT_EQ(GetConvMode(), 2);
  SaveConvMode(9);
  EXPECT_EQ(ReadIniString("GENPREFS", "Conversion"), "9");
  EXPECT_EQ(GetConvMode(), 9);
}

TEST_F(ConversionState, StartUpReadsTheStoredMode) {
  const std::pair<const char*, int> cases[] = {{"6", 6}, {"0", 0}, {"x", 0}, {"", 0}, {"12", 12}};
  SetConvMode(5);
  LoadConvMode();
  EXPECT_EQ(GetConvMode(), 0) << "a missing value gives 0";
  for (auto [text, mode] : cases) {
    WriteIniString("GENPREFS", "Conversion", text);
    LoadConvMode();
    EXPECT_EQ(GetConvMode(), mode) << text;
  }
}

TEST_F(ConversionState, SetConvModeKeepsWordModeWhichConvertsNothing) {
  SetConvMode(3);
  EXPECT_EQ(GetConvMode(), 3);
  PrepareConvTable(true);
  auto text = V({0x98});
  ConvertBuffer(text);
  EXPECT_EQ(text, V({0x98}));
}

TEST_F(ConversionState, PreparingSetsDirectionAndDotCodes) {
  SetConvMode(9);
  PrepareConvTable(false);
  EXPECT_FALSE(ConvTableOut);
  EXPECT_EQ(ShinDotCode, 0xD2);
  EXPECT_EQ(SinDotCode, 0xD1);
  EXPECT_EQ(ConvTable[0xCC], 127);
  SetConvMode(6);
  PrepareConvTable(true);
  EXPECT_TRUE(ConvTableOut);
  EXPECT_EQ(ShinDotCode, 0xD2) << "3B2 keeps the last dot codes";
  EXPECT_EQ(ConvTable[0xE0], 0xC2);
  SetConvMode(2);
  PrepareConvTable(true);
  EXPECT_EQ(ShinDotCode, 0xD1);
  EXPECT_EQ(SinDotCode, 0xD2);
  EXPECT_EQ(ConvTable[0x98], 127);
  FreeConvTable();
  EXPECT_EQ(ConvTable, nullptr);
}

TEST_F(ConversionState, DataFileTablesSitAtTheirRecords) {
  // The in table of modes 2 and 9 starts at record 13: bytes 64.. of it.
  std::vector<uint8_t> records(4 * kDataRecordSize);
  ASSERT_TRUE(ReadDataFileRecords(13, records, 4));
  EXPECT_EQ(records[64 + 0xCC], 127);
  EXPECT_EQ(records[64 + 0x93], '"');
  ASSERT_TRUE(ReadDataFileRecords(21, records, 4));
  EXPECT_EQ(records[64 + 0xE0], 0x80) << "862 out";
}

TEST_F(ConversionState, MissingDataFileReadsNothing) {
  std::filesystem::remove(temp_.Path("DIDOD.drf"));
  std::vector<uint8_t> buffer(80, 0xAB);
  EXPECT_FALSE(ReadDataFileRecords(0, buffer, 1));
  EXPECT_EQ(buffer, std::vector<uint8_t>(80, 0xAB));
  // A new table is the identity; a prepared one keeps its contents.
  SetConvMode(2);
  PrepareConvTable(true);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(ConvTable[b], b);
  SetConvMode(6);
  PrepareConvTable(true);
  SetConvMode(4);
  PrepareConvTable(true);
  EXPECT_EQ(ConvTable[0xE0], 0xC2) << "still the 3B2 table";
}

TEST_F(ConversionState, DataFileNameIsFoundWithoutRegardToCase) {
  std::filesystem::rename(temp_.Path("DIDOD.drf"), temp_.Path("didod.DRF"));
  SetConvMode(4);
  PrepareConvTable(true);
  EXPECT_EQ(ConvTable[0xE0], 0x80);
}

// A damaged data file is not used at all: its tables may be wrong anywhere.
TEST_F(ConversionState, DamagedDataFileReadsLikeAMissingOneWithOneWarningThatSaysWhy) {
  const std::string shipped = temp_.ReadFile("DIDOD.drf");
  std::string flipped = shipped;
  flipped[13 * 80 + 64 + 0xE9] ^= 0x04;  // a Hebrew letter of the Windows-1255 in table
  // Each under a name of its own: a file's damage is told once.
  const struct {
    const char* name;
    std::string bytes;
    const char* why;
  } cases[] = {
      {"short.drf", std::string(900, 'x'), "it is shorter than the 2,640 bytes its conversion tables take"},
      {"flipped.drf", flipped, "its checksum does not match its content"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DataFileName = c.name;
    temp_.WriteFile(c.name, c.bytes);
    test::RecordingMessageSink sink;
    SetConvMode(2);
    PrepareConvTable(true);
    for (int b = 0; b < 256; ++b) EXPECT_EQ(ConvTable[b], b);
    PrepareConvTable(false);
    ASSERT_EQ(sink.requests.size(), 1u);
    EXPECT_EQ(sink.requests[0].type, platform::MsgDlgType::Warning);
    EXPECT_NE(sink.requests[0].text.find(temp_.Folder() + c.name), std::string::npos) << sink.requests[0].text;
    EXPECT_NE(sink.requests[0].text.find(c.why), std::string::npos) << sink.requests[0].text;
    std::vector<uint8_t> records(4 * kDataRecordSize, 0xAB);
    EXPECT_FALSE(ReadDataFileRecords(1, records, 4));
    EXPECT_EQ(records[64], 0xAB);
  }
}

TEST_F(ConversionState, GuardPutsTheStateBackWhenAConversionThrows) {
  SetConvMode(4);
  PrepareConvTable(false);
  const uint8_t* table = ConvTable;
  const uint8_t before = ConvTable[0x80];
  try {
    ConvStateGuard guard(6);
    PrepareConvTable(true);
    EXPECT_EQ(GetConvMode(), 6);
    throw std::runtime_error("write failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(GetConvMode(), 4);
  EXPECT_FALSE(ConvTableOut);
  EXPECT_EQ(ConvTable, table);
  EXPECT_EQ(ConvTable[0x80], before);
  {
    ConvStateGuard guard;
    FreeConvTable();
  }
  ASSERT_NE(ConvTable, nullptr);
  EXPECT_EQ(ConvTable[0x80], before);
}

TEST_F(ConversionState, EditConfigurations) {
  SetConvMode(4);
  PrepareConvTable(true);
  NoConversion = true;
  auto text = V({0xE0, 0x98});
  ConvertBuffer(text);
  EXPECT_EQ(text, V({0xE0, 0x98})) << "Program Editor converts nothing";
  NoConversion = false;
  // The 3B2 configuration runs mode 2 with the table the caller prepared.
  SetConvMode(2);
  PrepareConvTable(true);
  SetConvMode(6);
  ForceCP1255 = true;
  ConvertBuffer(text);
  EXPECT_EQ(text, V({0xE0, 0xF9, 0xCC, 0xD1}));
  EXPECT_EQ(GetConvMode(), 6);
}

TEST_F(ConversionState, StringBuffersConvertToo) {
  SetConvMode(2);
  PrepareConvTable(true);
  std::string text = "a\x98";
  ConvertBuffer(text);
  EXPECT_EQ(text, "a\xF9\xCC\xD1");
}

}  // namespace
}  // namespace nuvel
