// A mixed line typed as a writer types it, with real X key events in the
// built program: the program's keyboards switched between words, numbers
// with the Hebrew layer, Backspace, Delete and Enter, the desktop's own
// Hebrew layout pressed key by key; each saved file holds the text in
// reading order. Each test starts the program once: its
// first row's document decides the direction, and the later rows' empty
// documents open in the same direction.
#include "tests/support/reading_order.h"
#include "tests/support/x_key_rows_qt.h"

namespace nuvel::test {
namespace {

using XLogicalTyping = XKeyRowsTest;

// The keyboards by the Languages menu's items.
constexpr const char* kEnglishKeys = "key alt+l e";
constexpr const char* kHebrewKeys = "key alt+l h";
constexpr const char* kNikudKeys = "key alt+l n";

// A saved line: reading order, Windows-1255, the line end of a new document.
std::string Saved(std::string_view utf8) { return Own(utf8) + "\r\n"; }

TEST_F(XLogicalTyping, HebrewDocument) {
  // New documents are Hebrew, as they are out of the box.
  ProgramRun::Write(Run().program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=0\r\n");
  const XKeyRow rows[] = {
      {"English words and Enter", "", {kEnglishKeys, "type Hello", "key Return", "type World"},
       Saved("Hello") + Saved("World")},
      {"Backspace at the end of an English word",
       "",
       {kHebrewKeys, "type akuo ", kEnglishKeys, "type Hellp", "key BackSpace", "type o"},
       Saved("שלום Hello")},
      {"three words, two keyboards",
       "",
       {kHebrewKeys, "type akuo", kEnglishKeys, "type  Hello", kHebrewKeys, "type  guko"},
       Saved("שלום Hello עולם")},
      {"a number with the Hebrew layer", "", {kHebrewKeys, "type akuo 2024"}, Saved("שלום 2024")},
      {"a price", "", {kHebrewKeys, "type njhr 3/50"}, Saved("מחיר 3.50")},
      {"a date", "", {kHebrewKeys, "type 12q05q2024"}, Saved("12/05/2024")},
      {"Backspace through a number", "", {kHebrewKeys, "type akuo 2024", "key BackSpace BackSpace"},
       Saved("שלום 20")},
      {"a pointed word", "", {kNikudKeys, "type t8c7"}, Saved("אָבְ")},
  };
  PlayRows(rows);
}

TEST_F(XLogicalTyping, EnglishDocument) {
  const XKeyRow rows[] = {
      {"Delete at the start", "abc", {"key ctrl+Home Delete"}, "bc\r\n"},
      {"Enter after Hebrew",
       "",
       {"type Hello", kHebrewKeys, "type akuo", "key Return", kEnglishKeys, "type World"},
       Saved("Helloשלום") + Saved("World")},
      {"three words, two keyboards",
       "",
       {"type Hi", kHebrewKeys, "type  akuo", kEnglishKeys, "type  there"},
       Saved("Hi שלום there")},
      {"a number inside Hebrew", "", {kHebrewKeys, "type akuo 2024 guko"}, Saved("שלום 2024 עולם")},
      {"Backspace through Hebrew", "", {"type ab ", kHebrewKeys, "type akuo", "key BackSpace BackSpace"},
       Saved("ab של")},
      {"a pointed word", "", {kNikudKeys, "type t8c7"}, Saved("אָבְ")},
  };
  PlayRows(rows);
}

// The desktop's Hebrew layout alone, keys pressed by their X key codes
// (a key name the layout lacks would make xdotool change the layout): the
// program's keyboard stays English, and Hebrew still reads as typed.
TEST_F(XLogicalTyping, DesktopHebrewLayout) {
  const std::string shalom = "38 45 30 32";  // the keys of שלום
  const std::string olam = "42 30 45 32";    // the keys of עולם
  const XKeyRow rows[] = {
      {"Hebrew words after English", "Hi\r\n", {"key ctrl+Home End", "key 65 " + shalom + " 65 " + olam},
       Saved("Hi שלום עולם"), "il", "ctrl+39"},
      {"Backspace and Delete", "Hi\r\n",
       {"key ctrl+Home End", "key 65 " + shalom + " BackSpace", "key ctrl+Home Delete"}, Saved("i שלו"), "il",
       "ctrl+39"},
      {"a Hebrew document", Saved("שלום"), {"key ctrl+Home End", "key 65 " + olam + " 65 12 11 10 13"},
       Saved("שלום עולם 3214"), "il", "ctrl+39"},
  };
  PlayRows(rows);
}

}  // namespace
}  // namespace nuvel::test
