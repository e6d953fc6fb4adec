#pragma once
// Key-macro text as the document window plays it: each byte is typed as if
// the user pressed it, "{" is Enter, and "&" starts an escape:
//   "&&"        a literal "&"
//   "&;"        end of the macro (the rest is a comment)
//   "&D<n>"     click the main-window menu item number n (also the Hebrew pe)
//   "&F<name>"  play the recorded-macro file <name>, up to "{", CR or the end;
//               with no name, ask for the file (also the Hebrew qof)
//   "&<other>"  nothing
// The interpreter turns the text into a list of actions; the window runs
// them. It works on its own copy of the text, so a macro that plays another
// cannot change the text under it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

struct MacroAction {
  enum class Kind { Type, ClickMenu, PlayFile, ChooseFile };
  Kind kind = Kind::Type;
  uint8_t byte = 0;   // Type: the byte typed (13 for "{")
  int menu = 0;       // ClickMenu: the item number
  std::string file;   // PlayFile: the file named

  bool operator==(const MacroAction&) const = default;
};

std::vector<MacroAction> InterpretMacro(std::string_view text);

// The main-window menu item that "&D<n>" clicks; nullopt for numbers that
// name none (68, the flip-case block item, has no command).
std::optional<std::string_view> MacroMenuItemName(int number);

// Reads one text for the macro find and replace commands from `text`,
// starting at `pos`, up to "{", CR or the end, applying the escapes: "&&" is
// a literal "&", "&;" ends the text, any other escape adds nothing. `pos`
// moves past the byte that ended the text.
std::string ReadMacroText(std::string_view text, size_t& pos);

}  // namespace nuvel
