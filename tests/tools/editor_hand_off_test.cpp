// The filters' road over a document's editor: the text leaves as plain
// lines, is filtered in the program's private temporary folder and comes
// back; the editor keeps its name, format, line ends and Sheim Hashem state,
// its view comes back, and a run that fails leaves the text as it was.
#include "tools/editor_hand_off.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/border_order.h"
#include "core/conv_engine.h"
#include "core/exceptions.h"
#include "editor/heb_text_editor.h"
#include "platform/user_temp_folder.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/editor/mixed_logical_text.h"
#include "tests/formats/formats_test_support.h"
#include "tests/support/standard_tools.h"
#include "tools/filter_file.h"
#include "tools/rule_applier.h"
#include "tools/rule_compiler.h"

namespace nuvel::tools {
namespace {

namespace fs = std::filesystem;

using test::Paras;

// What the private temporary folder holds.
std::vector<std::string> WorkFiles() {
  std::vector<std::string> out;
  for (const auto& entry : fs::directory_iterator(platform::UserTempFolder())) out.push_back(entry.path().filename());
  return out;
}

class EditorHandOffTest : public test::FormatsTest {
 protected:
  void SetUp() override {
    FormatsTest::SetUp();
    editor.SetHost(&host);
  }
  void Load(std::string_view text) {
    editor.LoadString(text);
    editor.SetModified(false);
  }

  test::TFakeHebHost host{60, 10};
  THebTextEditor editor;
};

TEST_F(EditorHandOffTest, FiltersByRulesAndByRuleFile) {
  temp_.WriteFile("lower.rle", "/* numbers in brackets */\r\n{[0-9]*}=<&0>\r\n");
  temp_.WriteFile("Upper.RLE", "$$=$\r\n");
  struct Case {
    std::vector<std::string> rules;
    std::string ruleFile;
    std::string text;
    std::string after;  // paragraphs joined by "|"
  };
  const Case cases[] = {
      {{"ab=X"}, "", "aab\r\nab ab", "aX|X X|"},
      {{"%{?*}$=^0$"}, "", "abc\r\n\r\nxy", "cba||yx|"},
      {{}, temp_.Folder() + "lower", "a1 b22\r\nc", "a<1> b<22>|c|"},
      {{}, temp_.Folder() + "Upper.txt", "a\r\n\r\n\r\nb", "a||b|"},
      // A rule that makes line ends makes paragraphs.
      {{"/=$"}, "", "a/b", "a|b|"},
  };
  for (const Case& c : cases) {
    Load(c.text);
    editor.SetFileName("/doc/name.txt");
    editor.SetDisk_Conv(2);
    editor.SetSheimFiltered(true);
    editor.SetLfLineEnds(true);
    FilterEditorText(editor, c.ruleFile, c.rules);
    EXPECT_EQ(Paras(editor), c.after) << c.text;
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.FileName(), "/doc/name.txt");
    EXPECT_EQ(editor.Disk_Conv(), 2);
    EXPECT_TRUE(editor.SheimFiltered());
    EXPECT_TRUE(editor.LfLineEnds());
  }
  EXPECT_TRUE(WorkFiles().empty());
}

TEST_F(EditorHandOffTest, PlainLinesWhateverTheConfigurationOrTable) {
  // The 3B2 configuration reverses digit runs on its way out, the
  // NUL-records one reads records: neither touches the hand-off.
  const std::string text = "ab 12 \xE0\xE1\r\nx";
  for (const TEditConfig config :
       {TEditConfig::ThreeB2, TEditConfig::NulRecords, TEditConfig::ProgramEditor, TEditConfig::Tag}) {
    editor.SetConversion(ConvContext{kConvRtf, config});  // RTF for every file
    editor.SetTr_Type_FL(4);
    Load(text);
    FilterEditorText(editor, "", std::vector<std::string>{"x=y"});
    EXPECT_EQ(Paras(editor), "ab 12 \xE0\xE1|y|");
  }
}

TEST_F(EditorHandOffTest, FailuresLeaveTheTextAsItWas) {
  struct Case {
    const char* what;
    std::vector<std::string> rules;
    std::string ruleFile;
    int32_t paraLimit;
  };
  const Case cases[] = {
      {"missing rule file", {}, "/no/such/folder/rules", 0},
      {"rule that does not compile", {"x=&"}, "", 0},
      {"result too long for the editor", {"/=$$$$$$$$$$"}, "", 8},
  };
  for (bool modified : {false, true}) {
    for (const Case& c : cases) {
      Load("one/two\r\nthree");
      // An edit the user can still undo afterwards.
      editor.SetCaretPosition(2, 6);
      editor.InsertString("!");
      if (c.paraLimit) editor.SetParaLimit(c.paraLimit);
      editor.SetModified(modified);
      EXPECT_ANY_THROW(FilterEditorText(editor, c.ruleFile, c.rules)) << c.what;
      EXPECT_EQ(Paras(editor), "one/two|three!") << c.what;
      EXPECT_EQ(editor.Modified(), modified) << c.what;
      EXPECT_TRUE(editor.CanUndo()) << c.what;
      EXPECT_TRUE(WorkFiles().empty()) << c.what;
      editor.SetParaLimit(32767);
    }
  }
  Load("a");
  EXPECT_THROW(FilterEditorText(editor, "/no/such/rules", {}), FilterError);
  EXPECT_THROW(FilterEditorText(editor, "", std::vector<std::string>{"x=&"}), RuleCompileError);
}

TEST_F(EditorHandOffTest, ViewComesBack) {
  std::string text;
  for (int i = 1; i <= 40; ++i) text += "line " + std::to_string(i) + "\r\n";
  // A window of five rows.
  test::TFakeHebHost small{60, 5};
  editor.SetHost(&small);
  // The text keeps its length: the caret and the top line stay.
  Load(text);
  editor.SetTopLine(20);
  editor.SetCaretPosition(22, 3);
  FilterEditorText(editor, "", std::vector<std::string>{"line=LINE"});
  int32_t col = 0;
  EXPECT_EQ(editor.GetCaretPosition(col), 22);
  EXPECT_EQ(col, 3);
  EXPECT_EQ(editor.TopLine(), 20);
  // Many lines go: the caret lands on the last line, the top line 4 above.
  editor.SetTopLine(20);
  editor.SetCaretPosition(22, 3);
  FilterEditorText(editor, "", std::vector<std::string>{"line 1{#}$=", "line 2{#}$=", "line 3{#}$="});
  // "line 1" .. "line 9", "line 40" and the empty last line.
  ASSERT_EQ(editor.LineCount(), 11);
  EXPECT_EQ(editor.GetCaretPosition(col), 11);
  EXPECT_EQ(editor.TopLine(), 7);
  // Fewer than five lines: the top line is the first.
  Load(text);
  editor.SetCaretPosition(25, 1);
  FilterEditorText(editor, "", std::vector<std::string>{"line {#}{#}$=", "line {#}$="});
  EXPECT_EQ(editor.LineCount(), 1);
  EXPECT_EQ(editor.TopLine(), 1);
  editor.SetHost(&host);
}

TEST_F(EditorHandOffTest, OtherViewsOfTheTextFollow) {
  THebTextEditor top;
  test::TFakeHebHost topHost{60, 5};
  top.SetHost(&topHost);
  Load("abc");
  top.Attach(&editor);
  FilterEditorText(editor, "", std::vector<std::string>{"b=B"});
  EXPECT_EQ(Paras(top), "aBc|");
  top.SetCaretPosition(1, 1);
  top.InsertString("x");
  EXPECT_EQ(Paras(editor), "xaBc|");
}

TEST_F(EditorHandOffTest, WindowMinimisedAndRestoredOnEveryPath) {
  int minimised = 0;
  int restored = 0;
  TLongRunWindow window{[&] { ++minimised; }, [&] { ++restored; }};
  Load("abc");
  FilterEditorText(editor, "", std::vector<std::string>{"b=B"}, &window);
  EXPECT_THROW(FilterEditorText(editor, "", std::vector<std::string>{"b=&"}, &window), RuleCompileError);
  EXPECT_EQ(minimised, 2);
  EXPECT_EQ(restored, 2);
}

TEST_F(EditorHandOffTest, SaveAfterAFilterWritesTheDocumentsOwnFile) {
  const std::string doc = WriteTemp("doc.nvw", "one\r\ntwo\r\n");
  editor.SetFileName(doc);
  editor.LoadFromFile(doc);
  FilterEditorText(editor, "", std::vector<std::string>{"o=0"});
  editor.SaveToFile(editor.FileName());
  EXPECT_EQ(temp_.ReadFile("doc.nvw"), "0ne\r\ntw0\r\n");
  EXPECT_FALSE(fs::exists(temp_.Path(kFilterHandOffName)));
  EXPECT_FALSE(fs::exists(fs::current_path() / kFilterHandOffName));
}

TEST_F(EditorHandOffTest, BuiltInFilterOverTheEditor) {
  // The sets match names as they are written: in a Hebrew document the
  // Hebrew is stored as written and the English name reversed ("DOG," is
  // shown as "GOD,"); in an English document the other way round.
  editor.SetEngm(false);
  Load("\xE9\xE4\xE5\xE4 \xE0\xE1\r\nDOG,");
  RunBuiltInFilter(4, &editor);
  EXPECT_EQ(Paras(editor), "\xE9\x5F\xE5\xE4 \xE0\xE1|DOG,");
  RunBuiltInFilter(8, &editor);
  EXPECT_EQ(Paras(editor), "\xE9\x5F\xE5\xE4 \xE0\xE1|d-G,");
  EXPECT_FALSE(editor.CanUndo());
  RunBuiltInFilter(5, &editor);
  EXPECT_EQ(Paras(editor), "\xE9\xE4\xE5\xE4 \xE0\xE1|d-G,");
  editor.SetEngm(true);
  Load("GOD, \xE4\xE5\xE4\xE9\r\n");
  RunBuiltInFilter(4, &editor);
  RunBuiltInFilter(8, &editor);
  EXPECT_EQ(Paras(editor), "G-d, \xE4\xE5\x5F\xE9|");
  // A name inside a word is left, as in a file.
  Load("GODLY Godly\r\n");
  RunBuiltInFilter(8, &editor);
  EXPECT_EQ(Paras(editor), "G-DLY Godly|");
  // No editor, or a kind the program does not carry: nothing.
  RunBuiltInFilter(4, nullptr);
  editor.SetModified(false);
  RunBuiltInFilter(11, &editor);
  EXPECT_FALSE(editor.Modified());
}

TEST_F(EditorHandOffTest, RulesMatchAndWriteInReadingOrder) {
  // The mixed text as a Windows-1255 file, opened as a Hebrew and as an
  // English document, filtered, and saved: the file equals what sed makes
  // of the logical text, and each paragraph no rule changed keeps its bytes.
  struct Case {
    std::string rule;
    std::string sed;
    std::string find;  // what the rule changes, for the paragraphs it leaves
  } cases[] = {
      {"quick=slow", "s/quick/slow/g", "quick"},
      {"Hello world=\xF9\xEC\xE5\xED", "s/Hello world/\xF9\xEC\xE5\xED/g", "Hello world"},
      {"1,234.50=99.9", "s/1,234\\.50/99.9/g", "1,234.50"},
      {"(2024)=(2025 ok)", "s/(2024)/(2025 ok)/g", "(2024)"},
      {"\xE9\xF8\xE5\xF9\xEC\xE9\xED=Jerusalem 3", "s/\xE9\xF8\xE5\xF9\xEC\xE9\xED/Jerusalem 3/g",
       "\xE9\xF8\xE5\xF9\xEC\xE9\xED"},
  };
  const std::string file = test::MixedLogicalFile();
  for (const Case& c : cases) {
    for (const bool english : {true, false}) {
      SetConvMode(kConvCp1255);
      const std::string path = WriteTemp("mixed.txt", file);
      THebTextEditor e;
      e.SetEngm(english);
      e.LoadFromFile(path);
      std::vector<std::string> before;
      for (int32_t p = 1; p <= e.ParaCount(); ++p) before.emplace_back(e.GetPara(p).begin(), e.GetPara(p).end());
      FilterEditorText(e, "", std::vector<std::string>{c.rule});
      ASSERT_EQ(e.ParaCount(), static_cast<int32_t>(before.size())) << c.rule;
      for (std::size_t i = 0; i < test::MixedLogicalLines().size(); ++i) {
        if (test::MixedLogicalLines()[i].find(c.find) != std::string::npos) continue;
        const auto now = e.GetPara(static_cast<int32_t>(i) + 1);
        EXPECT_EQ(std::string(now.begin(), now.end()), before[i]) << c.rule << " line " << i;
      }
      e.SaveToFile(path);
      EXPECT_EQ(temp_.ReadFile("mixed.txt"), test::SedOutput(temp_.Path(""), c.sed, file))
          << c.rule << (english ? " in an English document" : " in a Hebrew document");
    }
  }
}

TEST_F(EditorHandOffTest, RulesMatchTheStoredOrderOfAVisualForm) {
  // A .NVW keeps the storage order, and its rules see that order.
  SetConvMode(0);
  const std::string path = WriteTemp("visual.nvw", "\xF9\xEC\xE5\xED kciuq\r\n");
  THebTextEditor e;
  e.SetEngm(false);
  e.LoadFromFile(path);
  ASSERT_FALSE(e.LogicalOrder());
  FilterEditorText(e, "", std::vector<std::string>{"kciuq=wols"});
  EXPECT_EQ(Paras(e), "\xF9\xEC\xE5\xED wols|");
}

TEST_F(EditorHandOffTest, FilesAreReadInPiecesThatEndAtALineEnd) {
  struct Case {
    std::string bytes;
    std::size_t block;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {"ab\r\ncd\r\nef", 4, {"ab\r\n", "cd\r\n", "ef"}},
      // A CR LF pair is never split; a line longer than a block reads on.
      {"abc\r\nd\n", 4, {"abc\r\nd\n"}},
      {"ab\r\ncdef\r\n", 4, {"ab\r\n", "cdef\r\n"}},
      {"abcdefghij\r\nk", 3, {"abcdefghij\r\n", "k"}},
      {"a\nb\nc\n", 64, {"a\nb\nc\n"}},
      {"", 8, {}},
  };
  for (const Case& c : cases) {
    const std::string path = WriteTemp("pieces.txt", c.bytes);
    TLineFileReader reader(path, c.block);
    std::vector<std::string> got;
    for (auto piece = reader.Next(); !piece.empty(); piece = reader.Next()) got.emplace_back(piece.begin(), piece.end());
    EXPECT_EQ(got, c.pieces) << c.bytes;
  }
}

TEST_F(EditorHandOffTest, ALargeTextGoesThroughInPieces) {
  // Some megabytes of lines, several pieces each way: the result is the
  // rules run over the whole text at once.
  std::string text;
  for (int i = 0; text.size() < 2'500'000; ++i) text += "line " + std::to_string(i) + " of \xE0\xE1 text\r\n";
  const std::vector<std::string> rules = {"\xE0\xE1=\xE1\xE0", "{#}{#}$=&1&0$"};
  Load(text);
  FilterEditorText(editor, "", rules);
  // The rules read the text as it reads: this English document keeps its
  // Hebrew reversed.
  const auto turnLines = [](std::vector<uint8_t> lines) {
    for (auto start = lines.begin(); start != lines.end();) {
      const auto end = std::find(start, lines.end(), '\r');
      StorageToLogical(true, std::span<uint8_t>(&*start, static_cast<std::size_t>(end - start)));
      start = end == lines.end() ? end : end + 2;
    }
    return lines;
  };
  const std::vector<uint8_t> whole =
      turnLines(RunRules(CompileRules(rules), turnLines(std::vector<uint8_t>(text.begin(), text.end()))));
  EXPECT_TRUE(EditorLines(editor) == whole);
  EXPECT_EQ(editor.ParaCount(), std::count(text.begin(), text.end(), '\n') + 1);
}

}  // namespace
}  // namespace nuvel::tools
