// The string library as shipped: every text the interface asks for is there
// in the language it is shown in, within the length a lookup returns, and
// every message format has the placeholders its callers fill.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "platform/string_library.h"
#include "tests/support/temp_program_folder.h"
#include "ui/interface_texts.h"
#include "ui/main_message_formats.h"
#include "ui/message_format.h"

namespace nuvel {
namespace {

class ShippedStrings : public ::testing::Test {
 protected:
  void SetUp() override {
    temp_.CopyShippedFile("NuvStr.DLL");
    bytes_ = temp_.ReadFile("NuvStr.DLL");
    auto lib = platform::StringLibrary::FromBytes(bytes_);
    ASSERT_TRUE(lib.has_value());
    library_ = std::move(*lib);
  }
  bool HasHebrewLetter(const std::string& text) const {
    for (unsigned char c : text)
      if (c >= 0xE0 && c <= 0xFA) return true;
    return false;
  }
  static bool IsFormatName(const std::string& text) {
    for (char c : text)
      if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
  }
  test::TempProgramFolder temp_;
  std::string bytes_;
  std::optional<platform::StringLibrary> library_;
};

uint32_t U32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
  return v;
}

TEST_F(ShippedStrings, NoTextIsLongerThanALookupReturns) {
  const uint32_t count = U32(bytes_, 4);
  ASSERT_GT(count, 0u);
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t id = U32(bytes_, 8 + 12 * i);
    EXPECT_LE(U32(bytes_, 8 + 12 * i + 8), platform::kMaxLibraryText) << id;
  }
}

TEST_F(ShippedStrings, EveryInterfaceTextIsThereInHebrew) {
  for (const TextRoutine& routine : TextRoutines()) {
    for (uint16_t id : TextIdsOf(routine.texts)) {
      const std::string text = library_->Text(id);
      EXPECT_FALSE(text.empty()) << routine.name << " " << id;
      // Hebrew, unless the text is the name of a format ("3B2", "RTF").
      EXPECT_TRUE(HasHebrewLetter(text) || IsFormatName(text)) << routine.name << " " << id;
    }
  }
}

TEST_F(ShippedStrings, EveryMessageFormatFitsItsCallers) {
  for (const auto& use : MainMessageFormatUses()) {
    for (uint16_t id : {use.engId, use.hebId}) {
      const std::string text = library_->Text(id);
      EXPECT_FALSE(text.empty()) << id;
      EXPECT_EQ(FormatSignature(text), std::string(use.arguments)) << id;
    }
    EXPECT_FALSE(HasHebrewLetter(library_->Text(use.engId))) << use.engId;
    EXPECT_TRUE(HasHebrewLetter(library_->Text(use.hebId))) << use.hebId;
  }
}

TEST_F(ShippedStrings, MessagesOfTheMainWindowInBothLanguages) {
  // The interface-language box on old systems and the calculator's Window item.
  for (uint16_t id : {38415, 38457}) {
    EXPECT_FALSE(library_->Text(id).empty()) << id;
    EXPECT_TRUE(HasHebrewLetter(library_->Text(static_cast<uint16_t>(id + 2700)))) << id + 2700;
  }
}

}  // namespace
}  // namespace nuvel
