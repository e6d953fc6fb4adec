#include "editor/undo_buffer.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/para_node_table.h"

namespace nuvel {
namespace {

std::span<const uint8_t> B(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}
std::string Str(std::span<const uint8_t> s) { return std::string(s.begin(), s.end()); }

TEST(UndoBuffer, TypingDeletingAndOverwritingMergeIntoOneRecord) {
  TNvcUndoBuffer undo(8192, nullptr);
  // Typing "abc" at 1, 2, 3.
  for (int i = 0; i < 3; ++i) undo.Add(kUndoInsert, false, B(std::string(1, char('a' + i))), 1 + i, 1);
  EXPECT_EQ(undo.UndoCount(), 1u);
  TUndoRecord r;
  ASSERT_TRUE(undo.PeekUndo(r));
  EXPECT_EQ(Str(r.Data), "abc");
  EXPECT_EQ(r.Pos, 1u);

  // Backspacing three bytes at 10, 9, 8 gives "xyz" at 8.
  undo.Add(kUndoDelete, true, B("z"), 10, 2);
  undo.Add(kUndoDelete, true, B("y"), 9, 2);
  undo.Add(kUndoDelete, true, B("x"), 8, 2);
  // Forward deletion at 8 appends.
  undo.Add(kUndoDelete, true, B("!"), 8, 2);
  ASSERT_TRUE(undo.PeekUndo(r));
  EXPECT_EQ(undo.UndoCount(), 2u);
  EXPECT_EQ(Str(r.Data), "xyz!");
  EXPECT_EQ(r.Pos, 8u);

  // Overwriting on: "ab" over "12", then "c" over "3".
  undo.AddReplace(true, 3, B("ab"), B("12"), 5);
  undo.AddReplace(true, 3, B("c"), B("3"), 7);
  ASSERT_TRUE(undo.PeekUndo(r));
  EXPECT_EQ(undo.UndoCount(), 3u);
  EXPECT_EQ(Str(r.OldBytes()), "123");
  EXPECT_EQ(Str(r.NewBytes()), "abc");
  EXPECT_EQ(r.Data.size(), 8u);

  // Not continuing: another paragraph, a gap, or a different kind.
  undo.Add(kUndoInsert, true, B("q"), 1, 4);
  undo.Add(kUndoInsert, true, B("q"), 5, 4);
  undo.Add(kUndoDelete, true, B("q"), 6, 4);
  EXPECT_EQ(undo.UndoCount(), 6u);
  EXPECT_EQ(undo.FreeBytes(), 8192u - (3 + 4 + 8 + 3) - 6 * kUndoHeaderSize);
}

TEST(UndoBuffer, GroupsJoinRecordsAndNeverMerge) {
  TNvcUndoBuffer undo(8192, nullptr);
  bool outer = false, inner = false;
  undo.BeginGroup(outer);
  undo.Add(kUndoInsert, false, B("a"), 1, 1);
  undo.BeginGroup(inner);
  undo.Add(kUndoInsert, false, B("b"), 2, 1);
  undo.EndGroup(inner);
  undo.Add(kUndoCaret, false, {}, 3, 1);
  undo.EndGroup(outer);
  undo.Add(kUndoInsert, false, B("c"), 9, 9);
  EXPECT_EQ(undo.UndoCount(), 4u);
  const int last = undo.CurrentGroup();
  TUndoRecord r;
  ASSERT_TRUE(undo.UndoStep(r));
  const int group = undo.CurrentGroup();
  EXPECT_NE(group, last);
  int inGroup = 0;
  while (undo.CurrentGroup() == group && undo.UndoStep(r)) ++inGroup;
  EXPECT_EQ(inGroup, 3);
  EXPECT_EQ(undo.CurrentGroup(), TNvcUndoBuffer::kNoGroup);
  EXPECT_EQ(undo.NextGroup(), group);
  EXPECT_EQ(undo.RedoCount(), 4u);
}

TEST(UndoBuffer, UndoAndRedoWalkTheRecordsAndStampTheSavedBit) {
  TNvcUndoBuffer undo(8192, nullptr);
  undo.Add(kUndoInsert, false, B("a"), 1, 1);
  undo.Add(kUndoInsert, true, B("b"), 1, 2);
  TUndoRecord r;
  ASSERT_TRUE(undo.UndoStep(r));
  EXPECT_EQ(Str(r.Data), "b");
  EXPECT_TRUE(r.Modified);
  ASSERT_TRUE(undo.UndoStep(r));
  EXPECT_EQ(Str(r.Data), "a");
  EXPECT_FALSE(r.Modified);
  EXPECT_FALSE(undo.UndoStep(r));
  EXPECT_EQ(undo.FreeBytes(), 8192u);
  ASSERT_TRUE(undo.RedoStep(true, r));
  EXPECT_EQ(Str(r.Data), "a");
  EXPECT_TRUE(r.Modified);  // stamped with the state before the redo
  undo.MarkAllModified();
  ASSERT_TRUE(undo.PeekRedo(r));
  EXPECT_TRUE(r.Modified);
  // A new record throws the redo record away.
  undo.Add(kUndoInsert, true, B("z"), 7, 7);
  EXPECT_FALSE(undo.CanRedo());
  EXPECT_EQ(undo.UndoCount(), 2u);
}

TEST(UndoBuffer, FullBlockDropsTheOldestWholeGroups) {
  TNvcUndoBuffer undo(1024, nullptr);
  const std::string chunk(86, 'x');  // 100 bytes a record
  for (uint32_t g = 0; g < 5; ++g) {
    bool was = false;
    undo.BeginGroup(was);
    undo.Add(kUndoInsert, false, B(chunk), 1, g + 1);
    undo.Add(kUndoInsert, false, B(chunk), 1, g + 1);
    undo.EndGroup(was);
  }
  EXPECT_EQ(undo.FreeBytes(), 24u);
  undo.Add(kUndoDelete, false, B(chunk), 1, 99);  // needs 100
  EXPECT_EQ(undo.UndoCount(), 9u);                // the first group of two went
  EXPECT_EQ(undo.FreeBytes(), 124u);
  TUndoRecord r;
  std::vector<uint32_t> paras;
  while (undo.UndoStep(r)) paras.push_back(r.Para);
  EXPECT_EQ(paras, (std::vector<uint32_t>{99, 5, 5, 4, 4, 3, 3, 2, 2}));
}

TEST(UndoBuffer, OverflowInsideAGroupEmptiesAndSuspendsUntilItEnds) {
  TNvcUndoBuffer undo(8192, nullptr);
  undo.Add(kUndoInsert, false, B("before"), 1, 1);
  bool was = false;
  undo.BeginGroup(was);
  const std::string chunk(986, 'x');  // 1,000 bytes a record
  int stored = 0;
  for (int i = 0; i < 9; ++i) stored += undo.Add(kUndoInsert, false, B(chunk), 1, 10 + i) ? 1 : 0;
  EXPECT_TRUE(undo.Suspended());
  EXPECT_EQ(undo.UndoCount(), 0u);
  EXPECT_FALSE(undo.Add(kUndoInsert, false, B("y"), 1, 50));
  undo.EndGroup(was);
  EXPECT_FALSE(undo.Suspended());
  EXPECT_TRUE(undo.Add(kUndoInsert, false, B("after"), 1, 60));
  EXPECT_EQ(undo.UndoCount(), 1u);
  EXPECT_EQ(stored, 8);

  // A record larger than the block empties the history too.
  EXPECT_FALSE(undo.Add(kUndoInsert, false, B(std::string(9000, 'q')), 1, 1));
  EXPECT_EQ(undo.UndoCount(), 0u);
  EXPECT_FALSE(undo.Suspended());
}

TEST(UndoBuffer, AllocationFailureHalvesTheSize) {
  struct Case {
    uint32_t size;
    uint32_t largestAllowed;
    uint32_t obtained;
  } cases[] = {{20, 10, 10}, {20, 9, 0}, {8192, 5000, 4096}, {8192, 8192, 8192}};
  static uint32_t allowed;
  for (const auto& c : cases) {
    allowed = c.largestAllowed;
    TNvcUndoBuffer undo(c.size, nullptr, [](std::size_t n) { return n <= allowed; });
    EXPECT_EQ(undo.BufferSize(), c.obtained) << c.size;
    EXPECT_EQ(undo.FreeBytes(), c.obtained);
  }
  TNvcUndoBuffer none(0, nullptr);
  EXPECT_FALSE(none.Add(kUndoInsert, false, B("a"), 1, 1));
  EXPECT_FALSE(none.CanUndo());
}

TEST(UndoBuffer, NodesOwnedByRecordsAreFreedExactlyOnce) {
  TParaNodeTable nodes;
  {
    TNvcUndoBuffer undo(8192, &nodes);
    const TParaNodeHandle removed = nodes.New();    // a paragraph taken out of the text
    const TParaNodeHandle inserted = nodes.New();   // a paragraph put into the text
    undo.AddNode(kUndoParaRemoved, false, removed, 1, 3);
    undo.AddNode(kUndoParaBefore, false, inserted, 1, 4);
    TUndoRecord r;
    ASSERT_TRUE(undo.UndoStep(r));  // the insertion is undone: its node left the text
    EXPECT_EQ(r.Node(), inserted);
    undo.Add(kUndoInsert, false, B("x"), 1, 1);  // the redo record goes, and its node
    EXPECT_FALSE(nodes.IsLive(inserted));
    EXPECT_TRUE(nodes.IsLive(removed));
  }
  EXPECT_EQ(nodes.LiveCount(), 0u);  // the removed node went with the buffer

  // Dropping old groups frees the nodes of removal records.
  TNvcUndoBuffer small(64, &nodes);
  const TParaNodeHandle gone = nodes.New();
  small.AddNode(kUndoParaRemoved, false, gone, 1, 1);
  small.Add(kUndoInsert, false, B(std::string(40, 'a')), 1, 2);
  EXPECT_FALSE(nodes.IsLive(gone));
  EXPECT_EQ(small.UndoCount(), 1u);
}

}  // namespace
}  // namespace nuvel
