// The X11 PRIMARY selection between the built program and another X program
// (xclip): a selection in the editor reads as its text in reading order, in
// UTF-8, in both directions; a middle click pastes the selection another
// program holds where it clicks, turned into the document's order as a paste
// is. The click falls below the text, on the empty line after the document's
// last line end, while the caret stands at the start.
#include "tests/support/x_key_rows_qt.h"

namespace nuvel::test {
namespace {

using XPrimarySelection = XKeyRowsTest;

// "shalom test 12.5 olam", "Hello shalom 2024/05/12", "shalom Hello"
#define MIXED_HEBREW "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D test 12.5 \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D"
#define MIXED_ENGLISH "Hello \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 2024/05/12"
#define SHALOM_HELLO "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D Hello"

TEST_F(XPrimarySelection, SelectionReadsInReadingOrderAndMiddleClickPastes) {
  const XKeyRow rows[] = {
      {"Hebrew document",
       MIXED_HEBREW "\n",
       {"key ctrl+Home shift+End", "primary? " MIXED_HEBREW, "primary " MIXED_ENGLISH, "key ctrl+Home", "click 2"},
       MIXED_HEBREW "\n" MIXED_ENGLISH "\n"},
      {"English document",
       MIXED_ENGLISH "\n",
       {"key ctrl+Home shift+End", "primary? " MIXED_ENGLISH, "primary " SHALOM_HELLO, "key ctrl+Home", "click 2"},
       MIXED_ENGLISH "\n" SHALOM_HELLO "\n"},
      // The program's own selection, pasted by a middle click in its own
      // window, goes through the same turn both ways.
      {"own selection",
       MIXED_HEBREW "\n",
       {"key ctrl+Home shift+End", "primary? " MIXED_HEBREW, "click 2"},
       MIXED_HEBREW "\n" MIXED_HEBREW "\n"},
  };
  PlayRows(rows);
}

}  // namespace
}  // namespace nuvel::test
