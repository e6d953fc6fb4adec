#include "tools/conversion_wizard_qt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

namespace {

// A text of the wizard from the string library in the interface's language;
// `fallback` when the library has none.
QString WizardString(uint32_t eng, uint32_t heb, const char* fallback) {
  const std::string text = GetMessageText(eng, heb);
  return text.empty() ? QString::fromUtf8(fallback) : FromSystemText(text);
}

QGroupBox* RadioList(const char* name, const char* title, std::initializer_list<const char*> items,
                     QButtonGroup*& group, QWidget* parent) {
  auto* box = new QGroupBox(QString::fromUtf8(title), parent);
  box->setObjectName(QString::fromLatin1(name));
  auto* column = new QVBoxLayout(box);
  group = new QButtonGroup(box);
  int id = 0;
  for (const char* item : items) {
    auto* radio = new QRadioButton(QString::fromUtf8(item), box);
    column->addWidget(radio);
    group->addButton(radio, id++);
  }
  group->button(0)->setChecked(true);
  return box;
}

QPushButton* Button(const char* name, const char* text, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(text), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

QLabel* Label(const char* name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QString FolderOfName(const QString& name) {
  const int slash = name.lastIndexOf('/');
  return slash < 0 ? QString() : name.left(slash + 1);
}

QString WithoutFolder(const QString& name) {
  const int slash = name.lastIndexOf('/');
  return slash < 0 ? name : name.mid(slash + 1);
}

// A name typed relative to the folder shown is taken in that folder.
std::string InFolder(const QString& folder, const QString& name) {
  const QString trimmed = name.trimmed();
  if (trimmed.isEmpty()) return {};
  if (trimmed.startsWith('/') || folder.isEmpty()) return ToFileName(trimmed);
  return ToFileName(folder + trimmed);
}

}  // namespace

// ---- the side panel ----

TWizard::TWizard(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Wizard1"));
  setFixedWidth(130);
  QFont f = font();
  f.setBold(true);
  f.setPointSize(f.pointSize() + 2);
  setFont(f);
}

void TWizard::SetPicture(const QImage& picture, PanelPicture mode) {
  picture_ = picture;
  mode_ = mode;
  update();
}

void TWizard::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void TWizard::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const PanelRgb color{Color.red(), Color.green(), Color.blue()};
  const PanelRgb fade{ColorFade.red(), ColorFade.green(), ColorFade.blue()};
  for (const PanelBand& band : PanelBackground(BackGroundEffect, width(), height(), color, fade))
    p.fillRect(band.rect.x, band.rect.y, band.rect.width, band.rect.height,
               QColor(band.color.r, band.color.g, band.color.b));
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (const PanelRect& box : PanelPictureBoxes(mode_, picture_.width(), picture_.height(), width(), height()))
    p.drawImage(QRect(box.x, box.y, box.width, box.height), picture_);
  const int flags = Qt::TextWordWrap | (layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft);
  const QRect measured = p.fontMetrics().boundingRect(QRect(5, 0, width() - 15, height()), flags, caption_);
  const PanelRect box = PanelCaptionBox(width(), height(), measured.height());
  p.setPen(QColor(0xC0, 0xC0, 0xC0));  // silver
  p.drawText(QRect(box.x, box.y, box.width, box.height), flags, caption_);
}

QImage WizardPicture(int index) {
  const int size = index < 0 ? 128 : 32;
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  const QColor paper(250, 250, 245), ink(40, 40, 80), accent(255, 200, 40);
  auto page = [&](QRectF r) {
    p.setPen(QPen(ink, 1));
    p.setBrush(paper);
    p.drawRect(r);
    for (qreal y = r.top() + 3; y < r.bottom() - 2; y += 3) p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
  };
  switch (index) {
    case 3: {  // ready: a page with a check mark
      page(QRectF(4, 2, 20, 26));
      p.setPen(QPen(QColor(20, 150, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({QPointF(12, 18), QPointF(18, 26), QPointF(30, 8)}));
      break;
    }
    case 4: {  // files: one page becomes another
      page(QRectF(1, 2, 14, 18));
      page(QRectF(17, 12, 14, 18));
      p.setPen(QPen(accent, 2));
      p.drawLine(QPointF(9, 23), QPointF(15, 27));
      p.drawLine(QPointF(15, 27), QPointF(12, 28));
      break;
    }
    default: {  // properties, and the intro's large picture: a page and its letters
      page(QRectF(3, 2, 22, 28));
      QPainterPath letter;  // a bold nun, the program's letter
      letter.moveTo(14, 9);
      letter.lineTo(20, 9);
      letter.lineTo(20, 23);
      letter.lineTo(12, 23);
      p.setPen(QPen(QColor(31, 78, 154), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPath(letter);
      if (index < 0) {
        p.setPen(QPen(accent, 2));
        p.drawArc(QRectF(20, 14, 10, 10), 90 * 16, -270 * 16);
      }
      break;
    }
  }
  return image;
}

// ---- the dialog ----

TWizrdFrm::TWizrdFrm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("WizrdFrm"));
  setWindowTitle(QStringLiteral("Convert Wizard "));
  auto* outer = new QVBoxLayout(this);
  auto* body = new QHBoxLayout;
  outer->addLayout(body);
  Wizard1 = new TWizard(this);
  body->addWidget(Wizard1);
  auto* right = new QVBoxLayout;
  body->addLayout(right, 1);
  Panel2 = Label("Panel2", QString(), this);
  QFont header = Panel2->font();
  header.setBold(true);
  header.setPointSize(header.pointSize() + 3);
  Panel2->setFont(header);
  right->addWidget(Panel2);
  Notebook1 = new QStackedWidget(this);
  Notebook1->setObjectName(QStringLiteral("Notebook1"));
  right->addWidget(Notebook1, 1);
  Memo1 = Label("Memo1", QString(), this);
  Memo1->setWordWrap(true);
  right->addWidget(Memo1);

  // 0: Intro
  auto* intro = new QWidget;
  auto* introRow = new QVBoxLayout(intro);
  Memo3 = new QPlainTextEdit(intro);
  Memo3->setObjectName(QStringLiteral("Memo3"));
  Memo3->setReadOnly(true);
  Memo3->setPlainText(QStringLiteral(
      "The wizard converts files between the Hebrew character tables and formats.\n\n"
      "Choose the kind of source file and the kind of file to make.\n\nPress \"Next\" to go on."));
  introRow->addWidget(Memo3);
  Notebook1->addWidget(intro);

  // 1: Source Properties
  auto* sourcePage = new QWidget;
  auto* sourceRow = new QVBoxLayout(sourcePage);
  RadioGroup1 = RadioList("RadioGroup1", "Source Type",
                          {"Now in &Editor", "Nuvel &Dos", "Cu&stom", "Plain &ASCII Text", "&RTF", "&QText DOS",
                           "Eins&tein"},
                          source_, sourcePage);
  sourceRow->addWidget(RadioGroup1);
  Notebook1->addWidget(sourcePage);

  // 2: Choose Files
  auto* files = new QWidget;
  auto* filesRow = new QVBoxLayout(files);
  auto* srcLine = new QHBoxLayout;
  EditSource = new QLineEdit(files);
  EditSource->setObjectName(QStringLiteral("EditSource"));
  BitBtn1 = Button("BitBtn1", "Browse...", files);
  srcLine->addWidget(Label("Label2", QStringLiteral("Source File:"), files));
  srcLine->addWidget(EditSource, 1);
  srcLine->addWidget(BitBtn1);
  filesRow->addLayout(srcLine);
  Label4 = Label("Label4", QString(), files);
  filesRow->addWidget(Label4);
  auto* dstLine = new QHBoxLayout;
  EditDest = new QLineEdit(files);
  EditDest->setObjectName(QStringLiteral("EditDest"));
  BitBtn2 = Button("BitBtn2", "Browse...", files);
  dstLine->addWidget(Label("Label3", QStringLiteral("Dest File:"), files));
  dstLine->addWidget(EditDest, 1);
  dstLine->addWidget(BitBtn2);
  filesRow->addLayout(dstLine);
  Label5 = Label("Label5", QString(), files);
  filesRow->addWidget(Label5);
  Label1 = Label("Label1", QStringLiteral("If you leave this blank the file will be left in the editor."), files);
  Label1->setWordWrap(true);
  Label1->setVisible(false);
  filesRow->addWidget(Label1);
  filesRow->addStretch(1);
  Notebook1->addWidget(files);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { BrowseClick(true); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { BrowseClick(false); });
  EditDest->installEventFilter(this);
  EditSource->installEventFilter(this);

  // 3: Dest Properties
  auto* destPage = new QWidget;
  auto* destRow = new QVBoxLayout(destPage);
  RadDest_Type = RadioList("RadDest_Type", "Destination Type",
                           {"Nuvel &Windows", "&Paste to Microsoft Word", "Cu&stom", "Nuvel &DOS", "&RTF",
                            "&Unicode"},
                           dest_, destPage);
  destRow->addWidget(RadDest_Type);
  Notebook1->addWidget(destPage);

  // 4: FinalGo
  auto* summary = new QWidget;
  auto* sumRow = new QVBoxLayout(summary);
  sumRow->addWidget(Label("LabelFG1", QStringLiteral("Source File:"), summary));
  EditFG3 = new QLineEdit(summary);
  EditFG3->setObjectName(QStringLiteral("EditFG3"));
  EditFG3->setReadOnly(true);
  sumRow->addWidget(EditFG3);
  auto pair = [&](const char* captionName, const char* caption, const char* valueName) {
    auto* row = new QHBoxLayout;
    row->addWidget(Label(captionName, QString::fromUtf8(caption), summary));
    QLabel* value = Label(valueName, QString(), summary);
    row->addWidget(value, 1);
    sumRow->addLayout(row);
    return value;
  };
  LabelFG5 = pair("LabelFG2", "Source Type:", "LabelFG5");
  LabelFG7 = pair("LabelFG4", "Dest File:", "LabelFG7");
  LabelFG9 = pair("LabelFG6", "Dest Type:", "LabelFG9");
  sumRow->addWidget(Label("LabelFG8", QStringLiteral("Convert?"), summary));
  SheimBox = new QCheckBox(QStringLiteral("Use Sheim Hashem Protection"), summary);
  SheimBox->setObjectName(QStringLiteral("SheimBox"));
  sumRow->addWidget(SheimBox);
  sumRow->addStretch(1);
  Notebook1->addWidget(summary);

  // 5: the credits page, never shown.
  Notebook1->addWidget(new QWidget);

  // 6: Custom
  auto* custom = new QWidget;
  auto* customRow = new QHBoxLayout(custom);
  RadioGroup3 = RadioList("RadioGroup3", "Character Table",
                          {"Windows (CP1255)", "Nuvel DOS", "Windows 3.11", "No Conversion"}, table_, custom);
  RadioGroup4 = RadioList("RadioGroup4", "Line Endings", {"Nuvel Windows", "Nuvel DOS", "DOS Text"}, lineEnds_,
                          custom);
  customRow->addWidget(RadioGroup3);
  customRow->addWidget(RadioGroup4);
  Notebook1->addWidget(custom);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  Abort_Btn = Button("Abort_Btn", "&Cancel", this);
  Prev_Btn = Button("Prev_Btn", "< &Back", this);
  Next_Btn = Button("Next_Btn", "&Next >", this);
  btn_ok = Button("btn_ok", "&Finish", this);
  for (QPushButton* b : {Abort_Btn, Prev_Btn, Next_Btn, btn_ok}) buttons->addWidget(b);
  outer->addLayout(buttons);
  connect(Abort_Btn, &QPushButton::clicked, this, &QDialog::reject);
  connect(Prev_Btn, &QPushButton::clicked, this, &TWizrdFrm::Prev_BtnClick);
  connect(Next_Btn, &QPushButton::clicked, this, &TWizrdFrm::Next_BtnClick);
  connect(btn_ok, &QPushButton::clicked, this, &QDialog::accept);
  resize(560, 380);

  if (!EngPrompts) SetHebCaps(this, "SetHebCaps_WizrdFrm");
  FormShow();
}

void TWizrdFrm::FormShow() {
  nav_.Show(choices_);
  ShowPage();
}

WizardCustomPage TWizrdFrm::ShownCustom() const { return {table_->checkedId(), lineEnds_->checkedId()}; }

void TWizrdFrm::ShowCustom(const WizardCustomPage& c) {
  table_->button(c.table >= 0 ? c.table : 0)->setChecked(true);
  lineEnds_->button(c.lineEnds >= 0 ? c.lineEnds : 0)->setChecked(true);
}

WizardChoices TWizrdFrm::Choices() const {
  WizardChoices c = choices_;
  c.source = static_cast<WizardSource>(source_->checkedId());
  c.dest = static_cast<WizardDest>(dest_->checkedId());
  c.sheim = SheimBox->isChecked();
  c.sources.clear();
  if (c.source != WizardSource::InEditor) {
    for (const QString& name : EditSource->text().split(';', Qt::SkipEmptyParts)) {
      const std::string full = InFolder(Label4->text(), name);
      if (!full.empty()) c.sources.push_back(full);
    }
  }
  c.dest_name = WizardDestinationName(InFolder(Label5->text(), EditDest->text()), c.dest);
  if (EditDest->text().trimmed().isEmpty() && !destFolder_.empty()) c.dest_name = destFolder_;
  return c;
}

void TWizrdFrm::Next_BtnClick() {
  choices_.source = static_cast<WizardSource>(source_->checkedId());
  choices_.dest = static_cast<WizardDest>(dest_->checkedId());
  WizardCustomPage shown = ShownCustom();
  nav_.Next(choices_, shown);
  ShowCustom(shown);
  ShowPage();
}

void TWizrdFrm::Prev_BtnClick() {
  WizardCustomPage shown = ShownCustom();
  nav_.Back(choices_, shown);
  ShowCustom(shown);
  ShowPage();
}

void TWizrdFrm::ShowPage() {
  const int page = nav_.Page();
  Notebook1->setCurrentIndex(page);
  Prev_Btn->setEnabled(nav_.BackEnabled());
  Next_Btn->setEnabled(nav_.NextEnabled());
  btn_ok->setEnabled(nav_.FinishEnabled());
  (nav_.FinishEnabled() ? btn_ok : Next_Btn)->setDefault(true);
  Panel2->setText(WizardString(38500, 41715, "Convert Wizard"));
  struct Texts {
    uint32_t eng, heb;
    const char* fallback;
  };
  const Texts captions[] = {{38501, 41717, "Welcome"},        {38502, 41718, "Source"},
                            {38503, 41719, "Files"},          {38504, 41720, "Destination"},
                            {38505, 41721, "Ready"},          {0, 0, ""},
                            {38506, 41722, "Custom"}};
  const Texts& t = captions[page];
  Wizard1->SetCaption(WizardString(t.eng, t.heb, t.fallback));
  const int picture = nav_.SidePicture();
  Wizard1->SetPicture(WizardPicture(picture), picture < 0 ? PanelPicture::Large : PanelPicture::SmallThree);
  Memo1->clear();
  if (page == 1) Memo1->setText(WizardString(38510, 41726, "Choose the kind of file you convert."));
  if (page == 2) Memo1->setText(WizardString(38511, 41727, "Choose the files."));
  if (page == 3) Memo1->setText(WizardString(38509, 41725, "Choose what the text becomes."));
  if (page == kWizardSummaryPage) Memo1->setText(WizardString(38508, 41724, "Press Finish to convert."));
  const bool sourceFile = WizardNavigation::SourceFieldEnabled(Choices());
  EditSource->setEnabled(sourceFile);
  BitBtn1->setEnabled(sourceFile);
  Label4->setEnabled(sourceFile);
  if (page == kWizardSummaryPage) FillSummary();
}

void TWizrdFrm::FillSummary() {
  const WizardChoices c = Choices();
  // The RTF type's name, as it will be written.
  if (c.dest == WizardDest::Rtf && !EditDest->text().trimmed().isEmpty())
    EditDest->setText(WithoutFolder(FromFileName(c.dest_name)));
  QStringList names;
  for (const std::string& s : c.sources) names << FromFileName(s);
  EditFG3->setText(c.source == WizardSource::InEditor ? QString() : names.join(QStringLiteral("; ")));
  const bool kept = KeptInEditor(c);
  LabelFG7->setText(kept ? WizardString(38507, 41723, "(the converted text stays in the editor)")
                         : FromFileName(c.dest_name));
  Label1->setVisible(kept);
  LabelFG5->setText(source_->checkedButton()->text().remove('&'));
  LabelFG9->setText(dest_->checkedButton()->text().remove('&'));
}

void TWizrdFrm::BrowseClick(bool source) {
  if (!Browse) return;
  std::string filter = "All files(*.*)|*.*";
  if (source && source_->checkedId() == static_cast<int>(WizardSource::Rtf)) filter = "RTF files(*.rtf)|*.rtf|" + filter;
  const std::vector<std::string> chosen = Browse(source, filter);
  if (chosen.empty()) return;
  QLabel* path = source ? Label4 : Label5;
  QLineEdit* edit = source ? EditSource : EditDest;
  const QString first = FromFileName(chosen.front());
  std::error_code ec;
  if (!source && std::filesystem::is_directory(chosen.front(), ec)) {
    // A folder for several sources.
    path->setText(first.endsWith('/') ? first : first + '/');
    destFolder_ = ToFileName(path->text());
    edit->clear();
    return;
  }
  if (!source) destFolder_.clear();
  path->setText(FolderOfName(first));
  QStringList names;
  for (const std::string& n : chosen) names << WithoutFolder(FromFileName(n));
  edit->setText(names.join(QStringLiteral("; ")));
}

bool TWizrdFrm::eventFilter(QObject* watched, QEvent* e) {
  if (watched == EditDest && e->type() == QEvent::FocusIn) Label1->setVisible(true);
  if (watched == EditDest && e->type() == QEvent::FocusOut) Label1->setVisible(false);
  // A typed name with a folder: the folder goes to the path label.
  if ((watched == EditDest || watched == EditSource) && e->type() == QEvent::FocusOut) {
    auto* edit = static_cast<QLineEdit*>(watched);
    QLabel* path = watched == EditSource ? Label4 : Label5;
    const QString text = edit->text().trimmed();
    if (text.contains('/') && !text.contains(';')) {
      path->setText(FolderOfName(text));
      edit->setText(WithoutFolder(text));
    }
  }
  return QDialog::eventFilter(watched, e);
}

}  // namespace nuvel
