#include "ui/keyboard_language.h"

#include <gtest/gtest.h>

#include <string>

namespace nuvel {
namespace {

class FakeDocument : public KeyboardDocument {
 public:
  explicit FakeDocument(TKeytype t) : type(t) {}
  TKeytype KeyType() const override { return type; }
  void SetKeyType(TKeytype t) override { type = t; }
  TKeytype type;
};

class KeyboardLanguage : public ::testing::Test {
 protected:
  void SetUp() override {
    model.StoreLetter = [this](char c) { stored += c; };
    model.ApplyOptions = [this] { ++applied; };
  }
  KeyboardLanguageModel model;
  std::string stored;
  int applied = 0;
};

TEST(KeyboardLetters, LettersCycleAndButtonBytes) {
  const struct { TKeytype type; char letter; TKeytype next; uint8_t hebrewByte; } cases[] = {
      {TKeytype::English, 'E', TKeytype::Hebrew, 0xE0},
      {TKeytype::Hebrew, 'H', TKeytype::Nikud, 0xF2},
      {TKeytype::Nikud, 'N', TKeytype::Phonetic, 0xF0},
      {TKeytype::Phonetic, 'P', TKeytype::English, 0xF4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeytypeLetter(c.type), c.letter);
    EXPECT_EQ(KeytypeOfLetter(c.letter), c.type);
    EXPECT_EQ(KeytypeOfLetter(static_cast<char>(c.letter + 32)), c.type) << "lower case";
    EXPECT_EQ(NextKeytype(c.type), c.next);
    EXPECT_EQ(PreviousKeytype(c.next), c.type);
    EXPECT_EQ(KeyboardButtonByte(c.letter, true), static_cast<uint8_t>(c.letter));
    EXPECT_EQ(KeyboardButtonByte(c.letter, false), c.hebrewByte);
  }
  EXPECT_FALSE(KeytypeOfLetter('X').has_value());
}

TEST(KeyboardLetters, SecondLanguageRule) {
  EXPECT_TRUE(IsSecondLanguage(TKeytype::English, false));
  EXPECT_FALSE(IsSecondLanguage(TKeytype::English, true));
  for (TKeytype t : {TKeytype::Hebrew, TKeytype::Nikud, TKeytype::Phonetic}) {
    EXPECT_TRUE(IsSecondLanguage(t, true));
    EXPECT_FALSE(IsSecondLanguage(t, false));
  }
}

TEST_F(KeyboardLanguage, FourNextKeyboardsReturnToTheFirstAndStoreEachLetter) {
  FakeDocument doc(TKeytype::Hebrew);
  for (int i = 0; i < 4; ++i) model.NextKeyboard(&doc);
  EXPECT_EQ(doc.type, TKeytype::Hebrew);
  EXPECT_EQ(stored, "NPEH");
  EXPECT_EQ(model.Letter, 'H');
  EXPECT_EQ(model.Checked, TKeytype::Hebrew);
  EXPECT_EQ(applied, 4);
}

TEST_F(KeyboardLanguage, RadioItemsSetTheDocumentToTheirOwnType) {
  const TKeytype all[] = {TKeytype::English, TKeytype::Hebrew, TKeytype::Nikud, TKeytype::Phonetic};
  for (TKeytype start : all) {
    for (TKeytype chosen : all) {
      FakeDocument doc(start);
      model.ChooseKeyboard(chosen, &doc);
      EXPECT_EQ(doc.type, chosen);
      EXPECT_EQ(model.Checked, chosen);
      EXPECT_EQ(model.Letter, KeytypeLetter(chosen));
      EXPECT_EQ(stored.back(), KeytypeLetter(chosen));
    }
  }
}

TEST_F(KeyboardLanguage, NikudFromTheMenuInAnEnglishFileIsTheSecondLanguage) {
  model.EnglishFile = true;
  FakeDocument doc(TKeytype::English);
  model.ChooseKeyboard(TKeytype::Nikud, &doc);
  EXPECT_EQ(doc.type, TKeytype::Nikud);
  EXPECT_EQ(model.Letter, 'N');
  EXPECT_TRUE(model.SecondLanguage);
}

TEST_F(KeyboardLanguage, WithoutADocumentARadioItemOnlyShowsAndStoresItsLetter) {
  model.ChooseKeyboard(TKeytype::Phonetic, nullptr);
  EXPECT_EQ(model.Letter, 'P');
  EXPECT_EQ(model.Checked, TKeytype::Phonetic);
  EXPECT_EQ(stored, "P");
}

TEST_F(KeyboardLanguage, WithoutADocumentNextKeyboardStoresTheShownLetterAgain) {
  model.CheckKeyboardItem('N');
  model.NextKeyboard(nullptr);
  EXPECT_EQ(stored, "N");
  EXPECT_EQ(model.Letter, 'N');
}

TEST_F(KeyboardLanguage, MainLanguageChoosesTheKeyboardOfTheDirection) {
  FakeDocument doc(TKeytype::Hebrew);
  model.EnglishFile = false;
  model.ToggleMainLanguage(&doc);
  EXPECT_TRUE(model.EnglishFile);
  EXPECT_EQ(doc.type, TKeytype::English);
  EXPECT_FALSE(model.SecondLanguage);
  model.ToggleMainLanguage(&doc);
  EXPECT_FALSE(model.EnglishFile);
  EXPECT_EQ(doc.type, TKeytype::Hebrew);
  EXPECT_EQ(stored, "EH");
}

TEST_F(KeyboardLanguage, SecondLanguageChoosesTheOtherKeyboard) {
  const struct { bool englishFile; TKeytype start; TKeytype after; bool second; } cases[] = {
      {false, TKeytype::Hebrew, TKeytype::English, true},
      {false, TKeytype::English, TKeytype::Hebrew, false},
      {true, TKeytype::English, TKeytype::Hebrew, true},
      {true, TKeytype::Hebrew, TKeytype::English, false},
  };
  for (const auto& c : cases) {
    model.EnglishFile = c.englishFile;
    FakeDocument doc(c.start);
    model.CheckKeyboardItem(KeytypeLetter(c.start));
    model.ToggleSecondLanguage(&doc);
    EXPECT_EQ(doc.type, c.after) << c.englishFile << " " << KeytypeLetter(c.start);
    EXPECT_EQ(model.SecondLanguage, c.second);
  }
}

TEST_F(KeyboardLanguage, CheckKeyboardItemIgnoresAnUnknownLetter) {
  model.CheckKeyboardItem('H');
  model.CheckKeyboardItem('?');
  EXPECT_EQ(model.Letter, 'H');
  EXPECT_EQ(model.Checked, TKeytype::Hebrew);
  EXPECT_TRUE(stored.empty());
}

}  // namespace
}  // namespace nuvel
