#include "app/preferences_dialog_qt.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/charset.h"
#include "core/color_qt.h"
#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "ui/message_format.h"

namespace nuvel {

namespace {

QGroupBox* RadioGroup(QWidget* parent, const char* name, const QString& title, std::initializer_list<const char*> items) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(QString::fromLatin1(name));
  auto* column = new QVBoxLayout(box);
  int i = 0;
  for (const char* text : items) {
    auto* radio = new QRadioButton(QString::fromUtf8(text), box);
    radio->setObjectName(QStringLiteral("%1Item%2").arg(QString::fromLatin1(name)).arg(i++));
    column->addWidget(radio);
  }
  return box;
}

QCheckBox* Check(QWidget* parent, QLayout* layout, const char* name, const char* text) {
  auto* c = new QCheckBox(QString::fromUtf8(text), parent);
  c->setObjectName(QString::fromLatin1(name));
  layout->addWidget(c);
  return c;
}

QPushButton* Button(QWidget* parent, const char* name, const char* text) {
  auto* b = new QPushButton(QString::fromUtf8(text), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

QLineEdit* Edit(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  return e;
}

// The label text of a number field, for the message that names it.
std::string FieldLabel(PreferenceField f) {
  switch (f) {
    case PreferenceField::WrapColumn: return GetMessageText(43602, 43603);
    case PreferenceField::AutoSaveMinutes: return GetMessageText(43604, 43605);
    case PreferenceField::AutoMinMinutes: return GetMessageText(43606, 43607);
  }
  return {};
}

// Name, size and style letters: "Arial,10,BI".
QString FontShown(const QFont& f) {
  QString style;
  if (f.bold()) style += QLatin1Char('B');
  if (f.italic()) style += QLatin1Char('I');
  if (f.underline()) style += QLatin1Char('U');
  if (f.strikeOut()) style += QLatin1Char('S');
  return f.family() + QLatin1Char(',') + QString::number(f.pointSize()) + QLatin1Char(',') + style;
}

}  // namespace

int TPreferencesDlg::RadioIndex(const QGroupBox* group) {
  const auto radios = group->findChildren<QRadioButton*>();
  for (int i = 0; i < radios.size(); ++i)
    if (radios[i]->isChecked()) return i;
  return -1;
}

void TPreferencesDlg::SetRadioIndex(QGroupBox* group, int index) {
  const auto radios = group->findChildren<QRadioButton*>();
  if (index >= 0 && index < radios.size()) radios[index]->setChecked(true);
}

TPreferencesDlg::TPreferencesDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PreferencesDlg"));
  setWindowTitle(QStringLiteral("Properties"));
  auto* column = new QVBoxLayout(this);
  Preferences1 = new QTabWidget(this);
  Preferences1->setObjectName(QStringLiteral("Preferences1"));
  Preferences1->addTab(BuildPropertiesPage(), QStringLiteral("Propert&ies"));
  Preferences1->addTab(BuildDisplayPage(), QStringLiteral("Displa&y"));
  Preferences1->addTab(BuildWorkingPage(), QStringLiteral("Workin&g Conditions"));
  Preferences1->addTab(BuildSheimPage(), QStringLiteral("Sheim &Hashem"));
  Preferences1->addTab(BuildFilesPage(), QStringLiteral("&Files and Directories"));
  column->addWidget(Preferences1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  OKBtn = Button(this, "OKBtn", "OK");
  OKBtn->setDefault(true);
  CancelBtn = Button(this, "CancelBtn", "Cancel");
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  column->addLayout(buttons);
  setMinimumWidth(700);
  connect(OKBtn, &QPushButton::clicked, this, [this] {
    if (TryAccept()) accept();
  });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* TPreferencesDlg::BuildPropertiesPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  LangRadio1 = RadioGroup(page, "LangRadio1", QStringLiteral("Language"), {"Hebrew", "English"});
  EditConfig = RadioGroup(page, "EditConfig", QStringLiteral(" Edit Configuration "),
                          {"&Default", "&Program Editor", "&Custom", "&Nuvel DOS", "3&B2", "&Tag"});
  auto* styleLabel = new QLabel(QStringLiteral("Default 3B2 style"), page);
  styleLabel->setObjectName(QStringLiteral("Label12"));
  E3B2Edit = Edit(page, "E3B2Edit");
  auto* diskLabel = new QLabel(QStringLiteral("Disk File Format"), page);
  diskLabel->setObjectName(QStringLiteral("Label2"));
  auto* diskWay = new QLabel(QStringLiteral("(To and From)"), page);
  diskWay->setObjectName(QStringLiteral("Label1"));
  Disk_Conv_List1 = new QListWidget(page);
  Disk_Conv_List1->setObjectName(QStringLiteral("Disk_Conv_List1"));
  Disk_Conv_List1->addItems({"Nuvel Windows", "Nuvel DOS", "DOS Text", "Einstein", "3B2", "Unicode"});
  SmartLoadChkBox = new QCheckBox(QStringLiteral("\"Smart\" Nuvel F&mt"), page);
  SmartLoadChkBox->setObjectName(QStringLiteral("SmartLoadChkBox"));
  TxtConvRadio1 = RadioGroup(page, "TxtConvRadio1", QStringLiteral(" Character Table "),
                             {"&No Conversion", "Windows 3.1", "Windows (CP 1255)", "Microsoft Word", "Nuvel Dos",
                              "Einstein", "3B2", "Unicode", "RTF", "Windows Fonts"});
  // The file types whose extension decides their format, whatever the choices above.
  auto* special = new QGroupBox(QStringLiteral("Special Files"), page);
  special->setObjectName(QStringLiteral("PushCheck2"));
  auto* sc = new QVBoxLayout(special);
  auto* types = new QListWidget(special);
  types->setObjectName(QStringLiteral("SpecialTypes"));
  types->addItems({".NVW  Nuvel Windows", ".NVS  Nuvel DOS", ".RTF  RTF", ".3T  3B2", ".PDB .PRC  Palm Doc", ".RLE  Rules"});
  types->setSelectionMode(QAbstractItemView::NoSelection);
  types->setLayoutDirection(Qt::LeftToRight);  // extensions read left to right in either language
  types->setMaximumHeight(110);
  sc->addWidget(types);
  auto* about = new QGroupBox(QStringLiteral("Configuration"), page);
  about->setObjectName(QStringLiteral("GroupBox4"));
  auto* ac = new QVBoxLayout(about);
  const struct { const char* name; const char* text; } notes[] = {
      {"Label9", "Nuvel-format files load without conversion"},
      {"Label10", "File types follow their extension"},
      {"Label11", "Other files convert by the character table"},
      {"Label15", "The configuration holds for every file opened from now on"}};
  for (const auto& n : notes) {
    auto* l = new QLabel(QString::fromLatin1(n.text), about);
    l->setObjectName(QString::fromLatin1(n.name));
    l->setWordWrap(true);
    ac->addWidget(l);
  }
  grid->addWidget(LangRadio1, 0, 0);
  grid->addWidget(EditConfig, 1, 0, 2, 1);
  grid->addWidget(styleLabel, 3, 0);
  grid->addWidget(E3B2Edit, 4, 0);
  grid->addWidget(diskLabel, 0, 1);
  grid->addWidget(diskWay, 1, 1);
  grid->addWidget(Disk_Conv_List1, 2, 1);
  grid->addWidget(SmartLoadChkBox, 3, 1);
  grid->addWidget(special, 4, 1, 2, 1);
  grid->addWidget(TxtConvRadio1, 0, 2, 4, 1);
  grid->addWidget(about, 4, 2, 2, 1);
  for (QRadioButton* r : EditConfig->findChildren<QRadioButton*>())
    connect(r, &QRadioButton::clicked, this, [this] { EditConfigClick(); });
  // Leaving one of the two lists with Einstein, 3B2 or Unicode takes the other along.
  for (QRadioButton* r : TxtConvRadio1->findChildren<QRadioButton*>()) {
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (!on) return;
      const int mode = RadioIndex(TxtConvRadio1);
      if (mode == lastConversion_) return;
      lastConversion_ = mode;
      if (const auto fmt = DiskFormatForConversion(mode)) Disk_Conv_List1->setCurrentRow(*fmt);
    });
  }
  connect(Disk_Conv_List1, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row == lastDiskFormat_) return;
    lastDiskFormat_ = row;
    if (const auto mode = ConversionForDiskFormat(row)) SetRadioIndex(TxtConvRadio1, *mode);
  });
  return page;
}

QWidget* TPreferencesDlg::BuildDisplayPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  auto* colors = new QGroupBox(QStringLiteral("Colors"), page);
  colors->setObjectName(QStringLiteral("GroupBox1"));
  auto* cg = new QGridLayout(colors);
  NormPnl = new QLabel(QStringLiteral("AaBbCc"), colors);
  NormPnl->setObjectName(QStringLiteral("NormPnl"));
  HighPnl = new QLabel(QStringLiteral("AaBbCc"), colors);
  HighPnl->setObjectName(QStringLiteral("HighPnl"));
  for (QLabel* l : {NormPnl, HighPnl}) {
    l->setAutoFillBackground(true);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumSize(100, 30);
    l->setFrameShape(QFrame::Box);
  }
  auto* normFont = Button(colors, "ClNormFont", "Text");
  auto* normBack = Button(colors, "ClNrmBack", "Background");
  auto* highFont = Button(colors, "ClHighFnt", "Text");
  auto* highBack = Button(colors, "ClHighBack", "Background");
  auto* byDefault = Button(colors, "ClWDefault", "Default");
  auto* suggest = Button(colors, "SuggestBtn", "Try This");
  auto* dos = Button(colors, "ClDos", "Nuvel Dos");
  cg->addWidget(NormPnl, 0, 0);
  cg->addWidget(normFont, 0, 1);
  cg->addWidget(normBack, 0, 2);
  cg->addWidget(HighPnl, 1, 0);
  cg->addWidget(highFont, 1, 1);
  cg->addWidget(highBack, 1, 2);
  cg->addWidget(byDefault, 2, 0);
  cg->addWidget(suggest, 2, 1);
  cg->addWidget(dos, 2, 2);
  connect(normFont, &QPushButton::clicked, this, [this] { PickColor(values_.TextColor); });
  connect(normBack, &QPushButton::clicked, this, [this] { PickColor(values_.ScreenColor); });
  connect(highFont, &QPushButton::clicked, this, [this] { PickColor(values_.SelectionTextColor); });
  connect(highBack, &QPushButton::clicked, this, [this] { PickColor(values_.SelectionColor); });
  auto preset = [this](TColor text, TColor back, TColor selText, TColor selBack) {
    values_.TextColor = text;
    values_.ScreenColor = back;
    values_.SelectionTextColor = selText;
    values_.SelectionColor = selBack;
    ShowColors();
  };
  connect(byDefault, &QPushButton::clicked, this,
          [preset] { preset(clWindowText, clWindow, clHighlightText, clHighlight); });
  connect(suggest, &QPushButton::clicked, this, [preset] { preset(clBlack, clOlive, clHighlightText, clHighlight); });
  connect(dos, &QPushButton::clicked, this, [preset] { preset(clYellow, clNavy, clAqua, clPurple); });
  grid->addWidget(colors, 0, 0, 1, 2);

  auto* look = new QGroupBox(QStringLiteral("Appearance"), page);
  look->setObjectName(QStringLiteral("AppearanceGp"));
  auto* lc = new QVBoxLayout(look);
  ToolBarChk = Check(look, lc, "ToolBarChk", "Show Tool Bar");
  ToolBarWrap = Check(look, lc, "ToolBarWrap", "Wrap Tool Bar");
  ShowTime1 = Check(look, lc, "ShowTime1", "Show Time");
  ShowFileTabs1 = Check(look, lc, "ShowFileTabs1", "Show File Tabs");
  WinTabFullFl = Check(look, lc, "WinTabFullFl", "Full File Path on Tabs");
  connect(ToolBarChk, &QCheckBox::toggled, this, [this] { SyncEnabling(); });
  grid->addWidget(look, 1, 0);
  Ctrlchar = RadioGroup(page, "Ctrlchar", QStringLiteral("Control characters"), {"Symbols", "Numbers"});
  grid->addWidget(Ctrlchar, 1, 1);

  auto* files = new QGroupBox(QStringLiteral("File Manager Font"), page);
  files->setObjectName(QStringLiteral("GroupBox5"));
  auto* fc = new QHBoxLayout(files);
  auto* fontLabel = new QLabel(QStringLiteral("File manager font:"), files);
  fontLabel->setObjectName(QStringLiteral("Label13"));
  fc->addWidget(fontLabel);
  FilFntNm = new QLabel(files);
  FilFntNm->setObjectName(QStringLiteral("FilFntNm"));
  FilFntSmp = new QLabel(QStringLiteral("AaBbCc"), files);
  FilFntSmp->setObjectName(QStringLiteral("FilFntSmp"));
  auto* change = Button(files, "ChgFilFnt", "Change...");
  fc->addWidget(FilFntNm);
  fc->addWidget(FilFntSmp);
  fc->addWidget(change);
  connect(change, &QPushButton::clicked, this, [this] {
    bool ok = false;
    std::optional<QFont> chosen;
    if (ChooseFont) {
      chosen = ChooseFont(FileFont);
    } else {
      const QFont f = QFontDialog::getFont(&ok, FileFont, this);
      if (ok) chosen = f;
    }
    if (!chosen) return;
    FileFont = *chosen;
    ShowFileFont();
  });
  grid->addWidget(files, 2, 0, 1, 2);
  auto* fix = Button(page, "FontFixBtn", "To Fix Fonts");
  connect(fix, &QPushButton::clicked, this, [this] {
    if (ShowFontFix) ShowFontFix();
  });
  grid->addWidget(fix, 3, 0);
  return page;
}

QWidget* TPreferencesDlg::BuildWorkingPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  auto* wrap = new QGroupBox(QStringLiteral("Word Wrap"), page);
  wrap->setObjectName(QStringLiteral("WordWrapBox"));
  auto* wc = new QVBoxLayout(wrap);
  WordWrapCheckBox = Check(wrap, wc, "WordWrapCheckBox", "Word Wrap");
  WraptoWindow = Check(wrap, wc, "WraptoWindow", "Wrap to Window");
  Label4 = new QLabel(QStringLiteral("Wrap Column"), wrap);
  Label4->setObjectName(QStringLiteral("Label4"));
  wc->addWidget(Label4);
  WrapColEdit = Edit(wrap, "WrapColEdit");
  Label4->setBuddy(WrapColEdit);
  wc->addWidget(WrapColEdit);
  connect(WraptoWindow, &QCheckBox::toggled, this, [this] { SyncEnabling(); });
  grid->addWidget(wrap, 0, 0);

  auto* find = new QGroupBox(QStringLiteral("Find"), page);
  find->setObjectName(QStringLiteral("FindGroup"));
  auto* fc = new QVBoxLayout(find);
  FindCrsrWord = Check(find, fc, "FindCrsrWord", "Use Cursor Word");
  RepWoDlg1 = Check(find, fc, "RepWoDlg1", "Replace Without Dialog");
  grid->addWidget(find, 0, 1);

  auto* save = new QGroupBox(QStringLiteral("Auto Save"), page);
  save->setObjectName(QStringLiteral("GroupBox2"));
  auto* sc = new QVBoxLayout(save);
  AutoSave1 = Check(save, sc, "AutoSave1", "Auto Save");
  auto* every = new QLabel(QStringLiteral("Minutes"), save);
  every->setObjectName(QStringLiteral("Label3"));
  sc->addWidget(every);
  AutoSaveInt1 = new QSpinBox(save);
  AutoSaveInt1->setObjectName(QStringLiteral("AutoSaveInt1"));
  AutoSaveInt1->setRange(kAutoSaveMinutesMin, kAutoSaveMinutesMax);
  sc->addWidget(AutoSaveInt1);
  grid->addWidget(save, 1, 0);

  auto* misc = new QGroupBox(QStringLiteral("Miscellaneous"), page);
  misc->setObjectName(QStringLiteral("Miscellaneous"));
  auto* mc = new QVBoxLayout(misc);
  UseTabsChkBox = Check(misc, mc, "UseTabsChkBox", "Use Tab Key");
  CreateBkup1 = Check(misc, mc, "CreateBkup1", "Create Backup File");
  AutoIndnt1 = Check(misc, mc, "AutoIndnt1", "Auto Indentation");
  WordStar1 = Check(misc, mc, "WordStar1", "WordStar Commands");
  grid->addWidget(misc, 1, 1);
  auto* nuvel = new QGroupBox(QStringLiteral("Nuvel Compatibility"), page);
  nuvel->setObjectName(QStringLiteral("NuvCmptBox"));
  auto* nc = new QVBoxLayout(nuvel);
  FullNuvBox = Check(nuvel, nc, "FullNuvBox", "Full Nuvel");
  NuvDlgBox = Check(nuvel, nc, "NuvDlgBox", "Nuvel Open Dialog");
  grid->addWidget(nuvel, 2, 1);

  auto* rtf = new QGroupBox(QStringLiteral("RTF Header"), page);
  rtf->setObjectName(QStringLiteral("RtfBox"));
  auto* rc = new QVBoxLayout(rtf);
  RtfHead = Edit(rtf, "RtfHead");
  rc->addWidget(RtfHead);
  grid->addWidget(rtf, 3, 0, 1, 2);
  return page;
}

QWidget* TPreferencesDlg::BuildSheimPage() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  HebSheimProt = Check(page, column, "HebSheimProt", "Sheim Hashem Protection (Hebrew)");
  EngSheimProt = Check(page, column, "EngSheimProt", "Sheim Hashem Protection (English)");
  auto* box = new QGroupBox(QStringLiteral("Minimize"), page);
  box->setObjectName(QStringLiteral("MinBox"));
  auto* bc = new QVBoxLayout(box);
  MinCheck = Check(box, bc, "MinCheck", "Minimize when idle");
  auto* after = new QLabel(QStringLiteral("Minutes"), box);
  after->setObjectName(QStringLiteral("Label14"));
  bc->addWidget(after);
  MinSpin = new QSpinBox(box);
  MinSpin->setObjectName(QStringLiteral("MinSpin"));
  MinSpin->setRange(kAutoMinMinutesMin, kAutoMinMinutesMax);
  bc->addWidget(MinSpin);
  column->addWidget(box);
  column->addStretch(1);
  return page;
}

QWidget* TPreferencesDlg::BuildFilesPage() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  auto* dictionaries = new QGroupBox(QStringLiteral("Spelling Dictionaries"), page);
  dictionaries->setObjectName(QStringLiteral("GroupBox3"));
  column->addWidget(dictionaries);
  column->addStretch(1);
  auto* grid = new QGridLayout(dictionaries);
  const struct {
    const char* label;
    const char* labelName;
    const char* edit;
    const char* button;
    bool dictionary;
  } rows[] = {
      {"English dictionary", "Label5", "SpellDicEd", "Button1", true},
      {"Hebrew dictionary", "Label6", "SpellHDicEd", "Button2", true},
      {"English word list", "Label7", "Edit1", "Button3", false},
      {"Hebrew word list", "Label8", "Edit2", "Button4", false},
  };
  QLineEdit** edits[] = {&SpellDicEd, &SpellHDicEd, &Edit1, &Edit2};
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(QString::fromLatin1(rows[i].label), dictionaries);
    label->setObjectName(QString::fromLatin1(rows[i].labelName));
    QLineEdit* e = Edit(dictionaries, rows[i].edit);
    *edits[i] = e;
    auto* b = Button(dictionaries, rows[i].button, "Browse...");
    const bool dictionary = rows[i].dictionary;
    connect(b, &QPushButton::clicked, this, [this, e, dictionary] { Browse(e, dictionary); });
    grid->addWidget(label, i, 0);
    grid->addWidget(e, i, 1);
    grid->addWidget(b, i, 2);
  }
  return page;
}

void TPreferencesDlg::Load(const Preferences& p) {
  values_ = p;
  SetRadioIndex(LangRadio1, p.EnglishDocument ? 1 : 0);
  SetRadioIndex(EditConfig, p.EditConfig);
  E3B2Edit->setText(FromSystemText(p.Default3B2Style));
  lastDiskFormat_ = p.DiskFormat;
  lastConversion_ = p.Conversion;
  Disk_Conv_List1->setCurrentRow(p.DiskFormat);
  SetRadioIndex(TxtConvRadio1, p.Conversion);
  ApplyEditConfig(EditConfigShown(p.EditConfig));
  SmartLoadChkBox->setChecked(p.SmartLoad);
  ShowColors();
  ToolBarChk->setChecked(p.ShowToolBar);
  ToolBarWrap->setChecked(p.ToolBarWrap);
  ShowTime1->setChecked(p.ShowTime);
  ShowFileTabs1->setChecked(p.ShowFileTabs);
  WinTabFullFl->setChecked(p.WinTabFullPath);
  SetRadioIndex(Ctrlchar, p.CtrlNums ? 1 : 0);
  WordWrapCheckBox->setChecked(p.WordWrap);
  WraptoWindow->setChecked(p.WrapToWindow);
  WrapColEdit->setText(QString::number(p.WrapColumn));
  FindCrsrWord->setChecked(p.FindCursorWord);
  RepWoDlg1->setChecked(p.RepWoDlg);
  AutoSave1->setChecked(p.AutoSave);
  AutoSaveInt1->setValue(p.AutoSaveMinutes);
  UseTabsChkBox->setChecked(p.UseTabs);
  CreateBkup1->setChecked(p.MakeBackup);
  AutoIndnt1->setChecked(p.AutoIndent);
  FullNuvBox->setChecked(p.FullNuvel);
  NuvDlgBox->setChecked(p.NuvelDlg);
  WordStar1->setChecked(p.WordStarCommands);
  RtfHead->setText(FromUtf8(p.RtfUserHead));
  HebSheimProt->setChecked(p.HebSheimProt);
  EngSheimProt->setChecked(p.EngSheimProt);
  MinCheck->setChecked(p.AutoMin);
  MinSpin->setValue(p.AutoMinMinutes);
  SpellDicEd->setText(FromFileName(p.MainEngDic));
  SpellHDicEd->setText(FromFileName(p.MainHebDic));
  Edit1->setText(FromFileName(p.TempEngDic));
  Edit2->setText(FromFileName(p.TempHebDic));
  ShowFileFont();
  SyncEnabling();
}

void TPreferencesDlg::SyncEnabling() {
  WrapColEdit->setEnabled(!WraptoWindow->isChecked());
  Label4->setEnabled(!WraptoWindow->isChecked());
  ToolBarWrap->setEnabled(ToolBarChk->isChecked());
}

void TPreferencesDlg::ApplyEditConfig(const EditConfigControls& c) {
  if (c.SetDiskFormat) Disk_Conv_List1->setCurrentRow(*c.SetDiskFormat);
  if (c.SetConversion) SetRadioIndex(TxtConvRadio1, *c.SetConversion);
  Disk_Conv_List1->setEnabled(c.DiskFormatEnabled);
  TxtConvRadio1->setEnabled(c.ConversionEnabled);
  E3B2Edit->setEnabled(c.StyleEnabled);
}

void TPreferencesDlg::EditConfigClick() { ApplyEditConfig(EditConfigChosen(RadioIndex(EditConfig))); }

void TPreferencesDlg::ShowColors() {
  const QPalette& base = palette();
  auto paint = [&](QLabel* panel, TColor text, TColor back) {
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, ToQColor(back, base));
    p.setColor(QPalette::WindowText, ToQColor(text, base));
    panel->setPalette(p);
  };
  paint(NormPnl, values_.TextColor, values_.ScreenColor);
  paint(HighPnl, values_.SelectionTextColor, values_.SelectionColor);
}

void TPreferencesDlg::PickColor(TColor& color) {
  const QColor start = ToQColor(color, palette());
  std::optional<QColor> chosen;
  if (ChooseColor) {
    chosen = ChooseColor(start);
  } else {
    const QColor c = QColorDialog::getColor(start, this);
    if (c.isValid()) chosen = c;
  }
  if (!chosen || !chosen->isValid()) return;
  color = FromQColor(*chosen);
  ShowColors();
}

void TPreferencesDlg::Browse(QLineEdit* edit, bool dictionary) {
  const std::string filter = dictionary ? "Dictionary Files(*.dic) | *.dic" : "";
  std::optional<std::string> name;
  if (ChooseFile) {
    name = ChooseFile(filter);
  } else {
    const QString chosen = QFileDialog::getOpenFileName(
        this, QString(), QString(), dictionary ? QStringLiteral("Dictionary Files (*.dic)") : QString());
    if (!chosen.isEmpty()) name = ToFileName(chosen);
  }
  if (name) edit->setText(FromFileName(*name));
}

void TPreferencesDlg::ShowFileFont() {
  FilFntNm->setText(FontShown(FileFont));
  FilFntSmp->setFont(FileFont);
}

bool TPreferencesDlg::TryAccept() {
  Preferences p = values_;
  const auto error = TakeTypedNumbers(
      {WrapColEdit->text().toStdString(), AutoSaveInt1->cleanText().toStdString(), MinSpin->cleanText().toStdString()},
      p);
  if (error) {
    const std::string format = GetMessageText(43600, 43601);
    const std::string text =
        FormatMessage(format.empty() ? "The number in \"%s\" must be a whole number from %d to %d." : format,
                      {FieldLabel(error->Field), int64_t{error->Low}, int64_t{error->High}});
    MessageDlg(text, MsgDlgType::Error, platform::mbOK);
    // Show the page of the field and put the caret in it.
    if (auto* field = findChild<QWidget*>(QString::fromLatin1(error->Component.data(),
                                                              static_cast<qsizetype>(error->Component.size())))) {
      for (int i = 0; i < Preferences1->count(); ++i)
        if (Preferences1->widget(i)->isAncestorOf(field)) Preferences1->setCurrentIndex(i);
      field->setFocus();
    }
    return false;
  }
  p.EnglishDocument = RadioIndex(LangRadio1) == 1;
  // A stored choice the lists do not show (configuration 6) stays as it was.
  if (const int config = RadioIndex(EditConfig); config >= 0) p.EditConfig = config;
  p.Default3B2Style.clear();
  for (QChar c : E3B2Edit->text()) p.Default3B2Style += static_cast<char>(UnicodeToHebChar(c.unicode()));
  if (Disk_Conv_List1->currentRow() >= 0) p.DiskFormat = Disk_Conv_List1->currentRow();
  p.SmartLoad = SmartLoadChkBox->isChecked();
  if (const int mode = RadioIndex(TxtConvRadio1); mode >= 0) p.Conversion = mode;
  p.ShowToolBar = ToolBarChk->isChecked();
  p.ToolBarWrap = ToolBarWrap->isChecked();
  p.ShowTime = ShowTime1->isChecked();
  p.ShowFileTabs = ShowFileTabs1->isChecked();
  p.WinTabFullPath = WinTabFullFl->isChecked();
  p.CtrlNums = RadioIndex(Ctrlchar) == 1;
  p.WordWrap = WordWrapCheckBox->isChecked();
  p.WrapToWindow = WraptoWindow->isChecked();
  p.FindCursorWord = FindCrsrWord->isChecked();
  p.RepWoDlg = RepWoDlg1->isChecked();
  p.AutoSave = AutoSave1->isChecked();
  p.UseTabs = UseTabsChkBox->isChecked();
  p.MakeBackup = CreateBkup1->isChecked();
  p.AutoIndent = AutoIndnt1->isChecked();
  p.FullNuvel = FullNuvBox->isChecked();
  p.NuvelDlg = NuvDlgBox->isChecked();
  p.WordStarCommands = WordStar1->isChecked();
  p.RtfUserHead = ToUtf8(RtfHead->text());
  p.HebSheimProt = HebSheimProt->isChecked();
  p.EngSheimProt = EngSheimProt->isChecked();
  p.AutoMin = MinCheck->isChecked();
  p.MainEngDic = ToFileName(SpellDicEd->text());
  p.MainHebDic = ToFileName(SpellHDicEd->text());
  p.TempEngDic = ToFileName(Edit1->text());
  p.TempHebDic = ToFileName(Edit2->text());
  p.FileManagerFont = ToUtf8(FileFont.family()) + "~" + std::to_string(FileFont.pointSize()) + "~" +
                      std::to_string((FileFont.bold() ? 1 : 0) | (FileFont.italic() ? 2 : 0) |
                                     (FileFont.underline() ? 4 : 0) | (FileFont.strikeOut() ? 8 : 0));
  result_ = p;
  return true;
}

}  // namespace nuvel
