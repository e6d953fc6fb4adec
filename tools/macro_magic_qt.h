#pragma once
// The keystroke recorder and player (TMacroMagic): records the program's own
// key and mouse events into a .mcr file and plays them back.
//
// Recording is an application-wide event filter. Each event is kept once,
// where it is first delivered: keys at the focus widget (or the open popup,
// or the active window), mouse events at the widget under the pointer. A key
// goes down at its shortcut-override event, so keys that menu shortcuts take
// are recorded too. Shift, Ctrl and Alt are records of their own, as the
// keyboard gives them; a key event that carries a modifier whose own press
// was not seen (a synthetic event) gets that press recorded before it.
//
// Playback sends the events, one per turn of the event loop, to the focus
// widget (keys, with the shortcut override first, so menu shortcuts fire)
// and to the widget under the recorded position (mouse). While it plays,
// real input other than the stop key is swallowed.
//
// The stop key is Ctrl+Pause (the Break key) or Cancel: it ends a recording
// (which keeps what came before it) and cancels a playback.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/macro_records.h"

class QKeyEvent;
class QWidget;

namespace nuvel {

// A macro file to play does not exist.
class ENoSuchMacro : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// A macro file to play is damaged; nothing of it was played.
class EMacroFileDamaged : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TMacroMagic : public QObject {
  Q_OBJECT
 public:
  enum State : uint8_t { Recording = 0, Playing = 1, Ready = 4, NoName = 5 };

  explicit TMacroMagic(QObject* parent = nullptr);
  ~TMacroMagic() override;

  State GetState() const { return state_; }
  const std::string& MacroName() const { return macroName_; }
  // Taken only when ready or without a name: a non-empty name that differs
  // from the current one is kept and the state becomes ready.
  void SetMacroName(const std::string& name);
  // At the end of a playback fire OnPlayEnded and play again.
  bool LoopPlayback = false;

  // Plays MacroName (its extension replaced by ".mcr"), when ready. Raises
  // ENoSuchMacro for a missing file and EMacroFileDamaged for a damaged one;
  // the state then stays ready.
  void Play();
  // Starts recording into MacroName, when ready.
  void StartRecord();
  // Ends a recording, when recording: the keys of the chord being held
  // (the one that gave this command) are cut from its end, the file is
  // written and OnRecordEnded fires. A file that cannot be written is
  // reported and the old one stays whole; false then.
  bool StopRecord();
  // Ends a playback at once (as the stop key does) and fires OnPlayCancelled.
  void CancelPlay();

  std::function<void()> OnPlay, OnPlayEnded, OnPlayCancelled, OnRecord, OnRecordEnded, OnRecordCancelled;

  // The events recorded so far, or of the playback.
  const std::vector<MacroEvent>& Events() const { return events_; }
  // The file being recorded or played.
  const std::string& FileName() const { return file_; }
  // For tests: the largest number of events a recording takes.
  void SetCapacityForTests(size_t capacity) { capacity_ = capacity; }

  // The stop keys: Ctrl+Pause, Break, Cancel.
  static bool IsStopKey(const QKeyEvent& key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RecordKey(QObject* watched, QKeyEvent* key);
  void RecordMouse(QObject* watched, QEvent* event);
  void Append(const MacroEvent& e);
  void AppendModifierSync(uint8_t wanted);
  uint32_t Now() const;
  // Ends the recording and writes it; the held chord (or the stop key with
  // the held modifiers) is cut from its end when asked.
  bool WriteAndEnd(bool trimHeldChord, uint8_t stopKey);
  void PlayNext();
  void PlayEvent(const MacroEvent& e);
  void PlayKey(const MacroKey& k);
  void PlayMouse(const MacroMouse& m);
  void FinishPlayback(bool cancelled);

  State state_ = NoName;
  std::string macroName_;
  std::string file_;
  std::vector<MacroEvent> events_;
  size_t capacity_ = kMaxMacroEvents;
  size_t index_ = 0;
  QElapsedTimer clock_;
  QTimer playTimer_;

  // Recording: the modifiers and the key held, and the override already recorded.
  uint8_t heldModifiers_ = 0;
  uint8_t heldKey_ = 0;
  int pendingOverrideKey_ = 0;
  const QEvent* lastMouseEvent_ = nullptr;
  uint64_t lastMouseStamp_ = 0;
  int lastMouseType_ = 0;

  // Playback: what the played records hold down.
  uint8_t playModifiers_ = 0;
  Qt::MouseButtons playButtons_;
  QPointer<QWidget> mouseTarget_;
  int dispatching_ = 0;
};

}  // namespace nuvel
