#include "app/message_sink_qt.h"

#include <cstdio>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"
#include "core/charset.h"

namespace nuvel {

using namespace platform;  // the message box vocabulary: mb*, mr*, MsgDlgType
namespace {

struct ButtonMap {
  MsgDlgButtons button;
  QMessageBox::StandardButton standard;  // NoButton: a button of our own
  ModalResult result;
  const char* caption;                   // for buttons of our own
};

// In the order the buttons are offered.
constexpr ButtonMap kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes, nullptr},
    {mbNo, QMessageBox::No, mrNo, nullptr},
    {mbOK, QMessageBox::Ok, mrOk, nullptr},
    {mbCancel, QMessageBox::Cancel, mrCancel, nullptr},
    {mbAbort, QMessageBox::Abort, mrAbort, nullptr},
    {mbRetry, QMessageBox::Retry, mrRetry, nullptr},
    {mbIgnore, QMessageBox::Ignore, mrIgnore, nullptr},
    {mbAll, QMessageBox::NoButton, mrAll, "&All"},
    {mbNoToAll, QMessageBox::NoToAll, mrNoToAll, nullptr},
    {mbYesToAll, QMessageBox::YesToAll, mrYesToAll, nullptr},
    {mbHelp, QMessageBox::Help, mrNone, nullptr},
};

constexpr const char* kResultProperty = "nuvelModalResult";

}  // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(const MessageRequest& request) {
  auto box = std::make_unique<QMessageBox>();
  box->setObjectName("MessageDlg");
  QString caption = QApplication::applicationName();
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  if (!request.plain) {
    switch (request.type) {
      case MsgDlgType::Warning:
        icon = QMessageBox::Warning;
        caption = EngPrompts ? QStringLiteral("Warning") : QStringLiteral("\u05D0\u05D6\u05D4\u05E8\u05D4");
        break;
      case MsgDlgType::Error:
        icon = QMessageBox::Critical;
        caption = EngPrompts ? QStringLiteral("Error") : QStringLiteral("\u05E9\u05D2\u05D9\u05D0\u05D4");
        break;
      case MsgDlgType::Information:
        icon = QMessageBox::Information;
        caption = EngPrompts ? QStringLiteral("Information") : QStringLiteral("\u05DE\u05D9\u05D3\u05E2");
        break;
      case MsgDlgType::Confirmation:
        icon = QMessageBox::Question;
        caption = EngPrompts ? QStringLiteral("Confirm") : QStringLiteral("\u05D0\u05D9\u05E9\u05D5\u05E8");
        break;
      case MsgDlgType::Custom:
        break;
    }
  }
  if (!request.caption.empty()) caption = FromSystemText(request.caption);
  // The Hebrew interface reads right to left.
  if (!EngPrompts) box->setLayoutDirection(Qt::RightToLeft);
  box->setIcon(icon);
  box->setWindowTitle(caption);
  box->setText(FromSystemText(request.text));
  box->setTextFormat(Qt::PlainText);

  MsgDlgButtons buttons = request.buttons ? request.buttons : mbOK;
  for (const ButtonMap& b : kButtons) {
    if (!(buttons & b.button)) continue;
    QAbstractButton* made = nullptr;
    if (b.standard != QMessageBox::NoButton) {
      made = box->addButton(b.standard);
    } else {
      made = box->addButton(QString::fromLatin1(b.caption), QMessageBox::AcceptRole);
    }
    if (b.button == mbYes && !request.yesCaption.empty()) made->setText(FromSystemText(request.yesCaption));
    made->setProperty(kResultProperty, b.result);
  }
  return box;
}

ModalResult ResultOfButton(const QMessageBox& box, const QAbstractButton* button) {
  (void)box;
  if (!button) return mrCancel;
  QVariant result = button->property(kResultProperty);
  return result.isValid() ? result.toInt() : mrCancel;
}

QtMessageSink::QtMessageSink() : previous_(SetMessageSink(this)) {}

QtMessageSink::~QtMessageSink() { SetMessageSink(previous_); }

ModalResult QtMessageSink::Show(const MessageRequest& request) {
  auto box = BuildMessageBox(request);
  if (EchoToStandardError) std::fprintf(stderr, "nuvel: message: %s\n", box->text().toUtf8().constData());
  box->exec();
  return ResultOfButton(*box, box->clickedButton());
}

}  // namespace nuvel
