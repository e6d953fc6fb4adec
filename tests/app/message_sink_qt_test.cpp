#include "app/message_sink_qt.h"
#include "core/qstring_bytes_qt.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace nuvel {

using namespace platform;  // the message box vocabulary: mb*, mr*, MsgDlgType
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
  EXPECT_EQ(FromSystemText("\xF9\xEC\xE5\xED ok"), QString::fromUtf8("שלום ok"));
  // A pointed letter of the system's own set comes out as its letter and points.
  for (uint8_t b = 0x81; b <= 0x9B; ++b) {
    QString shown = FromSystemText(std::string(1, static_cast<char>(b)));
    ASSERT_GE(shown.size(), 2) << int(b);
    EXPECT_GE(shown[0].unicode(), 0x05D0) << int(b);
    EXPECT_LE(shown[0].unicode(), 0x05EA) << int(b);
  }
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
}  // namespace nuvel
