#include "core/controller_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/notify_event_qt.h"
#include "tests/support/recording_message_sink.h"

namespace nuvel {
namespace {

TEST(Controller, StartsWithTheBuiltInTablesInsertModeAndTheCurrentCentury) {
  TNvcController c;
  EXPECT_EQ(c.EntryCommands().Count(), 3);
  EXPECT_TRUE(c.InsertMode());
  EXPECT_EQ(c.Epoch() % 100, 0);
  EXPECT_GE(c.Epoch(), 2000);
  EXPECT_EQ(c.GetWindowHandle(), &c);
}

TEST(Controller, EpochAcceptsOnly1600To3999) {
  TNvcController c;
  const struct {
    int set;
    int expected;
  } cases[] = {{1950, 1950}, {1599, 1950}, {4000, 1950}, {1600, 1600}, {3999, 3999}, {-5, 3999}};
  for (const auto& k : cases) {
    c.SetEpoch(k.set);
    EXPECT_EQ(c.Epoch(), k.expected) << k.set;
  }
  c.OnGetEpoch = [](QObject*, int& epoch) { epoch = 2000; };
  EXPECT_EQ(c.Epoch(), 2000);
}

// Each deferred notification records itself; none runs inside the handler
// that posts it, and they run in the order they were posted.
TEST(Controller, DeferredNotificationsRunAfterTheCurrentEventInOrder) {
  TNvcController c;
  QWidget a, b;
  std::vector<std::string> log;
  c.OnPreEdit = [&](QObject* s, QWidget* w) {
    log.push_back(std::string("pre ") + (s == &a ? "a" : "?") + (w == &b ? " b" : w ? " ?" : " -"));
  };
  c.OnPostEdit = [&](QObject* s, QWidget* w) {
    log.push_back(std::string("post ") + (s == &b ? "b" : "?") + (w == &a ? " a" : w ? " ?" : " -"));
  };
  c.OnDelayNotify = [&](QObject* s, uint16_t code) {
    log.push_back("delay " + std::to_string(code) + (s == &a ? " a" : " ?"));
  };

  // The "current event": a single-shot timer handler posts three notifications.
  QTimer::singleShot(0, &c, [&] {
    c.PreEditNotify(&a, &b);
    c.DelayNotify(&a, 0x2345);
    c.PostEditNotify(&b, nullptr);
    log.push_back("handler done");
  });
  QTest::qWait(20);
  EXPECT_EQ(log, (std::vector<std::string>{"handler done", "pre a b", "delay 9029 a", "post b -"}));
}

TEST(Controller, NotificationsAboutDestroyedControlsAreDropped) {
  TNvcController c;
  int calls = 0;
  c.OnPreEdit = [&](QObject*, QWidget*) { ++calls; };
  auto gone = std::make_unique<QWidget>();
  c.PreEditNotify(gone.get(), nullptr);
  c.PreEditNotify(nullptr, gone.get());
  gone.reset();
  QCoreApplication::sendPostedEvents(&c);
  EXPECT_EQ(calls, 0);
}

TEST(Controller, ShowAndFocusIsDeferred) {
  TNvcController c;
  QWidget form;
  auto* edit = new QLineEdit(&form);
  auto* other = new QLineEdit(&form);
  form.show();
  QApplication::setActiveWindow(&form);
  other->setFocus();
  edit->hide();
  c.PostShowAndFocus(edit);
  EXPECT_FALSE(edit->isVisible());
  QCoreApplication::sendPostedEvents(&c);
  EXPECT_TRUE(edit->isVisible());
  EXPECT_TRUE(edit->hasFocus());
}

TEST(Controller, ErrorsGoToOnErrorElseToTheErrorBox) {
  TNvcController c;
  test::RecordingMessageSink sink;
  c.DoError(&c, 7, "shown in a box");
  uint16_t code = 0;
  std::string text;
  c.OnError = [&](QObject*, uint16_t e, const std::string& m) {
    code = e;
    text = m;
  };
  c.DoError(&c, 263, "to the handler");
  // An error raised by a handler of a notification stops at the controller.
  c.OnPreEdit = [](QObject*, QWidget*) { throw std::runtime_error("handler failed"); };
  c.PreEditNotify(&c, nullptr);
  QCoreApplication::sendPostedEvents(&c);
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_EQ(sink.requests[0].text, "shown in a box");
  EXPECT_EQ(sink.requests[0].type, platform::MsgDlgType::Error);
  EXPECT_EQ(sink.requests[0].buttons, platform::mbOK);
  EXPECT_EQ(text, "handler failed");
  EXPECT_EQ(code, 0);
}

TEST(Controller, SpecialControlOnlyWhenTheEventSaysSo) {
  TNvcController c;
  QWidget w;
  EXPECT_FALSE(c.IsSpecialControl(&w));
  c.OnIsSpecialControl = [&](QObject*, QWidget* control, bool& special) { special = control == &w; };
  EXPECT_TRUE(c.IsSpecialControl(&w));
}

TEST(Controller, TimerPoolRunsOnOneQTimerAndReportsToOnTimerTrigger) {
  uint32_t now = 5000;
  TNvcController c(nullptr, [&] { return now; });
  std::vector<int32_t> fired;
  c.OnTimerTrigger = [&](QObject* sender, int32_t h, uint32_t, uint32_t) {
    EXPECT_EQ(sender, &c);
    fired.push_back(h);
  };
  const int32_t h200 = c.TimerPool().Add(nullptr, 200);
  const int32_t h300 = c.TimerPool().Add(nullptr, 300);
  const QTimer* timer = c.findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 100);
  // Ticks are simulated by the clock and a timeout of the one QTimer.
  for (int tick = 0; tick < 3; ++tick) {
    now += 100;
    QMetaObject::invokeMethod(const_cast<QTimer*>(timer), "timeout", Qt::DirectConnection);
  }
  EXPECT_EQ(fired, (std::vector<int32_t>{h200, h300}));
  c.TimerPool().Remove(h200);
  c.TimerPool().Remove(h300);
  EXPECT_FALSE(timer->isActive());
}

TEST(Controller, ATimerHandlerErrorIsReportedNotThrown) {
  uint32_t now = 0;
  TNvcController c(nullptr, [&] { return now; });
  std::string reported;
  c.OnError = [&](QObject*, uint16_t, const std::string& m) { reported = m; };
  c.TimerPool().Add([](TNvcTimerPool&, int32_t, uint32_t, uint32_t) { throw std::runtime_error("tick failed"); },
                    100);
  now += 100;
  const QTimer* timer = c.findChild<QTimer*>();
  QMetaObject::invokeMethod(const_cast<QTimer*>(timer), "timeout", Qt::DirectConnection);
  EXPECT_EQ(reported, "tick failed");
}

}  // namespace
}  // namespace nuvel
