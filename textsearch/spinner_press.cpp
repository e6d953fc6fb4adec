#include "textsearch/spinner_press.h"

namespace nuvel {

bool TNvcSpinnerPress::SetAcceleration(int v) {
  if (v >= 11) return false;
  acceleration_ = v;
  return true;
}

void TNvcSpinnerPress::SetGeometry(TNvcSpinnerStyle style, int width, int height) {
  style_ = style;
  width_ = width;
  height_ = height;
  regions_ = BuildSpinnerRegions(style, width, height);
}

TNvcSpinState TNvcSpinnerPress::HitTest(int x, int y, bool buttonDown) const {
  return SpinnerHitTest(regions_, width_, height_, x, y, buttonDown);
}

void TNvcSpinnerPress::SetState(TNvcSpinState s) {
  previous_ = state_;
  state_ = s;
  if (OnStateChanged) OnStateChanged(previous_, state_);
}

void TNvcSpinnerPress::MouseDown(int x, int y, uint32_t now) {
  pressed_ = true;
  held_ = true;
  SetState(HitTest(x, y, true));
  repeatCount_ = 0;
  nextTick_ = now - 1;
  singleStep_ = state_ == ssCentre;
  Step(state_, now);
}

void TNvcSpinnerPress::Repeat(int x, int y, uint32_t now) {
  if (!Repeats()) return;
  Step(state_, now);
  MouseMove(x, y);
}

void TNvcSpinnerPress::MouseMove(int x, int y) {
  if (!Repeats()) return;
  TNvcSpinState s = HitTest(x, y, true);
  if (s == ssCentre) s = ssNormal;
  if (s != state_) {
    pressed_ = s >= ssUp;
    SetState(s);
  }
}

void TNvcSpinnerPress::MouseUp() {
  held_ = false;
  pressed_ = false;
  singleStep_ = false;
  SetState(ssNormal);
}

uint32_t TNvcSpinnerPress::NextDelay(uint32_t now) const {
  const int32_t wait = static_cast<int32_t>(nextTick_ - now) + 1;
  return wait > static_cast<int32_t>(kFloorDelayMs) ? static_cast<uint32_t>(wait) : kFloorDelayMs;
}

void TNvcSpinnerPress::Step(TNvcSpinState state, uint32_t now) {
  if (!pressed_) return;
  if (static_cast<int32_t>(now - nextTick_) <= 0) return;
  if (!OnStep || !OnStep(state)) return;
  nextTick_ = now + static_cast<uint32_t>(DelayTime - acceleration_ * 10 * repeatCount_);
  ++repeatCount_;
}

}  // namespace nuvel
