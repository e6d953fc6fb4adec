#include "editor/editor_widget_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <string>

#include "core/controller_qt.h"
#include "editor/text_file_editor.h"
#include "tests/support/recording_message_sink.h"

namespace nuvel {
namespace {

// A form with a controller and one editor, shown on the offscreen screen.
struct TEditorForm {
  TEditorForm() {
    controller = new TNvcController(&form);
    auto* layout = new QVBoxLayout(&form);
    layout->setContentsMargins(0, 0, 0, 0);
    editor = new TNvcEditorWidget(&form);
    layout->addWidget(editor);
    form.resize(400, 200);
    form.show();
    QApplication::setActiveWindow(&form);
    editor->setFocus();
    QApplication::processEvents();
  }
  TNvcCustomEditor& model() { return editor->Editor(); }

  QWidget form;
  TNvcController* controller = nullptr;
  TNvcEditorWidget* editor = nullptr;
};

std::string Lines(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

TEST(EditorWidget, TypingEditsTheText) {
  TEditorForm f;
  ASSERT_TRUE(f.editor->Created());
  QTest::keyClicks(f.editor, "hello");
  EXPECT_EQ(f.model().Text(), "hello");
  QTest::keyClick(f.editor, Qt::Key_Backspace);
  QTest::keyClick(f.editor, Qt::Key_Return);
  QTest::keyClicks(f.editor, "x y");
  EXPECT_EQ(f.model().Text(), "hell\r\nx y");
  QTest::keyClick(f.editor, Qt::Key_Home, Qt::ShiftModifier);
  QTest::keyClicks(f.editor, "Z");
  EXPECT_EQ(f.model().Text(), "hell\r\nZ");
  QTest::keyClick(f.editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f.model().Text(), "hell\r\nx y");
}

TEST(EditorWidget, AWordStarSequenceDoesNotTypeItsSecondKey) {
  TEditorForm f;
  f.controller->EntryCommands().GetTableByName("WordStar")->SetIsActive(true);
  QTest::keyClicks(f.editor, "abc");
  QTest::keyClick(f.editor, Qt::Key_Q, Qt::ControlModifier);
  QTest::keyClick(f.editor, Qt::Key_S);
  EXPECT_EQ(f.model().Text(), "abc");
  EXPECT_EQ(f.model().CaretCol(), 1);
  QTest::keyClicks(f.editor, "x");
  EXPECT_EQ(f.model().Text(), "xabc");
}

TEST(EditorWidget, ADragBelowTheWindowScrolls) {
  TEditorForm f;
  f.model().LoadString(Lines(200));
  QWidget* vp = f.editor->viewport();
  ASSERT_EQ(f.model().TopLine(), 1);
  QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, QPoint(40, 5));
  ASSERT_TRUE(f.model().MouseCaptured());
  QMouseEvent move(QEvent::MouseMove, QPointF(40, vp->height() + 30), vp->mapToGlobal(QPointF(40, vp->height() + 30)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(vp, &move);
  const int32_t firstTop = f.model().TopLine();
  EXPECT_GT(firstTop, 1);
  // The timer keeps scrolling while the pointer stays out there.
  QTest::qWait(300);
  EXPECT_GT(f.model().TopLine(), firstTop);
  EXPECT_TRUE(f.model().HasSelection());
  QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, QPoint(40, vp->height() + 30));
  EXPECT_FALSE(f.model().MouseCaptured());
  const int32_t stopped = f.model().TopLine();
  QTest::qWait(100);
  EXPECT_EQ(f.model().TopLine(), stopped) << "no scrolling after the release";
  EXPECT_EQ(f.editor->verticalScrollBar()->value(), stopped - 1);
}

TEST(EditorWidget, TheCaretIsShownOnFocus) {
  TEditorForm f;
  QLineEdit other(&f.form);
  f.form.layout()->addWidget(&other);
  other.setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(f.editor->CaretPair().Visible());
  f.editor->setFocus();
  QApplication::processEvents();
  if (!f.editor->hasFocus()) {
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(f.editor, &in);
  }
  EXPECT_TRUE(f.editor->CaretPair().IsActive());
  EXPECT_TRUE(f.editor->CaretPair().Visible());
  EXPECT_FALSE(f.editor->CaretPair().PaintRect().Empty());
  EXPECT_EQ(f.editor->CaretPair().PositionX(), f.model().LeftMargin() - 1);
  EXPECT_EQ(f.editor->CaretPair().PositionY(), 0);
}

TEST(EditorWidget, InsertModeIsSharedThroughTheController) {
  TEditorForm f;
  QTest::keyClick(f.editor, Qt::Key_Insert);
  EXPECT_FALSE(f.model().InsertMode());
  QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
  QApplication::sendEvent(f.editor, &out);
  EXPECT_FALSE(f.controller->InsertMode());
  auto* second = new TNvcEditorWidget(&f.form);
  f.form.layout()->addWidget(second);
  second->show();
  QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
  QApplication::sendEvent(second, &in);
  EXPECT_FALSE(second->Editor().InsertMode());
}

TEST(EditorWidget, EditorErrorsAreShownAndStayInsideTheEvent) {
  TEditorForm f;
  test::RecordingMessageSink sink;
  f.model().SetParaLengthLimit(3);
  QTest::keyClicks(f.editor, "abcd");
  EXPECT_EQ(f.model().Text(), "abc");
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_EQ(sink.requests[0].type, platform::MsgDlgType::Error);
  EXPECT_FALSE(sink.requests[0].text.empty());
}

TEST(EditorWidget, TheStatusIsReportedAfterTheEvent) {
  TEditorForm f;
  int32_t line = 0, col = 0;
  f.model().OnShowStatus = [&](TNvcCustomEditor&, int32_t l, int32_t c) {
    line = l;
    col = c;
  };
  QTest::keyClicks(f.editor, "ab");
  QApplication::processEvents();
  EXPECT_EQ(line, 1);
  EXPECT_EQ(col, 3);
}

TEST(EditorWidget, TheWheelScrollsAndTheBarFollows) {
  TEditorForm f;
  f.model().LoadString(Lines(100));
  QWheelEvent wheel(QPointF(20, 20), f.editor->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -240),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(f.editor->viewport(), &wheel);
  EXPECT_EQ(f.model().TopLine(), 3);
  EXPECT_EQ(f.editor->verticalScrollBar()->value(), 2);
  f.editor->verticalScrollBar()->setValue(10);
  EXPECT_EQ(f.model().TopLine(), 11);
}

TEST(EditorWidget, TheSelectionIsPaintedInTheHighlightColour) {
  TEditorForm f;
  f.model().LoadString("abc");
  f.model().SelectAll(true);
  QImage image(f.editor->viewport()->size(), QImage::Format_RGB32);
  f.editor->viewport()->render(&image);
  const QColor highlight = f.editor->palette().color(QPalette::Highlight);
  const int x = f.model().LeftMargin() + 1;
  EXPECT_EQ(QColor(image.pixel(x, 0)), highlight);
  const int beyond = f.model().LeftMargin() + 10 * f.model().CharWidth();
  EXPECT_NE(QColor(image.pixel(beyond, 0)), highlight);
}

}  // namespace
}  // namespace nuvel

namespace nuvel {
namespace {

TEST(EditorWidget, ALineHandlerCanDrawLinesItself) {
  TEditorForm f;
  f.model().LoadString("one\r\ntwo\r\nthree");
  std::vector<int32_t> asked;
  f.editor->OnDrawLine = [&](TNvcEditorWidget&, QPainter& canvas, const QRect& rect, std::span<const uint8_t>,
                             int32_t line, int32_t, int32_t, int32_t, int32_t, bool& wasDrawn) {
    asked.push_back(line);
    if (line == 2) {
      canvas.fillRect(rect, Qt::red);
      wasDrawn = true;
    }
  };
  QImage image(f.editor->viewport()->size(), QImage::Format_RGB32);
  f.editor->viewport()->render(&image);
  EXPECT_EQ(asked, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(QColor(image.pixel(f.model().LeftMargin() + 2, f.model().LineHeight() + 2)), QColor(Qt::red));
}

TEST(EditorWidget, ScrollBarsFollowTheScrollBarsProperty) {
  TEditorForm f;
  f.model().LoadString(Lines(100));
  EXPECT_EQ(f.editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  f.model().SetScrollBars(TScrollStyle::ssNone);
  EXPECT_EQ(f.editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(f.editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

}  // namespace
}  // namespace nuvel
