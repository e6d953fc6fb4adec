#include "core/message_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/exceptions.h"

namespace nuvel {
namespace {

TEST(MessageTable, LibraryStringsById) {
  struct {
    uint32_t id;
    const char* text;
  } cases[] = {
      {30170, "Command table not found or command table index out of range"},
      {30168, "Unknown Error condition"},
      {65536 + 30168, "Unknown Error condition"},  // ids are taken modulo 65536
      {30515, "White"},
      {30171, "Unknown"},  // a gap in the table
      {1, "Unknown"},      // below the first id
      {65535, "Unknown"},  // above the last
  };
  for (const auto& c : cases) EXPECT_EQ(GetLibraryString(c.id), c.text) << c.id;
}

// A "STR0" table built by hand: ids 5 and 9.
std::vector<uint8_t> SmallTable() {
  std::vector<uint8_t> t = {'S', 'T', 'R', '0', 2, 0, 0, 0};
  auto u32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) t.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  u32(5), u32(32), u32(2);
  u32(9), u32(36), u32(1);
  for (uint16_t unit : {u'h', u'i', u'\u05D0'}) t.push_back(static_cast<uint8_t>(unit)), t.push_back(unit >> 8);
  return t;
}

TEST(MessageTable, ReadsATableAndConvertsToTheAnsiCodePage) {
  auto data = SmallTable();
  TNvcStringResource table("T", data);
  EXPECT_EQ(table.GetAsString(5), "hi");
  EXPECT_EQ(table.GetAsString(9), "\xE0");
  EXPECT_EQ(table.GetAsString(7), "");
  table.ReportError = true;
  try {
    table.GetAsString(7);
    FAIL() << "no error raised";
  } catch (const ENvcStringResourceError& e) {
    EXPECT_STREQ(e.what(), "String not found: 7");
  }
}

TEST(MessageTable, DamagedTablesAreRefusedAtOpening) {
  auto good = SmallTable();
  std::vector<std::vector<uint8_t>> damaged = {
      {},
      {'S', 'T', 'R', '1', 0, 0, 0, 0},
      std::vector<uint8_t>(good.begin(), good.begin() + 20),  // entries cut off
      std::vector<uint8_t>(good.begin(), good.end() - 1),     // last text cut off
  };
  for (const auto& d : damaged) {
    try {
      TNvcStringResource table("Broken", d);
      ADD_FAILURE() << "accepted a table of " << d.size() << " bytes";
    } catch (const ENvcStringResourceError& e) {
      EXPECT_STREQ(e.what(), "Invalid NVString resource");
    }
  }
  try {
    TNvcStringResource table("NoSuchTable");
    ADD_FAILURE() << "opened a missing table";
  } catch (const ENvcStringResourceError& e) {
    EXPECT_STREQ(e.what(), "String resource not found: NoSuchTable");
  }
}

TEST(Exceptions, CarryTheirMessagesAndCodes) {
  auto message = [](auto&& raise) {
    try {
      raise();
    } catch (const ENvcException& e) {
      return std::string(e.what()) + "|" + std::to_string(e.ErrorCode());
    }
    return std::string("not raised");
  };
  EXPECT_EQ(message([] { throw ETableNotFound(); }), "Command table not found or command table index out of range|0");
  EXPECT_EQ(message([] { throw EDuplicateCommand(); }),
            "Duplicate command found while adding a new command to the table|0");
  EXPECT_EQ(message([] { throw ENoTimersAvailable(); }), "No Window's timers are available|0");
  EXPECT_EQ(message([] { throw ENoControllerAssigned(); }), "No Controller assigned|0");
  EXPECT_EQ(message([] { throw EInvalidLineOrCol(); }), "Invalid line or column|0");
  EXPECT_EQ(message([] { throw EInvalidLineOrPara(); }), "Invalid line or paragraph index|0");
  EXPECT_EQ(message([] { throw ERegionTooLarge(); }), "Region is too large (> 64K)|0");
  EXPECT_EQ(message([] { throw EInvalidFontParam(); }),
            "Invalid font assignemnt. Font must be a TFont or TNvcFixedFont|0");
  EXPECT_EQ(message([] { throw EEditorError(GetLibraryString(30201), 268); }),
            "Current operation will exceed the maximum paragraph size|268");
  // The family is caught through its bases.
  EXPECT_THROW(throw ETableNotFound(), ECmdProcessorError);
  EXPECT_THROW(throw EInvalidLineOrCol(), EEditorError);
  EXPECT_THROW(throw ENoControllerAssigned(), EControllerError);
}

}  // namespace
}  // namespace nuvel
