#include "tools/conversion_wizard.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/conv_mode.h"
#include "editor/heb_text_editor.h"
#include "tests/support/reading_order.h"
#include "tests/support/standard_tools.h"
#include "tests/support/temp_program_folder.h"
#include "tools/conversion_batch.h"
#include "tools/conversion_wizard_nav.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using test::Own;

TEST(ConversionWizard, CustomTablesHaveTheirModes) {
  EXPECT_EQ(WizardFormatOf(0), 2);  // Windows (CP1255)
  EXPECT_EQ(WizardFormatOf(1), 4);  // Nuvel DOS
  EXPECT_EQ(WizardFormatOf(2), 1);  // Windows 3.11
  EXPECT_EQ(WizardFormatOf(3), 0);  // No Conversion
  EXPECT_EQ(WizardFormatOf(-1), std::nullopt);
  EXPECT_EQ(WizardFormatOf(4), std::nullopt);
}

TEST(ConversionWizard, ReadAndWriteFormatsByType) {
  struct Case {
    WizardSource source;
    WizardCustom custom;
    WizardFormat expected;
  };
  const Case sources[] = {
      {WizardSource::InEditor, {}, {}},
      {WizardSource::NuvelDos, {}, {4, 1}},
      {WizardSource::Custom, {0, 2}, {2, 2}},
      {WizardSource::Custom, {3, -1}, {0, std::nullopt}},
      {WizardSource::PlainAscii, {}, {4, 0}},
      {WizardSource::Rtf, {}, {}},
      {WizardSource::QTextDos, {}, {4, 0}},
      {WizardSource::Einstein, {}, {4, 0}},
  };
  for (const Case& c : sources) {
    WizardChoices w;
    w.source = c.source;
    w.sourceCustom = c.custom;
    EXPECT_EQ(SourceFormat(w), c.expected) << static_cast<int>(c.source);
  }
  struct DestCase {
    WizardDest dest;
    std::string name;
    WizardCustom custom;
    WizardFormat expected;
    bool kept;
  };
  const DestCase dests[] = {
      {WizardDest::NuvelWindows, "a.txt", {}, {2, 0}, false},
      {WizardDest::NuvelWindows, "", {}, {}, true},  // no name: nothing converted, left in the editor
      {WizardDest::PasteToWord, "", {}, {2, 0}, true},
      {WizardDest::PasteToWord, "a.txt", {}, {2, 0}, true},
      {WizardDest::Custom, "a.txt", {1, 2}, {4, 2}, false},
      {WizardDest::NuvelDos, "a.nvs", {}, {4, 1}, false},
      {WizardDest::Rtf, "a.rtf", {}, {}, false},
      {WizardDest::Unicode, "", {}, {7, 5}, true},
  };
  for (const DestCase& c : dests) {
    WizardChoices w;
    w.dest = c.dest;
    w.dest_name = c.name;
    w.destCustom = c.custom;
    EXPECT_EQ(DestFormat(w), c.expected) << static_cast<int>(c.dest) << " " << c.name;
    EXPECT_EQ(KeptInEditor(w), c.kept) << static_cast<int>(c.dest) << " " << c.name;
  }
}

TEST(ConversionWizard, DestinationNames) {
  EXPECT_EQ(WizardDestinationName("out.doc", WizardDest::Rtf), "out.doc.RTF");
  EXPECT_EQ(WizardDestinationName("out.rtf", WizardDest::Rtf), "out.rtf");
  EXPECT_EQ(WizardDestinationName("out.doc", WizardDest::NuvelDos), "out.doc");
  EXPECT_EQ(WizardDestinationName("", WizardDest::Rtf), "");
  EXPECT_EQ(DestinationInFolder("/a/b/letter.txt", "/out", WizardDest::Rtf), "/out/letter.rtf");
  EXPECT_EQ(DestinationInFolder("/a/b/letter", "/out", WizardDest::NuvelDos), "/out/letter.nvs");
}

TEST(ConversionWizard, NavigationThroughTheCustomPage) {
  WizardChoices c;
  WizardNavigation nav;
  WizardCustomPage shown;
  nav.Show(c);
  EXPECT_EQ(nav.Page(), 0);
  EXPECT_FALSE(nav.BackEnabled());
  EXPECT_EQ(nav.SidePicture(), -1);
  nav.Next(c, shown);
  c.source = WizardSource::Custom;
  nav.Next(c, shown);
  ASSERT_EQ(nav.Page(), kWizardCustomPage);
  EXPECT_EQ(nav.CustomFor(), 1);
  EXPECT_EQ(shown.table, -1);
  shown.table = 1;
  shown.lineEnds = 2;
  // Back returns to the source page and keeps the choice for the next visit.
  nav.Back(c, shown);
  EXPECT_EQ(nav.Page(), 1);
  EXPECT_EQ(c.sourceCustom, (WizardCustom{1, 2}));
  shown = {};
  nav.Next(c, shown);
  EXPECT_EQ(shown.table, 1);
  nav.Next(c, shown);
  EXPECT_EQ(nav.Page(), 2);
  EXPECT_EQ(nav.SidePicture(), 4);
  nav.Next(c, shown);
  c.dest = WizardDest::Custom;
  nav.Next(c, shown);
  EXPECT_EQ(nav.CustomFor(), 3);
  EXPECT_EQ(shown.table, -1) << "the destination has choices of its own";
  shown.table = 0;
  nav.Next(c, shown);
  EXPECT_EQ(nav.Page(), kWizardSummaryPage);
  EXPECT_EQ(c.destCustom.table, 0);
  EXPECT_FALSE(nav.NextEnabled());
  EXPECT_TRUE(nav.FinishEnabled());
  // Showing the dialog again forgets both sides' choices.
  nav.Show(c);
  EXPECT_EQ(c.sourceCustom, WizardCustom{});
  EXPECT_EQ(c.destCustom, WizardCustom{});
}

TEST(ConversionWizard, EinsteinAndQTextCleanUps) {
  THebTextEditor e;
  e.LoadString("a\xC9" "b\xDB" "c\xDE" "d\xA5\xFB\xD9\xCA\xCB");
  CleanUpEinstein(e);
  EXPECT_EQ(e.Text(), "ab c-d");

  THebTextEditor q;
  q.SetEngm(true);
  q.LoadString("one  two\xAF three\xAF" "four");
  CleanUpQTextDos(q);
  EXPECT_FALSE(q.Engm()) << "a QText document is Hebrew";
  // The marks became line ends, and the lines one paragraph again.
  const auto first = q.GetPara(1);
  EXPECT_EQ(std::string(first.begin(), first.end()), "one two three four") << q.Text();
}

// UTF-8 of a file's bytes in `charset`, through the C library's iconv.
std::string Utf8Of(const std::string& bytes, const char* charset) {
  iconv_t cd = iconv_open("UTF-8", charset);
  if (cd == reinterpret_cast<iconv_t>(-1)) return "(no iconv for " + std::string(charset) + ")";
  std::string out(bytes.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char* o = out.data();
  size_t outLeft = out.size();
  iconv(cd, &in, &inLeft, &o, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

class WizardFiles : public testing::Test {
 protected:
  void SetUp() override {
    folder.CopyShippedFile("DIDOD.drf");
    LoadConvMode();
    fs::create_directories(in());
    fs::create_directories(out());
  }
  fs::path in() const { return folder.Path("in"); }
  fs::path out() const { return folder.Path("out"); }
  static void Write(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
  test::TempProgramFolder folder;
};

// "shalom olam" and "sefer" in Windows-1255 and in the DOS code page 862.
const std::string kWin1255 = "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED\r\n\xF1\xF4\xF8\r\n";
const std::string kCp862 = "\x99\x8C\x85\x8D \x92\x85\x8C\x8D\r\n\x91\x94\x98\r\n";
const std::string kUtf8 = "שלום עולם\r\nספר\r\n";

TEST_F(WizardFiles, EachSourceIntoEachCodePageAndBack) {
  Write(in() / "windows.txt", kWin1255);
  Write(in() / "dos.txt", kCp862);
  struct Source {
    const char* file;
    WizardSource type;
    WizardCustom custom;
  };
  // Line ends as the Nuvel Windows format has them: a line a paragraph.
  const Source sources[] = {{"windows.txt", WizardSource::Custom, {0, 0}}, {"dos.txt", WizardSource::Custom, {1, 0}}};
  struct Target {
    WizardDest type;
    WizardCustom custom;
    const char* charset;  // for iconv
    const char* ext;
  };
  const Target targets[] = {{WizardDest::Custom, {0, 0}, "CP1255", ".txt"},
                            {WizardDest::Custom, {1, 0}, "CP862", ".txt"},
                            {WizardDest::Unicode, {}, "UTF-16", ".txt"}};
  for (const Source& s : sources) {
    for (const Target& t : targets) {
      WizardChoices c;
      c.source = s.type;
      c.sourceCustom = s.custom;
      c.dest = t.type;
      c.destCustom = t.custom;
      c.sources = {(in() / s.file).string()};
      c.dest_name = (out() / (std::string("converted") + t.ext)).string();
      const auto results = ConvertWizardFiles(c, nullptr);
      ASSERT_EQ(results.size(), 1u);
      ASSERT_TRUE(results[0].ok) << results[0].message;
      const std::string text = Utf8Of(test::ReadWholeFile(results[0].dest), t.charset);
      EXPECT_EQ(text, kUtf8) << s.file << " into " << t.charset;
    }
  }
  // The sources are as they were.
  EXPECT_EQ(test::ReadWholeFile(in() / "windows.txt"), kWin1255);
  EXPECT_EQ(test::ReadWholeFile(in() / "dos.txt"), kCp862);
}

// What a standard tool makes of a file: the command's output, byte for byte.
std::string Iconv(const fs::path& file, const char* to) {
  const std::string command = std::string("iconv -f cp1255 -t ") + to + " '" + file.string() + "'";
  return test::ShellOutput(command);
}

// Windows-1255 text in reading order, as another program writes it: Hebrew
// with English, numbers and brackets inside, English lines, Hebrew with
// points, Windows line ends.
TEST_F(WizardFiles, LogicalFormsComeOutAsAStandardToolWritesThem) {
  const std::string text = Own("שלום עולם - Hello world 123\r\nשורה שנייה: ירושלים (2024)\r\n") +
                           "An English line, 3,500.25 (twice)\r\n" + Own("[אבג] 12/05/2024 סוף\r\n") +
                           Own("סֵפֶר לִקְרֹא, page 7\r\n");
  Write(in() / "b.txt", text);
  struct Case {
    const char* what;
    WizardDest dest;
    WizardCustom custom;
    const char* ext;
    const char* iconvTo;  // the standard tool's form of the same text
  };
  const Case cases[] = {
      {"Unicode", WizardDest::Unicode, {}, ".txt", "utf-16"},
      {"Custom, Windows (CP1255), Windows line ends", WizardDest::Custom, {0, 0}, ".txt", "cp1255"},
  };
  for (const bool english : {false, true}) {
    for (const Case& k : cases) {
      WizardChoices c;
      c.source = WizardSource::Custom;
      c.sourceCustom = {0, 0};
      c.dest = k.dest;
      c.destCustom = k.custom;
      c.englishDocument = english;
      c.sources = {(in() / "b.txt").string()};
      c.dest_name = (out() / (std::string("converted") + k.ext)).string();
      const auto results = ConvertWizardFiles(c, nullptr);
      ASSERT_EQ(results.size(), 1u);
      ASSERT_TRUE(results[0].ok) << results[0].message;
      EXPECT_EQ(test::ReadWholeFile(results[0].dest), Iconv(in() / "b.txt", k.iconvTo))
          << k.what << (english ? " from an English document" : " from a Hebrew document");
    }
  }
}

TEST_F(WizardFiles, SeveralFilesIntoAFolderAndOneFailureDoesNotStopTheOthers) {
  Write(in() / "a.txt", kWin1255);
  Write(in() / "b.txt", kWin1255);
  WizardChoices c;
  c.source = WizardSource::Custom;
  c.sourceCustom = {0, 0};
  c.dest = WizardDest::NuvelDos;
  c.sources = {(in() / "a.txt").string(), (in() / "missing.txt").string(), (in() / "b.txt").string()};
  c.dest_name = out().string();
  const auto results = ConvertWizardFiles(c, nullptr);
  ASSERT_EQ(results.size(), 3u);
  EXPECT_TRUE(results[0].ok) << results[0].message;
  EXPECT_FALSE(results[1].ok);
  EXPECT_TRUE(results[2].ok) << results[2].message;
  EXPECT_EQ(results[2].dest, (out() / "b.nvs").string());
  // Read back as Nuvel DOS: the same text.
  // Both in the direction the files were converted in.
  THebTextEditor back;
  back.SetEngm(c.englishDocument);
  WizardChoices r;
  r.source = WizardSource::NuvelDos;
  LoadForWizard(back, results[2].dest, r);
  THebTextEditor original;
  original.SetEngm(c.englishDocument);
  LoadForWizard(original, (in() / "b.txt").string(), c);
  EXPECT_EQ(back.Text(), original.Text());
  // A destination that is the source itself is refused, and the source kept.
  c.sources = {(in() / "a.txt").string()};
  c.dest = WizardDest::Custom;
  c.destCustom = {1, 2};
  c.dest_name = (in() / "a.txt").string();
  const auto self = ConvertWizardFiles(c, nullptr);
  EXPECT_FALSE(self[0].ok);
  EXPECT_EQ(test::ReadWholeFile(in() / "a.txt"), kWin1255);
}

}  // namespace
}  // namespace nuvel
