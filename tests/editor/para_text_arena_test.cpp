#include "editor/para_text_arena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "editor/para_list.h"
#include "tests/editor/para_list_test_support.h"

namespace nuvel::test {
namespace {

TEST(ParaTextArena, TextsKeepTheirBytesAndBlocksGoWithTheirLastText) {
  const std::size_t before = TParaTextArena::BlocksInUse();
  std::mt19937 rng(5);
  struct Text {
    uint8_t* at;
    std::string bytes;
  };
  std::vector<Text> texts;
  {
    TParaTextArena arena;
    EXPECT_EQ(arena.Allocate(0), nullptr);
    EXPECT_EQ(arena.Allocate(TParaTextArena::kLargestText + 1), nullptr) << "too large: the caller allocates";
    std::size_t total = 0;
    while (total < 3 * TParaTextArena::kBlockBytes) {
      const std::size_t size = rng() % 4 == 0 ? TParaTextArena::kLargestText : 1 + rng() % 200;
      Text t{arena.Allocate(size), std::string(size, static_cast<char>('a' + texts.size() % 26))};
      ASSERT_NE(t.at, nullptr);
      std::memcpy(t.at, t.bytes.data(), size);
      texts.push_back(std::move(t));
      total += size;
    }
    EXPECT_GE(TParaTextArena::BlocksInUse(), before + 3);
    // No text overlaps another: each still holds its own bytes.
    for (const Text& t : texts) ASSERT_EQ(std::memcmp(t.at, t.bytes.data(), t.bytes.size()), 0);
    // Letting go of all but the last text frees every full block.
    std::shuffle(texts.begin(), texts.end() - 1, rng);
    for (std::size_t i = 0; i + 1 < texts.size(); ++i) TParaTextArena::Release(texts[i].at);
    EXPECT_EQ(TParaTextArena::BlocksInUse(), before + 1) << "the block being filled stays";
    EXPECT_EQ(std::memcmp(texts.back().at, texts.back().bytes.data(), texts.back().bytes.size()), 0);
  }
  EXPECT_EQ(TParaTextArena::BlocksInUse(), before + 1) << "its last text still lives";
  TParaTextArena::Release(texts.back().at);
  EXPECT_EQ(TParaTextArena::BlocksInUse(), before);
}

// Paragraphs loaded into a list live in its arena; edits, deletions and
// their undoing keep every text right, and nothing stays behind the list.
TEST(ParaTextArena, LoadedParagraphsSurviveEditsAndUndo) {
  const std::size_t before = TParaTextArena::BlocksInUse();
  std::mt19937 rng(11);
  std::vector<std::string> model;
  {
    TNvcParaList list(nullptr, true, 65535);
    list.SetWrapColumn(30);
    for (int i = 0; i < 40000; ++i) {
      std::string p = std::to_string(i) + " paragraph " + std::string(rng() % 90, 'x');
      if (i % 7 == 0) p.clear();
      if (i % 5 == 0) p += "  ";  // trailing blanks go with trimming
      ASSERT_EQ(list.AppendPara(B(p), true), 0);
      while (!p.empty() && p.back() == ' ') p.pop_back();
      model.push_back(p);
    }
    model.emplace_back();  // the list's own last paragraph
    EXPECT_EQ(Paras(list), model);
    EXPECT_GT(TParaTextArena::BlocksInUse(), before);
    const std::vector<std::string> loaded = model;

    for (int k = 0; k < 3000; ++k) {
      const auto para = 1 + static_cast<uint32_t>(rng() % (model.size() - 1));
      std::string& m = model[para - 1];
      switch (rng() % 4) {
        case 0: {  // typing moves the text out of the arena
          const auto pos = static_cast<uint32_t>(rng() % (m.size() + 1));
          ASSERT_EQ(list.InsertText(nullptr, para, B("typed"), pos + 1), 0);
          m.insert(pos, "typed");
          break;
        }
        case 1:  // deleting keeps it where it is
          if (!m.empty()) {
            const auto pos = static_cast<uint32_t>(rng() % m.size());
            list.DeleteText(nullptr, para, pos + 1, 1);
            m.erase(pos, 1);
          }
          break;
        case 2:
          if (model.size() > 2) {
            list.DeletePara(nullptr, para);
            model.erase(model.begin() + para - 1);
          }
          break;
        case 3: {
          const std::string with = "replaced " + std::to_string(k);
          ASSERT_EQ(list.ReplaceText(nullptr, para, B(with), static_cast<uint32_t>(std::min<std::size_t>(m.size(), 3)), 1), 0);
          m.replace(0, std::min<std::size_t>(m.size(), 3), with);
          break;
        }
      }
    }
    EXPECT_EQ(Paras(list), model);
    TParaPos caret;
    while (list.CanUndo()) list.Undo(nullptr, caret);
    EXPECT_EQ(Paras(list), loaded);
  }
  EXPECT_EQ(TParaTextArena::BlocksInUse(), before) << "every block went with the list";
}

}  // namespace
}  // namespace nuvel::test
