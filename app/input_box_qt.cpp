#include "app/input_box_qt.h"

#include <QApplication>
#include <QInputDialog>

#include "core/qstring_bytes_qt.h"
#include "platform/input_box.h"

namespace nuvel {

namespace {

class QtInputBox : public QObject, public platform::InputBoxService {
 public:
  explicit QtInputBox(QObject* owner) : QObject(owner) { platform::SetInputBoxService(this); }
  ~QtInputBox() override {
    if (platform::CurrentInputBoxService() == this) platform::SetInputBoxService(nullptr);
  }
  std::optional<std::string> Ask(const platform::InputBoxRequest& request) override {
    QInputDialog box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("InputBox"));
    box.setWindowTitle(FromSystemText(request.caption));
    box.setLabelText(FromSystemText(request.prompt));
    box.setTextValue(FromSystemText(request.value));
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return ToSystemText(box.textValue());
  }
};

}  // namespace

void InstallQtInputBox(QObject* owner) {
  if (!platform::CurrentInputBoxService()) new QtInputBox(owner);
}

}  // namespace nuvel
