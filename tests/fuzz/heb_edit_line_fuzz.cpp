// Drives the single-line Hebrew input through random keys, typed bytes,
// flag changes, widths and mouse positions, and checks after every step that
// the caret lies in the text and the drawn text has the width it is shown in.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>

#include "core/border_order.h"
#include "editor/heb_edit_line.h"
#include "platform/virtual_keys.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckLine(const nuvel::THebEditLine& e) {
  const auto length = static_cast<int32_t>(e.Text.size());
  Check(e.CaretCol >= 1 && e.CaretCol <= length + 1);
  if (e.EnglishMode) {
    // The text as the editor shows it, which turns back into the text.
    std::string back = e.DisplayText;
    nuvel::StorageToLogical(true, std::span<uint8_t>(reinterpret_cast<uint8_t*>(back.data()), back.size()));
    Check(back == e.Text);
  }
  else
    Check(static_cast<int32_t>(e.DisplayText.size()) == std::max(e.DisplayWidth, 0));
  const int32_t col = e.ColumnAt(37, 300, 9);
  Check(col >= 1 && col <= std::max<int32_t>(1, e.MaxLength));
  (void)e.CaretX(300, 9);
}

constexpr uint16_t kKeys[] = {nuvel::platform::VK_LEFT, nuvel::platform::VK_RIGHT, nuvel::platform::VK_HOME,
                              nuvel::platform::VK_END,  nuvel::platform::VK_INSERT, nuvel::platform::VK_DELETE,
                              0x72 /* F3 */, 0x41};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nuvel::THebEditLine e;
  e.MaxLength = 150;
  e.RefreshText();
  for (size_t i = 0; i + 1 < size; i += 2) {
    const uint8_t op = data[i];
    const uint8_t arg = data[i + 1];
    switch (op % 8) {
      case 0:
      case 1:
      case 2: e.KeyChar(arg); break;
      case 3: e.KeyDown(kKeys[arg % 8]); break;
      case 4:
        switch (arg % 6) {
          case 0: e.EnglishMode = !e.EnglishMode; break;
          case 1: e.HebrewKeys = !e.HebrewKeys; break;
          case 2: e.NikudKeys = !e.NikudKeys; break;
          case 3: e.PhoneticKeys = !e.PhoneticKeys; break;
          case 4: e.InsertMode = !e.InsertMode; break;
          default: e.AllSelected = !e.AllSelected; break;
        }
        e.RefreshText();
        break;
      case 5: e.MaxLength = 1 + arg % 160; break;
      case 6: e.FocusEntered(arg * 4, 1 + arg % 12); break;
      default:
        if (arg & 1)
          e.MouseDoubleClick(arg * 3, 300, 9);
        else
          e.MouseAt(arg * 3, 300, 9);
        break;
    }
    CheckLine(e);
  }
  return 0;
}
