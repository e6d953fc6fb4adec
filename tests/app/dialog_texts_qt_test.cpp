// The Hebrew texts of the preferences, screen-font and keyboard windows
// reach the components they name, and the windows a Hebrew user meets show
// no English caption left over.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "app/mdi_about_qt.h"
#include "app/preferences_dialog_qt.h"
#include "platform/string_library.h"
#include "tests/support/temp_program_folder.h"
#include "tools/search_dlgs_qt.h"
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

// Texts of buttons, labels and group boxes under `root` that hold a Latin
// letter and no Hebrew one, less those `kept` (names, formats).
std::vector<std::string> EnglishLeft(QWidget* root, const std::set<QString>& kept) {
  std::vector<std::string> left;
  auto check = [&](const QString& text) {
    bool latin = false, hebrew = false;
    for (QChar c : text) {
      latin = latin || (c.toLatin1() >= 'A' && c.toLatin1() <= 'z' && c.isLetter());
      hebrew = hebrew || (c.unicode() >= 0x05D0 && c.unicode() <= 0x05EA);
    }
    if (latin && !hebrew && !kept.count(text)) left.push_back(text.toStdString());
  };
  check(root->windowTitle());
  for (QAbstractButton* b : root->findChildren<QAbstractButton*>())
    if (b->isVisibleTo(root)) check(b->text());
  for (QLabel* l : root->findChildren<QLabel*>())
    if (l->isVisibleTo(root)) check(l->text());
  for (QGroupBox* g : root->findChildren<QGroupBox*>())
    if (g->isVisibleTo(root)) check(g->title());
  return left;
}

TEST(DialogTexts, NoEnglishIsLeftInHebrew) {
  test::TempProgramFolder folder;
  folder.CopyShippedFile("NuvStr.DLL");
  const struct {
    const char* routine;
    std::function<std::unique_ptr<QWidget>()> make;
    const char* part;  // the part of the window looked at; empty: all of it
    std::set<QString> kept;
  } cases[] = {
      // "E" shows the keyboard of the search field (English, "H" Hebrew).
      {"SetHebCaps_HebFindDlg", [] { return std::make_unique<THebFindDlg>(); }, "", {"E"}},
      {"SetHebCaps_HebReplDlg", [] { return std::make_unique<THebReplDlg>(); }, "", {"E"}},
      {"SetHebCaps_MdiAbout",
       [] { return std::make_unique<TMdiAbout>(nullptr, MemoryFigures{67108864ull, 16777216ull}); }, "",
       {"Marvek Ila", "66 MB"}},
      {"SetHebCaps_PreferencesDlg", [] { return std::make_unique<TPreferencesDlg>(); }, "TxtConvRadio1",
       {"3B2", "RTF"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.routine);
    const std::unique_ptr<QWidget> window = c.make();
    ASSERT_TRUE(SetHebCaps(window.get(), c.routine));
    QWidget* part = *c.part ? window->findChild<QWidget*>(QString::fromLatin1(c.part)) : window.get();
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(EnglishLeft(part, c.kept), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace nuvel
