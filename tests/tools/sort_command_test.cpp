// The sort command over a document's editor: its lines or paragraphs are
// ordered by their first 50 characters in reading order and come back as
// they were. The result, read in reading order, is checked against GNU sort
// on the same lines (the first 50 characters, stable, with or without case),
// with the same text loaded into English and Hebrew documents.
#include "tools/sort_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/heb_text_editor.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/formats/formats_test_support.h"
#include "tests/support/reading_order.h"

namespace nuvel::tools {
namespace {

namespace fs = std::filesystem;
using test::LoadLogical;
using test::LogicalParas;
using test::Own;

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

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

// GNU sort over the lines: the key is the first 50 characters of the whole
// line (no field separator in the text), stable, bytes in the C locale;
// "-f" compares letters without case.
std::string GnuSort(const std::string& lines, bool caseSensitive, const fs::path& folder) {
  const fs::path in = folder / "gnu_in.txt";
  const fs::path out = folder / "gnu_out.txt";
  std::FILE* f = std::fopen(in.c_str(), "wb");
  std::fwrite(lines.data(), 1, lines.size(), f);
  std::fclose(f);
  const std::string command = std::string("LC_ALL=C sort -s ") + (caseSensitive ? "" : "-f ") +
                              "-t \"$(printf '\\001')\" -k1.1,1.50 '" + in.string() + "' -o '" + out.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
  return test::ReadWholeFile(out);
}

class SortCommandTest : public test::FormatsTest {
 protected:
  void SetUp() override {
    FormatsTest::SetUp();
    editor.SetHost(&host);
    editor.SetWordWrap(false);
    // The texts load with their trailing blanks, which the sort keeps.
    editor.SetTrimWhiteSpace(false);
  }
  test::TFakeHebHost host{40, 10};
  THebTextEditor editor;
};

// Lines of another program's file, in reading order, without points (their
// Windows-1255 form is their bytes): English lines, Hebrew lines with
// English and numbers inside, numbers with separators, brackets, leading
// and trailing blanks; no two alike in their first 50 characters.
const std::vector<std::string>& MixedLines() {
  static const std::vector<std::string> lines = {
      Own("zebra (stripes) and more"),
      Own("שלום עולם - Hello world 123"),
      Own("hello world"),
      Own("Hello again, 12.5%"),
      Own("שורה שנייה: ירושלים (2024)"),
      Own("3,500.25 shekels"),
      Own("12/05/2024 is a date"),
      Own("apple טקסט בעברית here"),
      Own("[bracket] first"),
      Own("  indented line"),
      Own("בראשית (ברא) אלהים"),
      Own("kiwi   "),
      Own("אבג English words בסוף"),
      Own("03-1234567 טלפון"),
      Own("Mango"),
      Own("גמל 7 and 8"),
      std::string(60, 'q') + Own(" שם"),
  };
  return lines;
}

TEST_F(SortCommandTest, LinesInReadingOrderAgainstGnuSort) {
  struct Case {
    const char* what;
    bool english;
    bool byLines;
    bool caseSensitive;
    uint32_t undoSize;  // 0: the change is larger than the history, read in anew
  };
  const Case cases[] = {
      {"English document, lines", true, true, false, 65536},
      {"Hebrew document, lines", false, true, false, 65536},
      {"English document, paragraphs, with case", true, false, true, 65536},
      {"Hebrew document, paragraphs, with case", false, false, true, 65536},
      {"English document, beyond the history", true, true, false, 0},
      {"Hebrew document, beyond the history", false, true, true, 0},
  };
  for (const Case& c : cases) {
    editor.SetUndoBufferSize(c.undoSize);
    LoadLogical(editor, c.english, MixedLines());
    SortText(editor, {c.byLines, c.caseSensitive});
    EXPECT_EQ(Lines(LogicalParas(editor)), GnuSort(Lines(MixedLines()), c.caseSensitive, temp_.Path("")))
        << c.what;
    EXPECT_TRUE(editor.Modified()) << c.what;
  }
}

TEST_F(SortCommandTest, OneUndoStepGivesTheTextBack) {
  struct Case {
    const char* what;
    bool wrap;
    std::string text;
  };
  const Case cases[] = {
      {"lines", false, "b\r\na  \r\nccc\r\n"},
      // Every screen line of a wrapped paragraph becomes a paragraph.
      {"screen lines of a wrapped paragraph", true, "zz yy xx ww vv\r\nb\r\n"},
  };
  for (const Case& c : cases) {
    editor.SetUndoBufferSize(65536);
    editor.SetWrapColumn(10);
    editor.SetWordWrap(c.wrap);
    editor.LoadString(c.text);
    SortText(editor, {true, false});
    EXPECT_NE(Paras(editor), c.text) << c.what;
    editor.Undo();
    EXPECT_EQ(Paras(editor), c.text) << c.what;
  }
}

TEST_F(SortCommandTest, UnitsComeBackAsTheyWere) {
  // No padding: each line keeps its own trailing blanks and nothing more.
  editor.LoadString("b\r\na \r\nccc\r\n");
  SortText(editor, {});
  EXPECT_EQ(Paras(editor), "a \r\nb\r\nccc\r\n");

  // A paragraph wrapped into two screen lines; a tab that widens its line
  // past the others' length counts expanded in the key and comes back a tab.
  editor.SetWrapColumn(10);
  editor.SetWordWrap(true);
  editor.SetTabSize(8);
  editor.LoadString("zz yy xx ww vv\r\nb\tc\r\n");
  SortText(editor, {true, false});
  EXPECT_EQ(Paras(editor), "b\tc\r\nww vv\r\nzz yy xx \r\n");
}

TEST_F(SortCommandTest, EnglishInAHebrewDocumentSortsByItsFirstLetter) {
  // Stored reversed, "az" and "by" would sort by their last letters.
  LoadLogical(editor, false, {"by", "az"});
  SortText(editor, {true, false});
  EXPECT_EQ(LogicalParas(editor), (std::vector<std::string>{"az", "by"}));
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
  // its limit once every screen line is a paragraph of its own; both with
  // the history holding the change and without.
  for (const uint32_t undoSize : {65536u, 0u}) {
    editor.SetUndoBufferSize(undoSize);
    editor.SetParaLimit(32767);
    editor.SetWrapColumn(10);
    editor.SetWordWrap(true);
    editor.LoadString("aa bb cc dd ee ff gg hh\r\n");
    editor.SetParaLimit(2);
    editor.SetModified(false);
    EXPECT_ANY_THROW(SortText(editor, {true, false})) << undoSize;
    EXPECT_EQ(Paras(editor), "aa bb cc dd ee ff gg hh\r\n") << undoSize;
    EXPECT_FALSE(editor.Modified()) << undoSize;
  }
  editor.SetParaLimit(32767);

  editor.LoadString("");
  editor.SetModified(false);
  SortText(editor, {});
  EXPECT_FALSE(editor.Modified());
}

}  // namespace
}  // namespace nuvel::tools
