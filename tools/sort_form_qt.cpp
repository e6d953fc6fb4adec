#include "tools/sort_form_qt.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/shared_state.h"
#include "ui/interface_texts.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

namespace {

QGroupBox* Choice(QWidget* parent, const char* name, const char* title, const char* first, const char* second,
                  QRadioButton*& a, QRadioButton*& b) {
  auto* group = new QGroupBox(QString::fromLatin1(title), parent);
  group->setObjectName(QString::fromLatin1(name));
  auto* rows = new QVBoxLayout(group);
  a = new QRadioButton(QString::fromLatin1(first), group);
  b = new QRadioButton(QString::fromLatin1(second), group);
  rows->addWidget(a);
  rows->addWidget(b);
  a->setChecked(true);
  return group;
}

}  // namespace

TSort_Form1::TSort_Form1(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Sort_Form1"));
  setWindowTitle(QStringLiteral("Nuvel Sort Definition"));
  auto* rows = new QVBoxLayout(this);
  unit_ = Choice(this, "RadioGroup4", "Unit to Sort", "Line sort", "Paragraph sort", byLines_, byParas_);
  rows->addWidget(unit_);
  rows->addWidget(Choice(this, "SortType", "Sort Type", "Not Case Sensitive", "Case Sensitive", noCase_, withCase_));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  rows->addWidget(buttons);

  if (!EngPrompts &&
      ApplyLibraryTexts(this, ParseTextAssignments("form 41640; RadioGroup4 41641; RadioGroup4 [0] 41642; "
                                                   "RadioGroup4 [1] 41643; SortType 41644; SortType [0] 41645; "
                                                   "SortType [1] 41646; OKBtn 41100; CancelBtn 41101")))
    setLayoutDirection(Qt::RightToLeft);
}

void TSort_Form1::Load(const tools::TSortRequest& request) {
  unit_->setVisible(request.offerUnit);
  byLines_->setChecked(true);
  noCase_->setChecked(true);
}

tools::TSortOptions TSort_Form1::Options() const {
  tools::TSortOptions o;
  o.byLines = !unit_->isVisibleTo(this) || byLines_->isChecked();
  o.caseSensitive = withCase_->isChecked();
  return o;
}

std::optional<tools::TSortOptions> TQtSortUi::AskSort(const tools::TSortRequest& request) {
  TSort_Form1 form(parent_);
  form.Load(request);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Options();
}

}  // namespace nuvel
