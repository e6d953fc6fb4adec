#include "app/editor_look_qt.h"

#include <QPalette>

#include "app/preferences.h"
#include "core/color_qt.h"
#include "editor/heb_text_editor.h"
#include "editor/heb_text_editor_widget_qt.h"

namespace nuvel {

EditorLook ReadEditorLook() {
  const Preferences p = ReadPreferences();
  return {p.ScreenColor, p.TextColor, p.SelectionColor, p.SelectionTextColor, p.CtrlNums, p.UseTabs};
}

void ApplyEditorLook(TNvcEditorWidget& w, const EditorLook& look) {
  // System colours come from the application's palette, not the widget's
  // own, which this very function changes.
  const QPalette base = QPalette();
  QPalette p = w.palette();
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(g, QPalette::Base, ToQColor(look.Screen, base));
    p.setColor(g, QPalette::Text, ToQColor(look.Text, base));
    p.setColor(g, QPalette::Highlight, ToQColor(look.Selection, base));
    p.setColor(g, QPalette::HighlightedText, ToQColor(look.SelectionText, base));
  }
  w.setPalette(p);
  w.FixedFont().SetColor(ToQColor(look.Text, base));
  if (auto* heb = dynamic_cast<THebTextEditorWidget*>(&w)) {
    heb->SecondFont().SetColor(ToQColor(look.Text, base));
    heb->HebEditor().SetCtrlNums(look.CtrlNums);
  }
  w.Editor().SetWantTab(look.WantTab);
  w.viewport()->update();
}

}  // namespace nuvel
