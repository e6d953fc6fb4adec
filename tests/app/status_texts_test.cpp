#include "app/status_texts.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

TEST(StatusTexts, EnglishPanels) {
  std::string line = "abc";
  StatusFacts f{1, 3, Bytes(line), true, 12, 4, 345, true, false};
  auto t = StatusPanelTexts(f, EnglishStatusCaptions());
  EXPECT_EQ(t[0], "1:3 (#99)");
  EXPECT_EQ(t[1], "Modified");
  EXPECT_EQ(t[2], "Total: 12");
  EXPECT_EQ(t[3], "Top: 4");
  EXPECT_EQ(t[4], "Bytes: 345");
  EXPECT_EQ(t[5], "Insert");
  f.col = 4;
  f.modified = false;
  f.insertMode = false;
  f.scrollLock = true;
  t = StatusPanelTexts(f, EnglishStatusCaptions());
  EXPECT_EQ(t[0], "1:4 (XXX)");
  EXPECT_EQ(t[1], "");
  EXPECT_EQ(t[5], "Overwrite (SL)");
}

TEST(StatusTexts, HebrewPanelsReadCaptionThenNumber) {
  std::string line = "\xE0";
  StatusFacts f{2, 1, Bytes(line), true, 7, 1, 9, true, true};
  // Without a string library: the program's own Hebrew captions.
  const StatusCaptions own = HebrewStatusCaptions(nullptr);
  auto t = StatusPanelTexts(f, own);
  EXPECT_EQ(t[0], "2:1 (#224)");
  EXPECT_EQ(t[1], "\xE4\xF9\xFA\xF0\xE4");                  // modified
  EXPECT_EQ(t[2], "\xF9\xE5\xF8\xE5\xFA: 7");                // lines: 7
  EXPECT_EQ(t[4], "\xE1\xFA\xE9\xED: 9");                    // bytes: 9
  EXPECT_EQ(t[5], "\xE4\xEB\xF0\xF1\xE4 (SL)");              // insert
  f.insertMode = false;
  f.scrollLock = false;
  EXPECT_EQ(StatusPanelTexts(f, own)[5], "\xE4\xE7\xEC\xF4\xE4");  // overwrite
  // The library's texts come first where it has them.
  const StatusCaptions lib = HebrewStatusCaptions([](uint32_t id) { return id == 42003 ? std::string("B:") : std::string(); });
  EXPECT_EQ(StatusPanelTexts(f, lib)[4], "B: 9");
  EXPECT_EQ(lib.total, own.total);
}

TEST(StatusTexts, CharacterCodeSuffix) {
  std::string line = "a\xFF";
  EXPECT_EQ(CharCodeSuffix(Bytes(line), 2), " (#255)");
  EXPECT_EQ(CharCodeSuffix(Bytes(line), 0), " (XXX)");
  EXPECT_EQ(CharCodeSuffix({}, 1), " (XXX)");
}

TEST(StatusTexts, ScrollLockRow) {
  EXPECT_EQ(NextScrollLockMode(0, true, 10, 4), 5);
  EXPECT_EQ(NextScrollLockMode(3, true, 10, 4), 3);
  EXPECT_EQ(NextScrollLockMode(3, false, 10, 4), 0);
}

}  // namespace
}  // namespace nuvel
