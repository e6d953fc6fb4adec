#include "formats/load_rule.h"

#include <gtest/gtest.h>

#include "formats/file_names.h"

namespace nuvel {
namespace {

using C = TEditConfig;
using R = TReaderKind;
using P = TLoadPass;

TEST(LoadRule, FirstRuleThatApplies) {
  struct Case {
    C config;
    const char* ext;
    int mode;
    uint8_t disk;
    TLoadRule rule;
  } cases[] = {
      {C::Default, ".RTF", 0, 0, {'a', R::Rtf, P::Fixed, 2}},
      {C::ProgramEditor, ".TXT", 8, 0, {'a', R::Rtf, P::Fixed, 2}},
      {C::ThreeB2, ".NVW", 8, 0, {'a', R::Rtf, P::Fixed, 2}},
      {C::NulRecords, ".NVW", 2, 5, {'b', R::Lines, P::None, 0}},
      {C::Default, ".NVS", 2, 5, {'c', R::SmartDos, P::Fixed, 4}},
      {C::Custom, ".NVS", 2, 5, {'c', R::SmartDos, P::Fixed, 4}},
      {C::NuvelDos, ".NVS", 2, 0, {'c', R::Lines, P::Fixed, 4}},
      {C::Tag, ".NVS", 2, 0, {'c', R::Lines, P::Fixed, 4}},
      {C::ProgramEditor, ".NVS", 2, 0, {'c', R::Lines, P::Fixed, 4}},
      {C::Default, ".3T", 2, 0, {'d', R::ThreeB2, P::FixedReversed, 6}},
      {C::ThreeB2, ".TXT", 2, 0, {'d', R::ThreeB2, P::FixedReversed, 6}},
      {C::ThreeB2, ".RLE", 2, 0, {'d', R::ThreeB2, P::FixedReversed, 6}},
      {C::ProgramEditor, ".TXT", 2, 5, {'e', R::Lines, P::None, 0}},
      {C::ProgramEditor, ".3T", 2, 5, {'d', R::ThreeB2, P::FixedReversed, 6}},
      {C::Default, ".RLE", 2, 5, {'e', R::Lines, P::None, 0}},
      {C::NulRecords, ".TXT", 2, 5, {'f', R::NulRecords, P::None, 0}},
      {C::NulRecords, ".PDB", 2, 5, {'f', R::NulRecords, P::None, 0}},
      {C::Default, ".PDB", 2, 5, {'g', R::None, P::None, 0}},
      {C::NuvelDos, ".PRC", 2, 5, {'g', R::None, P::None, 0}},
      {C::NuvelDos, ".TXT", 2, 5, {'h', R::Lines, P::General, 0}},
      {C::Tag, "", 2, 5, {'h', R::Lines, P::General, 0}},
      {C::Default, ".TXT", 2, 0, {'i', R::Lines, P::General, 0}},
      {C::Custom, ".TXT", 2, 1, {'i', R::SmartDos, P::General, 0}},
      {C::Default, ".TXT", 2, 2, {'i', R::DosText, P::General, 0}},
      {C::Default, ".TXT", 2, 3, {'i', R::Einstein, P::General, 0}},
      {C::Default, ".TXT", 2, 4, {'i', R::ThreeB2, P::FixedReversed, 6}},
      {C::Default, ".TXT", 2, 5, {'i', R::Unicode, P::General, 0}},
      {C::Default, ".TXT", 2, 255, {'i', R::Lines, P::General, 0}},
      {C::Default, ".TXT", 2, 9, {'i', R::Lines, P::General, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseLoadRule(c.config, c.ext, c.mode, c.disk), c.rule)
        << static_cast<int>(c.config) << " " << c.ext << " " << c.mode << " " << int(c.disk);
  }
}

TEST(FileNames, ExtensionAndTrailingDot) {
  struct Case {
    const char* name;
    const char* ext;
  } cases[] = {
      {"/tmp/a.rtf", ".RTF"},     {"/tmp/a.rtfx", ".RTF"},  {"/tmp/a.RTF.", ".RTF"},
      {"/tmp/page.html", ".HTM"}, {"/tmp/x.3t", ".3T"},     {"/tmp.d/noext", ""},
      {"C:\\dir.x\\file", ""},    {"a:b.nvs", ".NVS"},      {"\xE0\xE1.nvw", ".NVW"},
      {"a.tar.gz", ".GZ"},
  };
  for (const auto& c : cases) EXPECT_EQ(DocumentExtension(c.name), c.ext) << c.name;
  EXPECT_EQ(StripTrailingDot("a.rtf."), "a.rtf");
  EXPECT_EQ(StripTrailingDot("."), ".");
  EXPECT_EQ(StripTrailingDot("a.."), "a.");
}

}  // namespace
}  // namespace nuvel
