#include "app/preferences_command_qt.h"

#include <QAction>
#include <QApplication>
#include <QFontDialog>
#include <QLocale>
#include <QTabBar>
#include <QTime>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/document_windows_qt.h"
#include "app/editor_look_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_flags.h"
#include "app/main_form_qt.h"
#include "app/main_form_settings.h"
#include "app/mdi_child_qt.h"
#include "app/preferences_dialog_qt.h"
#include "app/toolbar_wrap_qt.h"
#include "core/conv_context.h"
#include "core/font_descriptor.h"
#include "core/qstring_bytes_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "editor/editor_widget_qt.h"
#include "platform/input_box.h"
#include "core/fixed_font_names.h"
#include "core/program_fonts.h"
#include "ui/interface_texts_qt.h"
#include "ui/screen_fonts_qt.h"

namespace nuvel {

namespace {

bool Checked(TMainForm& form, const char* name) {
  QAction* a = form.Item(QString::fromLatin1(name));
  return a && a->isChecked();
}
void SetChecked(TMainForm& form, const char* name, bool on) {
  if (QAction* a = form.Item(QString::fromLatin1(name))) a->setChecked(on);
}

QFont FileManagerFont(const std::string& stored) {
  QFont f = QApplication::font();
  if (const auto d = ParseFontDescriptor(stored)) {
    f.setFamily(FromUtf8(d->Name));
    if (d->Size > 0) f.setPointSize(d->Size);
    f.setBold(d->Style.Has(FontStyles::Bold));
    f.setItalic(d->Style.Has(FontStyles::Italic));
    f.setUnderline(d->Style.Has(FontStyles::Underline));
    f.setStrikeOut(d->Style.Has(FontStyles::StrikeOut));
  }
  return f;
}

void ApplyOptionsToAll(DocumentWindows& docs) {
  for (TMDIChild* c : docs.Children()) c->ApplyOptions();
}

void Properties1Click(TMainForm& form, DocumentWindows& docs, const PreferencesHooks& hooks) {
  TPreferencesDlg dialog(&form);
  if (!form.Options.EnglishUI) SetHebCaps(&dialog, "SetHebCaps_PreferencesDlg");
  const Preferences shown = PreferencesToShow(form, docs);
  dialog.FileFont = FileManagerFont(shown.FileManagerFont);
  dialog.Load(shown);
  dialog.ShowFontFix = [&dialog, &form] { RunFontFixDialog(&dialog, form.Options.EnglishUI); };
  // A test's answer stands for the OK button, which checks the fields first.
  const bool ok = hooks.run ? hooks.run(dialog) && dialog.TryAccept() : dialog.exec() == QDialog::Accepted;
  if (!ok) return;
  ApplyPreferences(form, docs, dialog.Result());
}

void TabSize1Click(TMainForm& form, DocumentWindows& docs) {
  const auto answer = platform::AskInputBox({"Tab Size", "Enter Tab Size", std::to_string(form.Options.TabSize)});
  if (!answer) return;
  const auto n = ParseSettingsNumber(*answer);
  // A tab stop is at least one column and fits the editor's byte.
  if (!n || *n < 1 || *n > 255) return;
  form.Options.TabSize = *n;
  ApplyOptionsToAll(docs);
}

void Font1Click(TMainForm& form, DocumentWindows& docs, const PreferencesHooks& hooks) {
  TMDIChild* active = docs.ActiveChild();
  if (!active) return;
  const QFont start = active->CurrentEditor()->FixedFont().Font();
  std::optional<QFont> chosen;
  if (hooks.chooseFont) {
    chosen = hooks.chooseFont(start);
  } else {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, start, &form, QString(), QFontDialog::MonospacedFonts);
    if (ok) chosen = f;
  }
  if (!chosen) return;
  form.Options.EngFontChanged = true;
  for (TMDIChild* c : docs.Children()) {
    const QColor color = c->Editor()->FixedFont().Color();
    c->Editor()->FixedFont().Assign(*chosen);
    c->Editor()->FixedFont().SetColor(color);
  }
  FixedFonts(1).Assign(*chosen);
  WriteIniString("GENPREFS", "CurFont", FixedFonts(1).Descriptor());
  if (form.ApplyOptionsToActive) form.ApplyOptionsToActive();
}

void HebrewFont1Click(TMainForm& form, DocumentWindows& docs, const PreferencesHooks& hooks) {
  TMDIChild* active = docs.ActiveChild();
  if (!active) return;
  auto* current = dynamic_cast<THebTextEditorWidget*>(active->CurrentEditor());
  if (!current) return;
  TFontCDlg dialog(&form);
  if (!form.Options.EnglishUI) SetHebCaps(&dialog, "SetHebCaps_FontCDlg");
  dialog.SetStartFont(current->SecondFont().Font());
  const bool ok = hooks.runFontChooser ? hooks.runFontChooser(dialog) : dialog.exec() == QDialog::Accepted;
  if (!ok) return;
  const QFont chosen = dialog.ChosenFont();
  // A stand-in family counts as the face it stands in for.
  auto isScreenFont = [](const std::string& family) {
    const auto f = ProgramFontOf(family);
    return f && IsHebScreenFont(f->Face);
  };
  form.Options.HebFontChanged = true;
  std::vector<THebTextEditorWidget*> editors{current};
  for (TMDIChild* c : docs.Children())
    if (auto* w = dynamic_cast<THebTextEditorWidget*>(c->Editor())) editors.push_back(w);
  for (THebTextEditorWidget* w : editors) {
    const QColor color = w->SecondFont().Color();
    w->SecondFont().Assign(chosen);
    w->SecondFont().SetColor(color);
    w->HebEditor().SetHebScreenFont(isScreenFont(ToUtf8(chosen.family())));
    w->viewport()->update();
  }
  // The global Hebrew font follows, and is kept for the next start.
  FixedFonts(2).Assign(chosen);
  WriteIniString("GENPREFS", "CurFont2", FixedFonts(2).Descriptor());
  form.Options.HebFontChanged = false;
  ApplyOptionsToAll(docs);
}

}  // namespace

Preferences PreferencesToShow(TMainForm& form, DocumentWindows& docs) {
  Preferences p = ReadPreferences();
  if (TMDIChild* c = docs.ActiveChild()) {
    if (auto* heb = dynamic_cast<THebTextEditor*>(&c->CurrentEditor()->Editor())) p.EnglishDocument = heb->Engm();
  }
  const TimerOptions& t = form.Options.Timer;
  p.AutoSaveMinutes = std::clamp(t.AutoSaveInt / 60, kAutoSaveMinutesMin, kAutoSaveMinutesMax);
  p.AutoMinMinutes = std::clamp(t.AutoMinInt / 60, kAutoMinMinutesMin, kAutoMinMinutesMax);
  p.HebSheimProt = Checked(form, "SheimHashemProtection1");
  p.EngSheimProt = form.Options.EngSheimProt;
  p.AutoMin = t.AutoMin;
  return p;
}

void ApplyPreferences(TMainForm& form, DocumentWindows& docs, const Preferences& p) {
  WritePreferences(p);
  MainOptions& o = form.Options;

  NoConversion = NuvDosConfig = ForceCP1255 = TagConfig = false;
  Config6 = p.EditConfig == 6;
  switch (p.EditConfig) {
    case 1:
      NoConversion = true;
      SetChecked(form, "Wordwrap1", false);
      break;
    case 3: NuvDosConfig = true; break;
    case 4: ForceCP1255 = true; break;
    case 5: TagConfig = true; break;
    default: break;
  }
  const char* formatButtons[] = {"NuvWinBtn", "NuvDosBtn", "DosTextBtn"};
  if (p.DiskFormat >= 0 && p.DiskFormat <= 2) {
    if (QToolButton* b = form.Button(QString::fromLatin1(formatButtons[p.DiskFormat]))) b->setChecked(true);
  }
  UnicodeClipboard = p.Conversion == 7;

  SetChecked(form, "Createbackupfile1", p.MakeBackup);
  SetChecked(form, "Autoindentation1", p.AutoIndent);
  o.Timer.AutoSave = p.AutoSave;
  o.Timer.AutoSaveInt = p.AutoSaveMinutes * 60;

  SetChecked(form, "WordStarCommands1", p.WordStarCommands);
  if (auto* table = form.MainController->EntryCommands().GetTableByName("WordStar")) table->SetIsActive(p.WordStarCommands);
  if (p.WordStarCommands)
    form.SetWordStarShortcuts();
  else
    form.SetWindowsShortcuts();

  if (p.WinTabFullPath != o.WinTabFullPath) {
    o.WinTabFullPath = p.WinTabFullPath;
    for (TMDIChild* c : docs.Children()) docs.RenameChild(*c, c->Caption());
  }

  if (QWidget* bar = form.SpeedPanel->parentWidget()) bar->setVisible(p.ShowToolBar);
  if (auto* wrapper = form.findChild<ToolbarWrapper*>()) wrapper->FormResize();
  o.ShowFileTabs = p.ShowFileTabs;
  docs.TabBar()->setVisible(p.ShowFileTabs);

  o.Timer.ShowTime = p.ShowTime;
  if (p.ShowTime) form.Panel8->setText(QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
  form.Panel8->setVisible(p.ShowTime);

  o.RepWoDlg = p.RepWoDlg;
  FullNuvel = p.FullNuvel;
  NuvelDlg = p.NuvelDlg;

  // Every open document takes the colours, the control characters and the Tab key.
  const EditorLook look{p.ScreenColor, p.TextColor, p.SelectionColor, p.SelectionTextColor, p.CtrlNums, p.UseTabs};
  for (TMDIChild* c : docs.Children()) c->SetLook(look);

  form.Keyboard().EnglishFile = p.EnglishDocument;
  SetChecked(form, "Engm1", p.EnglishDocument);
  if (TMDIChild* c = docs.ActiveChild()) c->HebDoc().ChooseDirection(p.EnglishDocument);
  // The open documents take the new conversion and edit configuration.
  for (TMDIChild* c : docs.Children()) c->HebDoc().SetConversion(ProgramConvContext());
  form.SetKeyboardByDirection();

  o.WrapColumn = p.WrapColumn;
  if (!NoConversion) SetChecked(form, "Wordwrap1", p.WordWrap);
  SetChecked(form, "WraptoWindow1", p.WrapToWindow);

  SetChecked(form, "SheimHashemProtection1", p.HebSheimProt);
  o.EngSheimProt = p.EngSheimProt;
  o.Timer.AutoMin = p.AutoMin;
  o.Timer.AutoMinInt = p.AutoMinMinutes * 60;

  ApplyOptionsToAll(docs);
  if (form.Commands) form.Commands->Refresh();
}

void AttachPreferences(MainCommands& commands, TMainForm& form, DocumentWindows& docs, PreferencesHooks hooks) {
  auto shared = std::make_shared<PreferencesHooks>(std::move(hooks));
  auto properties = [&form, &docs, shared] { Properties1Click(form, docs, *shared); };
  commands.On("Properties1", properties);
  commands.On("Preferences2", properties);
  commands.On("TabSize1", [&form, &docs] { TabSize1Click(form, docs); });
  for (const char* item : {"Fixedtabs1", "Realtabs1", "Smarttabs1"}) {
    const QString name = QString::fromLatin1(item);
    commands.On(name, [&form, &docs, name] {
      for (const char* other : {"Fixedtabs1", "Realtabs1", "Smarttabs1"})
        SetChecked(form, other, QString::fromLatin1(other) == name);
      ApplyOptionsToAll(docs);
    });
  }
  commands.On("Font1", [&form, &docs, shared] { Font1Click(form, docs, *shared); });
  commands.On("HebrewFont1", [&form, &docs, shared] { HebrewFont1Click(form, docs, *shared); });
}

}  // namespace nuvel
