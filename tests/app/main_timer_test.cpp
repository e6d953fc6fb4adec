#include "app/main_timer.h"

#include <gtest/gtest.h>

#include "core/shared_state.h"

namespace nuvel {
namespace {

struct FakeHost : TimerHost {
  bool active = true;
  bool modified = true;
  int64_t length = 10;
  bool untitled = false;
  int autoSaveAs = 0, saves = 0, minimized = 0, clock = 0;
  bool busyDuringSave = false;
  bool HasActiveDocument() override { return active; }
  bool ActiveModified() override { return modified; }
  int64_t ActiveTextLength() override { return length; }
  bool ActiveUntitled() override { return untitled; }
  void AutoSaveAs() override {
    ++autoSaveAs;
    busyDuringSave = TimerBusy;
  }
  void SaveActive() override {
    ++saves;
    busyDuringSave = TimerBusy;
  }
  void MinimizeAll() override { ++minimized; }
  void ShowClock() override { ++clock; }
};

class MainTimer : public testing::Test {
 protected:
  void SetUp() override {
    TimerBusy = false;
    IdleCounter = 0;
  }
  void TearDown() override {
    TimerBusy = false;
    IdleCounter = 0;
  }
  void Run(int seconds) {
    for (int i = 0; i < seconds; ++i) TimerStep(options, host);
  }
  TimerOptions options;
  FakeHost host;
};

TEST_F(MainTimer, AutosaveOfAnUntitledDocumentAfterItsInterval) {
  options.AutoSave = true;
  options.AutoSaveInt = 60;
  host.untitled = true;
  Run(59);
  EXPECT_EQ(host.autoSaveAs, 0);
  Run(1);
  EXPECT_EQ(host.autoSaveAs, 1);
  EXPECT_TRUE(host.busyDuringSave);
  EXPECT_FALSE(TimerBusy);
  EXPECT_EQ(options.AutoSaveCount, 0);
  // Cancelled: the next one comes after another full interval.
  Run(59);
  EXPECT_EQ(host.autoSaveAs, 1);
  Run(1);
  EXPECT_EQ(host.autoSaveAs, 2);
}

TEST_F(MainTimer, AutosaveCounts) {
  struct Case {
    const char* what;
    bool autoSave, active, modified;
    int64_t length;
    int expectedCount;
  };
  const Case cases[] = {
      {"counts", true, true, true, 5, 3},
      {"off", false, true, true, 5, 0},
      {"no document", true, false, true, 5, 0},
      {"unmodified", true, true, false, 5, 0},
      {"empty", true, true, true, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    options = TimerOptions{};
    options.AutoSave = c.autoSave;
    options.AutoSaveInt = 100;
    host.active = c.active;
    host.modified = c.modified;
    host.length = c.length;
    Run(3);
    EXPECT_EQ(options.AutoSaveCount, c.expectedCount);
  }
}

TEST_F(MainTimer, TitledDocumentIsSavedUnderItsName) {
  options.AutoSave = true;
  options.AutoSaveInt = 2;
  Run(2);
  EXPECT_EQ(host.saves, 1);
  EXPECT_EQ(host.autoSaveAs, 0);
}

TEST_F(MainTimer, BusyFlagStopsEverything) {
  options.AutoSave = true;
  options.AutoSaveInt = 1;
  options.AutoMin = true;
  options.AutoMinInt = 1;
  options.ShowTime = true;
  TimerBusy = true;
  Run(5);
  EXPECT_EQ(options.AutoSaveCount, 0);
  EXPECT_EQ(IdleCounter, 0);
  EXPECT_EQ(host.saves + host.minimized + host.clock, 0);
}

TEST_F(MainTimer, AutoMinimizeAfterIdleTime) {
  options.AutoMin = true;
  options.AutoMinInt = 60;
  Run(30);
  IdleCounter = 0;  // an editor command
  Run(59);
  EXPECT_EQ(host.minimized, 0);
  Run(1);
  EXPECT_EQ(host.minimized, 1);
  EXPECT_EQ(IdleCounter, 0);
  host.length = 0;  // an empty document does not count
  Run(120);
  EXPECT_EQ(host.minimized, 1);
}

TEST_F(MainTimer, ClockFollowsShowTime) {
  Run(2);
  EXPECT_EQ(host.clock, 0);
  options.ShowTime = true;
  Run(2);
  EXPECT_EQ(host.clock, 2);
}

}  // namespace
}  // namespace nuvel
