// A key applied to a paragraph in reading order: the stored bytes change in
// one stretch that gives exactly the turn of the new text, and the caret is
// shown, and read back, where the writer expects it in both directions.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/logical_line.h"
#include "tests/support/reading_order.h"

namespace nuvel {
namespace {

using test::Own;
using test::Turned;

std::span<const uint8_t> Span(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::string Str(const std::vector<uint8_t>& v) { return {v.begin(), v.end()}; }

TEST(ChangeBetween, IsTheSmallestStretch) {
  struct Case {
    std::string before, after;
    std::size_t from, count;
    std::string bytes;
  } const cases[] = {
      {"abc", "abXc", 2, 0, "X"},
      {"abc", "ac", 1, 1, ""},
      {"aaa", "aa", 2, 1, ""},  // the head is taken first where bytes repeat
      {"abc", "abc", 3, 0, ""},
      {"", "x", 0, 0, "x"},
      {"abcd", "adcb", 1, 3, "dcb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before + " -> " + c.after);
    const StoredChange change = ChangeBetween(Span(c.before), Span(c.after));
    EXPECT_EQ(change.from, c.from);
    EXPECT_EQ(change.count, c.count);
    EXPECT_EQ(Str(change.bytes), c.bytes);
  }
}

// Each row: a paragraph in reading order, a logical edit, and what is then
// stored. The stored change put into the old bytes must give the same.
TEST(LogicalLine, ReplaceChangesTheStoredBytesToTheTurnOfTheNewText) {
  struct Case {
    bool english;
    std::string_view logical;
    std::size_t from, count;
    std::string_view insert;
    std::string_view storedAfter;  // storage order
  } const cases[] = {
      // Typing on at the end of a run against the document's direction.
      {false, "שלום Hell", 9, 0, "o", "שלום olleH"},
      {true, "Hello שלו", 9, 0, "ם", "Hello םולש"},
      // A number typed in a Hebrew line is a left-to-right run.
      {false, "שלום 202", 8, 0, "4", "שלום 4202"},
      {false, "מחיר 3.5", 8, 0, "0", "מחיר 05.3"},
      // Backspace at the end of an English word inside Hebrew.
      {false, "שלום Hellp", 9, 1, "", "שלום lleH"},
      // A Latin letter between Hebrew and a number takes the number along.
      {false, "אב 12", 2, 0, "x", "אב21 x"},
      // Deleting the first letter of an English document.
      {true, "abc", 0, 1, "", "bc"},
      {false, "", 0, 0, "א", "א"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.logical) + (c.english ? " (English)" : " (Hebrew)"));
    const std::string logical = Own(c.logical);
    const std::string stored = Turned(c.english, logical);
    LogicalLine line(c.english, Span(stored));
    EXPECT_EQ(Str(line.Text()), logical);
    const std::string insert = Own(c.insert);
    const StoredChange change = line.Replace(c.from, c.count, Span(insert));
    std::string patched = stored;
    patched.replace(change.from, change.count, Str(change.bytes));
    EXPECT_EQ(patched, Own(c.storedAfter));
    EXPECT_EQ(Str(line.Stored()), Own(c.storedAfter));
    std::string expectedLogical = logical;
    expectedLogical.replace(c.from, c.count, insert);
    EXPECT_EQ(Str(line.Text()), expectedLogical);
  }
}

// Where the caret is shown after typing: where the next byte of the same
// kind goes, so that a run typed against the direction grows at the caret.
TEST(LogicalLine, StoredCaretIsWhereTheNextByteShows) {
  struct Case {
    bool english;
    std::string_view logical;
    std::size_t at;
    std::string_view probe;  // one character; empty for the byte before
    std::size_t cell;
  } const cases[] = {
      {false, "שלום Hello", 10, "", 5},  // right of "Hello", at the run's end
      {false, "שלום", 4, "", 4},
      {false, "Hello", 5, "", 0},  // an English word in a Hebrew document
      {true, "abcאב", 5, "", 3},   // a Hebrew word in an English document
      {true, "Hello", 5, "", 5},
      {false, "שלום 2024", 9, "", 5},
      {false, "שלום ", 5, "H", 5},
      {true, "", 0, "", 0},
      {false, "שלום Hello", 0, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.logical) + " at " + std::to_string(c.at));
    const std::string stored = Turned(c.english, Own(c.logical));
    const LogicalLine line(c.english, Span(stored));
    const std::string probe = Own(c.probe);
    EXPECT_EQ(line.StoredCaret(c.at, probe.empty() ? 0 : static_cast<uint8_t>(probe[0])), c.cell);
  }
}

// A caret put between two runs by a cursor key or the mouse: the logical
// place at which the typed character shows where the caret is.
TEST(LogicalLine, CaretForAStoredPlaceFollowsWhatIsTyped) {
  struct Case {
    bool english;
    std::string_view logical;
    std::size_t cell;
    std::string_view typed;
    std::size_t at;
  } const cases[] = {
      // "שלום olleH" shown right to left; cell 5 is right of "Hello".
      {false, "שלום Hello", 5, "x", 10},
      {false, "שלום Hello", 5, "א", 5},
      // At the ends: the end of the paragraph, or the edge of the run
      // there, whichever shows the typed character at the caret.
      {false, "שלום Hello", 10, "א", 10},
      {false, "שלום Hello", 10, "x", 5},
      {false, "Hello שלום", 0, "x", 5},
      {false, "Hello שלום", 0, "א", 0},
      {true, "א", 0, "ָ", 1},
      // "Hello םולש": cell 6 is left of "שלום" as shown, its logical end.
      {true, "Hello שלום", 6, "א", 10},
      {true, "Hello שלום", 6, "x", 6},
      {true, "abc", 1, "x", 1},
      // Inside one run there is one place.
      {true, "Hello שלום", 8, "x", 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.logical) + " cell " + std::to_string(c.cell) + " typing " + std::string(c.typed));
    const std::string stored = Turned(c.english, Own(c.logical));
    const LogicalLine line(c.english, Span(stored));
    EXPECT_EQ(line.CaretFor(c.cell, static_cast<uint8_t>(Own(c.typed)[0])), c.at);
  }
}

}  // namespace
}  // namespace nuvel
