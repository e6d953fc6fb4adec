// The conversion mode, its setting, the prepared tables and the settings a
// document or tool run converts by.
#include <gtest/gtest.h>

#include <optional>

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

TEST_F(ConversionState, WordModeSetByHandConvertsNothing) {
  SetConvMode(3);
  const ConvContext word = ProgramConvContext();
  EXPECT_EQ(word.mode, 3);
  auto text = V({0x98});
  ConvertWholeText(word, true, text);
  EXPECT_EQ(text, V({0x98}));
}

TEST_F(ConversionState, PreparedTablesCarryTheirDirectionAndDotCodes) {
  const struct {
    int mode;
    bool out;
    uint8_t at;
    uint8_t value;
    uint8_t shin;
    uint8_t sin;
  } cases[] = {
      {9, false, 0xCC, 127, 0xD2, 0xD1},   // mode 9 exchanges the dots
      {6, true, 0xE0, 0xC2, 0xD1, 0xD2},   // 3B2's built-in table, its own dots
      {2, true, 0x98, 127, 0xD1, 0xD2},    // after mode 9, nothing is left of it
      {4, false, 0x80, 0xE0, 0xD1, 0xD2},  // DOS Hebrew in
  };
  for (const auto& c : cases) {
    const PreparedConv prepared(c.mode, c.out);
    const ConvSettings& s = prepared.Settings();
    EXPECT_EQ(s.mode, c.mode);
    EXPECT_EQ(s.out, c.out) << c.mode;
    EXPECT_EQ(s.table, prepared.Table().data()) << c.mode;
    EXPECT_EQ(prepared.Table()[c.at], c.value) << c.mode;
    EXPECT_EQ(s.shin_dot, c.shin) << c.mode;
    EXPECT_EQ(s.sin_dot, c.sin) << c.mode;
  }
}

TEST_F(ConversionState, ACopiedPreparedTableConvertsThroughItsOwnTable) {
  std::optional<PreparedConv> first(std::in_place, kConvCp1255, true);
  const PreparedConv copy = *first;
  PreparedConv assigned(kConvNuvelDos, false);
  assigned = *first;
  first.reset();
  for (const PreparedConv* p : std::initializer_list<const PreparedConv*>{&copy, &assigned}) {
    EXPECT_EQ(p->Settings().table, p->Table().data());
    std::vector<uint8_t> out;
    ConvertBytes(p->Settings(), V({0x98}), out);
    EXPECT_EQ(out, V({0xF9, 0xCC, 0xD1}));
  }
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
  // A new table is the identity; a table given keeps its contents.
  EXPECT_EQ(PreparedConv(kConvCp1255, true).Table(), IdentityConvTable());
  ConvTableBytes table = Builtin3B2Table(true);
  PrepareConvTable(kConvNuvelDos, true, table);
  EXPECT_EQ(table, Builtin3B2Table(true)) << "still the 3B2 table";
}

TEST_F(ConversionState, DataFileNameIsFoundWithoutRegardToCase) {
  std::filesystem::rename(temp_.Path("DIDOD.drf"), temp_.Path("didod.DRF"));
  EXPECT_EQ(PreparedConv(kConvNuvelDos, true).Table()[0xE0], 0x80);
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
    EXPECT_EQ(PreparedConv(kConvCp1255, true).Table(), IdentityConvTable());
    EXPECT_EQ(PreparedConv(kConvCp1255, false).Table(), IdentityConvTable());
    ASSERT_EQ(sink.requests.size(), 1u);
    EXPECT_EQ(sink.requests[0].type, platform::MsgDlgType::Warning);
    EXPECT_NE(sink.requests[0].text.find(temp_.Folder() + c.name), std::string::npos) << sink.requests[0].text;
    EXPECT_NE(sink.requests[0].text.find(c.why), std::string::npos) << sink.requests[0].text;
    std::vector<uint8_t> records(4 * kDataRecordSize, 0xAB);
    EXPECT_FALSE(ReadDataFileRecords(1, records, 4));
    EXPECT_EQ(records[64], 0xAB);
  }
}

TEST_F(ConversionState, TheProgramsSettingsAreReadOnceIntoAContext) {
  const struct {
    bool* flag;
    TEditConfig config;
  } configs[] = {{nullptr, TEditConfig::Default},
                 {&NoConversion, TEditConfig::ProgramEditor},
                 {&NuvDosConfig, TEditConfig::NuvelDos},
                 {&ForceCP1255, TEditConfig::ThreeB2},
                 {&TagConfig, TEditConfig::Tag},
                 {&Config6, TEditConfig::NulRecords}};
  for (const auto& c : configs) {
    SetConvMode(kConvEinstein);
    if (c.flag) *c.flag = true;
    const ConvContext made = ProgramConvContext();
    if (c.flag) *c.flag = false;
    SetConvMode(kConvUnicode);
    EXPECT_EQ(made.mode, kConvEinstein) << "a later change of the preference leaves it";
    EXPECT_EQ(made.config, c.config);
  }
}

TEST_F(ConversionState, EditConfigurations) {
  auto text = V({0xE0, 0x98});
  ConvertWholeText(ConvContext{kConvNuvelDos, TEditConfig::ProgramEditor}, true, text);
  EXPECT_EQ(text, V({0xE0, 0x98})) << "Program Editor converts nothing";
  // The 3B2 configuration converts whole texts as Windows-1255, whatever
  // the mode, through Windows-1255's own table.
  const ConvContext threeB2{kConv3B2, TEditConfig::ThreeB2};
  EXPECT_EQ(threeB2.WholeTextMode(), kConvCp1255);
  ConvertWholeText(threeB2, true, text);
  EXPECT_EQ(text, V({0xE0, 0xF9, 0xCC, 0xD1}));
  ConvertWholeText(threeB2, false, text);
  EXPECT_EQ(text, V({0xE0, 0x98}));
}

TEST_F(ConversionState, StringBuffersConvertToo) {
  std::string text = "a\x98";
  ConvertWholeText(ConvContext{kConvCp1255}, true, text);
  EXPECT_EQ(text, "a\xF9\xCC\xD1");
}

}  // namespace
}  // namespace nuvel
