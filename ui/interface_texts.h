#pragma once
// Interface texts of a window as data: which component gets which text of the
// string library, as its caption, its hint or an item of its list. One list a
// window; the window's Qt code finds each component by its object name and
// assigns the text (ui/interface_texts_qt.h).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

enum class TextSlot : uint8_t {
  Caption,         // the component's caption (the form's when the name is empty)
  Hint,            // the component's hint
  CaptionAndHint,  // caption text id, hint text id + 1
  Item,            // item `Index` of a list, page set or header
  ClearLines,      // a memo's lines are removed
  Line,            // a line appended to a memo (id 0: an empty line)
  CaptionKeepRight,    // the caption, the control keeping its right edge
  CaptionIfChecked,    // the caption when the item carries its check mark
  CaptionIfUnchecked,  // the caption when it does not
};

struct TextAssignment {
  std::string component;  // object name; empty for the window itself
  TextSlot slot = TextSlot::Caption;
  uint16_t id = 0;
  int index = -1;
  std::string prefix;  // literal put before the library text
  std::string suffix;  // literal put after it
  bool literal = false;  // the prefix alone, no library text (system bytes)
  int dropFirst = 0;     // characters dropped from the start of the library text
};

// One text ready to assign: CaptionAndHint is split into its two texts.
struct ResolvedText {
  std::string component;
  TextSlot slot = TextSlot::Caption;  // Caption, Hint or Item
  int index = -1;
  std::string text;  // system bytes
};

// Reads the compact notation "Name 40499+; Name 40501; Name hint 41199;
// form 41099; Name [2] 41301" (one assignment between semicolons).
// Throws std::invalid_argument for a malformed entry.
std::vector<TextAssignment> ParseTextAssignments(std::string_view notation);

// Looks every text up (`lookup` gives the library's text of an id) and joins
// the literal parts, in the order of the list.
std::vector<ResolvedText> ResolveTexts(const std::vector<TextAssignment>& list,
                                       const std::function<std::string(uint16_t)>& lookup);

// Every library id the list reads.
std::vector<uint16_t> TextIdsOf(const std::vector<TextAssignment>& list);

// The main window's menus, toolbar hints and caption in the Hebrew interface.
const std::vector<TextAssignment>& MainFormTexts();
// The document window's popup menu.
const std::vector<TextAssignment>& MdiChildTexts();

// One window's Hebrew texts: the routine's name, the window's object name,
// and whether the window itself turns right to left.
struct TextRoutine {
  std::string name;
  std::string window;
  bool rightToLeft = false;
  std::vector<TextAssignment> texts;
};
// Every window's routine, the main window's first.
const std::vector<TextRoutine>& TextRoutines();
const TextRoutine* FindTextRoutine(std::string_view name);

}  // namespace nuvel
