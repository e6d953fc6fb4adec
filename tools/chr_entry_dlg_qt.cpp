#include "tools/chr_entry_dlg_qt.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

TChrEntryDlg::TChrEntryDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ChrEntryDlg"));
  setWindowTitle(QStringLiteral("Character Entry"));
  auto* layout = new QVBoxLayout(this);
  label1_ = new QLabel(QStringLiteral("Select a character"), this);
  label1_->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(label1_);

  auto* grid = new QGridLayout;
  auto* charLabel = new QLabel(QStringLiteral("Enter a &character: "), this);
  charLabel->setObjectName(QStringLiteral("CharLabel"));
  charMask_ = new QLineEdit(this);
  charMask_->setObjectName(QStringLiteral("CharMask"));
  charMask_->setMaxLength(1);
  charLabel->setBuddy(charMask_);
  auto* orLabel = new QLabel(QStringLiteral("or"), this);
  orLabel->setObjectName(QStringLiteral("Label2"));
  auto* asciiLabel = new QLabel(QStringLiteral("Enter an &ASCII Number: "), this);
  asciiLabel->setObjectName(QStringLiteral("AsciiLabel"));
  asciMask_ = new QLineEdit(this);
  asciMask_->setObjectName(QStringLiteral("ASCIMask"));
  asciMask_->setMaxLength(3);
  asciMask_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), asciMask_));
  asciiLabel->setBuddy(asciMask_);
  grid->addWidget(charLabel, 0, 0);
  grid->addWidget(charMask_, 0, 1);
  grid->addWidget(orLabel, 1, 0);
  grid->addWidget(asciiLabel, 2, 0);
  grid->addWidget(asciMask_, 2, 1);
  layout->addLayout(grid);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("OKBtn"));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName(QStringLiteral("CancelBtn"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  setFixedSize(sizeHint());
}

TCharEntryFields TChrEntryDlg::Fields() const {
  return {ToSystemText(charMask_->text()), ToSystemText(asciMask_->text())};
}

void TChrEntryDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
  charMask_->setFocus();
}

namespace {

class QtCharEntryService : public QObject, public TCharEntryService {
 public:
  explicit QtCharEntryService(QWidget* owner) : QObject(owner), owner_(owner) { SetCharEntryService(this); }
  ~QtCharEntryService() override {
    if (CurrentCharEntryService() == this) SetCharEntryService(nullptr);
  }
  std::optional<TCharEntryFields> Ask(const std::string& caption, const std::string& prompt) override;

 private:
  QWidget* owner_;
};

std::optional<TCharEntryFields> QtCharEntryService::Ask(const std::string& caption, const std::string& prompt) {
  TChrEntryDlg dlg(owner_);
  if (!EngPrompts) SetHebCaps(&dlg, "SetHebCaps_ChrEntryDlg");
  if (!caption.empty()) dlg.setWindowTitle(FromSystemText(caption));
  if (!prompt.empty()) dlg.Label1()->setText(FromSystemText(prompt));
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return dlg.Fields();
}

}  // namespace

void InstallQtCharEntry(QWidget* owner) {
  if (CurrentCharEntryService() == nullptr) new QtCharEntryService(owner);
}

}  // namespace nuvel
