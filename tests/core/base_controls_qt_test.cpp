#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <memory>
#include <string>
#include <vector>

#include "core/caret_painter_qt.h"
#include "core/custom_control_qt.h"
#include "core/custom_edit_qt.h"
#include "core/exceptions.h"
#include "core/unique_component_name.h"
#include "platform/qt/key_edge_qt.h"
#include "tests/support/recording_message_sink.h"

namespace nuvel {
namespace {

// A control that translates its keys through its controller, as the editor does.
class KeyControl : public TNvcCustomControlEx {
 public:
  explicit KeyControl(QWidget* parent) : TNvcCustomControlEx(parent) {
    setFocusPolicy(Qt::StrongFocus);
  }
  std::vector<TNvcCommand> commands;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (Controller() != nullptr) {
      commands.push_back(Controller()->EntryCommands().TranslateKey(platform::KeyStrokeOf(*e)));
    }
  }
};

TEST(ControllerLookup, AControlOnAFormWithoutAControllerFailsAtWindowCreation) {
  QWidget form;
  KeyControl control(&form);
  EXPECT_THROW(control.CreateWnd(), ENoControllerAssigned);
  try {
    control.CreateWnd();
  } catch (const ENoControllerAssigned& e) {
    EXPECT_STREQ(e.what(), "No Controller assigned");
  }
  // Shown, the failure becomes an error message; it never crosses the loop.
  test::RecordingMessageSink sink;
  KeyControl shown(&form);
  form.show();
  ASSERT_EQ(sink.requests.size(), 2u);  // both controls were created
  EXPECT_EQ(sink.requests[0].text, "No Controller assigned");
  EXPECT_EQ(sink.requests[0].type, platform::MsgDlgType::Error);
}

TEST(ControllerLookup, TakesTheFormsControllerAndForgetsARemovedOne) {
  QWidget form;
  QWidget panel(&form);
  KeyControl control(&panel);
  EXPECT_FALSE(control.ControllerAssigned());
  auto* controller = new TNvcController(&form);  // put on the form later
  control.CreateWnd();
  EXPECT_EQ(control.Controller(), controller);
  EXPECT_TRUE(control.ControllerAssigned());
  delete controller;
  EXPECT_FALSE(control.ControllerAssigned());
  EXPECT_EQ(control.Controller(), nullptr);

  // A controller set by hand need not be on the form (the main window's
  // controller serves the editors of every document window).
  TNvcController shared;
  control.SetController(&shared);
  EXPECT_EQ(control.Controller(), &shared);
  EXPECT_NO_THROW(control.CreateWnd());
}

TEST(BaseControl, AfterEnterAndAfterExitRunAfterTheFocusChange) {
  QWidget form;
  TNvcController controller(&form);
  KeyControl a(&form);
  KeyControl b(&form);
  std::vector<std::string> log;
  a.AfterEnter = [&](QObject* s) { log.push_back(s == &a ? "enter a" : "enter ?"); };
  a.AfterExit = [&](QObject*) {
    // By now the focus has moved on.
    log.push_back(std::string("exit a, focus ") + (b.hasFocus() ? "b" : "?"));
  };
  form.show();
  QApplication::setActiveWindow(&form);
  a.setFocus();
  EXPECT_TRUE(log.empty());
  QCoreApplication::sendPostedEvents(&a);
  b.setFocus();
  EXPECT_EQ(log.size(), 1u);
  QCoreApplication::sendPostedEvents(&a);
  EXPECT_EQ(log, (std::vector<std::string>{"enter a", "exit a, focus b"}));
}

TEST(BaseControl, MouseWheelFiresOnMouseWheel) {
  QWidget form;
  TNvcController controller(&form);
  KeyControl c(&form);
  c.resize(50, 50);
  int delta = 0;
  bool ctrl = false;
  c.OnMouseWheel = [&](QObject*, const platform::TShiftState& s, int d, int, int) {
    delta = d;
    ctrl = s.Ctrl;
  };
  QWheelEvent wheel(QPointF(5, 5), QPointF(105, 205), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&c, &wheel);
  EXPECT_EQ(delta, -120);
  EXPECT_TRUE(ctrl);
}

TEST(AttachedLabel, CreatedNamedPlacedAndFollowingTheControl) {
  QWidget form;
  form.setObjectName("Form1");
  TNvcController controller(&form);
  KeyControl c(&form);
  c.setObjectName("Spinner1");
  c.setGeometry(40, 60, 100, 20);
  form.show();
  EXPECT_THROW(c.AttachedLabel(), ELabelNotAttached);

  c.LabelInfo().SetVisible(true);
  TNvcAttachedLabel* label = c.AttachedLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->objectName(), "Spinner1Label1");
  EXPECT_EQ(label->text(), "Spinner1Label1");
  EXPECT_EQ(label->parentWidget(), &form);
  EXPECT_EQ(label->FocusControl(), &c);
  EXPECT_EQ(label->pos(), QPoint(40, 60 - label->height()));

  c.LabelInfo().SetOffsets(5, -2);
  EXPECT_EQ(label->pos(), QPoint(45, 58 - label->height()));
  c.LabelInfo().SetBelow(true);
  EXPECT_EQ(label->pos(), QPoint(45, 60 + 20 - 2));

  // The label follows a move after the move is done.
  c.move(10, 10);
  EXPECT_EQ(label->pos(), QPoint(45, 78));
  QCoreApplication::sendPostedEvents(&c);
  EXPECT_EQ(label->pos(), QPoint(15, 10 + 20 - 2));

  EXPECT_TRUE(label->isVisible());
  c.hide();
  EXPECT_FALSE(label->isVisible());

  // A second control's label takes the next free name.
  KeyControl d(&form);
  d.setObjectName("Spinner1");
  d.LabelInfo().SetVisible(true);
  EXPECT_EQ(d.AttachedLabel()->objectName(), "Spinner1Label2");

  QPointer<TNvcAttachedLabel> gone = label;
  c.LabelInfo().SetVisible(false);
  EXPECT_TRUE(gone.isNull());
  EXPECT_THROW(c.AttachedLabel(), ELabelNotAttached);
}

TEST(CustomEdit, LabelAndControllerAsTheOtherControls) {
  QWidget form;
  TNvcCustomEdit edit(&form);
  EXPECT_THROW(edit.CreateWnd(), ENoControllerAssigned);
  TNvcController controller(&form);
  edit.CreateWnd();
  EXPECT_EQ(edit.Controller(), &controller);
  edit.setObjectName("Edit1");
  edit.setGeometry(0, 100, 80, 24);
  form.show();
  edit.LabelInfo().SetVisible(true);
  TNvcAttachedLabel* label = edit.AttachedLabel();
  EXPECT_EQ(label->objectName(), "Edit1Label1");
  edit.setGeometry(30, 200, 80, 24);
  QCoreApplication::sendPostedEvents(&edit);
  EXPECT_EQ(label->pos(), QPoint(30, 200 - label->height()));
}

// The shortcut-override event hands the control the keys its tables use;
// other keys still reach the window's shortcuts.
TEST(ShortcutOverride, TheControlGetsItsTableKeysBeforeShortcuts) {
  QWidget form;
  TNvcController controller(&form);
  controller.EntryCommands().LoadTables({{"WordStar", true, {}}, {"Default", true, {}}});
  KeyControl control(&form);
  std::vector<std::string> fired;
  const struct {
    const char* name;
    QKeySequence keys;
  } actions[] = {{"cut", QKeySequence("Ctrl+X")},
                 {"open", QKeySequence("Ctrl+O")},
                 {"restore", QKeySequence("Alt+Backspace")},
                 {"save", QKeySequence("Ctrl+S")},
                 {"menu", QKeySequence("Alt+F")}};
  for (const auto& a : actions) {
    auto* action = new QAction(&form);
    action->setShortcut(a.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, [&fired, name = a.name] { fired.push_back(name); });
    form.addAction(action);
  }
  form.show();
  QApplication::setActiveWindow(&form);
  control.setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

  QTest::keyClick(&control, Qt::Key_X, Qt::ControlModifier);          // WordStar: down
  QTest::keyClick(&control, Qt::Key_O, Qt::ControlModifier);          // no table has it
  QTest::keyClick(&control, Qt::Key_Backspace, Qt::AltModifier);      // Default: restore
  QTest::keyClick(&control, Qt::Key_F, Qt::AltModifier);              // a menu's mnemonic
  QTest::keyClick(&control, Qt::Key_K, Qt::ControlModifier);          // a sequence begins
  QTest::keyClick(&control, Qt::Key_S, Qt::ControlModifier);          // its second key
  QTest::keyClick(&control, Qt::Key_S, Qt::ControlModifier);          // WordStar: left

  EXPECT_EQ(fired, (std::vector<std::string>{"open", "menu"}));
  std::vector<TNvcCommand> commands;
  for (TNvcCommand c : control.commands) {
    if (c != ccNoCommand) commands.push_back(c);  // lone modifier presses
  }
  // The Ctrl press before the second key keeps the sequence waiting.
  EXPECT_EQ(commands, (std::vector<TNvcCommand>{ccDown, ccRestore, ccWaitSecondKey,
                                                ccWaitSecondKey, ccNoSecondKey, ccLeft}));
}

TEST(UniqueComponentName, FirstFreeNumberAndValidBases) {
  std::vector<std::string> taken = {"Edit1", "Edit2", "edit4"};
  auto isTaken = [&](std::string_view n) {
    for (const auto& t : taken) {
      if (t == n) return true;
    }
    return false;
  };
  EXPECT_EQ(GetUniqueComponentName(isTaken, "Edit"), "Edit3");
  EXPECT_EQ(GetUniqueComponentName(isTaken, "Label"), "Label1");
  EXPECT_EQ(GetUniqueComponentName(isTaken, "_x9"), "_x91");
  for (const char* bad : {"", "1Edit", "Ed it", "Edit-1", "\xD7\xA9"}) {
    EXPECT_THROW(GetUniqueComponentName(isTaken, bad), EComponentError) << bad;
  }
}

// A widget that paints a white background and its caret over it.
class CaretWidget : public QWidget {
 public:
  CaretWidget() : blinker(this), caret(&blinker) {
    blinker.Attach(&caret);
    resize(100, 40);
  }
  TNvcCaretBlinker blinker;
  TNvcCaretPair caret;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    blinker.Paint(p);
  }
};

QImage Render(QWidget& w) {
  QImage image(w.size(), QImage::Format_RGB32);
  w.render(&image);
  return image;
}

TEST(CaretPainting, TheCaretIsAnInvertedRectangleThatBlinks) {
  CaretWidget w;
  w.caret.SetCellWidth(8);
  w.caret.SetCellHeight(16);
  w.caret.SetCaretVisible(true);
  w.caret.SetCaretActive(true);
  w.caret.SetCaretPosition(20, 10);

  const QImage on = Render(w);
  EXPECT_EQ(on.pixel(20, 10), qRgb(0, 0, 0));  // inside the 2 x 16 line
  EXPECT_EQ(on.pixel(21, 25), qRgb(0, 0, 0));
  EXPECT_EQ(on.pixel(22, 10), qRgb(255, 255, 255));
  EXPECT_EQ(on.pixel(20, 26), qRgb(255, 255, 255));

  // Overwrite mode: the block of the whole cell.
  w.caret.SetInsertMode(false);
  const QImage block = Render(w);
  EXPECT_EQ(block.pixel(27, 25), qRgb(0, 0, 0));
  EXPECT_EQ(block.pixel(28, 25), qRgb(255, 255, 255));

  // Blinking: the description's time drives the one timer; a tick hides it.
  w.caret.Caret()->SetBlinkTime(250);
  EXPECT_TRUE(w.blinker.BlinkTimer().isActive());
  EXPECT_EQ(w.blinker.BlinkTimer().interval(), 250);
  QMetaObject::invokeMethod(const_cast<QTimer*>(&w.blinker.BlinkTimer()), "timeout",
                            Qt::DirectConnection);
  EXPECT_FALSE(w.blinker.PhaseOn());
  EXPECT_EQ(Render(w).pixel(20, 10), qRgb(255, 255, 255));
  // Moving the caret shows it again at once.
  w.caret.SetCaretPosition(40, 10);
  EXPECT_TRUE(w.blinker.PhaseOn());
  EXPECT_EQ(Render(w).pixel(40, 10), qRgb(0, 0, 0));

  // Off-screen or inactive: nothing painted, no blinking.
  w.caret.SetCaretPosition(-1, 10);
  EXPECT_FALSE(w.blinker.BlinkTimer().isActive());
  EXPECT_EQ(Render(w).pixel(40, 10), qRgb(255, 255, 255));
}

TEST(CaretPainting, AGrayCaretInvertsWithGray) {
  CaretWidget w;
  w.caret.Caret()->SetIsGray(true);
  w.caret.SetCaretVisible(true);
  w.caret.SetCaretActive(true);
  w.caret.SetCaretPosition(0, 0);
  EXPECT_EQ(Render(w).pixel(0, 0), qRgb(0x7F, 0x7F, 0x7F));
}

}  // namespace
}  // namespace nuvel
