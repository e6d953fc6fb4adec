#include "editor/heb_edit_line.h"

#include <algorithm>
#include <span>
#include <vector>

#include "core/charset.h"
#include "core/logical_line.h"
#include "core/nikud.h"
#include "core/shared_state.h"
#include "core/text_reversal.h"
#include "editor/clipboard_service.h"
#include "formats/windows1255.h"
#include "platform/virtual_keys.h"

namespace nuvel {
namespace {

constexpr uint8_t kCtrlC = 3;
constexpr uint8_t kCtrlF = 6;
constexpr uint8_t kBackspace = 8;
constexpr uint8_t kEnter = 13;
constexpr uint8_t kCtrlR = 18;
constexpr uint8_t kCtrlV = 22;
constexpr uint8_t kCtrlY = 25;
constexpr uint8_t kEsc = 27;

// In this control's nikud layer "=" types the sin dot (the editor's layer
// gives holam there).
constexpr uint8_t kNikudEqualsByte = kSinDot;

std::span<const uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

int32_t Length(const std::string& s) { return static_cast<int32_t>(s.size()); }

}  // namespace

LogicalLine THebEditLine::Shown() const { return LogicalLine::OfLogical(EnglishMode, Bytes(Text)); }

void THebEditLine::RefreshText() {
  // The text is kept as typed, in reading order; it shows as the editor
  // shows a line of the field's direction.
  const LogicalLine line = Shown();
  const std::string shown(line.Stored().begin(), line.Stored().end());
  DisplayText = EnglishMode ? shown : ReversePadLeft(shown, static_cast<std::size_t>(std::max(DisplayWidth, 0)));
  CaretCol = std::clamp(CaretCol, 1, Length(Text) + 1);
}

void THebEditLine::FocusEntered(int clientWidth, int charWidth) {
  if (charWidth > 0) DisplayWidth = std::max(clientWidth / charWidth - 2, 1);
  RefreshText();
}

void THebEditLine::Empty() {
  Text.clear();
  CaretCol = 1;
}

void THebEditLine::KeyDown(uint16_t virtualKey) {
  uint8_t vk = static_cast<uint8_t>(virtualKey & 0xFF);
  if (!EnglishMode) {
    if (vk == platform::VK_LEFT)
      vk = platform::VK_RIGHT;
    else if (vk == platform::VK_RIGHT)
      vk = platform::VK_LEFT;
  }
  switch (vk) {
    case platform::VK_RIGHT:
      if (CaretCol < DisplayWidth && CaretCol < Length(Text) + 1) ++CaretCol;
      ClearOnType = false;
      break;
    case platform::VK_LEFT:
      if (CaretCol > 1) --CaretCol;
      ClearOnType = false;
      break;
    case platform::VK_HOME:
      CaretCol = 1;
      ClearOnType = false;
      break;
    case platform::VK_END:
      CaretCol = Length(Text) + 1;
      ClearOnType = false;
      break;
    case platform::VK_INSERT: InsertMode = !InsertMode; break;
    case platform::VK_DELETE:
      if (AllSelected) {
        Empty();
        AllSelected = false;
      } else if (CaretCol >= 1 && CaretCol <= Length(Text)) {
        Text.erase(static_cast<std::size_t>(CaretCol - 1), 1);
      }
      break;
    default: break;
  }
  RefreshText();
}

uint8_t THebEditLine::TranslateKey(uint8_t c) {
  if (!HebrewKeys) return c;
  if (!PhoneticKeys && NikudKeys && c == '=') return kNikudEqualsByte;
  TKeyLayers layers;
  layers.KeyType = NikudKeys ? TKeytype::Nikud : TKeytype::Hebrew;
  layers.Phonetic = PhoneticKeys;
  layers.Nikud = NikudKeys;
  return TranslateTypedChar(c, layers, DageshState);
}

void THebEditLine::PutTyped(uint8_t c) {
  const auto at = static_cast<std::size_t>(std::max(CaretCol, 1) - 1);
  if (Text.size() < at) Text.append(at - Text.size(), ' ');
  if (!InsertMode && at < Text.size())
    Text[at] = static_cast<char>(c);
  else
    Text.insert(Text.begin() + static_cast<std::ptrdiff_t>(at), static_cast<char>(c));
  if (CaretCol < MaxLength) ++CaretCol;
}

void THebEditLine::KeyChar(uint8_t c) {
  const bool clears = c >= 32 || c == kBackspace;
  if (ClearOnType && clears) Empty();
  ClearOnType = false;
  if (AllSelected && clears) {
    Empty();
    AllSelected = false;
  }
  if (c >= 32) {
    // What the desktop's Hebrew layout types goes in as it is.
    PutTyped(IsHebrewKeyText(c) ? c : TranslateKey(c));
  } else {
    switch (c) {
      case kBackspace:
        if (CaretCol > 1) {
          --CaretCol;
          if (CaretCol <= Length(Text)) Text.erase(static_cast<std::size_t>(CaretCol - 1), 1);
        }
        break;
      case kCtrlC: CopyToClipboard(); break;
      case kCtrlV: PasteFromClipboard(); break;
      case kCtrlY: Empty(); break;
      case kCtrlR:
        if (OnHistoryKey) OnHistoryKey();
        break;
      case kCtrlF:
        if (OnFindKey) OnFindKey();
        break;
      case kEnter:
      case kEsc: break;
      default: PutTyped(c); break;
    }
  }
  RefreshText();
}

int32_t THebEditLine::TextCells() const {
  return Length(Text) - static_cast<int32_t>(CountNikud(Bytes(Text), Text.size(), PointSideFor(EnglishMode)));
}

int THebEditLine::CaretX(int clientRight, int cellWidth) const {
  const LogicalLine line = Shown();
  const auto at = static_cast<std::size_t>(std::clamp(CaretCol, 1, Length(Text) + 1) - 1);
  const std::size_t cell = line.StoredCaret(at);
  const std::size_t upto = std::min(cell + 1, line.size());
  const auto points = static_cast<int32_t>(CountNikud(line.Stored(), upto, PointSideFor(EnglishMode)));
  const int cells = static_cast<int>(cell) - points;
  if (EnglishMode) return cells * cellWidth + 2;
  return clientRight - cells * cellWidth - cellWidth / 3;
}

int32_t THebEditLine::ColumnAt(int x, int clientRight, int cellWidth) const {
  if (cellWidth <= 0) return 1;
  int32_t col = EnglishMode ? (x + cellWidth / 2) / cellWidth + 1 : (clientRight - x + cellWidth / 2) / cellWidth;
  col = std::max(std::min({col, TextCells() + 1, MaxLength}), 1);
  // The column of a cell as shown to the place in the text as typed.
  const LogicalLine line = Shown();
  if (line.Stored() != line.Text()) {
    col = static_cast<int32_t>(line.CaretFor(static_cast<std::size_t>(col - 1), 0)) + 1;
    col = std::max(std::min(col, MaxLength), 1);
  }
  return col;
}

void THebEditLine::MouseAt(int x, int clientRight, int cellWidth) { CaretCol = ColumnAt(x, clientRight, cellWidth); }

void THebEditLine::MouseDoubleClick(int x, int clientRight, int cellWidth) {
  MouseAt(x, clientRight, cellWidth);
  AllSelected = !AllSelected;
  RefreshText();
}

int THebEditLine::DisplayLeft(int clientRight, int cellWidth) const {
  if (EnglishMode) return 0;
  return clientRight - Length(DisplayText) * cellWidth;
}

void THebEditLine::CopyToClipboard() const {
  if (!AllSelected) return;
  TClipboardService* clipboard = CurrentClipboardService();
  if (!clipboard) return;
  std::vector<uint8_t> text(Text.begin(), Text.end());
  TClipboardCopy copy;
  if (Conversion.mode == kConvUnicode) {
    copy.unicodeOnly = true;
    copy.unicodeText.resize(text.size());
    HebToWideBuffer(text, std::span<char16_t>(copy.unicodeText.data(), copy.unicodeText.size()));
  } else {
    ConvertWholeText(Conversion, true, text);
    copy.unicodeText = DecodeWindows1255(text);
    copy.bytes = std::move(text);
  }
  clipboard->Put(copy);
}

void THebEditLine::PasteFromClipboard() {
  TClipboardService* clipboard = CurrentClipboardService();
  if (!clipboard) return;
  std::optional<std::vector<uint8_t>> text = TextFromClipboard(clipboard->Read(), Conversion);
  if (!text) return;
  Text.assign(text->begin(), text->end());
  RefreshText();
}

}  // namespace nuvel
