#include "app/main_form_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace nuvel {
namespace {

constexpr uint8_t S = 2, C = 4, A = 8;

TEST(DigitKeys, CommandsOfEveryDigitAndShiftState) {
  const struct { uint8_t shift; uint16_t one; uint16_t zero; } rows[] = {
      {A, 267, 296},         // Alt: 1..9 then 0 (slot 40, not 20)
      {C, 297, 306},         // Ctrl
      {C | A, 277, 286},     // Ctrl+Alt
      {C | A | S, 277, 286}, // Ctrl+Alt+Shift: Shift either way
      {C | S, 0, 0},         // Ctrl+Shift: left to the document window
      {A | S, 0, 0},         // Alt+Shift
      {S, 0, 0},
      {0, 0, 0},
  };
  for (const auto& r : rows) {
    for (int n = 1; n <= 9; ++n) {
      const uint16_t expected = r.one ? static_cast<uint16_t>(r.one + n - 1) : 0;
      EXPECT_EQ(DigitKeyCommand(r.shift, static_cast<uint8_t>('0' + n)), expected)
          << "shift " << int(r.shift) << " digit " << n;
    }
    EXPECT_EQ(DigitKeyCommand(r.shift, '0'), r.zero) << "shift " << int(r.shift) << " digit 0";
  }
}

TEST(DigitKeys, OtherKeysAreNotTaken) {
  for (uint8_t key : {uint8_t{'A'}, uint8_t{0x60}, uint8_t{0x69}, uint8_t{'/'}, uint8_t{':'}})
    EXPECT_EQ(DigitKeyCommand(C, key), 0) << int(key);
}

TEST(CtrlK, SequencesWithNoDocument) {
  const struct { const char* what; std::string keys; CtrlKAction last; bool pending; } cases[] = {
      {"Ctrl+K Ctrl+R opens", "\x0B\x12", CtrlKAction::Open, true},
      {"Ctrl+K Ctrl+X exits", "\x0B\x18", CtrlKAction::Exit, true},
      {"Ctrl+K A does nothing", "\x0B" "A", CtrlKAction::None, false},
      {"Ctrl+R alone does nothing", "\x12", CtrlKAction::None, false},
      {"Ctrl+K twice still waits", "\x0B\x0B", CtrlKAction::None, true},
      {"another key between", "\x0B" "a\x12", CtrlKAction::None, false},
      {"Ctrl+K after Ctrl+R", "\x12\x0B\x18", CtrlKAction::Exit, true},
  };
  for (const auto& c : cases) {
    bool pending = false;
    CtrlKAction last = CtrlKAction::None;
    for (char ch : c.keys) last = CtrlKStep(pending, static_cast<uint8_t>(ch));
    EXPECT_EQ(last, c.last) << c.what;
    EXPECT_EQ(pending, c.pending) << c.what;
  }
}

}  // namespace
}  // namespace nuvel
