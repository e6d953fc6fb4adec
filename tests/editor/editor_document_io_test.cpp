#include "editor/editor_document_io.h"

#include <gtest/gtest.h>

#include "tests/formats/formats_test_support.h"

namespace nuvel::test {
namespace {

class EditorDocumentIoTest : public FormatsTest {};

TEST_F(EditorDocumentIoTest, LoadConvertsWithoutModifiedFlagOrUndoHistory) {
  TNvcTextFileEditor e;
  e.LoadString("old text");
  SetConvMode(2);
  const std::string name = WriteTemp("d.nvs", "\x80\x81\x14\r\nline\x14\r\n");
  const TLoadResult r = LoadEditorFromFile(e, name, 255, false);
  EXPECT_EQ(r.rule.row, 'c');
  EXPECT_EQ(e.Text(), "\xE0\xE1\r\nline\r\n");
  EXPECT_FALSE(e.Modified());
  EXPECT_FALSE(e.CanUndo());
  EXPECT_EQ(GetConvMode(), 2);

  const std::string pointed = WriteTemp("p.txt", "\xE1\xCCx\r\n");
  LoadEditorFromFile(e, pointed, 0, false);
  EXPECT_EQ(e.Text(), "\x81x\r\n");
  EXPECT_FALSE(e.Modified());  // saving it gives back the file's bytes
  EXPECT_FALSE(e.CanUndo());
}

TEST_F(EditorDocumentIoTest, SaveWorksOnACopyAndClearsTheModifiedFlag) {
  TNvcTextFileEditor e;
  e.LoadString("\x81 one");
  e.SetCaretPosition(1, 2);
  e.InsertString("x");
  ASSERT_TRUE(e.CanUndo());
  ASSERT_TRUE(e.Modified());
  const std::string before = e.Text();
  SetConvMode(0);
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
