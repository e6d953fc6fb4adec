#include "tools/macro_form_qt.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "core/file_messages.h"
#include "core/ini_location.h"
#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"
#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/program_path.h"
#include "tools/macro_records.h"

namespace nuvel {

namespace {

bool IsMacroFileName(const std::string& name) {
  return name.size() > 4 && platform::EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".mcr");
}

}  // namespace

TMacroForm::TMacroForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("MacroForm"));
  setWindowTitle(QStringLiteral("Choose Macro"));
  RuleLabel = new QLabel(QString::fromLatin1(kLastRecordingName), this);
  RuleLabel->setObjectName(QStringLiteral("RuleLabel"));
  FileListBox1 = new QListWidget(this);
  FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
  SaveMac = new QPushButton(QStringLiteral("&Save Current"), this);
  SaveMac->setObjectName(QStringLiteral("SaveMac"));
  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(SaveMac);
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RuleLabel);
  layout->addWidget(FileListBox1);
  layout->addLayout(buttons);

  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(SaveMac, &QPushButton::clicked, this, [this] { SaveMacClick(); });
  connect(FileListBox1, &QListWidget::currentTextChanged, this, [this](const QString& name) {
    if (!name.isEmpty()) RuleLabel->setText(name);
  });
  RefreshList();
}

std::string TMacroForm::ChosenFile() const {
  return UserFileOrFactory(UserDataFolder(), ProgPath, RuleLabel->text().toStdString());
}

void TMacroForm::RefreshList() {
  // The user's recordings first; a factory file of the same name is hidden by the user's.
  std::vector<std::string> names;
  for (const std::string& folder : UserThenFactoryFolders(ProgPath)) {
    if (folder.empty()) continue;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string name = it->path().filename().string();
      std::error_code kind;
      if (!IsMacroFileName(name) || !it->is_regular_file(kind)) continue;
      const bool listed = std::any_of(names.begin(), names.end(),
                                      [&](const std::string& n) { return platform::EqualsNoCase(n, name); });
      if (!listed) names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  FileListBox1->blockSignals(true);
  FileListBox1->clear();
  for (const std::string& n : names) FileListBox1->addItem(QString::fromStdString(n));
  FileListBox1->blockSignals(false);
}

bool TMacroForm::SaveMacClick() {
  const std::string last = UserFileOrFactory(UserDataFolder(), ProgPath, kLastRecordingName);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(last, ec) || !AskSaveName) return false;
  std::filesystem::create_directories(UserDataFolder(), ec);
  const auto chosen = AskSaveName("Nuvel Macro(*.MCR)|*.MCR", UserDataFolder());
  if (!chosen || chosen->empty()) return false;
  std::string target = MacroFileName(*chosen);
  target.replace(target.size() - 4, 4, ".MCR");
  std::string bytes;
  int error = 0;
  if (!platform::ReadFileBytes(last, bytes, error)) {
    MessageDlg(FileMessageText(FileMessage::CannotRead, {FileNameInMessage(last), FileErrorReason(error)}),
               MsgDlgType::Error, platform::mbOK);
    return false;
  }
  const auto r = platform::ReplaceFileContents(target, bytes);
  if (!r.Ok()) {
    MessageDlg(FileMessageText(FileMessage::CannotWrite, {FileNameInMessage(target), FileErrorReason(r.error)}),
               MsgDlgType::Error, platform::mbOK);
    return false;
  }
  RefreshList();
  return true;
}

}  // namespace nuvel
