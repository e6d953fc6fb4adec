#pragma once
// The spinner's press: which area is pressed, the step of the value on the
// press, and the accelerating repeat while the button is held. The clock is
// handed in as a 32-bit tick count, so the schedule runs on any clock; the
// window drives it from a timer with NextDelay, never in a busy loop.
#include <cstdint>
#include <functional>

#include "textsearch/spinner_geometry.h"

namespace nuvel {

class TNvcSpinnerPress {
 public:
  // The wait of the timer between two passes once the computed delay has
  // reached zero, so that a long press steps at a steady rate.
  static constexpr uint32_t kFloorDelayMs = 20;

  // Shortens each further repeat by 10 x this many milliseconds; values of
  // 11 and more are refused (false, the old value stays).
  int Acceleration() const { return acceleration_; }
  bool SetAcceleration(int v);
  bool AutoRepeat = true;
  // Milliseconds before the first repeat.
  int DelayTime = 500;

  // The size and style: the areas are rebuilt.
  void SetGeometry(TNvcSpinnerStyle style, int width, int height);
  TNvcSpinnerStyle Style() const { return style_; }
  const SpinnerRegions& Regions() const { return regions_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // One step of the value in the given state. False when there was nothing
  // to step (no handler and no control to step); the schedule then stays.
  std::function<bool(TNvcSpinState state)> OnStep;
  // The areas of these two states need repainting.
  std::function<void(TNvcSpinState previous, TNvcSpinState current)> OnStateChanged;

  TNvcSpinState State() const { return state_; }
  TNvcSpinState PreviousState() const { return previous_; }
  bool Pressed() const { return pressed_; }
  // Whether a press is being held (between MouseDown and MouseUp).
  bool Held() const { return held_; }
  int RepeatCount() const { return repeatCount_; }
  uint32_t NextTick() const { return nextTick_; }
  // Whether the held press repeats: not on the centre, not without AutoRepeat.
  bool Repeats() const { return held_ && AutoRepeat && !singleStep_; }

  // The state of a point with the button up or down.
  TNvcSpinState HitTest(int x, int y, bool buttonDown) const;

  // The primary button went down at (x, y): the pressed area and the
  // first step.
  void MouseDown(int x, int y, uint32_t now);
  // One pass of the held press with the pointer at (x, y): a step when due,
  // then the state follows the pointer (centre counts as normal).
  void Repeat(int x, int y, uint32_t now);
  // The pointer moved to (x, y) while the press is held: the state follows
  // it (centre counts as normal); outside the areas nothing steps.
  void MouseMove(int x, int y);
  // The button went up: back to normal.
  void MouseUp();
  // Milliseconds until the next pass should run: the time to the next
  // allowed step, at least kFloorDelayMs.
  uint32_t NextDelay(uint32_t now) const;

  // Steps when pressed and the tick count is past the next allowed tick;
  // then schedules the next: DelayTime - Acceleration x 10 x repeats.
  void Step(TNvcSpinState state, uint32_t now);

 private:
  void SetState(TNvcSpinState s);

  TNvcSpinnerStyle style_ = TNvcSpinnerStyle::stNormalVertical;
  SpinnerRegions regions_;
  int width_ = 16;
  int height_ = 25;
  int acceleration_ = 5;
  TNvcSpinState state_ = ssNormal;
  TNvcSpinState previous_ = ssNormal;
  bool pressed_ = false;
  bool held_ = false;
  bool singleStep_ = false;
  int repeatCount_ = 0;
  uint32_t nextTick_ = 0;
};

}  // namespace nuvel
