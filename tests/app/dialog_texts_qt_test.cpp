// The Hebrew texts of the preferences, screen-font and keyboard windows
// reach the components they name.
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "app/preferences_dialog_qt.h"
#include "platform/string_library.h"
#include "tests/support/temp_program_folder.h"
#include "ui/interface_texts.h"
#include "ui/interface_texts_qt.h"
#include "ui/onscreen_keyboard_qt.h"
#include "ui/screen_fonts_qt.h"

namespace nuvel {
namespace {

TEST(DialogTexts, EveryNamedComponentIsThere) {
  test::TempProgramFolder folder;
  folder.CopyShippedFile("NuvStr.DLL");
  const auto library = platform::StringLibrary::Load();
  ASSERT_TRUE(library);
  const struct {
    const char* routine;
    std::function<std::unique_ptr<QWidget>()> make;
    std::set<std::string> absent;  // named by the texts, not built
  } cases[] = {
      {"SetHebCaps_PreferencesDlg", [] { return std::make_unique<TPreferencesDlg>(); }, {"Header1"}},
      {"SetHebCaps_FontCDlg", [] { return std::make_unique<TFontCDlg>(); }, {}},
      {"SetHebCaps_FontFixDlg", [] { return std::make_unique<TFontFixDlg>(); }, {}},
      {"SetHebCaps_Key_Form", [] { return std::make_unique<TKey_Form>(OnScreenKeyboardTarget{}); }, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.routine);
    const TextRoutine* routine = nullptr;
    for (const TextRoutine& r : TextRoutines())
      if (r.name == c.routine) routine = &r;
    ASSERT_NE(routine, nullptr);
    const std::unique_ptr<QWidget> window = c.make();
    EXPECT_EQ(window->objectName().toStdString(), routine->window);
    for (const std::string& missing :
         AssignTexts(window.get(), ResolveTexts(routine->texts, [&](uint16_t id) { return library->Text(id); })))
      EXPECT_TRUE(c.absent.count(missing)) << missing;
  }
}

}  // namespace
}  // namespace nuvel
