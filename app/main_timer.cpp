#include "app/main_timer.h"

#include "core/shared_state.h"

namespace nuvel {

bool TimerBusy = false;

namespace {
// Clears TimerBusy however the autosave ends.
struct BusyScope {
  BusyScope() { TimerBusy = true; }
  ~BusyScope() { TimerBusy = false; }
};
}  // namespace

void TimerStep(TimerOptions& o, TimerHost& host) {
  if (TimerBusy) return;
  if (o.AutoSave && host.HasActiveDocument() && host.ActiveModified() && host.ActiveTextLength() > 0)
    ++o.AutoSaveCount;
  if (o.AutoSaveCount > 0 && o.AutoSaveCount >= o.AutoSaveInt) {
    o.AutoSaveCount = 0;
    if (host.HasActiveDocument()) {
      BusyScope busy;
      if (host.ActiveUntitled())
        host.AutoSaveAs();
      else
        host.SaveActive();
    }
  }
  if (o.AutoMin && host.HasActiveDocument() && host.ActiveTextLength() > 0) ++IdleCounter;
  if (IdleCounter > 0 && IdleCounter >= o.AutoMinInt) {
    IdleCounter = 0;
    host.MinimizeAll();
  }
  if (o.ShowTime) host.ShowClock();
}

}  // namespace nuvel
