#include "tools/rule_form_qt.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* text) {
  auto* b = new QPushButton(QString::fromLatin1(text), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TRuleForm::TRuleForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("RuleForm"));
  setWindowTitle(QStringLiteral("Super Find"));
  auto* top = new QHBoxLayout(this);

  auto* left = new QVBoxLayout;
  ruleLabel_ = new QLabel(this);
  ruleLabel_->setObjectName(QStringLiteral("RuleLabel"));
  ruleLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  ruleLabel_->setMinimumWidth(200);
  left->addWidget(ruleLabel_);
  files_ = new QListWidget(this);
  files_->setObjectName(QStringLiteral("FileListBox1"));
  left->addWidget(files_);
  auto* group = new QGroupBox(this);
  group->setObjectName(QStringLiteral("RadioGroup1"));
  auto* groupRows = new QVBoxLayout(group);
  current_ = new QRadioButton(QStringLiteral("&Current File"), group);
  all_ = new QRadioButton(QStringLiteral("&All Loaded Files"), group);
  groupRows->addWidget(current_);
  groupRows->addWidget(all_);
  left->addWidget(group);
  backup_ = new QCheckBox(QStringLiteral("Create Backup"), this);
  backup_->setObjectName(QStringLiteral("BkupBox1"));
  left->addWidget(backup_);
  top->addLayout(left, 1);

  auto* buttons = new QVBoxLayout;
  QPushButton* ok = Button(this, "BitBtn1", "OK");
  ok->setDefault(true);
  QPushButton* cancel = Button(this, "BitBtn2", "Cancel");
  QPushButton* edit = Button(this, "BitBtn4", "&Edit this RLE file");
  QPushButton* make = Button(this, "BitBtn5", "&Make New RLE");
  for (QPushButton* b : {ok, cancel, edit, make}) buttons->addWidget(b);
  buttons->addStretch(1);
  top->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this, [this] { Finish(tools::TRuleFormResult::Run); });
  connect(cancel, &QPushButton::clicked, this, [this] { Finish(tools::TRuleFormResult::Cancel); });
  connect(edit, &QPushButton::clicked, this, [this] { Finish(tools::TRuleFormResult::Edit); });
  connect(make, &QPushButton::clicked, this, [this] { Finish(tools::TRuleFormResult::MakeNew); });
  connect(files_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    label_ = ToFileName(files_->item(row)->text());
    ruleLabel_->setText(files_->item(row)->text());
  });

  if (!EngPrompts && SetHebCaps(this, "SetHebCaps_RuleForm")) setLayoutDirection(Qt::RightToLeft);
}

void TRuleForm::Load(const tools::TRuleFormRequest& request) {
  files_->blockSignals(true);
  files_->clear();
  for (const tools::TRuleFileEntry& e : request.files) files_->addItem(FromFileName(e.name));
  files_->blockSignals(false);
  label_ = request.label;
  ruleLabel_->setText(FromFileName(label_));
  backup_->setChecked(request.createBackup);
  current_->setChecked(true);
  all_->setEnabled(request.allowAll);
}

tools::TRuleFormAnswer TRuleForm::Answer() const {
  tools::TRuleFormAnswer a;
  a.result = result_;
  a.label = label_;
  a.createBackup = backup_->isChecked();
  a.allFiles = all_->isChecked();
  return a;
}

void TRuleForm::Finish(tools::TRuleFormResult result) {
  result_ = result;
  if (result == tools::TRuleFormResult::Cancel)
    reject();
  else
    accept();
}

tools::TRuleFormAnswer TQtSuperFindUi::AskRuleForm(const tools::TRuleFormRequest& request) {
  TRuleForm form(parent_);
  form.Load(request);
  if (form.exec() != QDialog::Accepted) return {};
  return form.Answer();
}

}  // namespace nuvel
