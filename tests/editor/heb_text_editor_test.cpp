#include "editor/heb_text_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/command_numbers.h"
#include "core/exceptions.h"
#include "core/conv_mode.h"
#include "core/shared_state.h"
#include "editor/save_document.h"
#include "tests/support/recording_message_sink.h"
#include "editor/clipboard_service.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/support/reading_order.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// A temporary program folder that the settings read.
struct TProgramFolder {
  TProgramFolder() : saved(ProgPath) { ProgPath = folder.Folder(); }
  ~TProgramFolder() { ProgPath = saved; }
  test::TempProgramFolder folder;
  std::string saved;
};

TEST(HebTextEditorFonts, FromTheSettings) {
  struct Case {
    std::string ini;
    FontDescriptor english;
    FontDescriptor hebrew;
    bool hebScreenFont;
  };
  const Case cases[] = {
      {"", {"Courier New", 11, {}}, {"VoraziRARO Vor", 11, {}}, true},
      {"[GENPREFS]\r\nCurFont=Arial~12~3\r\n", {"Arial", 12, {3}}, {"VoraziRARO Vor", 11, {}}, true},
      {"[GENPREFS]\r\nCurFont2=DejaVu Sans Mono~14~0\r\n", {"Courier New", 11, {}}, {"DejaVu Sans Mono", 14, {}},
       false},
      // A malformed value falls back to that font's default.
      {"[GENPREFS]\r\nCurFont=Arial\r\nCurFont2=Mono~big~1\r\n", {"Courier New", 11, {}},
       {"VoraziRARO Vor", 11, {}}, true},
  };
  for (const Case& c : cases) {
    TProgramFolder program;
    program.folder.WriteFile("NuvelW.INI", c.ini);
    const TEditorFontSettings fonts = ReadEditorFontSettings();
    EXPECT_EQ(fonts.English, c.english) << c.ini;
    EXPECT_EQ(fonts.Hebrew, c.hebrew) << c.ini;
    THebTextEditor editor;  // never raises for a bad setting
    EXPECT_EQ(editor.HebScreenFont(), c.hebScreenFont) << c.ini;
  }
}

TEST(HebTextEditor, StartValues) {
  test::TempProgramFolder folder;
  THebTextEditor editor;
  EXPECT_EQ(editor.Disk_Conv(), 255);
  EXPECT_EQ(editor.Tr_Type_FL(), -1);
  EXPECT_TRUE(editor.Engm());
  EXPECT_FALSE(editor.SEng());
  EXPECT_FALSE(editor.OV());
  EXPECT_FALSE(editor.PersistentBlocks());
  EXPECT_FALSE(editor.ParaList().PersistentBlocks());
  EXPECT_FALSE(editor.SheimFiltered());
  EXPECT_FALSE(editor.EngSheimFiltered());
  editor.SetDisk_Conv(9);  // not checked
  EXPECT_EQ(editor.Disk_Conv(), 9);
}

TEST(HebTextEditor, AppendParaTextSplitsLongLinesAtWordBreaks) {
  test::TempProgramFolder folder;
  THebTextEditor editor;
  std::string line;
  while (line.size() < 40000) line += "word ";
  line.resize(40000);
  const auto bytes = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(line.data()), line.size());
  EXPECT_EQ(editor.AppendParaText(bytes, 40000), 0);
  ASSERT_EQ(editor.ParaCount(), 3);  // two pieces before the last, empty paragraph
  const auto first = editor.GetPara(1);
  EXPECT_LE(first.size(), 32767u);
  // Cut where a word starts; the trailing blank of each paragraph is trimmed.
  const auto second = editor.GetPara(2);
  EXPECT_EQ(std::string(first.end() - 4, first.end()), "word");
  EXPECT_EQ(std::string(second.begin(), second.begin() + 5), "word ");
  EXPECT_EQ(first.size() + 1 + second.size() + 1, 40000u);
  // Only the first FirstLength bytes are taken.
  const std::string abc = "abcdef";
  EXPECT_EQ(editor.AppendParaText(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(abc.data()), 6), 3), 0);
  const auto third = editor.GetPara(3);
  EXPECT_EQ(std::string(third.begin(), third.end()), "abc");
  // A paragraph limit that is reached is returned, not raised.
  editor.SetParaLimit(2);
  EXPECT_NE(editor.AppendParaText(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(abc.data()), 6), 6), 0);
}

TEST(HebTextEditor, CutWord) {
  test::TempProgramFolder folder;
  struct Case {
    std::string text;
    int32_t caret;
    std::string cut;
    std::string left;
  };
  const Case cases[] = {
      {"one two three", 6, "two ", "one three"},   // inside the word, with the blank after it
      {"one two three", 8, "two ", "one three"},   // on the blank after the word
      {"one two three", 1, "one ", "two three"},
      {"one two", 8, "two", "one "},               // at the line end
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(40, 5);
    f.editor.LoadString(c.text);
    f.editor.SetCaretPosition(1, c.caret);
    f.editor.CutWord();
    EXPECT_EQ(f.editor.cut, c.cut) << c.text << " @" << c.caret;
    EXPECT_EQ(f.Para(1), c.left) << c.text << " @" << c.caret;
  }
  // A selection is cut as it stands; a read-only editor changes nothing.
  test::THebEditorFixture f(40, 5);
  f.editor.LoadString("one two three");
  f.editor.SetSelection(1, 2, 1, 4, true);
  f.editor.CutWord();
  EXPECT_EQ(f.editor.cut, "ne");
  f.editor.SetReadOnly(true);
  f.editor.SetCaretPosition(1, 3);
  f.editor.CutWord();
  EXPECT_EQ(f.Para(1), "o two three");
  EXPECT_FALSE(f.editor.HasSelection());
}

TEST(HebTextEditor, LoadsThroughTheFormatsAndKeepsTheLineEnds) {
  TProgramFolder program;
  test::TempProgramFolder& folder = program.folder;
  struct Case {
    std::string bytes;
    std::vector<std::string> paras;
    bool modified;
    bool lf;
  };
  // The readers append before the editor's last, empty paragraph.
  const Case cases[] = {
      {"one\r\ntwo\r\nthree", {"one", "two", "three", ""}, false, false},
      {"one\ntwo\n", {"one", "two", ""}, false, true},
      {"", {""}, false, false},
      {std::string("a\0b\r\n", 5), {"ab", ""}, true, false},
  };
  for (const Case& c : cases) {
    folder.WriteFile("doc.txt", c.bytes);
    test::THebEditorFixture f(40, 5);
    f.editor.SetFileName(folder.Folder() + "doc.txt");
    f.editor.SetIsOpen(true);
    EXPECT_TRUE(f.editor.IsOpen());
    std::vector<std::string> paras;
    for (int32_t n = 1; n <= f.editor.ParaCount(); ++n) paras.push_back(f.Para(n));
    EXPECT_EQ(paras, c.paras);
    EXPECT_EQ(f.editor.Modified(), c.modified);
    EXPECT_EQ(f.editor.LfLineEnds(), c.lf);
    EXPECT_FALSE(f.editor.CanUndo());
  }
  test::THebEditorFixture f(40, 5);
  f.editor.SetFileName(folder.Folder() + "missing.txt");
  EXPECT_THROW(f.editor.SetIsOpen(true), EInOutError);
  EXPECT_FALSE(f.editor.IsOpen());
}

TEST(HebTextEditor, SavesACopyAndKeepsLfLineEnds) {
  TProgramFolder program;
  test::TempProgramFolder& folder = program.folder;
  folder.WriteFile("doc.txt", "one\ntwo\n");
  test::THebEditorFixture f(40, 5);
  f.editor.SetFileName(folder.Folder() + "doc.txt");
  f.editor.SetIsOpen(true);
  f.editor.SetCaretPosition(1, 4);
  f.editor.InsertString("!");
  ASSERT_TRUE(f.editor.Modified());
  f.editor.SaveToFile(folder.Folder() + "doc.txt");
  EXPECT_EQ(folder.ReadFile("doc.txt"), "one!\ntwo\n");
  EXPECT_FALSE(f.editor.Modified());
  EXPECT_TRUE(f.editor.CanUndo());

  // A Palm name is refused and the document stays modified.
  f.editor.InsertString("?");
  f.editor.SaveToFile(folder.Folder() + "book.pdb");
  EXPECT_TRUE(f.editor.Modified());
  EXPECT_EQ(folder.ReadFile("book.pdb"), "");
  // A folder that cannot be made raises and keeps the flag.
  folder.WriteFile("plain", "x");
  EXPECT_THROW(f.editor.SaveToFile(folder.Folder() + "plain/doc.txt"), EInOutError);
  EXPECT_TRUE(f.editor.Modified());
}

// A save into a form whose conversion cannot hold the document's points
// asks first, naming them; Cancel writes nothing, Save anyway writes and
// keeps the file as it was as the backup copy, and the same file is not
// asked about again.
TEST(HebTextEditor, SaveThatWouldLosePointsAsksFirst) {
  TProgramFolder program;
  test::TempProgramFolder& folder = program.folder;
  // The shipped conversion tables.
  const std::string dataFile = DataFileName;
  DataFileName = "DIDOD.drf";
  folder.CopyShippedFile("DIDOD.drf");
  struct PutBack {
    std::string name;
    ~PutBack() {
      DataFileName = name;
      SetConvMode(kConvNone);
    }
  } putBack{dataFile};
  SetConvMode(kConvCp1255);  // the documents made below convert by it
  struct Case {
    const char* file;
    std::string text;   // the document, in the system's set
    const char* named;  // in the question; null: no question
  } cases[] = {
      {"dagesh.nvs", "\x81\xC8", "dagesh: 1"},
      {"dots.nvs", "\x95 \x9B", "shin dot: 1, sin dot: 1"},
      {"segol.3t", "\xE0\xC1", "hataf segol: 1"},
      {"plain.nvs", "\xF9\xEC\xE5\xED", nullptr},
      {"windows.txt", "\x81\xC8 \x95", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    test::RecordingMessageSink sink;
    test::THebEditorFixture f(40, 5);
    f.editor.InsertString(c.text);
    f.editor.SaveToFile(folder.Folder() + c.file);
    if (c.named == nullptr) {
      EXPECT_TRUE(sink.requests.empty());
      EXPECT_FALSE(f.editor.Modified());
      continue;
    }
    ASSERT_EQ(sink.requests.size(), 1u);
    EXPECT_NE(sink.requests[0].text.find(c.named), std::string::npos) << sink.requests[0].text;
    EXPECT_EQ(sink.requests[0].buttons, platform::mbYes | platform::mbCancel);
    EXPECT_EQ(sink.requests[0].yesCaption, "Save anyway");
    EXPECT_TRUE(f.editor.Modified()) << "cancelled";
    EXPECT_FALSE(std::filesystem::exists(folder.Folder() + c.file));
  }

  // Over a file that exists: it stays as the backup copy.
  folder.WriteFile("old.nvs", "old\r\n");
  test::RecordingMessageSink sink;
  sink.answers = {platform::mrYes};
  test::THebEditorFixture f(40, 5);
  f.editor.InsertString("\x81");
  const std::string name = folder.Folder() + "old.nvs";
  f.editor.SaveToFile(name);
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find("backup copy"), std::string::npos);
  EXPECT_FALSE(f.editor.Modified());
  EXPECT_EQ(test::ReadWholeFile(BackupFileName(name, f.editor.BackupExt())), "old\r\n");
  EXPECT_NE(folder.ReadFile("old.nvs"), "old\r\n");
  f.editor.InsertString("\x81");
  f.editor.SaveToFile(name);
  EXPECT_EQ(sink.requests.size(), 1u) << "asked once for the file";
  EXPECT_FALSE(f.editor.Modified());
}

class TRecordingClipboard : public TClipboardService {
 public:
  void Put(const TClipboardCopy& c) override { copy = c; }
  TClipboardPaste Read() override { return paste; }
  TClipboardCopy copy;
  TClipboardPaste paste;
};

TEST(HebTextEditor, CopyAndPasteThroughTheClipboardService) {
  TRecordingClipboard clipboard;
  TClipboardService* before = SetClipboardService(&clipboard);
  const int mode = GetConvMode();
  SetConvMode(0);
  THebTextEditor e;
  e.LoadString("ab\tc\r\nde");
  EXPECT_FALSE(e.CopyToClipboard());  // no selection
  e.SetSelection(1, 2, 2, 2, true);
  EXPECT_TRUE(e.CopyToClipboard());
  EXPECT_EQ(std::string(clipboard.copy.bytes.begin(), clipboard.copy.bytes.end()), "b c\r\nd");
  clipboard.paste.bytes = std::vector<uint8_t>{'x', 13, 10, 'y'};
  e.SetCaretPosition(1, 1);
  e.PasteFromClipboard();
  EXPECT_EQ(e.Text(), "x\r\nyab\tc\r\nde");
  e.SetReadOnly(true);
  e.PasteFromClipboard();
  EXPECT_EQ(e.Text(), "x\r\nyab\tc\r\nde");
  SetConvMode(mode);
  SetClipboardService(before);
}

// Text of other programs is pasted in reading order at the caret in
// reading order: after an English word typed into Hebrew it follows the
// word, whatever cell the caret is shown in.
TEST(HebTextEditor, PasteGoesInAtTheCaretInReadingOrder) {
  TRecordingClipboard clipboard;
  TClipboardService* before = SetClipboardService(&clipboard);
  struct Case {
    bool english;
    std::string line;
    int32_t col;
    std::u16string pasted;
    std::vector<std::string> after;
    int32_t caretCol;
  } const cases[] = {
      {false, test::Own("שלום Hello"), 11, u" world", {test::Own("שלום Hello world")}, 6},
      {true, "abc", 2, u"\u05E9\u05DC\u05D5\u05DD", {test::Own("aשלוםbc")}, 2},
      {false, test::Own("אב"), 2, u"x\r\ny", {test::Own("אx"), test::Own("yב")}, 1},
  };
  for (const Case& c : cases) {
    THebTextEditor e;
    test::LoadLogical(e, c.english, {c.line});
    e.SetCaretPosition(1, c.col);
    clipboard.paste = {};
    clipboard.paste.unicodeText = c.pasted;
    e.PasteFromClipboard();
    EXPECT_EQ(test::LogicalParas(e), c.after) << c.line;
    EXPECT_EQ(e.CaretCol(), c.caretCol) << c.line;
    e.DoCommand(ccUndo, 0);
    EXPECT_EQ(test::LogicalParas(e), std::vector<std::string>{c.line}) << "one undo step";
  }
  SetClipboardService(before);
}

}  // namespace
}  // namespace nuvel
