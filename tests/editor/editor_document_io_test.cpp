#include "editor/editor_document_io.h"

#include <gtest/gtest.h>

#include <random>

#include "core/conv_engine.h"
#include "formats/text_conversion.h"
#include "tests/formats/formats_test_support.h"
#include "tests/formats/load_test_target.h"

namespace nuvel::test {
namespace {

class EditorDocumentIoTest : public FormatsTest {};

TEST_F(EditorDocumentIoTest, LoadConvertsWithoutModifiedFlagOrUndoHistory) {
  TNvcTextFileEditor e;
  e.LoadString("old text");
  const ConvContext windows{kConvCp1255};
  const std::string name = WriteTemp("d.nvs", "\x80\x81\x14\r\nline\x14\r\n");
  const TLoadResult r = LoadEditorFromFile(e, name, windows, 255, false);
  EXPECT_EQ(r.rule.row, 'c');
  EXPECT_EQ(e.Text(), "\xE0\xE1\r\nline\r\n");
  EXPECT_FALSE(e.Modified());
  EXPECT_FALSE(e.CanUndo());

  const std::string pointed = WriteTemp("p.txt", "\xE1\xCCx\r\n");
  LoadEditorFromFile(e, pointed, windows, 0, false);
  EXPECT_EQ(e.Text(), "\x81x\r\n");
  EXPECT_FALSE(e.Modified());  // saving it gives back the file's bytes
  EXPECT_FALSE(e.CanUndo());
}

// A text file's lines are converted, and turned into storage order, as they
// are read: the editor must hold what reading the lines as they are, the
// editor trimming their trailing blanks (but for Windows-1255 text, another
// program's, which keeps them), and converting the whole text afterwards
// gives. Random lines of pointed Hebrew, English, numbers with
// separators and signs, brackets, tabs and trailing blanks, in both
// directions and in a mode that composes and one that only maps bytes.
TEST_F(EditorDocumentIoTest, LinesConvertedAsTheyAreReadMatchAConversionAfterReading) {
  std::mt19937 random(1255);
  const std::string pool = "\xE0\xE1\xE5\xEC\xF9\xFA\xC8\xCC\xC9\xD1\xD2\xC4" "abcXYZ0123456789.,+-$%()[] \t\x93";
  std::string file;
  for (int line = 0; line < 3000; ++line) {
    const std::size_t length = random() % 40;
    for (std::size_t k = 0; k < length; ++k) file += pool[random() % pool.size()];
    if (random() % 4 == 0) file += random() % 2 ? "  " : " \t";
    file += "\r\n";
  }
  const std::string name = WriteTemp("mixed.txt", file);
  for (const int mode : {int{kConvCp1255}, int{kConvNuvelDos}}) {
    for (const bool english : {false, true}) {
      TNvcTextFileEditor e;
      const TLoadResult r = LoadEditorFromFile(e, name, ConvContext{mode}, 0, false, english);
      ASSERT_EQ(r.rule.reader, TReaderKind::Lines);

      TestLoadTarget expected;
      expected.conversion = ConvContext{mode};
      LoadDocumentBytes(expected, {r.rule.row, TReaderKind::Lines, TLoadPass::None, 0},
                        std::span(reinterpret_cast<const uint8_t*>(file.data()), file.size()), false, {});
      for (auto& p : expected.paras.Paras()) {
        while (mode != kConvCp1255 && !p.empty() && (p.back() == ' ' || p.back() == '\t')) p.pop_back();
      }
      const TConvertReport report =
          ConvertText(expected, mode, false, mode == kConvCp1255 ? std::optional<bool>(english) : std::nullopt);

      // The editor ends with the empty paragraph after the last line end.
      ASSERT_EQ(static_cast<std::size_t>(e.ParaCount()), expected.paras.Paras().size() + 1) << mode << english;
      EXPECT_TRUE(e.GetPara(e.ParaCount()).empty());
      for (int32_t p = 1; p < e.ParaCount(); ++p) {
        const auto got = e.GetPara(p);
        ASSERT_EQ(std::vector<uint8_t>(got.begin(), got.end()), expected.paras.Paras()[p - 1])
            << "mode " << mode << (english ? " English" : " Hebrew") << " paragraph " << p;
      }
      EXPECT_EQ(r.conversion.changed, report.changed) << mode << english;
      EXPECT_EQ(r.conversion.lostChars, report.lostChars) << mode << english;
      EXPECT_EQ(e.Modified(), report.changed) << mode << english;
    }
  }
}

TEST_F(EditorDocumentIoTest, SaveWorksOnACopyAndClearsTheModifiedFlag) {
  TNvcTextFileEditor e;
  e.LoadString("\x81 one");
  e.SetCaretPosition(1, 2);
  e.InsertString("x");
  ASSERT_TRUE(e.CanUndo());
  ASSERT_TRUE(e.Modified());
  const std::string before = e.Text();
  TSaveRequest request = SaveRequestFor(e, temp_.Path("s.rtf").string());
  request.englishDocument = true;
  const TSaveResult r = SaveEditorToFile(e, request);
  EXPECT_EQ(r.status, TSaveStatus::Saved);
  EXPECT_NE(temp_.ReadFile("s.rtf").find("\\'e1\\'ccx one\\par"), std::string::npos);
  EXPECT_EQ(e.Text(), before);
  EXPECT_TRUE(e.CanUndo());
  EXPECT_FALSE(e.Modified());

  // A refused save leaves the document modified.
  e.InsertString("y");
  EXPECT_EQ(SaveEditorToFile(e, SaveRequestFor(e, temp_.Path("s.pdb").string())).status, TSaveStatus::RefusedPalm);
  EXPECT_TRUE(e.Modified());
}

TEST_F(EditorDocumentIoTest, SaveRequestCarriesTheEditorsWrapAndBackup) {
  TNvcTextFileEditor e;
  e.LoadString("abc");
  e.SetWordWrap(true);
  e.SetWrapColumn(40);
  e.SetMakeBackup(true);
  const TSaveRequest r = SaveRequestFor(e, "x.txt");
  EXPECT_EQ(r.wrap.wrapColumn, 40);
  EXPECT_EQ(r.wrap.tabSize, e.TabSize());
  EXPECT_TRUE(r.makeBackup);
  EXPECT_EQ(r.backupExt, "BAK");
  // The paragraphs are the editor's own, read when the file is written.
  ASSERT_EQ(r.ParagraphCount(), 1u);
  const auto first = r.Paragraph(0);
  EXPECT_EQ(std::vector<uint8_t>(first.begin(), first.end()), B("abc"));
}

TEST_F(EditorDocumentIoTest, SelectionChunks) {
  TNvcTextFileEditor e;
  e.LoadString("abc\r\ndef\r\nghi");
  EXPECT_TRUE(SelectionChunks(e).empty());
  e.SetSelection(1, 2, 3, 2, true);
  const auto chunks = SelectionChunks(e);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(S(chunks[0]), "bc");
  EXPECT_EQ(S(chunks[1]), "def");
  EXPECT_EQ(S(chunks[2]), "g");
}

}  // namespace
}  // namespace nuvel::test
