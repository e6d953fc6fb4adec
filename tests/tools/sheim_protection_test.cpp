// Sheim Hashem protection on the load and save paths: a document read with
// protection on shows the protected names, and saving writes the names as
// they were while the editor keeps its protected text.
#include "tools/sheim_protection.h"

#include <gtest/gtest.h>

#include "editor/heb_text_editor.h"
#include "formats/para_vector.h"
#include "formats/sheim_filter_hook.h"
#include "tests/formats/formats_test_support.h"

namespace nuvel::tools {
namespace {

class SheimProtectionTest : public test::FormatsTest {
 protected:
  void SetUp() override {
    FormatsTest::SetUp();
    InstallSheimFilter();
  }
  void TearDown() override {
    SetSheimFilterHook(nullptr);
    FormatsTest::TearDown();
  }
};

// Counts the paragraphs replaced.
class CountingText : public TParaVector {
 public:
  using TParaVector::TParaVector;
  void ReplacePara(uint32_t index, std::span<const uint8_t> bytes) override {
    ++replaced;
    TParaVector::ReplacePara(index, bytes);
  }
  int replaced = 0;
};

TEST_F(SheimProtectionTest, ParagraphsWithANameAreReplaced) {
  CountingText text(TParagraphs{test::B("\xE0\xE1"), test::B("\xE9\xE4\xE5\xE4 \xE9\xE4."), {}, test::B("x")});
  ProtectParagraphs(text, 4);
  EXPECT_EQ(test::Strings(text.Paras()),
            (std::vector<std::string>{"\xE0\xE1", "\xE9\x5F\xE5\xE4 \xE9\x5F.", "", "x"}));
  EXPECT_EQ(text.replaced, 1);
  ProtectParagraphs(text, 5);
  EXPECT_EQ(test::S(text.Paras()[1]), "\xE9\xE4\xE5\xE4 \xE9\xE4.");
}

TEST_F(SheimProtectionTest, LoadProtectsAndSaveWritesTheNamesWhole) {
  const std::string original = "\xE1\xF9\xED \xE9\xE4\xE5\xE4\r\n\xE0\xEC\xE4\xE9\xED \xE0\xE1\r\n";
  const std::string doc = WriteTemp("doc.txt", original);
  // A Hebrew document: its Hebrew is stored as it is written.
  THebTextEditor editor;
  editor.SetEngm(false);
  editor.SetSheimFiltered(true);
  editor.SetFileName(doc);
  editor.LoadFromFile(doc);
  EXPECT_EQ(editor.Text(), "\xE1\xF9\xED \xE9\x5F\xE5\xE4\r\n\xE0\xEC\x5F\xE9\xED \xE0\xE1\r\n");
  EXPECT_FALSE(editor.Modified());

  editor.SaveToFile(temp_.Path("saved.txt").string());
  EXPECT_EQ(temp_.ReadFile("saved.txt"), original);
  EXPECT_EQ(editor.Text(), "\xE1\xF9\xED \xE9\x5F\xE5\xE4\r\n\xE0\xEC\x5F\xE9\xED \xE0\xE1\r\n");

  // Without protection nothing is changed either way.
  THebTextEditor plain;
  plain.SetEngm(false);
  plain.LoadFromFile(doc);
  EXPECT_EQ(plain.Text(), original);
}

}  // namespace
}  // namespace nuvel::tools
