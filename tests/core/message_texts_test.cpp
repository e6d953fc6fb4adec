#include "core/message_texts.h"

#include <gtest/gtest.h>

#include <map>

#include "core/shared_state.h"
#include "platform/string_library.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// The bytes of a string library holding `texts`.
std::string LibraryBytes(const std::map<uint32_t, std::string>& texts) {
  std::string header = "NSTR", entries, body;
  auto u32 = [](std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i));
  };
  u32(header, static_cast<uint32_t>(texts.size()));
  uint32_t offset = static_cast<uint32_t>(8 + 12 * texts.size());
  for (const auto& [id, text] : texts) {
    u32(entries, id);
    u32(entries, offset + static_cast<uint32_t>(body.size()));
    u32(entries, static_cast<uint32_t>(text.size()));
    body += text;
  }
  return header + entries + body;
}

class MessageTexts : public ::testing::Test {
 protected:
  void TearDown() override { EngPrompts = true; }
  test::TempProgramFolder temp_;
};

TEST_F(MessageTexts, ThePromptLanguageChoosesTheId) {
  temp_.WriteFile("NuvStr.DLL", LibraryBytes({{38415, "English"}, {41115, "\xF2\xE1\xF8\xE9\xFA"}}));
  EngPrompts = true;
  EXPECT_EQ(GetMessageText(38415, 41115), "English");
  EngPrompts = false;
  EXPECT_EQ(GetMessageText(38415, 41115), "\xF2\xE1\xF8\xE9\xFA");
}

TEST_F(MessageTexts, LibraryLookups) {
  const std::string t149(149, 'a'), t200(200, 'b');
  temp_.WriteFile("nuvstr.dll", LibraryBytes({{1, "one"}, {2, t149}, {3, t200}, {4, std::string("ab\0cd", 5)}}));
  struct {
    const char* what;
    uint32_t id;
    std::string text;
  } cases[] = {
      {"plain", 1, "one"},
      {"149 characters whole", 2, t149},
      {"longer cut to 149", 3, std::string(149, 'b')},
      {"zero ends the text", 4, "ab"},
      {"missing id empty", 5, ""},
      {"id modulo 65536", 65536 + 1, "one"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetMessageText(c.id, 0), c.text) << c.what;
}

TEST_F(MessageTexts, MissingOrDamagedLibraryGivesEmptyTexts) {
  EXPECT_EQ(GetMessageText(38413, 41113), "");
  temp_.WriteFile("NuvStr.DLL", "NSTR\x05\0\0\0garbage");
  EXPECT_EQ(GetMessageText(38413, 41113), "");
  EXPECT_FALSE(platform::StringLibrary::Load().has_value());
}

TEST_F(MessageTexts, ShippedLibraryHoldsBothLanguagesInTheEightBitSet) {
  temp_.CopyShippedFile("NuvStr.DLL");
  EXPECT_EQ(GetMessageText(38413, 41113), "File not found: %s");
  EngPrompts = false;
  // "הקובץ לא נמצא: %s" in the 8-bit set: Hebrew letters from 0xE0.
  EXPECT_EQ(GetMessageText(38413, 41113), "\xE4\xF7\xE5\xE1\xF5 \xEC\xE0 \xF0\xEE\xF6\xE0: %s");
}

TEST_F(MessageTexts, MessageDlgByIdAsksTheSinkAndReturnsItsAnswer) {
  temp_.WriteFile("NuvStr.DLL", LibraryBytes({{20, "Save changes?"}}));
  test::RecordingMessageSink sink;
  sink.answers.push_back(platform::mrNo);
  EXPECT_EQ(MessageDlgById(20, 21, MsgDlgType::Confirmation, platform::mbYesNoCancel, 7), platform::mrNo);
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_EQ(sink.requests[0].text, "Save changes?");
  EXPECT_EQ(sink.requests[0].type, MsgDlgType::Confirmation);
  EXPECT_EQ(sink.requests[0].buttons, platform::mbYesNoCancel);
  EXPECT_EQ(sink.requests[0].help_context, 7);
  // Without the library the box still appears, with no text.
  std::filesystem::remove(temp_.Path("NuvStr.DLL"));
  EXPECT_EQ(MessageDlgById(20, 21, MsgDlgType::Information, platform::mbOK), platform::mrOk);
  EXPECT_EQ(sink.requests.back().text, "");
}

TEST(MessageSink, WithoutASinkTheAnswerDeclines) {
  struct {
    platform::MsgDlgButtons buttons;
    platform::ModalResult answer;
  } cases[] = {{platform::mbYesNoCancel, platform::mrCancel},
               {platform::mbYes | platform::mbNo, platform::mrNo},
               {platform::mbOK, platform::mrOk},
               {platform::mbAbort | platform::mbRetry | platform::mbIgnore, platform::mrAbort}};
  for (const auto& c : cases) EXPECT_EQ(platform::DefaultAnswer(c.buttons), c.answer) << c.buttons;
}

}  // namespace
}  // namespace nuvel
