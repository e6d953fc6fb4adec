#include "core/font_descriptor.h"

#include <gtest/gtest.h>

#include "core/fixed_font_names.h"

namespace nuvel {
namespace {

struct ParseCase {
  const char* text;
  bool ok;
  const char* name;
  int size;
  uint8_t style;
};

TEST(FontDescriptor, ParsesNameSizeAndStyle) {
  const ParseCase cases[] = {
      {"Arial~12~3", true, "Arial", 12, FontStyles::Bold | FontStyles::Italic},
      {"Courier New~11~0", true, "Courier New", 11, 0},
      {"VoraziRARO Vor~14~15", true, "VoraziRARO Vor", 14, FontStyles::All},
      // The style is the two characters after the second "~".
      {"Arial~10~12junk", true, "Arial", 10, FontStyles::Underline | FontStyles::StrikeOut},
      // Bits beyond the four styles are dropped.
      {"Arial~10~17", true, "Arial", 10, FontStyles::Bold},
      {"Arial", false, "", 0, 0},
      {"Arial~12", false, "", 0, 0},
      {"~12~0", false, "", 0, 0},
      {"Arial~~0", false, "", 0, 0},
      {"Arial~big~0", false, "", 0, 0},
      {"Arial~12~", false, "", 0, 0},
      {"Arial~12~x", false, "", 0, 0},
      {"Arial~0~0", false, "", 0, 0},
      {"Arial~-3~0", false, "", 0, 0},
      {"", false, "", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto parsed = ParseFontDescriptor(c.text);
    ASSERT_EQ(parsed.has_value(), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(parsed->Name, c.name);
    EXPECT_EQ(parsed->Size, c.size);
    EXPECT_EQ(parsed->Style.Bits, c.style);
  }
}

TEST(FontDescriptor, MalformedFallsBackToTheSlotDefault) {
  const FontDescriptor fallback{"VoraziRARO Vor", 11, {}};
  EXPECT_EQ(ParseFontDescriptorOr("NotFound", fallback), fallback);
  EXPECT_EQ(ParseFontDescriptorOr("Arial~12~3", fallback).Name, "Arial");
}

TEST(FontDescriptor, FormatRoundTrips) {
  const FontDescriptor fonts[] = {
      {"Courier New", 11, {}},
      {"Arial", 12, {FontStyles::Bold | FontStyles::Italic}},
      {"ZoridiZOZA RarUv", 9, {FontStyles::All}},
  };
  EXPECT_EQ(FormatFontDescriptor(fonts[1]), "Arial~12~3");
  for (const auto& f : fonts) EXPECT_EQ(ParseFontDescriptor(FormatFontDescriptor(f)), f);
}

TEST(FontDescriptor, StyleNumberConversions) {
  EXPECT_EQ(FontStylesToStr(FontStyles{FontStyles::Underline | FontStyles::Bold}), "5");
  EXPECT_EQ(IntToFontStyles(8).Bits, FontStyles::StrikeOut);
  EXPECT_TRUE(IntToFontStyles(3).Has(FontStyles::Italic));
  EXPECT_FALSE(IntToFontStyles(3).Has(FontStyles::Underline));
}

TEST(FixedFontNames, OwnFontsAndListCompareExactly) {
  FixedFontList() = {"Liberation Mono", "DejaVu Sans Mono"};
  struct Case {
    const char* name;
    bool heb, own, fixed;
  };
  const Case cases[] = {
      {"VoraziRARO Vor", true, true, true},
      {"ZoridiZOZA RarUv", true, true, true},
      {"DodizaRUDA DezUr", true, true, true},
      {"NuvDos Bitmap", false, true, true},
      {"voraziraro vor", false, false, false},
      {"Liberation Mono", false, false, true},
      {"liberation mono", false, false, false},
      {"Arial", false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsHebScreenFont(c.name), c.heb);
    EXPECT_EQ(IsOwnFixedFont(c.name), c.own);
    EXPECT_EQ(IsFixedFont(c.name), c.fixed);
  }
  FixedFontList().clear();
}

}  // namespace
}  // namespace nuvel
