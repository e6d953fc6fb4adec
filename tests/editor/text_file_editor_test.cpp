#include "editor/text_file_editor.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/editor/editor_test_support.h"

namespace nuvel {
namespace {

// Records the loads; a name starting with "bad" fails.
class TRecordingFileEditor : public TNvcTextFileEditor {
 public:
  void LoadFromFile(const std::string& name) override {
    loads.push_back(name);
    if (name.rfind("bad", 0) == 0) throw std::runtime_error("cannot read");
    LoadString("loaded " + name);
  }
  std::vector<std::string> loads;
};

struct NameCase {
  std::string given, stored;
};
// Shown in the test's name as the name given.
void PrintTo(const NameCase& c, std::ostream* os) { *os << '"' << c.given << '"'; }

class FileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNameTest, OneTrailingDotIsDropped) {
  TNvcTextFileEditor e;
  e.SetFileName(GetParam().given);
  EXPECT_EQ(e.FileName(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileNameTest,
                         ::testing::Values(NameCase{"a.txt", "a.txt"}, NameCase{"readme.", "readme"},
                                           NameCase{".", "."}, NameCase{"x..", "x."},
                                           NameCase{"/tmp/Mixed.Case", "/tmp/Mixed.Case"}));

TEST(TextFileEditorTest, StartsClosedWithTheBackupDefaults) {
  TNvcTextFileEditor e;
  EXPECT_EQ(e.BackupExt(), "BAK");
  EXPECT_FALSE(e.MakeBackup());
  EXPECT_FALSE(e.IsOpen());
  e.SetBackupExt("BACKUP");
  EXPECT_EQ(e.BackupExt(), "BAC");
}

TEST(TextFileEditorTest, IsOpenLoadsAndANewNameClosesWithoutClearing) {
  TRecordingFileEditor e;
  e.SetIsOpen(true);
  EXPECT_FALSE(e.IsOpen()) << "no name, nothing happens";
  EXPECT_TRUE(e.loads.empty());
  e.SetFileName("one.txt");
  e.SetIsOpen(true);
  EXPECT_TRUE(e.IsOpen());
  EXPECT_EQ(e.Text(), "loaded one.txt");
  e.SetFileName("one.txt");
  EXPECT_TRUE(e.IsOpen()) << "the same name changes nothing";
  e.SetFileName("ONE.TXT");
  EXPECT_FALSE(e.IsOpen()) << "names compare exactly";
  EXPECT_EQ(e.Text(), "loaded one.txt") << "the text stays";
  e.SetIsOpen(true);
  EXPECT_EQ(e.Text(), "loaded ONE.TXT");
  e.SetIsOpen(false);
  EXPECT_EQ(e.Text(), "");
  EXPECT_EQ(e.loads, (std::vector<std::string>{"one.txt", "ONE.TXT"}));
}

TEST(TextFileEditorTest, AFailedLoadLeavesItClosedAndPassesTheErrorOn) {
  TRecordingFileEditor e;
  e.SetFileName("bad.txt");
  EXPECT_THROW(e.SetIsOpen(true), std::runtime_error);
  EXPECT_FALSE(e.IsOpen());
}

TEST(TextFileEditorTest, AttachTakesTheOtherTextAndItsName) {
  test::TFakeEditorHost hostA(40, 10), hostB(40, 10);
  TRecordingFileEditor a;
  TNvcTextFileEditor b;
  a.SetHost(&hostA);
  b.SetHost(&hostB);
  a.SetFileName("doc.txt");
  a.SetIsOpen(true);
  b.Attach(&a);
  EXPECT_EQ(b.FileName(), "doc.txt");
  EXPECT_EQ(b.Text(), "loaded doc.txt");
  b.SetHost(nullptr);
  a.SetHost(nullptr);
}

}  // namespace
}  // namespace nuvel
