#pragma once
// The small dialogs of the file manager: the operation dialog (From, To and
// Browse, captioned with the operation) and the attribute dialog (read-only
// and hidden; system and archive shown off and disabled).
#include <QDialog>
#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace nuvel {

class TChangeForm : public QDialog {
  Q_OBJECT
 public:
  TChangeForm(const QString& operation, const std::string& folder, const std::string& from, QWidget* parent = nullptr);
  QLabel* CurrentDir;
  QLineEdit* FromFileName;
  QLineEdit* ToFileName;
  // The To name as the file system's bytes.
  std::string To() const;
  // Browse: a file chosen for the To field; unset: the standard dialog.
  std::function<std::optional<std::string>(const std::string& title, const std::string& start)> Browse;

 private:
  void BrowseBtn1Click();
};

class TFileAttrForm : public QDialog {
  Q_OBJECT
 public:
  TFileAttrForm(const std::string& name, const std::string& folder, const std::string& modified, uint32_t attributes,
                QWidget* parent = nullptr);
  QCheckBox* ReadOnly;
  QCheckBox* Archive;
  QCheckBox* System;
  QCheckBox* Hidden;
  // The attributes as the boxes stand, `attributes`' other bits kept.
  uint32_t Attributes() const;

 private:
  uint32_t original_;
};

}  // namespace nuvel
