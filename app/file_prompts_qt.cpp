#include "app/file_prompts_qt.h"

#include <QFile>
#include <QFileDialog>

#include "app/dialog_filter.h"
#include "tools/file_str_dlg_qt.h"

namespace nuvel {

std::vector<std::string> QtFilePrompts::OpenFileNames(const std::string& title, const std::string& filter,
                                                      const std::string& folder) {
  QStringList names = QFileDialog::getOpenFileNames(parent_, QString::fromStdString(title),
                                                    QFile::decodeName(folder.c_str()),
                                                    QString::fromStdString(QtFilterString(filter)));
  std::vector<std::string> out;
  for (const QString& n : names) out.push_back(QFile::encodeName(n).toStdString());
  return out;
}

std::optional<std::string> QtFilePrompts::SaveFileName(const std::string& title, const std::string& filter,
                                                       const std::string& suggested) {
  QString name = QFileDialog::getSaveFileName(parent_, QString::fromStdString(title),
                                              QFile::decodeName(suggested.c_str()),
                                              QString::fromStdString(QtFilterString(filter)));
  if (name.isEmpty()) return std::nullopt;
  return QFile::encodeName(name).toStdString();
}

TFileStrAnswer QtFilePrompts::AskFileStr(const TFileStrRequest& request) { return RunFileStrDlg(parent_, request); }

}  // namespace nuvel
