// The sort command over a document's editor: its lines or paragraphs become
// records of one length, and the result is checked against GNU sort on the
// same records with the same key (the first 50 characters, stable, with or
// without case), in English and Hebrew documents.
#include "tools/sort_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "editor/heb_text_editor.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/formats/formats_test_support.h"

namespace nuvel::tools {
namespace {

namespace fs = std::filesystem;

// The paragraphs as the lines of a file (the empty last one not written).
std::string Paras(const THebTextEditor& e) {
  std::string out;
  for (int32_t p = 1; p <= e.ParaCount(); ++p) {
    if (p == e.ParaCount() && e.ParaLength(p) == 0) break;
    const auto b = e.GetPara(p);
    out.append(b.begin(), b.end());
    out += "\r\n";
  }
  return out;
}

// GNU sort over the records: the key is the first 50 characters of the
// whole record (no field separator in the text), stable, bytes in the C
// locale; "-f" compares letters without case.
std::string GnuSort(const std::string& records, bool caseSensitive, const fs::path& folder) {
  const fs::path in = folder / "gnu_in.txt";
  const fs::path out = folder / "gnu_out.txt";
  std::FILE* f = std::fopen(in.c_str(), "wb");
  std::fwrite(records.data(), 1, records.size(), f);
  std::fclose(f);
  const std::string command = std::string("LC_ALL=C sort -s ") + (caseSensitive ? "" : "-f ") +
                              "-t '\x01' -k1.1,1.50 '" + in.string() + "' -o '" + out.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
  return test::ReadWholeFile(out);
}

class SortCommandTest : public test::FormatsTest {
 protected:
  void SetUp() override {
    FormatsTest::SetUp();
    editor.SetHost(&host);
  }
  test::TFakeHebHost host{40, 10};
  THebTextEditor editor;
};

TEST_F(SortCommandTest, LinesAndParagraphsAgainstGnuSort) {
  const std::string fifty(50, 'k');
  struct Case {
    const char* what;
    std::string text;
    bool english;
    TSortOptions options;
  };
  const Case cases[] = {
      {"lines without case", "b\r\na\r\nccc\r\nB\r\nA\r\n", true, {true, false}},
      {"lines with case", "b\r\na\r\nccc\r\nB\r\nA\r\n", true, {true, true}},
      {"letters beside punctuation", "_x\r\nZa\r\nza\r\n[q\r\n`r\r\n", true, {true, false}},
      {"the same with case", "_x\r\nZa\r\nza\r\n[q\r\n`r\r\n", true, {true, true}},
      {"keys equal in their first 50", fifty + "2\r\n" + fifty + "1\r\n" + "a\r\n", true, {false, true}},
      {"Hebrew document", "\xF9\xEC\xE5\xED\r\n\xE0\xE1\r\nabc\r\n\xE1\xE9\xFA\r\n", false, {true, false}},
      {"paragraphs", "dd ee\r\nb\r\n\r\naa\r\n", true, {false, false}},
  };
  for (const Case& c : cases) {
    editor.SetEngm(c.english);
    editor.LoadString(c.text);
    const TSortRecords records = SortRecords(editor, c.options.byLines);
    SortText(editor, c.options);
    EXPECT_EQ(Paras(editor), GnuSort(std::string(records.bytes.begin(), records.bytes.end()),
                                     c.options.caseSensitive, temp_.Path("")))
        << c.what;
    EXPECT_TRUE(editor.Modified()) << c.what;
  }
}

TEST_F(SortCommandTest, RecordsArePaddedToTheLongestUnit) {
  editor.LoadString("b\r\na\r\nccc\r\n");
  SortText(editor, {});
  EXPECT_EQ(Paras(editor), "a  \r\nb  \r\nccc\r\n");
}

TEST_F(SortCommandTest, ScreenLinesWithTabsExpanded) {
  // A paragraph wrapped into two screen lines; a tab that widens its line
  // past the others' length.
  editor.SetWrapColumn(10);
  editor.SetWordWrap(true);
  editor.SetTabSize(8);
  editor.LoadString("zz yy xx ww vv\r\nb\tc\r\n");
  const TSortRecords records = SortRecords(editor, true);
  ASSERT_EQ(records.count, 3u);
  ASSERT_EQ(records.length, 11u);
  EXPECT_EQ(std::string(records.bytes.begin() + 22, records.bytes.end()), "b       c\r\n");
  SortText(editor, {true, false});
  EXPECT_EQ(Paras(editor), "b       c\r\nww vv    \r\nzz yy xx \r\n");
}

TEST_F(SortCommandTest, PointedLettersSortWithTheirBaseLetters) {
  // 0x81 is bet with dagesh: collated it sorts as bet (0xE1), between alef
  // and gimel; byte by byte it comes before every plain letter.
  editor.LoadString("\xE2x\r\n\x81y\r\n\xE0z\r\n");
  SortText(editor, {true, false});
  EXPECT_EQ(Paras(editor), "\xE0z\r\n\x81y\r\n\xE2x\r\n");
  SortText(editor, {true, true});
  EXPECT_EQ(Paras(editor), "\x81y\r\n\xE0z\r\n\xE2x\r\n");
}

TEST_F(SortCommandTest, CompareLooksAtTheFirstFiftyCharactersInsideTheRecord) {
  const std::string a = std::string(50, 'x') + "a\r\n";
  const std::string b = std::string(50, 'x') + "b\r\n";
  const auto* pa = reinterpret_cast<const uint8_t*>(a.data());
  const auto* pb = reinterpret_cast<const uint8_t*>(b.data());
  EXPECT_EQ(CompareSortRecords(pa, pb, a.size(), true), 0);
  // Records shorter than the key: only their own bytes are compared.
  EXPECT_LT(CompareSortRecords(reinterpret_cast<const uint8_t*>("a\r\n"), reinterpret_cast<const uint8_t*>("b\r\n"), 3,
                               true),
            0);
  EXPECT_EQ(CompareSortRecords(reinterpret_cast<const uint8_t*>("aB"), reinterpret_cast<const uint8_t*>("Ab"), 2, false),
            0);
}

TEST_F(SortCommandTest, FailureLeavesTheTextAndAnEmptyTextIsLeftAlone) {
  // A text whose sorted lines the editor cannot hold: more paragraphs than
  // its limit once every screen line is a paragraph of its own.
  editor.SetWrapColumn(10);
  editor.SetWordWrap(true);
  editor.LoadString("aa bb cc dd ee ff gg hh\r\n");
  editor.SetParaLimit(2);
  editor.SetModified(false);
  EXPECT_ANY_THROW(SortText(editor, {true, false}));
  EXPECT_EQ(Paras(editor), "aa bb cc dd ee ff gg hh\r\n");
  EXPECT_FALSE(editor.Modified());
  editor.SetParaLimit(32767);

  editor.LoadString("");
  editor.SetModified(false);
  SortText(editor, {});
  EXPECT_FALSE(editor.Modified());
}

}  // namespace
}  // namespace nuvel::tools
