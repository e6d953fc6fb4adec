#include "app/user_commands.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(UserCommands, MacroSlotsOfEveryRange) {
  struct Row { uint16_t first, last; int slot; };
  const Row rows[] = {
      {256, 256, 0},  {257, 265, 1},  {267, 275, 11}, {276, 276, 20}, {277, 285, 21},
      {286, 286, 30}, {287, 295, 31}, {296, 296, 40}, {297, 305, 1},  {306, 306, 10},
  };
  for (const Row& r : rows) {
    for (uint16_t n = r.first; n <= r.last; ++n) {
      SCOPED_TRACE(n);
      EXPECT_EQ(DecodeUserCommand(n), (UserCommand{UserAction::PlayMacro, r.slot + (n - r.first), 0}));
    }
  }
}

TEST(UserCommands, NamedCommands) {
  struct Row { uint16_t n; UserCommand cmd; };
  const Row rows[] = {
      {266, {UserAction::Find}},          {307, {UserAction::Replace}},
      {308, {UserAction::FindNext}},      {309, {UserAction::Open}},
      {310, {UserAction::SaveAndClose}},  {311, {UserAction::Save}},
      {312, {UserAction::FlipCase}},      {313, {UserAction::GotoChar}},
      {314, {UserAction::BlockBegin}},    {315, {UserAction::BlockEnd}},
      {316, {UserAction::CopyBlock}},     {317, {UserAction::DeleteBlock}},
      {318, {UserAction::MoveBlock}},     {319, {UserAction::MoveBlock}},
      {320, {UserAction::CutWord}},       {321, {UserAction::ReformatParagraph}},
      {328, {UserAction::BuiltInFilter, -1, 4}}, {329, {UserAction::BuiltInFilter, -1, 5}},
      {457, {UserAction::MacroFind}},     {458, {UserAction::MacroReplace}},
      {459, {UserAction::NextParagraph}},
      {322, {}}, {330, {}}, {456, {}}, {460, {}}, {255, {}}, {0, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.n);
    EXPECT_EQ(DecodeUserCommand(r.n), r.cmd);
  }
}

TEST(UserCommands, DocumentDigitKeys) {
  struct Row { bool ctrl, shift, alt; int digit; std::optional<uint16_t> cmd; };
  const Row rows[] = {
      {true, true, false, 0, 276},  {true, true, false, 1, 287},  {true, true, false, 9, 295},
      {true, false, true, 0, 286},  {true, false, true, 1, 277},  {true, false, true, 9, 285},
      {true, false, false, 0, 306}, {true, false, false, 1, 297}, {true, false, false, 9, 305},
      {false, false, true, 0, 296}, {false, false, true, 1, 267}, {false, false, true, 9, 275},
      {false, true, false, 3, std::nullopt}, {false, false, false, 3, std::nullopt},
      {true, false, false, 10, std::nullopt},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.ctrl << r.shift << r.alt << r.digit);
    EXPECT_EQ(DocumentDigitCommand(r.ctrl, r.shift, r.alt, r.digit), r.cmd);
  }
  // Alt+0 plays slot 40 and Ctrl+Shift+0 slot 20.
  EXPECT_EQ(DecodeUserCommand(*DocumentDigitCommand(false, false, true, 0)).slot, 40);
  EXPECT_EQ(DecodeUserCommand(*DocumentDigitCommand(true, true, false, 0)).slot, 20);
}

}  // namespace
}  // namespace nuvel
