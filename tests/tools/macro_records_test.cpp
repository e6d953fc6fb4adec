// Recorded keystroke macros: the records, the .mcr file, the stop chord.
#include <gtest/gtest.h>

#include "platform/key_stroke.h"
#include "platform/virtual_keys.h"
#include "tests/support/temp_program_folder.h"
#include "tools/macro_records.h"

namespace nuvel {
namespace {

using namespace platform;

MacroEvent Down(uint8_t vk) { return KeyRecord(vk, true, false, 0); }
MacroEvent Up(uint8_t vk) { return KeyRecord(vk, false, false, 0); }

TEST(MacroRecords, KeyRecordsKeepTheVirtualKeyAndScanCode) {
  struct Case {
    uint8_t vk;
    bool down, system;
    uint32_t message, paramL, paramH;
  } cases[] = {
      {'A', true, false, 0x100, 0x1E41, 1},
      {'A', false, false, 0x101, 0x1E41, 1},
      {'R', true, false, 0x100, 0x1352, 1},
      {VK_SHIFT, true, false, 0x100, 0x2A10, 1},
      {VK_CONTROL, false, false, 0x101, 0x1D11, 1},
      {'X', true, true, 0x104, 0x2D58, 1},  // with Alt: a system key
      {VK_MENU, false, true, 0x105, 0x3812, 1},
      {VK_RETURN, true, false, 0x100, 0x1C0D, 1},
      {VK_LEFT, true, false, 0x100, 0x4B25, 0x8001},  // an extended key
      {VK_DELETE, false, false, 0x101, 0x532E, 0x8001},
      {VK_F1 + 11, true, false, 0x100, 0x587B, 1},  // F12
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.vk));
    const MacroEvent e = KeyRecord(c.vk, c.down, c.system, 1234);
    EXPECT_EQ(e.message, c.message);
    EXPECT_EQ(e.paramL, c.paramL);
    EXPECT_EQ(e.paramH, c.paramH);
    EXPECT_EQ(e.time, 1234u);
    EXPECT_EQ(KeyOfRecord(e), (MacroKey{c.vk, c.down}));
    EXPECT_FALSE(MouseOfRecord(e));
  }
}

TEST(MacroRecords, KeysFromOtherRecordersAreReadByTheirLowByte) {
  // A key-down of 'Q' with another scan code and repeat count still is 'Q'.
  MacroEvent e{0x100, 0x00FF0051, 7, 10, 0x12345};
  EXPECT_EQ(KeyOfRecord(e), (MacroKey{'Q', true}));
}

TEST(MacroRecords, MouseRecordsRoundTrip) {
  const MacroMouse cases[] = {
      {MouseAction::Move, MouseButton::None, 10, 20, 0},
      {MouseAction::Down, MouseButton::Left, 300, 40, 0},
      {MouseAction::Up, MouseButton::Left, 301, 41, 0},
      {MouseAction::DoubleClick, MouseButton::Left, 5, 6, 0},
      {MouseAction::Down, MouseButton::Right, 0, 0, 0},
      {MouseAction::Up, MouseButton::Middle, 7, 8, 0},
      {MouseAction::Wheel, MouseButton::None, 1, 2, -120},
      {MouseAction::Move, MouseButton::None, -15, -3, 0},  // a screen left of the first
  };
  const uint32_t messages[] = {0x200, 0x201, 0x202, 0x203, 0x204, 0x208, 0x20A, 0x200};
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const MacroEvent e = MouseRecord(cases[i], 99);
    EXPECT_EQ(e.message, messages[i]);
    EXPECT_EQ(e.time, 99u);
    EXPECT_EQ(MouseOfRecord(e), cases[i]);
    EXPECT_FALSE(KeyOfRecord(e));
  }
}

TEST(MacroRecords, UsCharactersOfKeys) {
  struct Case {
    uint8_t vk;
    bool shift;
    char ch;
  } cases[] = {{'A', false, 'a'},   {'A', true, 'A'},         {'1', false, '1'},       {'1', true, '!'},
               {'0', true, ')'},    {VK_OEM_1, true, ':'},    {VK_OEM_7, false, '\''}, {VK_OEM_7, true, '"'},
               {VK_SPACE, true, ' '}, {VK_NUMPAD0 + 7, false, '7'}, {VK_RETURN, false, 0}, {VK_F1, false, 0},
               {VK_LEFT, true, 0}};
  for (const Case& c : cases) EXPECT_EQ(UsCharOfKey(c.vk, c.shift), c.ch) << int(c.vk) << c.shift;
}

TEST(MacroRecords, ModifiersAreSyncedAsKeysOfTheirOwn) {
  uint8_t held = 0;
  auto r = SyncModifiers(held, kShiftBitCtrl | kShiftBitShift, 5);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(KeyOfRecord(r[0]), (MacroKey{VK_CONTROL, true}));
  EXPECT_EQ(KeyOfRecord(r[1]), (MacroKey{VK_SHIFT, true}));
  EXPECT_EQ(held, kShiftBitCtrl | kShiftBitShift);
  r = SyncModifiers(held, kShiftBitShift | kShiftBitAlt, 6);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(KeyOfRecord(r[0]), (MacroKey{VK_CONTROL, false}));
  EXPECT_EQ(KeyOfRecord(r[1]), (MacroKey{VK_MENU, true}));
  EXPECT_TRUE(SyncModifiers(held, held, 7).empty());
  const std::vector<MacroEvent> events = {Down(VK_CONTROL), Down(VK_SHIFT), Down('A'), Up(VK_CONTROL)};
  EXPECT_EQ(HeldModifiers(events), kShiftBitShift);
}

TEST(MacroRecords, TheStopChordIsTrimmedExactly) {
  struct Case {
    const char* name;
    std::vector<MacroEvent> recorded;
    uint8_t vk, shift;
    std::vector<MacroEvent> kept;
  } cases[] = {
      {"Ctrl+Shift+R after typing",
       {Down('A'), Up('A'), Down(VK_CONTROL), Down(VK_SHIFT), Down('R')},
       'R', kShiftBitCtrl | kShiftBitShift,
       {Down('A'), Up('A')}},
      {"the chord alone: an empty recording, never less",
       {Down(VK_CONTROL), Down(VK_SHIFT), Down('R')},
       'R', kShiftBitCtrl | kShiftBitShift,
       {}},
      {"an empty recording stays empty", {}, 'R', kShiftBitCtrl | kShiftBitShift, {}},
      {"a held key repeating before the stop",
       {Down('B'), Up('B'), Down(VK_CONTROL), Down(VK_CONTROL), Down(VK_SHIFT), Down('R'), Down('R')},
       'R', kShiftBitCtrl | kShiftBitShift,
       {Down('B'), Up('B')}},
      {"Ctrl used by an earlier key keeps its down and gets its up",
       {Down(VK_CONTROL), Down('S'), Up('S'), Down(VK_SHIFT), Down('R')},
       'R', kShiftBitCtrl | kShiftBitShift,
       {Down(VK_CONTROL), Down('S'), Up('S'), Up(VK_CONTROL)}},
      {"Ctrl+Pause: the stop key itself never recorded",
       {Down('A'), Up('A'), Down(VK_CONTROL)},
       VK_PAUSE, kShiftBitCtrl,
       {Down('A'), Up('A')}},
      {"no chord at the end: nothing cut",
       {Down('A'), Up('A'), Down('B'), Up('B')},
       'R', kShiftBitCtrl | kShiftBitShift,
       {Down('A'), Up('A'), Down('B'), Up('B')}},
      {"a modifier outside the chord stays",
       {Down(VK_MENU), Down(VK_CONTROL), Down(VK_SHIFT), Down('R')},
       'R', kShiftBitCtrl | kShiftBitShift,
       {Down(VK_MENU)}},
      {"an R typed earlier is not the chord",
       {Down('R'), Up('R'), Down(VK_CONTROL), Down(VK_SHIFT), Down('R')},
       'R', kShiftBitCtrl | kShiftBitShift,
       {Down('R'), Up('R')}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    TrimStopChord(c.recorded, c.vk, c.shift);
    EXPECT_EQ(c.recorded, c.kept);
  }
}

TEST(MacroFile, RoundTripsRecordsInLittleEndian) {
  const std::vector<MacroEvent> events = {KeyRecord('A', true, false, 0x01020304),
                                          MouseRecord({MouseAction::Down, MouseButton::Left, 640, 480, 0}, 17),
                                          {0x101, 0x1E41, 1, 18, 0xAABBCCDD}};
  const std::string bytes = FormatMacroRecords(events);
  ASSERT_EQ(bytes.size(), 60u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x00\x01\x00\x00", 4));
  EXPECT_EQ(bytes.substr(12, 4), std::string("\x04\x03\x02\x01", 4));
  EXPECT_EQ(bytes.substr(56, 4), std::string("\xDD\xCC\xBB\xAA", 4));
  EXPECT_EQ(ParseMacroRecords(bytes), events);
  EXPECT_EQ(ParseMacroRecords(""), std::vector<MacroEvent>{});
}

TEST(MacroFile, DamagedFilesAreRefusedWhole) {
  const std::string good = FormatMacroRecords(std::vector<MacroEvent>{Down('A'), Up('A')});
  std::string unknownMessage = good;
  unknownMessage[20] = 0x10;  // message 0x110 in the second record
  unknownMessage[21] = 0x01;
  const std::string cases[] = {good.substr(0, 39), good + "x", std::string(19, '\0'), unknownMessage,
                               FormatMacroRecords(std::vector<MacroEvent>{{0, 0, 0, 0, 0}})};
  for (const std::string& bytes : cases) {
    std::string problem;
    EXPECT_FALSE(ParseMacroRecords(bytes, &problem)) << bytes.size();
    EXPECT_FALSE(problem.empty());
  }
}

TEST(MacroFile, TheExtensionBecomesMcr) {
  const std::pair<const char*, const char*> cases[] = {
      {"/p/demo.txt", "/p/demo.mcr"}, {"/p/Didod.MCR", "/p/Didod.mcr"}, {"/p/demo", "/p/demo.mcr"},
      {"/p.d/demo", "/p.d/demo.mcr"}, {"a.b.c", "a.b.mcr"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(MacroFileName(in), out);
}

TEST(MacroFile, FindsItsFileWhateverTheCaseOfTheExtension) {
  test::TempProgramFolder folder;
  EXPECT_EQ(ExistingMacroFile(folder.Folder() + "Didod.mcr"), folder.Folder() + "Didod.mcr");
  folder.WriteFile("Didod.MCR", "");
  EXPECT_EQ(ExistingMacroFile(folder.Folder() + "Didod.mcr"), folder.Folder() + "Didod.MCR");
}

}  // namespace
}  // namespace nuvel
