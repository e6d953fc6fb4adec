// A holam on a shin or sin leaves the program as Unicode and Windows-1255
// define it: the holam beside the shin or sin dot, the points in canonical
// order. Every shin and sin with holam, with and without dagesh, meteg and
// another vowel, read from Windows-1255, UTF-8, UTF-16 and RTF, comes back
// byte for byte, unmodified; the clipboard writes it the same way.
#include <gtest/gtest.h>

#include "editor/clipboard_text.h"
#include "editor/save_document.h"
#include "formats/load_document.h"
#include "formats/text_form.h"
#include "tests/formats/formats_test_support.h"
#include "tests/formats/load_test_target.h"

namespace nuvel::test {
namespace {

constexpr uint8_t kShinLetter = 0xF9, kHolamPoint = 0xC9, kDageshPoint = 0xCC, kMeteg = 0xCD;
constexpr uint8_t kShinDotPoint = 0xD1, kSinDotPoint = 0xD2;

// One line of Windows-1255 for each shin or sin with holam, its points in
// canonical order: a vowel before the holam (none, or sheva .. qamats), the
// dagesh and meteg after it, the dot last. Each stands at the start of a
// word, inside one and at its end, beside letters with vowels of their own
// and a Latin word.
std::vector<std::string> ShinHolamLines() {
  std::vector<std::string> lines;
  for (uint8_t dot : {kShinDotPoint, kSinDotPoint}) {
    // 0 for none, then sheva .. qamats.
    for (int vowel : {0, 0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8}) {
      for (bool dagesh : {false, true}) {
        for (bool meteg : {false, true}) {
          std::string shin(1, static_cast<char>(kShinLetter));
          if (vowel != 0) shin += static_cast<char>(vowel);
          shin += static_cast<char>(kHolamPoint);
          if (dagesh) shin += static_cast<char>(kDageshPoint);
          if (meteg) shin += static_cast<char>(kMeteg);
          shin += static_cast<char>(dot);
          // shin mem-tsere resh, yod-hiriq shin, mem-segol shin, and a word
          lines.push_back(shin + "\xEE\xC5\xF8 \xE9\xC4" + shin + "\xEE\xC6" + shin + " abc");
        }
      }
    }
  }
  // The same letters without holam, with a vowel and with dagesh.
  lines.push_back("\xF9\xC8\xD1\xEC\xE5\xC9\xED \xF9\xC8\xCC\xD2 \xF9\xC4\xD2\xE1 \xF9\xCC\xD1");
  return lines;
}

std::string Joined(const std::vector<std::string>& lines, std::string_view end) {
  std::string out;
  for (const auto& l : lines) out += l + std::string(end);
  return out;
}

// Windows-1255 letters and points as Unicode, in UTF-8 or UTF-16LE.
std::string AsUnicode(std::string_view cp1255, bool utf8) {
  std::vector<uint8_t> out;
  for (char c : cp1255) {
    const auto b = static_cast<uint8_t>(c);
    const char32_t cp = b >= 0xE0 ? 0x05D0 + (b - 0xE0) : b >= 0xC0 ? 0x05B0 + (b - 0xC0) : b;
    if (utf8) {
      AppendUtf8(out, cp);
    } else {
      out.push_back(static_cast<uint8_t>(cp & 0xFF));
      out.push_back(static_cast<uint8_t>(cp >> 8));
    }
  }
  return S(out);
}

class ShinHolamRoundTrip : public FormatsTest {
 protected:
  // Loads `path` into a document and saves it, unedited, as `saveName`.
  std::string LoadAndSave(const std::string& path, const std::string& saveName, bool english) {
    TestLoadTarget t;
    t.diskConv = 0;
    t.english = english;
    const TLoadResult load = LoadDocument(t, path);
    EXPECT_FALSE(t.modified) << path;
    EXPECT_FALSE(load.losses.Any()) << path;
    stored_ = t.paras.Paras();
    TSaveRequest request;
    request.fileName = temp_.Path(saveName).string();
    request.text = t.paras.Paras();
    request.text.emplace_back();  // the editor's empty last paragraph
    request.diskConv = 0;
    request.englishDocument = english;
    request.lfLineEnds = load.lfLineEnds;
    request.textForm = load.textForm;
    request.finalLineEnd = load.finalLineEnd;
    std::vector<uint8_t> out;
    EXPECT_TRUE(BuildSaveBytes(request, SaveRuleFor(request), out));
    return S(out);
  }

  TParagraphs stored_;
};

TEST_F(ShinHolamRoundTrip, EveryTextFormComesBackByteForByte) {
  const std::vector<std::string> lines = ShinHolamLines();
  const std::string cp1255 = Joined(lines, "\r\n");
  struct Case {
    const char* what;
    int mode;
    std::string file;
  } cases[] = {
      {"Windows-1255", 2, cp1255},
      {"UTF-8", 0, AsUnicode(Joined(lines, "\n"), true)},
      {"UTF-8 with its mark", 2, "\xEF\xBB\xBF" + AsUnicode(cp1255, true)},
      {"UTF-16LE with its mark", 0, std::string("\xFF\xFE", 2) + AsUnicode(cp1255, false)},
  };
  for (const auto& c : cases) {
    for (bool english : {true, false}) {
      SetConvMode(c.mode);
      const std::string path = WriteTemp("f.txt", c.file);
      EXPECT_EQ(LoadAndSave(path, "f.txt", english), c.file) << c.what << " english " << english;
    }
  }
}

// RTF carries Windows-1255 bytes: the file the program writes holds the
// holam beside the dot, and reads back to the same file.
TEST_F(ShinHolamRoundTrip, RtfHoldsTheHolamAndComesBackByteForByte) {
  const std::vector<std::string> lines = ShinHolamLines();
  for (bool english : {true, false}) {
    SetConvMode(2);
    const std::string source = WriteTemp("f.txt", Joined(lines, "\r\n"));
    const std::string rtf = LoadAndSave(source, "f.rtf", english);
    const TParagraphs fromText = stored_;
    EXPECT_NE(rtf.find("\\'f9\\'c9\\'d1\\'ee"), std::string::npos);
    EXPECT_NE(rtf.find("\\'f9\\'c8\\'c9\\'cc\\'cd\\'d2\\'ee"), std::string::npos);
    EXPECT_EQ(rtf.find("\\'d1\\'d2"), std::string::npos);
    EXPECT_EQ(rtf.find("\\'d2\\'d2"), std::string::npos);
    SetConvMode(0);
    const std::string path = WriteTemp("f.rtf", rtf);
    EXPECT_EQ(LoadAndSave(path, "f.rtf", english), rtf) << english;
    EXPECT_EQ(stored_, fromText) << english;
  }
}

// A copy puts the letters on the clipboard as Windows-1255 and Unicode
// define them; pasting either text gives the document's bytes back.
TEST_F(ShinHolamRoundTrip, ClipboardWritesTheHolamBesideTheDot) {
  const std::vector<std::string> lines = ShinHolamLines();
  SetConvMode(2);
  const std::string source = WriteTemp("f.txt", Joined(lines, "\r\n"));
  for (bool english : {true, false}) {
    LoadAndSave(source, "f.txt", english);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::vector<std::vector<uint8_t>> chunks = {stored_[i]};
      const TClipboardCopy copy = BuildClipboardCopy(chunks, ConvContext{kConvCp1255}, english);
      EXPECT_EQ(S(copy.bytes), lines[i]);
      const std::string utf16 = AsUnicode(lines[i], false);
      EXPECT_EQ(copy.unicodeText, std::u16string(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size() / 2));
      EXPECT_EQ(TextFromClipboard({copy.bytes, std::nullopt}, ConvContext{kConvCp1255}, english), stored_[i]);
      EXPECT_EQ(TextFromClipboard({std::nullopt, copy.unicodeText}, ConvContext{kConvCp1255}, english), stored_[i]);
    }
  }
}

}  // namespace
}  // namespace nuvel::test
