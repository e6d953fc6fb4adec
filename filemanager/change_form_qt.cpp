#include "filemanager/change_form_qt.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "filemanager/file_entry.h"

namespace nuvel {

namespace {

QString Decoded(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

}  // namespace

TChangeForm::TChangeForm(const QString& operation, const std::string& folder, const std::string& from,
                         QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("ChangeForm"));
  setWindowTitle(operation);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QGridLayout(this);
  CurrentDir = new QLabel(Decoded(folder), this);
  CurrentDir->setObjectName(QStringLiteral("CurrentDir"));
  layout->addWidget(CurrentDir, 0, 0, 1, 3);
  auto* fromLabel = new QLabel(QStringLiteral("&From:"), this);
  fromLabel->setObjectName(QStringLiteral("Label2"));
  FromFileName = new QLineEdit(Decoded(from), this);
  FromFileName->setObjectName(QStringLiteral("FromFileName"));
  FromFileName->setReadOnly(true);
  FromFileName->setFocusPolicy(Qt::NoFocus);
  fromLabel->setBuddy(FromFileName);
  layout->addWidget(fromLabel, 1, 0);
  layout->addWidget(FromFileName, 1, 1, 1, 2);
  auto* toLabel = new QLabel(QStringLiteral("&To:"), this);
  toLabel->setObjectName(QStringLiteral("Label3"));
  ToFileName = new QLineEdit(Decoded(from), this);
  ToFileName->setObjectName(QStringLiteral("ToFileName"));
  toLabel->setBuddy(ToFileName);
  layout->addWidget(toLabel, 2, 0);
  layout->addWidget(ToFileName, 2, 1);
  auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
  browse->setObjectName(QStringLiteral("BrowseBtn1"));
  browse->setAutoDefault(false);
  layout->addWidget(browse, 2, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
  layout->addWidget(buttons, 3, 0, 1, 3);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(browse, &QPushButton::clicked, this, [this] { BrowseBtn1Click(); });
  ToFileName->setFocus();
  ToFileName->selectAll();
  setMinimumWidth(420);
}

std::string TChangeForm::To() const { return QFile::encodeName(ToFileName->text().trimmed()).toStdString(); }

void TChangeForm::BrowseBtn1Click() {
  const std::string title = "Choose File for " + windowTitle().toStdString();
  std::optional<std::string> chosen;
  if (Browse) {
    chosen = Browse(title, To());
  } else {
    const QString name = QFileDialog::getSaveFileName(this, QString::fromStdString(title), ToFileName->text(), {},
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (!name.isEmpty()) chosen = QFile::encodeName(name).toStdString();
  }
  if (chosen) ToFileName->setText(Decoded(*chosen));
}

TFileAttrForm::TFileAttrForm(const std::string& name, const std::string& folder, const std::string& modified,
                             uint32_t attributes, QWidget* parent)
    : QDialog(parent), original_(attributes) {
  setObjectName(QStringLiteral("FileAttrForm"));
  setWindowTitle(QStringLiteral("File Attributes"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  const struct {
    const char* object;
    QString text;
  } labels[] = {{"FileName", Decoded(name)}, {"FilePath", Decoded(folder)}, {"ChangeDate", QString::fromStdString(modified)}};
  for (const auto& l : labels) {
    auto* label = new QLabel(l.text, this);
    label->setObjectName(QString::fromLatin1(l.object));
    layout->addWidget(label);
  }
  auto* group = new QGroupBox(QStringLiteral("Attributes"), this);
  auto* boxes = new QGridLayout(group);
  const auto box = [&](const char* object, const char* text, uint32_t bit, bool enabled, int row, int col) {
    auto* b = new QCheckBox(QString::fromLatin1(text), group);
    b->setObjectName(QString::fromLatin1(object));
    b->setChecked(enabled && (attributes & bit) != 0);
    b->setEnabled(enabled);
    boxes->addWidget(b, row, col);
    return b;
  };
  ReadOnly = box("ReadOnly", "&ReadOnly", faReadOnly, true, 0, 0);
  Hidden = box("Hidden", "&Hidden", faHidden, true, 0, 1);
  // This system has no system or archive attribute: shown, always off.
  System = box("System", "&System", faSystem, false, 1, 0);
  Archive = box("Archive", "&Archive", faArchive, false, 1, 1);
  layout->addWidget(group);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
  buttons->button(QDialogButtonBox::Ok)->setFocus();
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

uint32_t TFileAttrForm::Attributes() const {
  uint32_t a = original_ & ~(faReadOnly | faHidden | faSystem | faArchive);
  if (ReadOnly->isChecked()) a |= faReadOnly;
  if (Hidden->isChecked()) a |= faHidden;
  return a;
}

}  // namespace nuvel
