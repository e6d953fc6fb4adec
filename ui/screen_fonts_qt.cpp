#include "ui/screen_fonts_qt.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <map>

#include "core/program_fonts.h"
#include "core/qstring_bytes_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "platform/program_path.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

namespace {

// Font number -> the id Qt gave the loaded file.
std::map<int, int>& LoadedIds() {
  static std::map<int, int> ids;
  return ids;
}

const ProgramFont* FontOfNumber(int number) {
  if (number < 1 || number > 4) return nullptr;
  return &ProgramFonts()[static_cast<size_t>(number - 1)];
}

// The captions of the four boxes and face items.
constexpr const char* kFontCaptions[4] = {"Nuvel Font #1 (NuvDos)", "Nuvel Font #2 (DazazoRUZA Dv)",
                                          "Nuvel Font #3 (DazazoRUZA Fr)", "Nuvel Font #4 (DazazoRUZA Ch)"};

QPushButton* DialogButton(QWidget* parent, const char* name, const char* text) {
  auto* b = new QPushButton(QString::fromLatin1(text), parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

}  // namespace

bool ScreenFontFiles::Load(int number) {
  const ProgramFont* f = FontOfNumber(number);
  if (!f) return false;
  if (LoadedIds().count(number)) return true;
  const QString path = QString::fromStdString(platform::FindFileNoCase(ProgPath, std::string(f->File)));
  if (!QFileInfo::exists(path)) return false;
  const int id = QFontDatabase::addApplicationFont(path);
  if (id < 0) return false;
  LoadedIds()[number] = id;
  return true;
}

void ScreenFontFiles::Unload(int number) {
  const auto it = LoadedIds().find(number);
  if (it == LoadedIds().end()) return;
  QFontDatabase::removeApplicationFont(it->second);
  LoadedIds().erase(it);
}

bool ScreenFontFiles::Loaded(int number) { return LoadedIds().count(number) != 0; }

void ScreenFontFiles::InstallStandIns() {
  for (const ProgramFont& f : ProgramFonts()) {
    const QString face = FromUtf8(f.Face);
    if (!QFont::substitutes(face).contains(FromUtf8(f.StandIn))) QFont::insertSubstitution(face, FromUtf8(f.StandIn));
  }
}

bool LoadFontSetting(int number) {
  const ProgramFont* f = FontOfNumber(number);
  return f && ReadIniString("StartUp", f->IniKey) == "1";
}

// ---- To Fix Fonts ----

TFontFixDlg::TFontFixDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FontFixDlg"));
  setWindowTitle(QStringLiteral("To Fix Fonts"));
  auto* row = new QHBoxLayout(this);
  auto* grid = new QGridLayout;
  const char* boxNames[4] = {"NuvDosBox", "NuvDvBox", "NuvFrBox", "NuvChBox"};
  for (int i = 0; i < 4; ++i) {
    const ProgramFont& f = ProgramFonts()[static_cast<size_t>(i)];
    auto* box = new QCheckBox(QString::fromLatin1(kFontCaptions[i]), this);
    box->setObjectName(QString::fromLatin1(boxNames[i]));
    QFont bold = box->font();
    bold.setBold(true);
    box->setFont(bold);
    auto* panel = new QLabel(QStringLiteral("AaBcCcDd"), this);
    panel->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    panel->setBackgroundRole(QPalette::Base);
    panel->setFont(QFont(FromUtf8(f.Face), 12));
    grid->addWidget(box, i * 2, 0);
    grid->addWidget(panel, i * 2 + 1, 0);
    Boxes[static_cast<size_t>(i)] = box;
    Panels[static_cast<size_t>(i)] = panel;
  }
  row->addLayout(grid, 1);
  auto* side = new QVBoxLayout;
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setBackgroundRole(QPalette::Button);
  Memo1->setPlainText(QStringLiteral("Check Box \nif the Font \nnext to it \nshows no \nHebrew \nletters"));
  side->addWidget(Memo1, 1);
  auto* ok = DialogButton(this, "OKBtn", "OK");
  auto* cancel = DialogButton(this, "CancelBtn", "Cancel");
  side->addWidget(ok);
  side->addWidget(cancel);
  row->addLayout(side);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  for (int i = 0; i < 4; ++i) {
    QCheckBox* box = Boxes[static_cast<size_t>(i)];
    connect(box, &QCheckBox::toggled, this, [this, i](bool on) { BoxClick(i + 1, on); });
    if (LoadFontSetting(i + 1)) box->setChecked(true);
  }
}

void TFontFixDlg::BoxClick(int number, bool checked) {
  const ProgramFont& f = ProgramFonts()[static_cast<size_t>(number - 1)];
  if (checked) {
    ScreenFontFiles::Load(number);
  } else {
    ScreenFontFiles::Unload(number);
  }
  WriteIniString("StartUp", f.IniKey, checked ? "1" : "0");
  Panels[static_cast<size_t>(number - 1)]->update();
}

void RunFontFixDialog(QWidget* parent, bool englishUI) {
  TFontFixDlg dialog(parent);
  if (!englishUI) SetHebCaps(&dialog, "SetHebCaps_FontFixDlg");
  dialog.exec();
}

// ---- Choose A Font ----

TFontCDlg::TFontCDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FontCDlg"));
  setWindowTitle(QStringLiteral("Choose A Font"));
  auto* grid = new QGridLayout(this);
  RadioGroup1 = new QGroupBox(QStringLiteral("Available Hebrew Fonts"), this);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  auto* faces = new QVBoxLayout(RadioGroup1);
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(QString::fromLatin1(kFontCaptions[i]), RadioGroup1);
    r->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
    faces->addWidget(r);
    connect(r, &QRadioButton::toggled, this, [this, i](bool on) {
      if (!on || showing_) return;
      model_.ChooseFace(i);
      ShowModel();
    });
  }
  grid->addWidget(RadioGroup1, 0, 0, 3, 1);

  StyleEdit = new QLineEdit(this);
  StyleEdit->setObjectName(QStringLiteral("StyleEdit"));
  StyleEdit->setReadOnly(true);
  ListBox2 = new QListWidget(this);
  ListBox2->setObjectName(QStringLiteral("ListBox2"));
  for (const std::string& s : FontChooserModel::StyleItems()) ListBox2->addItem(FromUtf8(s));
  SizeEdit = new QLineEdit(this);
  SizeEdit->setObjectName(QStringLiteral("SizeEdit"));
  SizeEdit->setReadOnly(true);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  grid->addWidget(StyleEdit, 0, 1);
  grid->addWidget(ListBox2, 1, 1);
  grid->addWidget(SizeEdit, 0, 2);
  grid->addWidget(ListBox1, 1, 2);
  connect(ListBox2, &QListWidget::currentRowChanged, this, [this](int row) {
    if (showing_) return;
    model_.ChooseStyle(row);
    ShowModel();
  });
  connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
    if (showing_) return;
    model_.ChooseSize(row);
    ShowModel();
  });

  auto* sampleLabel = new QLabel(QStringLiteral("Sample"), this);
  sampleLabel->setObjectName(QStringLiteral("Label1"));
  Panel1 = new QLabel(QStringLiteral("AaBcCcDd"), this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::Box);
  Panel1->setMinimumHeight(60);
  Panel1->setAlignment(Qt::AlignCenter);
  grid->addWidget(sampleLabel, 2, 1);
  grid->addWidget(Panel1, 3, 0, 1, 3);

  auto* buttons = new QHBoxLayout;
  auto* fix = DialogButton(this, "FontFixBtn", "To Fix Fonts");
  fix->setToolTip(QStringLiteral("If one or more Nuvel Fonts does not work correctly"));
  auto* ok = DialogButton(this, "OKBtn", "OK");
  auto* cancel = DialogButton(this, "CancelBtn", "Cancel");
  ok->setDefault(true);
  buttons->addWidget(fix);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 4, 0, 1, 3);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(fix, &QPushButton::clicked, this, [this] {
    if (ShowFontFix)
      ShowFontFix();
    else
      RunFontFixDialog(this, EngPrompts);
  });
}

void TFontCDlg::SetStartFont(const QFont& font) {
  FontDescriptor d;
  d.Name = ToUtf8(font.family());
  d.Size = font.pointSize();
  d.Style.Bits = static_cast<uint8_t>((font.bold() ? FontStyles::Bold : 0) | (font.italic() ? FontStyles::Italic : 0) |
                                      (font.underline() ? FontStyles::Underline : 0) |
                                      (font.strikeOut() ? FontStyles::StrikeOut : 0));
  model_.Show(d);
  ShowModel();
}

void TFontCDlg::ShowModel() {
  showing_ = true;
  const auto radios = RadioGroup1->findChildren<QRadioButton*>();
  if (model_.FaceItem() >= 0 && model_.FaceItem() < radios.size()) radios[model_.FaceItem()]->setChecked(true);
  QStringList sizes;
  for (const std::string& s : model_.SizeItems()) sizes << FromUtf8(s);
  QStringList shown;
  for (int i = 0; i < ListBox1->count(); ++i) shown << ListBox1->item(i)->text();
  if (shown != sizes) {
    ListBox1->clear();
    ListBox1->addItems(sizes);
  }
  ListBox1->setCurrentRow(model_.SizeItem());
  ListBox2->setCurrentRow(model_.StyleItem());
  SizeEdit->setText(ListBox1->currentItem() ? ListBox1->currentItem()->text() : QString());
  StyleEdit->setText(ListBox2->currentItem() ? ListBox2->currentItem()->text() : QString());
  Panel1->setFont(ChosenFont());
  showing_ = false;
}

QFont TFontCDlg::ChosenFont() const {
  const FontDescriptor& d = model_.Font();
  QFont f(FromUtf8(d.Name), d.Size);
  f.setBold(d.Style.Has(FontStyles::Bold));
  f.setItalic(d.Style.Has(FontStyles::Italic));
  return f;
}

}  // namespace nuvel
