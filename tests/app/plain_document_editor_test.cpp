#include "app/plain_document_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/exceptions.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

TEST(PlainDocumentEditor, LineEndsOfTheFileAreKept) {
  test::TempProgramFolder folder;
  struct Case { const char* what; std::string in; std::string text; std::string out; };
  const Case cases[] = {
      {"CR LF", "a\r\n\xF9\xEC\r\n", "a\r\n\xF9\xEC", "Xa\r\n\xF9\xEC\r\n"},
      {"LF only", "a\nb\n", "a\r\nb", "Xa\nb\n"},
      {"no final line end", "a\r\nb", "a\r\nb", "Xa\r\nb\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string name = folder.Path("doc.txt").string();
    std::ofstream(name, std::ios::binary) << c.in;
    PlainDocumentEditor e;
    e.LoadFromFile(name);
    EXPECT_EQ(e.Text(), c.text);
    EXPECT_FALSE(e.Modified());
    e.InsertString("X");
    e.SaveToFile(name);
    EXPECT_EQ(test::ReadWholeFile(name), c.out);
    EXPECT_FALSE(e.Modified());
  }
}

TEST(PlainDocumentEditor, FailedSaveKeepsTheTextModified) {
  test::TempProgramFolder folder;
  PlainDocumentEditor e;
  e.InsertString("abc");
  EXPECT_THROW(e.SaveToFile(folder.Path("missing/doc.txt").string()), EInOutError);
  EXPECT_TRUE(e.Modified());
  EXPECT_FALSE(std::filesystem::exists(folder.Path("missing")));
}

TEST(PlainDocumentEditor, MissingFileIsAnEmptyText) {
  test::TempProgramFolder folder;
  PlainDocumentEditor e;
  e.LoadFromFile(folder.Path("nothing.txt").string());
  EXPECT_EQ(e.TextLength(), 0);
}

}  // namespace
}  // namespace nuvel
