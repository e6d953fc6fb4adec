#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <fstream>
#include <string>
#include <vector>

#include "textsearch/catalogue_files.h"
#include "textsearch/collection_walk.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

// A Texts folder made of the files and folders given, relative to it.
class TextsFolder {
 public:
  explicit TextsFolder(const std::string& tag = "") {
    root_ = fs::temp_directory_path() / ("nuvel-texts-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + tag);
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  ~TextsFolder() { fs::remove_all(root_); }
  void File(const std::string& rel, const std::string& text = "x") {
    fs::create_directories((root_ / rel).parent_path());
    std::ofstream(root_ / rel, std::ios::binary) << text;
  }
  void Folder(const std::string& rel) { fs::create_directories(root_ / rel); }
  const fs::path& Root() const { return root_; }

 private:
  fs::path root_;
};

// The program folder's texts and the user's own are one collection: each
// path is found in the first folder that holds it as a file.
TEST(CatalogueFiles, TextsOfBothFoldersMakeOneCollection) {
  TextsFolder program("-program"), user("-user");
  program.File("Tanach/Bereishis.nvw", "program");
  program.File("Tanach/Shemos.nvw", "program");
  program.Folder("Tanach/Vayikro.nvw");  // a folder where the user's file is
  user.File("tanach/SHEMOS.NVW", "user");
  user.File("Tanach/Vayikro.nvw", "user");
  user.File("Bavli/Zeroim/GBrochos.nvw", "user");
  CatalogueFiles files({program.Root(), user.Root()});
  const struct {
    const char* path;
    std::optional<fs::path> resolved;
  } cases[] = {
      {"Tanach\\Bereishis.nvw", program.Root() / "Tanach" / "Bereishis.nvw"},
      {"Tanach\\Shemos.nvw", program.Root() / "Tanach" / "Shemos.nvw"},
      {"Tanach\\Vayikro.nvw", user.Root() / "Tanach" / "Vayikro.nvw"},
      {"Bavli\\Zeroim\\GBrochos.nvw", user.Root() / "Bavli" / "Zeroim" / "GBrochos.nvw"},
      {"Bavli\\Zeroim\\GShabbos.nvw", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(files.IsFile(c.path), c.resolved.has_value()) << c.path;
    EXPECT_EQ(files.Resolve(c.path), c.resolved) << c.path;
  }
}

TEST(CatalogueFiles, NamesResolveWhateverTheirCase) {
  TextsFolder t;
  t.File("Tanach/Bereishis.nvw");
  t.File("tanach/SHEMOS.NVW");           // a second folder in another case
  t.File("BAVLI/zeroim/gbrochos.nvw");
  t.Folder("Tanach/Vayikro.nvw");        // a folder where a file is expected
  t.File("Tanach/Bamidbor.nvw.bak");
  CatalogueFiles files(t.Root());
  const struct {
    const char* path;
    bool isFile;
  } cases[] = {
      {"Tanach\\Bereishis.nvw", true},
      {"TANACH\\bereishis.NVW", true},
      {"Bavli\\Zeroim\\GBrochos.nvw", true},
      {"Bavli\\Zeroim", false},              // a folder
      {"Tanach\\Vayikro.nvw", false},        // a folder named like a file
      {"Tanach\\Bamidbor.nvw", false},       // missing
      {"Tanach\\Bereishis.nvw\\x", false},   // a file used as a folder
      {"Tosefto\\TBrochos.nvw", false},      // missing folder
  };
  for (const auto& c : cases) EXPECT_EQ(files.IsFile(c.path), c.isFile) << c.path;
  // The exact name wins over one in another case.
  EXPECT_EQ(files.Resolve("Tanach\\Bereishis.nvw"), t.Root() / "Tanach" / "Bereishis.nvw");
  EXPECT_EQ(files.Resolve("Bavli\\Zeroim\\GBrochos.nvw"), t.Root() / "BAVLI" / "zeroim" / "gbrochos.nvw");
  EXPECT_EQ(files.Resolve("Bavli/Zeroim"), t.Root() / "BAVLI" / "zeroim");
  EXPECT_FALSE(files.Resolve("Tanach\\Missing.nvw"));
  // One scan of each folder looked into: the root, Tanach, BAVLI and
  // zeroim; a file is never read as a folder.
  const int scans = files.Scans();
  EXPECT_EQ(scans, 4);
  for (const auto& c : cases) files.IsFile(c.path);
  EXPECT_EQ(files.Scans(), scans);
}

TEST(CollectionWalk, PercentRoundsHalfToEven) {
  const struct {
    int i, count, percent;
  } cases[] = {{0, 1, 100}, {0, 2, 0}, {1, 2, 100}, {1, 3, 50}, {1, 8, 14}, {1, 200, 1}, {1, 9, 12}, {3, 9, 38}};
  // 1/8 = 12.5 -> 12; 3/8 = 37.5 -> 38.
  for (const auto& c : cases) EXPECT_EQ(WalkPercent(c.i, c.count), c.percent) << c.i << "/" << c.count;
}

TEST(CollectionWalk, SearchesPresentTextsFromLastToFirst) {
  TextsFolder t;
  // Tanach: four books present, one of them a folder; the hit word in two.
  t.File("Tanach/Bereishis.nvw", "hit");
  t.File("Tanach/shemos.NVW", "none");
  t.File("Tanach/DEVORIM.NVW", "hit");
  t.Folder("Tanach/Yehoshua.nvw");
  t.File("Bavli/Zeroim/GBrochos.nvw", "hit");
  t.File("Bavli/Zeroim/MPeioh.nvw", "none");
  CatalogueFiles files(t.Root());
  const CatalogueTree tree = BuildCatalogueTree(true, [&files](std::string_view p) { return files.IsFile(p); });

  std::vector<std::string> searched;
  std::vector<std::string> events;
  CollectionWalkEvents ev;
  ev.outerProgress = [&events](int p) { events.push_back("outer " + std::to_string(p)); };
  ev.innerProgress = [&events](int p) { events.push_back("inner " + std::to_string(p)); };
  ev.innerDone = [&events] { events.push_back("done"); };
  ev.searchText = [&](int node, const fs::path& file) {
    searched.push_back(tree.nodes[static_cast<size_t>(node)].caption);
    std::ifstream in(file);
    std::string text;
    in >> text;
    return text == "hit";
  };

  // The Tanach: its 20 books from the last to the first.
  CollectionWalkResult r = WalkCollection(tree, tree.Item(1), files, ev);
  EXPECT_EQ(searched, (std::vector<std::string>{"Devorim", "Shemos", "Bereishis"}));
  ASSERT_EQ(r.hits.size(), 2u);
  EXPECT_EQ(tree.nodes[static_cast<size_t>(r.hits[0])].caption, "Devorim");
  EXPECT_EQ(tree.nodes[static_cast<size_t>(r.hits[1])].caption, "Bereishis");
  EXPECT_EQ(r.searched, 3);
  EXPECT_EQ(r.missing, 17);
  ASSERT_EQ(events.size(), 20u);
  EXPECT_EQ(events.front(), "outer 100");
  EXPECT_EQ(events.back(), "outer 0");

  // The root: collections from the last; the Bavli's order walked inside,
  // with the inner meter and its end.
  searched.clear();
  events.clear();
  r = WalkCollection(tree, 0, files, ev);
  EXPECT_EQ(searched, (std::vector<std::string>{"Peioh", "Brochos", "Devorim", "Shemos", "Bereishis"}));
  EXPECT_EQ(r.hits.size(), 3u);
  EXPECT_EQ(events.front(), "outer 100");
  EXPECT_NE(std::find(events.begin(), events.end(), "done"), events.end());

  // A single text, and a collection node without children.
  searched.clear();
  r = WalkCollection(tree, tree.Item(2), files, ev);
  EXPECT_EQ(searched, (std::vector<std::string>{"Bereishis"}));
  EXPECT_EQ(r.hits.size(), 1u);
  r = WalkCollection(tree, tree.nodes[0].children[3], files, ev);  // Tosefto, empty
  EXPECT_EQ(r.searched, 0);
  EXPECT_EQ(r.missing, 1);
}

TEST(CollectionWalk, AnErrorEndsTheWalk) {
  TextsFolder t;
  t.File("Tanach/Bereishis.nvw");
  t.File("Tanach/Shemos.nvw");
  CatalogueFiles files(t.Root());
  const CatalogueTree tree = BuildCatalogueTree(true, [&files](std::string_view p) { return files.IsFile(p); });
  int calls = 0;
  CollectionWalkEvents ev;
  ev.searchText = [&calls](int, const fs::path&) -> bool {
    ++calls;
    throw std::runtime_error("cannot read");
  };
  EXPECT_THROW(WalkCollection(tree, tree.Item(1), files, ev), std::runtime_error);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace nuvel
