// The user's choice of direction keeps the text of a document kept in
// logical order as it reads, so that saving it gives back its file; a
// document of the system's visual forms keeps its bytes.
#include <gtest/gtest.h>

#include "core/border_order.h"
#include "core/conv_engine.h"
#include "editor/heb_text_editor.h"
#include "tests/editor/mixed_logical_text.h"
#include "tests/formats/formats_test_support.h"

namespace nuvel::test {
namespace {

class DirectionChoice : public FormatsTest {
 protected:
  std::vector<std::string> Stored(const THebTextEditor& e) {
    std::vector<std::string> out;
    for (int32_t p = 1; p <= e.ParaCount(); ++p) {
      const auto b = e.GetPara(p);
      out.emplace_back(b.begin(), b.end());
    }
    return out;
  }
};

TEST_F(DirectionChoice, ALogicalFileKeepsItsTextAndSavesBackAsItWas) {
  const std::string file = MixedLogicalFile();
  for (const bool english : {true, false}) {
    SetConvMode(kConvCp1255);
    const std::string path = WriteTemp("mixed.txt", file);
    THebTextEditor e;
    e.SetEngm(english);
    e.LoadFromFile(path);
    ASSERT_TRUE(e.LogicalOrder());
    ASSERT_EQ(e.Engm(), english);
    ASSERT_FALSE(e.Modified());
    // An edit before the choice: the empty line gets a letter.
    e.SetCaretPosition(7, 1);
    e.InsertString("x");
    ASSERT_TRUE(e.CanUndo());
    const std::vector<std::string> before = Stored(e);

    e.ChooseDirection(!english);
    EXPECT_EQ(e.Engm(), !english);
    EXPECT_TRUE(e.Modified());
    // The turned text leaves no undo step that reads the old order.
    EXPECT_FALSE(e.CanUndo());
    const std::vector<std::string> after = Stored(e);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      // Each paragraph reads the same: turned out of the new order it is the
      // paragraph turned out of the old one.
      std::vector<uint8_t> was(before[i].begin(), before[i].end());
      std::vector<uint8_t> now(after[i].begin(), after[i].end());
      StorageToLogical(english, was);
      StorageToLogical(!english, now);
      EXPECT_EQ(now, was) << "english " << english << " paragraph " << i;
    }
    e.SaveToFile(path);
    std::string edited = file;
    edited.insert(edited.find("\r\n\r\n") + 2, "x");
    EXPECT_EQ(temp_.ReadFile("mixed.txt"), edited) << "english " << english;
  }
}

TEST_F(DirectionChoice, AVisualFormKeepsItsBytes) {
  const std::string file = "hello \xF9\xEC\xE5\xED (12)\r\n\xF9\xEC\xE5\xED dlrow\r\n";
  for (const bool english : {true, false}) {
    SetConvMode(0);
    const std::string path = WriteTemp("visual.nvw", file);
    THebTextEditor e;
    e.SetEngm(english);
    e.LoadFromFile(path);
    ASSERT_FALSE(e.LogicalOrder());
    const std::vector<std::string> before = Stored(e);
    e.ChooseDirection(!english);
    EXPECT_EQ(e.Engm(), !english);
    EXPECT_EQ(Stored(e), before);
    e.SetModified(true);
    e.SaveToFile(path);
    EXPECT_EQ(temp_.ReadFile("visual.nvw"), file);
  }
}

TEST_F(DirectionChoice, ANewDocumentIsKeptInLogicalOrder) {
  THebTextEditor e;
  e.SetEngm(false);
  EXPECT_TRUE(e.LogicalOrder());
  e.LoadString("\xF9\xEC\xE5\xED dlrow olleh");
  e.ChooseDirection(true);
  EXPECT_EQ(std::string(e.GetPara(1).begin(), e.GetPara(1).end()), "\xED\xE5\xEC\xF9 hello world");
}

TEST_F(DirectionChoice, OpeningAFileTakesItsDirectionOnlyWhenAsked) {
  SetConvMode(kConvCp1255);
  const std::string path = WriteTemp("english.txt", "The quick brown fox\r\n");
  for (const bool asked : {true, false}) {
    THebTextEditor e;
    e.SetEngm(false);
    e.SetDirectionFromContent(asked);
    e.LoadFromFile(path);
    EXPECT_EQ(e.Engm(), asked);
    const auto first = e.GetPara(1);
    EXPECT_EQ(std::string(first.begin(), first.end()), asked ? "The quick brown fox" : "xof nworb kciuq ehT");
  }
}

}  // namespace
}  // namespace nuvel::test
