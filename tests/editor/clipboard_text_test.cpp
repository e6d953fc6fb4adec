#include "editor/clipboard_text.h"

#include <gtest/gtest.h>

#include "tests/formats/formats_test_support.h"

namespace nuvel::test {
namespace {

class ClipboardTextTest : public FormatsTest {};

TEST_F(ClipboardTextTest, BytesBelowTenBecomeBlanksInEveryMode) {
  for (int mode : {0, 2, 4, 7}) {
    const std::vector<std::vector<uint8_t>> chunks = {B({'a', 9, 'b'}), B("c")};
    const TClipboardCopy copy = BuildClipboardCopy(chunks, ConvContext{mode}, true);
    EXPECT_EQ(copy.unicodeText, u"a b\r\nc") << mode;
    EXPECT_EQ(copy.unicodeOnly, mode == 7);
    if (mode != 7) {
      EXPECT_EQ(S(copy.bytes), "a b\r\nc") << mode;
    }
  }
}

TEST_F(ClipboardTextTest, UnicodeModeGoesThroughTheCharacterSetTable) {
  const std::vector<std::vector<uint8_t>> chunks = {B({0xE0, 0x81, 0xC8})};
  const TClipboardCopy copy = BuildClipboardCopy(chunks, ConvContext{kConvUnicode}, false);
  EXPECT_TRUE(copy.unicodeOnly);
  EXPECT_TRUE(copy.bytes.empty());
  EXPECT_EQ(copy.unicodeText, u"\u05D0\uFB31\u05B8");
}

TEST_F(ClipboardTextTest, WindowsModeGivesLogicalOrderAndWindows1255) {
  const ConvContext windows{kConvCp1255};
  // An English document holding a Hebrew word typed against its direction
  // (stored reversed) and a pointed letter.
  const std::vector<std::vector<uint8_t>> chunks = {B({'a', 'b', ' ', 0xE2, 0xE1, 0xE0, ' ', 'c'}), B({0x81})};
  const TClipboardCopy copy = BuildClipboardCopy(chunks, windows, true);
  EXPECT_EQ(copy.bytes, B({'a', 'b', ' ', 0xE0, 0xE1, 0xE2, ' ', 'c', 13, 10, 0xE1, 0xCC}));
  EXPECT_EQ(copy.unicodeText, u"ab \u05D0\u05D1\u05D2 c\r\n\u05D1\u05BC");
  // The Program Editor configuration neither reorders nor converts.
  const ConvContext programEditor{kConvCp1255, TEditConfig::ProgramEditor};
  EXPECT_EQ(BuildClipboardCopy(chunks, programEditor, true).bytes,
            B({'a', 'b', ' ', 0xE2, 0xE1, 0xE0, ' ', 'c', 13, 10, 0x81}));
}

// The 3B2 configuration puts and takes Windows-1255, whatever the mode,
// through Windows-1255's own table.
TEST_F(ClipboardTextTest, TheThreeB2ConfigurationConvertsAsWindows1255) {
  const ConvContext threeB2{kConv3B2, TEditConfig::ThreeB2};
  const std::vector<std::vector<uint8_t>> chunks = {B({0x81})};
  EXPECT_EQ(BuildClipboardCopy(chunks, threeB2, true).bytes, B({0xE1, 0xCC}));
  EXPECT_EQ(TextFromClipboard({B({0xE1, 0xCC}), std::nullopt}, threeB2), B({0x81}));
}

TEST_F(ClipboardTextTest, LongSelectionsAreNotCut) {
  const std::vector<std::vector<uint8_t>> chunks = {std::vector<uint8_t>(70000, 0x81)};
  EXPECT_EQ(BuildClipboardCopy(chunks, ConvContext{kConvCp1255}, true).bytes.size(), 140000u);
}

TEST_F(ClipboardTextTest, Paste) {
  struct Case {
    int mode;
    TClipboardPaste paste;
    std::optional<std::vector<uint8_t>> text;
  } cases[] = {
      {2, {B({0xE1, 0xCC, 'x', 13, 10, 'y'}), u"ignored"}, B({0x81, 'x', 13, 10, 'y'})},
      // Plain text of another program is taken as Windows-1255 first.
      {2, {std::nullopt, u"\u05E9\u05C1x\u2603"}, B({0x95, 'x', '?'})},
      // Punctuation without a byte of the set: its closest text.
      {2, {std::nullopt, u"a\u2026 5\u20AC"}, B("a... 5EUR")},
      {2, {B({0x85, 0x99}), std::nullopt}, B("...TM")},
      {4, {B({0x80}), std::nullopt}, B({0xE0})},
      {7, {B({'b'}), u"\u05D0\u2603\uFB31"}, B({0xE0, 0x81})},
      // Without Unicode text, mode 7 takes the byte text.
      {7, {B({'b'}), std::nullopt}, B({'b'})},
      {2, {std::nullopt, std::nullopt}, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextFromClipboard(c.paste, ConvContext{c.mode}), c.text) << c.mode;
  }
  EXPECT_EQ(TextFromClipboard({std::vector<uint8_t>(100000, 'z'), std::nullopt}, ConvContext{kConvCp1255})->size(),
            100000u);
}

}  // namespace
}  // namespace nuvel::test
