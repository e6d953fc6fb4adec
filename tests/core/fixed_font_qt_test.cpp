#include "core/fixed_font_qt.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <string>
#include <vector>

#include "core/fixed_font_names.h"
#include "core/shared_state.h"
#include "tests/support/program_fonts_qt.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

class FixedFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::LoadProgramFonts());
    EnumFixedFonts();
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& r : sink.requests) texts.push_back(r.text);
    return texts;
  }

  test::RecordingMessageSink sink;
};

TEST_F(FixedFontTest, ProgramFontFilesProvideTheirFaces) {
  const auto families = QFontDatabase::families();
  for (const char* face : {"NuvDos Bitmap", "VoraziRARO Vor", "ZoridiZOZA RarUv",
                           "DodizaRUDA DezUr"}) {
    SCOPED_TRACE(face);
    EXPECT_TRUE(families.contains(QString::fromLatin1(face)));
    EXPECT_TRUE(IsFixedFont(face));
    // The face really is used, not a fallback.
    QFont font(QString::fromLatin1(face));
    EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(face));
  }
}

TEST_F(FixedFontTest, CourierNewStandsForAnInstalledMonospacedFont) {
  EXPECT_TRUE(IsFixedFont("Courier New"));
  QFont font(QStringLiteral("Courier New"));
  font.setPointSize(11);
  EXPECT_TRUE(QFontInfo(font).fixedPitch());
}

TEST_F(FixedFontTest, GlobalFontsFromDescriptors) {
  struct Case {
    std::optional<std::string> curFont, curFont2;
    std::string english, hebrew;
    size_t warnings;
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, "Courier New~11~0", "VoraziRARO Vor~11~0", 0},
      {"Arial~12~3", "ZoridiZOZA RarUv~14~0", "Arial~12~3", "ZoridiZOZA RarUv~14~0", 1},
      {"Liberation Mono~10~1", "broken", "Liberation Mono~10~1", "VoraziRARO Vor~11~0", 0},
      {"Arial~12", "DodizaRUDA DezUr~9~2", "Courier New~11~0", "DodizaRUDA DezUr~9~2", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.english);
    sink.requests.clear();
    InitFixedFonts(c.curFont, c.curFont2);
    const auto messages = Messages();
    EXPECT_EQ(FixedFonts(1).Descriptor(), c.english);
    EXPECT_EQ(FixedFonts(2).Descriptor(), c.hebrew);
    EXPECT_EQ(FixedFonts(3).Descriptor(), "NuvDos Bitmap~18~0");
    EXPECT_EQ(FixedFonts(4).Descriptor(), "NuvDos Bitmap~18~1");
    EXPECT_EQ(messages.size(), c.warnings);
    if (c.warnings > 0) {
      EXPECT_EQ(messages[0], kNotFixedFontText);
      EXPECT_EQ(sink.requests[0].type, platform::MsgDlgType::Information);
    }
  }
  InitFixedFonts(std::nullopt, std::nullopt);
}

TEST_F(FixedFontTest, GlobalFontsFromTheIniFile) {
  test::TempProgramFolder folder;
  folder.WriteFile("NuvelW.INI", "[GENPREFS]\r\nCurFont=Liberation Mono~12~2\r\n");
  const std::string saved = ProgPath;
  ProgPath = folder.Folder();
  InitFixedFonts();
  ProgPath = saved;
  EXPECT_EQ(FixedFonts(1).Descriptor(), "Liberation Mono~12~2");
  EXPECT_EQ(FixedFonts(2).Descriptor(), "VoraziRARO Vor~11~0");
  EXPECT_TRUE(FixedFonts(1).Font().italic());
  InitFixedFonts(std::nullopt, std::nullopt);
}

TEST_F(FixedFontTest, SettersFireOnChangeAndRebuildTheDescriptor) {
  TNvcFixedFont font;
  int changes = 0;
  font.OnChange = [&] { ++changes; };
  font.SetName("VoraziRARO Vor");
  font.SetSize(13);
  font.SetStyle(FontStyles{FontStyles::Bold | FontStyles::Underline});
  font.SetColor(Qt::red);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(font.Descriptor(), "VoraziRARO Vor~13~5");
  EXPECT_TRUE(font.Font().bold());
  EXPECT_TRUE(font.Font().underline());

  TNvcFixedFont copy;
  copy.Assign(font);
  EXPECT_EQ(copy.Descriptor(), font.Descriptor());
  EXPECT_EQ(copy.Color(), QColor(Qt::red));
  EXPECT_TRUE(sink.requests.empty());
}

}  // namespace
}  // namespace nuvel
