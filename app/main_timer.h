#pragma once
// The main window's one-second step: counts towards the autosave and the
// auto-minimize, runs them when due, and shows the clock. While TimerBusy is
// set (Save As is running, or the autosave itself) the step does nothing.
#include <cstdint>

namespace nuvel {

// Busy flag shared by the timer and Save As.
extern bool TimerBusy;

struct TimerOptions {
  bool AutoSave = false;
  int AutoSaveInt = 900;   // seconds
  int AutoSaveCount = 0;   // seconds counted so far
  bool AutoMin = false;
  int AutoMinInt = 7200;   // seconds
  bool ShowTime = false;
};

// The active document and what the step may do to it.
class TimerHost {
 public:
  virtual ~TimerHost() = default;
  virtual bool HasActiveDocument() = 0;
  virtual bool ActiveModified() = 0;        // its current editor
  virtual int64_t ActiveTextLength() = 0;   // its main editor
  virtual bool ActiveUntitled() = 0;
  virtual void AutoSaveAs() = 0;            // Save As, titled "AUTOSAVE ..."
  virtual void SaveActive() = 0;            // save under its own name
  virtual void MinimizeAll() = 0;
  virtual void ShowClock() = 0;
};

// One tick; uses and updates TimerBusy and the shared IdleCounter.
void TimerStep(TimerOptions& options, TimerHost& host);

}  // namespace nuvel
