#include "ui/onscreen_layouts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace nuvel {
namespace {

int KeyOf(std::string_view name) {
  for (int k = 0; k < kOnScreenKeyCount; ++k)
    if (OnScreenKeyName(k) == name) return k;
  ADD_FAILURE() << "no key " << name;
  return -1;
}

TEST(OnScreenLayoutsTest, KeyNamesAreDistinct) {
  std::set<std::string_view> names;
  for (int k = 0; k < kOnScreenKeyCount; ++k) names.insert(OnScreenKeyName(k));
  EXPECT_EQ(names.size(), static_cast<size_t>(kOnScreenKeyCount));
  EXPECT_EQ(OnScreenKeyName(kOnScreenKeyCount), "");
}

// A sample from every row of every set of faces.
TEST(OnScreenLayoutsTest, KeyBytes) {
  const struct {
    KeyFaces faces;
    const char* key;
    uint8_t byte;
  } cases[] = {
      {KeyFaces::US, "Accent_Button", '`'},   {KeyFaces::US, "Q_Button", 'q'},
      {KeyFaces::US, "Slash_Button", '/'},    {KeyFaces::USShift, "_2_Button", '@'},
      {KeyFaces::USShift, "Apostrophe_Button", '"'}, {KeyFaces::USShift, "M_Button", 'M'},
      {KeyFaces::USShift, "Backslash_Button", '|'},
      {KeyFaces::Hebrew, "Accent_Button", 0x3B}, {KeyFaces::Hebrew, "Q_Button", 0x2F},
      {KeyFaces::Hebrew, "T_Button", 0xE0},      {KeyFaces::Hebrew, "Colon_Button", 0xF3},
      {KeyFaces::Hebrew, "Comma_Button", 0xFA},  {KeyFaces::Hebrew, "Slash_Button", 0x2E},
      {KeyFaces::Nikud, "_1_Button", 0xC1},      {KeyFaces::Nikud, "_0_Button", 0xCB},
      {KeyFaces::Nikud, "Equal_Button", 0xC9},   {KeyFaces::Nikud, "Backslash_Button", 0x40},
      {KeyFaces::Nikud, "A_Button", 0xF9},
      {KeyFaces::NikudShift, "Accent_Button", 0x21}, {KeyFaces::NikudShift, "T_Button", 0x9B},
      {KeyFaces::NikudShift, "I_Button", 0xEF},  {KeyFaces::NikudShift, "Period_Button", 0x3E},
      {KeyFaces::Phonetic, "Q_Button", 0xF7},    {KeyFaces::Phonetic, "LBracket_Button", 0xC1},
      {KeyFaces::Phonetic, "K_Button", 0x8B},    {KeyFaces::Phonetic, "Colon_Button", 0x3B},
      {KeyFaces::Phonetic, "M_Button", 0xEE},
      {KeyFaces::PhoneticShift, "Accent_Button", 0x7E}, {KeyFaces::PhoneticShift, "D_Button", 0x20},
      {KeyFaces::PhoneticShift, "L_Button", 0x8F}, {KeyFaces::PhoneticShift, "Slash_Button", 0x3F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " in faces " + std::to_string(static_cast<int>(c.faces)));
    EXPECT_EQ(OnScreenKeyByte(c.faces, KeyOf(c.key)), c.byte);
  }
}

TEST(OnScreenKeyboardModelTest, HebrewShiftIsOneKeyLatinCapital) {
  OnScreenKeyboardModel m;
  m.ChooseLayout(OnScreenLayout::Hebrew);
  EXPECT_EQ(m.Click(KeyOf("T_Button"), TKeytype::Hebrew), 0xE0);
  m.ToggleShift(TKeytype::Hebrew);
  EXPECT_TRUE(m.ShiftDown());
  EXPECT_EQ(m.Faces(), KeyFaces::USShift);
  EXPECT_EQ(m.Click(KeyOf("T_Button"), TKeytype::Hebrew), 'T');
  EXPECT_FALSE(m.ShiftDown());
  EXPECT_EQ(m.Faces(), KeyFaces::Hebrew);
  EXPECT_EQ(m.Click(KeyOf("T_Button"), TKeytype::Hebrew), 0xE0);
}

TEST(OnScreenKeyboardModelTest, NikudShiftSendsDageshForms) {
  OnScreenKeyboardModel m;
  m.ChooseLayout(OnScreenLayout::Nikud);
  EXPECT_EQ(m.Click(KeyOf("_1_Button"), TKeytype::Nikud), 0xC1);
  m.ToggleShift(TKeytype::Nikud);
  EXPECT_EQ(m.Faces(), KeyFaces::NikudShift);
  EXPECT_EQ(m.Click(KeyOf("I_Button"), TKeytype::Nikud), 0x8F);  // EF less 60
  m.ToggleShift(TKeytype::Nikud);
  EXPECT_EQ(m.Click(KeyOf("T_Button"), TKeytype::Nikud), 0x9B);  // not a plain letter: as it is
  m.ToggleShift(TKeytype::Nikud);
  EXPECT_EQ(m.Click(KeyOf("_1_Button"), TKeytype::Nikud), '1');
}

TEST(OnScreenKeyboardModelTest, DageshHoldsThePhoneticLayout) {
  OnScreenKeyboardModel m;
  m.ChooseLayout(OnScreenLayout::Phonetic);
  EXPECT_TRUE(m.DageshShown());
  m.ToggleDagesh();
  EXPECT_TRUE(m.Dagesh());
  EXPECT_EQ(m.Faces(), KeyFaces::NikudShift);
  EXPECT_FALSE(m.ChooseLayout(OnScreenLayout::Phonetic));
  EXPECT_TRUE(m.Dagesh());
  m.ToggleShift(TKeytype::Phonetic);  // nothing while dagesh is on
  EXPECT_FALSE(m.ShiftDown());
  // Dagesh is not a one-key shift: it stays on after a key.
  EXPECT_EQ(m.Click(KeyOf("B_Button"), TKeytype::Phonetic), 0x90);
  EXPECT_TRUE(m.Dagesh());
  m.ToggleDagesh();
  EXPECT_EQ(m.Faces(), KeyFaces::Phonetic);
  EXPECT_TRUE(m.ChooseLayout(OnScreenLayout::Phonetic));
  EXPECT_TRUE(m.ChooseLayout(OnScreenLayout::US));
  EXPECT_FALSE(m.DageshShown());
}

TEST(OnScreenKeyboardModelTest, ChoosingALayoutClearsShift) {
  OnScreenKeyboardModel m;
  m.ChooseLayout(OnScreenLayout::US);
  m.ToggleShift(TKeytype::English);
  EXPECT_EQ(m.Faces(), KeyFaces::USShift);
  m.ChooseLayout(OnScreenLayout::Hebrew);
  EXPECT_FALSE(m.ShiftDown());
  EXPECT_FALSE(m.ShiftFlag());
  EXPECT_EQ(m.Faces(), KeyFaces::Hebrew);
}

TEST(OnScreenKeyboardModelTest, LayoutsOfKeyTypes) {
  for (TKeytype t : {TKeytype::English, TKeytype::Hebrew, TKeytype::Nikud, TKeytype::Phonetic})
    EXPECT_EQ(KeyTypeOfLayout(LayoutOfKeyType(t)), t);
  EXPECT_EQ(LayoutLabel(OnScreenLayout::US), "US ");
  EXPECT_EQ(LayoutLabel(OnScreenLayout::Phonetic), "Phonetic");
}

}  // namespace
}  // namespace nuvel
