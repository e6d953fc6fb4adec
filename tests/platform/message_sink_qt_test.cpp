#include "platform/qt/message_sink_qt.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace nuvel::platform {
namespace {

TEST(QtMessageSink, BoxCarriesTypeTextAndButtons) {
  struct {
    MsgDlgType type;
    QMessageBox::Icon icon;
    const char* caption;
  } cases[] = {{MsgDlgType::Warning, QMessageBox::Warning, "Warning"},
               {MsgDlgType::Error, QMessageBox::Critical, "Error"},
               {MsgDlgType::Information, QMessageBox::Information, "Information"},
               {MsgDlgType::Confirmation, QMessageBox::Question, "Confirm"}};
  for (const auto& c : cases) {
    MessageRequest request;
    request.type = c.type;
    request.text = "Save?";
    request.buttons = mbYesNoCancel;
    auto box = BuildMessageBox(request);
    EXPECT_EQ(box->icon(), c.icon);
    EXPECT_EQ(box->windowTitle(), QString(c.caption));
    EXPECT_EQ(box->text(), QString("Save?"));
    ASSERT_EQ(box->buttons().size(), 3);
    EXPECT_EQ(ResultOfButton(*box, box->button(QMessageBox::Yes)), mrYes);
    EXPECT_EQ(ResultOfButton(*box, box->button(QMessageBox::No)), mrNo);
    EXPECT_EQ(ResultOfButton(*box, box->button(QMessageBox::Cancel)), mrCancel);
  }
}

TEST(QtMessageSink, PlainBoxHasNoIconAndTheProgramCaption) {
  MessageRequest request;
  request.text = "Invalid Program Path";
  request.plain = true;
  auto box = BuildMessageBox(request);
  EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(box->windowTitle(), QApplication::applicationName());
  ASSERT_EQ(box->buttons().size(), 1);
  EXPECT_EQ(ResultOfButton(*box, box->buttons().front()), mrOk);
}

TEST(QtMessageSink, HebrewBytesAreShownAsHebrewLetters) {
  EXPECT_EQ(MessageTextToUnicode("\xF9\xEC\xE5\xED ok"), QString::fromUtf8("שלום ok"));
}

TEST(QtMessageSink, ShowReturnsTheButtonPressed) {
  QtMessageSink sink;
  EXPECT_EQ(CurrentMessageSink(), &sink);
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    box->button(QMessageBox::No)->click();
  });
  MessageRequest request;
  request.buttons = mbYes | mbNo;
  EXPECT_EQ(ShowMessageRequest(request), mrNo);
}

}  // namespace
}  // namespace nuvel::platform
