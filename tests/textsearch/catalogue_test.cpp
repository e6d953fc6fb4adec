#include <gtest/gtest.h>

#include <set>
#include <string>

#include "textsearch/catalogue.h"
#include "textsearch/catalogue_tree.h"

namespace nuvel {
namespace {

const TCatalogueEntry* FindRow(std::string_view path) {
  for (const CatalogueGroup& g : CatalogueGroups())
    for (const TCatalogueEntry& e : g.rows)
      if (e.path == path) return &e;
  return nullptr;
}

TEST(Catalogue, RowsAndFolders) {
  const auto& groups = CatalogueGroups();
  ASSERT_EQ(groups.size(), 11u);
  size_t rows = 0, texts = 0;
  std::set<std::string> paths;
  for (const CatalogueGroup& g : groups) {
    for (const TCatalogueEntry& e : g.rows) {
      ++rows;
      if (!g.orderRows) ++texts;
      EXPECT_TRUE(paths.insert(e.path).second) << e.path;
      EXPECT_FALSE(e.hebrew.empty()) << e.path;
    }
  }
  EXPECT_EQ(rows, 202u);
  EXPECT_EQ(texts, 196u);
  const size_t sizes[] = {20, 6, 11, 12, 7, 10, 11, 12, 15, 59, 39};
  for (size_t i = 0; i < groups.size(); ++i) EXPECT_EQ(groups[i].rows.size(), sizes[i]) << i;

  const struct {
    const char* path;
    const char* english;
  } rowsToCheck[] = {
      {"Tanach\\Bereishis.nvw", "Bereishis"},
      {"Tanach\\5Megillos.nvw", "5 Megillos"},
      {"Bavli\\Zeroim", "Zeroim"},
      {"Bavli\\Zeroim\\GBrochos.nvw", "Brochos"},
      {"Bavli\\Moed\\MSheklm.nvw", "Shekolim"},
      {"Bavli\\Nezikin\\MOvos.NVW", "Ovos"},
      {"Bavli\\Taharos\\MTvulYom.nvw", "Tvul Yom"},
      {"RambamMT\\MTIntro.nvw", "Introduction"},
      {"RambamMT\\MTShoftm.nvw", "Shofetim"},
      {"Tosefto\\TRoshHsh.nvw", "Rosh Hashonoh"},
      {"Tosefto\\TUktzim.nvw", "Uktzim"},
      {"Yerushalmi\\YNiddah.nvw", "Niddah"},
  };
  for (const auto& r : rowsToCheck) {
    const TCatalogueEntry* e = FindRow(r.path);
    ASSERT_NE(e, nullptr) << r.path;
    EXPECT_EQ(e->english, r.english);
  }
  // Tractates the Tosefto lacks.
  EXPECT_EQ(FindRow("Tosefto\\TTomid.nvw"), nullptr);
  EXPECT_EQ(FindRow("Tosefto\\TOvos.nvw"), nullptr);
  EXPECT_EQ(FindRow("Yerushalmi\\YZevochim.nvw"), nullptr);
}

TEST(Catalogue, HebrewNames) {
  // A tractate has one Hebrew name in all three collections.
  EXPECT_EQ(FindRow("Bavli\\Zeroim\\MPeioh.nvw")->hebrew, FindRow("Yerushalmi\\YPeioh.nvw")->hebrew);
  EXPECT_EQ(FindRow("Bavli\\Taharos\\GNiddah.nvw")->hebrew, "\xF0\xE3\xE4");  // נדה
  EXPECT_EQ(FindRow("Tosefto\\TNiddah.nvw")->hebrew, "\xF0\xE3\xE4");
  // Menochos and Zevochim are told apart.
  EXPECT_EQ(FindRow("Bavli\\Kodshim\\GMenochos.nvw")->hebrew, "\xEE\xF0\xE7\xE5\xFA");  // מנחות
  EXPECT_NE(FindRow("Tosefto\\TMenochos.nvw")->hebrew, FindRow("Tosefto\\TZevochim.nvw")->hebrew);
  EXPECT_EQ(CollectionName(0, false), "\xFA\xF0\"\xEA");  // תנ"ך
  EXPECT_EQ(CollectionName(2, false), "\xF8\xEE\xE1\"\xED-\xEE\"\xFA");  // רמב"ם-מ"ת
  EXPECT_EQ(CatalogueRootCaption(false), "\xE8\xF7\xF1\xE8\xE9\xED");
  EXPECT_EQ(CatalogueRootCaption(true), "Texts");
}

TEST(CatalogueTree, WhatIsPresentDecidesTheBranches) {
  // Only the Tanach present: five collections, the 20 books, nothing else.
  CatalogueTree t = BuildCatalogueTree(true, [](std::string_view p) { return p.substr(0, 7) == "Tanach\\"; });
  ASSERT_EQ(t.nodes[0].children.size(), 5u);
  EXPECT_EQ(t.nodes.size(), 1u + 5u + 20u);
  EXPECT_EQ(t.nodes[static_cast<size_t>(t.Item(1))].caption, "Tanach");
  EXPECT_EQ(t.nodes[static_cast<size_t>(t.Item(21))].caption, "Tehillim");
  EXPECT_EQ(t.nodes[static_cast<size_t>(t.Item(22))].caption, "Bavli");

  // Everything present, in Hebrew.
  t = BuildCatalogueTree(false, [](std::string_view) { return true; });
  EXPECT_EQ(t.nodes.size(), 1u + 5u + 202u);
  EXPECT_EQ(t.nodes[0].caption, CatalogueRootCaption(false));
  const int bavli = t.Item(22);
  EXPECT_EQ(t.nodes[static_cast<size_t>(bavli)].caption, "\xE1\xE1\xEC\xE9");
  ASSERT_EQ(t.nodes[static_cast<size_t>(bavli)].children.size(), 6u);
  EXPECT_EQ(t.nodes[static_cast<size_t>(t.Item(23))].entry->path, "Bavli\\Zeroim");
  EXPECT_EQ(t.nodes[static_cast<size_t>(t.Item(24))].entry->path, "Bavli\\Zeroim\\GBrochos.nvw");
  EXPECT_EQ(t.nodes[static_cast<size_t>(t.Item(207))].entry->path, "Yerushalmi\\YNiddah.nvw");
  EXPECT_EQ(t.Item(208), -1);

  // The orders need GBrochos; each order's tractates need its first file.
  t = BuildCatalogueTree(true, [](std::string_view p) {
    return p == "Bavli\\Zeroim\\GBrochos.nvw" || p == "Bavli\\Taharos\\MKeilim.nvw";
  });
  const auto& orders = t.nodes[static_cast<size_t>(t.Item(22))].children;
  ASSERT_EQ(orders.size(), 6u);
  EXPECT_EQ(t.nodes[static_cast<size_t>(orders[0])].children.size(), 11u);
  EXPECT_EQ(t.nodes[static_cast<size_t>(orders[1])].children.size(), 0u);
  EXPECT_EQ(t.nodes[static_cast<size_t>(orders[5])].children.size(), 12u);
  t = BuildCatalogueTree(true, [](std::string_view p) { return p == "Bavli\\Taharos\\MKeilim.nvw"; });
  EXPECT_TRUE(t.nodes[static_cast<size_t>(t.Item(22))].children.empty());
}

}  // namespace
}  // namespace nuvel
