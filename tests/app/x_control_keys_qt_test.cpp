// Keys that carry a control character, pressed as real X keys in the built
// program: X gives Delete the text 0x7F, which must not be typed, in the text
// or in a dialog's field; the key after Ctrl+P (WordStar's literal next) goes
// in as its control character on purpose.
#include "tests/support/x_key_rows_qt.h"

namespace nuvel::test {
namespace {

using XControlKeys = XKeyRowsTest;

TEST_F(XControlKeys, DeleteTypesNothing) {
  const XKeyRow rows[] = {
      {"Delete in the text", "hello\n", {"key ctrl+Home Delete"}, "ello\n"},
      {"Delete at a line's end joins the lines", "ab\ncd\n", {"key ctrl+Home End Delete"}, "abcd\n"},
      // "aq" with its "a" deleted finds the first "q", which "Z" replaces.
      {"Delete in the Find field",
       "xq1 q2\n",
       {"key ctrl+f", "window Find", "type aq", "key Home Delete Return", "key Escape", "window /row", "type Z"},
       "xZ1 q2\n"},
      // Replace All tells how many it replaced before the dialog is closed.
      {"Delete in both Replace fields",
       "q1 q2\n",
       {"key ctrl+h", "window Replace", "type aq", "key Home Delete Tab", "type ab", "key Home Delete alt+a",
        "wait 500", "key Escape", "wait 300", "key Escape", "window /row"},
       "b1 b2\n"},
  };
  PlayRows(rows);
}

TEST_F(XControlKeys, KeyAfterCtrlPGoesInAsItsControlCharacter) {
  // Under the WordStar keys Ctrl+S moves left; the document is saved on the
  // way out instead, answering the question with Yes.
  AddSettings("WordStarCommands=1\r\n");
  const XKeyRow rows[] = {
      {"Ctrl+P then Ctrl+A",
       "hello\n",
       {"key ctrl+p ctrl+a", "key alt+f x", "window !/row", "key y"},
       "\x01hello\n",
       "us",
       ""},
  };
  PlayRows(rows);
}

}  // namespace
}  // namespace nuvel::test
