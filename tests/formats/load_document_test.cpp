#include "formats/load_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/border_order.h"
#include "core/exceptions.h"
#include "formats/disk_format.h"
#include "formats/sheim_filter_hook.h"
#include "formats/text_conversion.h"
#include "tests/formats/formats_test_support.h"
#include "tests/formats/load_test_target.h"

namespace nuvel::test {
namespace {

class LoadDocumentTest : public FormatsTest {
 protected:
  TestLoadTarget Load(std::string_view name, std::string_view bytes, uint8_t disk = 255, bool english = true) {
    TestLoadTarget t;
    t.diskConv = disk;
    t.english = english;
    last_ = LoadDocument(t, WriteTemp(name, bytes));
    return t;
  }
  TLoadResult last_;
};

// The fixture is written by hand in the form today's word processors give
// Hebrew text: \uN characters with Windows-1255 or "?" fallbacks, \ucN,
// \rtlch runs, a header, a footnote, a field, a table and pictures.
TEST_F(LoadDocumentTest, RtfFromAWordProcessorReadsCorrectly) {
  const std::string rtf = ReadWholeFile(FixturePath("rtf/word_hebrew.rtf"));
  ASSERT_FALSE(rtf.empty());
  SetConvMode(0);
  const TParagraphs expected = {
      B({0xF9, 0xEC, 0xE5, 0xED, ' ', 0xF2, 0xE5, 0xEC, 0xED}),
      B({0x81, 0xC8, ' ', 0x81, 0xF8, 0xE0, 0xF9, 0xE9, 0xFA, ' ', 0xFA, 0xA4}),
      B("Hello\tworld {braces} and a back\\slash\nsecond line"),
      B("a link"),
      B("Cell one"),
      B("Cell two"),
      B("Last line without a paragraph end"),
  };
  // The file is in logical order; a Hebrew document keeps its Hebrew lines
  // as read and its English lines reversed, an English document the other
  // way round. Read back in logical order, both hold the file's text.
  for (const bool english : {false, true}) {
    const TestLoadTarget t = Load("word.rtf", rtf, 255, english);
    EXPECT_EQ(last_.rule.row, 'a');
    TParagraphs logical = t.paras.Paras();
    for (auto& p : logical) StorageToLogical(english, p);
    EXPECT_EQ(logical, expected) << english;
    EXPECT_EQ(t.paras.Paras()[english ? 2 : 0], expected[english ? 2 : 0]);
    EXPECT_NE(t.paras.Paras()[english ? 0 : 2], expected[english ? 0 : 2]);
    EXPECT_TRUE(t.modified);  // pointed letters
    EXPECT_EQ(GetConvMode(), 0);
    EXPECT_EQ(t.clears, 1);
    EXPECT_EQ(t.done, 1);
  }
}

// An RTF file LibreOffice wrote from right-to-left and left-to-right
// paragraphs with English, numbers, a date, brackets and points: a Hebrew
// document keeps each English phrase and number reversed, so that it shows
// left to right inside the right-to-left line, and reads back in logical
// order as LibreOffice's own text.
TEST_F(LoadDocumentTest, RtfFromLibreOfficeKeepsMixedLinesInStorageOrder) {
  const std::string rtf = ReadWholeFile(FixturePath("rtf/libreoffice_mixed.rtf"));
  ASSERT_FALSE(rtf.empty());
  SetConvMode(0);
  const TestLoadTarget t = Load("mixed.rtf", rtf, 255, false);
  ASSERT_EQ(t.paras.Paras().size(), 4u);
  // shalom "test file 1234" olam, stored with the English run reversed.
  EXPECT_EQ(S(t.paras.Paras()[0]), "\xF9\xEC\xE5\xED 4321 elif tset \xF2\xE5\xEC\xED");
  // The date and the price each one run, the brackets mirrored.
  EXPECT_EQ(S(t.paras.Paras()[1]),
            "\xE4\xEE\xE7\xE9\xF8 5.21 \xF9\"\xE7 \xE1\xFA\xE0\xF8\xE9\xEA 21/50/4202 )\xE1\xF2\xF8\xEA(");
  const std::vector<std::string> logical = {
      "\xF9\xEC\xE5\xED test file 1234 \xF2\xE5\xEC\xED",
      "\xE4\xEE\xE7\xE9\xF8 12.5 \xF9\"\xE7 \xE1\xFA\xE0\xF8\xE9\xEA 2024/05/12 (\xE1\xF2\xF8\xEA)",
      "Hello \xF9\xEC\xE5\xED \xF2\xE5\xEC\xED world 12.5",
  };
  for (std::size_t i = 0; i < logical.size(); ++i) {
    std::vector<uint8_t> back = t.paras.Paras()[i];
    StorageToLogical(false, back);
    EXPECT_EQ(S(back), logical[i]) << i;
  }
}

// A loaded document is modified only when saving it unchanged would not
// give back the file's bytes.
TEST_F(LoadDocumentTest, Cp1255LoadIsModifiedOnlyWhenSavingWouldChangeTheFile) {
  struct Case {
    const char* what;
    std::string file;
    bool modified;
    uint64_t lost;
  } cases[] = {
      {"plain text", "abc \xE0\xE1\tz\r\n", false, 0},
      {"a letter with dagesh", "\xE1\xCC\r\n", false, 0},
      {"points in canonical order", "\xE1\xC8\xCC\xF8\xC8\xE0\r\n\xF9\xC4\xD1\xE1\xC8\xCC\xF8\r\n", false, 0},
      {"vav with holam, lamed with holam and dagesh", "\xE5\xC9\xEC\xC9\xCC\r\n", false, 0},
      {"dagesh before the vowel", "\xE1\xCC\xC8\r\n", true, 0},
      {"a sin dot without a shin", "\xE0\xD2\r\n", true, 0},
      {"curly quotes", "\x93\xF9\xEC\xE5\xED\x94\r\n", true, 2},
      {"a byte the code page leaves undefined", "a\x8A" "b\r\n", true, 1},
  };
  SetConvMode(2);
  for (const auto& c : cases) {
    const TestLoadTarget t = Load("w.txt", c.file, 0);
    EXPECT_EQ(t.modified, c.modified) << c.what;
    EXPECT_EQ(last_.conversion.changed, c.modified) << c.what;
    EXPECT_EQ(last_.conversion.lostChars, c.lost) << c.what;
  }
}

// UTF-8 and UTF-16 files are read as such whatever their name and the mode,
// their points composed as in Windows-1255.
TEST_F(LoadDocumentTest, UnicodeFilesAreKnownByTheirBytes) {
  struct Case {
    const char* name;
    int mode;
    std::string file;
    TParagraphs paras;
  } cases[] = {
      {"a.txt", 0, "\xD7\x91\xD6\xB8\xD6\xBC\xD7\xA8\n", {B({0x81, 0xC8, 0xF8})}},
      {"a.log", 4, "\xEF\xBB\xBFx\xD7\xA9\xD6\xB4\xD7\x81", {B({'x', 0x95, 0xC4})}},
      {"a.doc", 7, std::string("\xFF\xFE\xE9\x05\xC1\x05", 6), {B({0x95})}},
  };
  for (const auto& c : cases) {
    SetConvMode(c.mode);
    const TestLoadTarget t = Load(c.name, c.file, 0, false);
    EXPECT_EQ(last_.rule.reader, TReaderKind::Unicode) << c.name;
    EXPECT_EQ(t.paras.Paras(), c.paras) << c.name;
    EXPECT_FALSE(t.modified) << c.name;
    EXPECT_EQ(GetConvMode(), c.mode);
  }
}

// Files of other programs, read through the border, keep the blanks and
// tabs that end their lines; the system's own forms drop them. The target
// trims as before once the load is over.
TEST_F(LoadDocumentTest, TrailingBlanksAreKeptOnlyInFilesOfOtherPrograms) {
  struct Case {
    const char* name;
    int mode;
    uint8_t disk;
    std::string file;
    TParagraphs paras;
  } cases[] = {
      {"w.txt", 2, kDiskNvw, "ab \t\r\ncd  \r\n", {B("ab \t"), B("cd  ")}},
      {"u.txt", 0, kDiskNvw, "ab \xD7\x90 \n \n", {B({'a', 'b', ' ', 0xE0, ' '}), B(" ")}},
      {"u16.txt", 0, kDiskNvw, std::string("\xFF\xFE" "a\0 \0\r\0\n\0", 10), {B("a ")}},
      {"r.rtf", 0, kDiskNvw, "{\\rtf1 ab \\par cd\\tab\\par}", {B("ab "), B("cd\t")}},
      // Turned into the storage order of an English document.
      {"w.txt", 2, kDiskUnicode, "\xE0\xE1 \r\n", {B({0xE1, 0xE0, ' '})}},
      {"own.nvw", 2, kDiskNvw, "ab \t\r\ncd  \r\n", {B("ab"), B("cd")}},
      {"dos.txt", 4, kDiskNvw, "ab \r\n", {B("ab")}},
      {"own.txt", 0, kDiskNvw, "ab \r\n", {B("ab")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " in mode " + std::to_string(c.mode));
    SetConvMode(c.mode);
    TestLoadTarget t;
    t.diskConv = c.disk;
    t.trims = true;
    LoadDocument(t, WriteTemp(c.name, c.file));
    std::vector<std::vector<uint8_t>> paras = t.paras.Paras();
    while (!paras.empty() && paras.back().empty()) paras.pop_back();
    EXPECT_EQ(paras, c.paras);
    EXPECT_TRUE(t.trims);
  }
}

// The conversion pass never clears what a reader noted.
TEST_F(LoadDocumentTest, ZeroBytesKeepTheDocumentModifiedThroughTheConversion) {
  SetConvMode(2);
  EXPECT_TRUE(Load("z.txt", std::string("has\0nul\r\n", 9), 0).modified);
}

TEST_F(LoadDocumentTest, ProgramEditorConvertsOnlyRtfNvsAnd3B2) {
  NoConversion = true;
  SetConvMode(4);
  // Code page 862 has alef at 0x80.
  EXPECT_EQ(Load("a.txt", "\x80\x81\r\n").paras.Paras(), TParagraphs{B({0x80, 0x81})});
  EXPECT_EQ(last_.rule.row, 'e');
  EXPECT_EQ(Load("a.nvs", "\x80\x81\r\n").paras.Paras(), TParagraphs{B({0xE0, 0xE1})});
  EXPECT_EQ(Load("a.rtf", "{\\rtf1 \\'e1\\'cc\\par}").paras.Paras(), TParagraphs{B({0x81})});
  EXPECT_EQ(GetConvMode(), 4);
}

TEST_F(LoadDocumentTest, NameEndingInAPeriodKeepsItsExtension) {
  const TestLoadTarget t = Load("doc.rtf.", "{\\rtf1 text\\par}");
  EXPECT_EQ(last_.rule.row, 'a');
  EXPECT_EQ(t.paras.Paras(), TParagraphs{B("text")});
}

TEST_F(LoadDocumentTest, MissingFileThrowsAndLeavesTheTextAlone) {
  TestLoadTarget t;
  t.paras.AppendParaText(B("kept"));
  EXPECT_THROW(LoadDocument(t, temp_.Path("missing.txt").string()), EInOutError);
  EXPECT_EQ(t.clears, 0);
  EXPECT_EQ(t.paras.Paras(), TParagraphs{B("kept")});
  // An empty name does nothing at all.
  LoadDocument(t, "");
  EXPECT_EQ(t.clears, 0);
}

// A file larger than a document can hold is refused before it is read, in
// one message that names its size and the limit.
TEST_F(LoadDocumentTest, FileLargerThanADocumentIsRefusedBeforeItIsRead) {
  struct {
    const char* name;
    uint64_t size;
    const char* sizeText;
  } cases[] = {
      {"big.txt", uint64_t{5} << 30, "5,368,709,120"},  // as `truncate -s 5G` makes it
      {"over.txt", uint64_t{1} << 31, "2,147,483,648"},
      {"big.rtf", uint64_t{3} << 30, "3,221,225,472"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = WriteTemp(c.name, "");
    std::filesystem::resize_file(path, c.size);  // sparse: no disk is used
    TestLoadTarget t;
    t.paras.AppendParaText(B("kept"));
    try {
      LoadDocument(t, path);
      ADD_FAILURE() << "read";
    } catch (const EInOutError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(path), std::string::npos) << message;
      EXPECT_NE(message.find(std::string("it holds ") + c.sizeText + " bytes"), std::string::npos) << message;
      EXPECT_NE(message.find("a document holds at most 2,147,483,647 bytes"), std::string::npos) << message;
    }
    EXPECT_EQ(t.clears, 0);
    EXPECT_EQ(t.paras.Paras(), TParagraphs{B("kept")});
    std::filesystem::remove(path);
  }
}

TEST_F(LoadDocumentTest, DiskFormatFourReads3B2) {
  SetConvMode(2);
  const TestLoadTarget t = Load("a.txt", "$<body>12.5 x<>\r\n", kDisk3B2);
  EXPECT_EQ(last_.rule.row, 'i');
  EXPECT_EQ(t.paras.Paras(), TParagraphs{B("5.21 x")});
  EXPECT_EQ(GetConvMode(), 2);
}

// The readers offer the bytes they are done with as they go, so a large
// file's memory can be given back during the load. Here every offered byte
// is overwritten at once: what is read must be the same as without offers,
// for every reader that offers, the smart DOS reader's restart included.
TEST_F(LoadDocumentTest, BytesOfferedBackAreNeverReadAgain) {
  std::string withMarks, plain, threeB2, utf8, utf16 = "\xFF\xFE";
  for (int i = 0; i < 60000; ++i) {
    const std::string n = std::to_string(i);
    withMarks += "line " + n + " \xE0\xE1\xC8 text" + (i % 3 == 0 ? "\x14" : "") + "\r\n";
    plain += "line " + n + " of plain DOS text\r\n";
    threeB2 += "$<p>para " + n + " 12.5<>\r\n";
    const std::string line = "line " + n + " \xD7\x90\xD7\x91 text\r\n";  // alef, bet
    utf8 += line;
    for (const char c : "line " + n + " ") utf16 += std::string{c, '\0'};
    utf16 += std::string("\xD0\x05\xD1\x05", 4) + std::string(" \0t\0\r\0\n\0", 8);
  }
  struct Case {
    const char* what;
    uint8_t disk;
    bool smartLoad;
    const std::string& bytes;
  } cases[] = {
      {"lines", kDiskNvw, false, withMarks},          {"DOS text", kDiskDosText, false, plain},
      {"smart DOS", kDiskNvs, true, withMarks},       {"smart DOS, no marks", kDiskNvs, true, plain},
      {"Einstein", kDiskEinstein, false, withMarks}, {"3B2", kDisk3B2, false, threeB2},
      {"UTF-8", kDiskNvw, false, utf8},              {"UTF-16", kDiskUnicode, false, utf16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteIniString("GENPREFS", "Smart_Load", c.smartLoad ? "1" : "0");
    TestLoadTarget kept;
    kept.diskConv = c.disk;
    const TLoadRule rule = LoadRuleFor(kept, "doc.txt");
    const auto* data = reinterpret_cast<const uint8_t*>(c.bytes.data());
    const TLoadResult read = LoadDocumentBytes(kept, rule, {data, c.bytes.size()}, true);

    std::vector<uint8_t> copy(data, data + c.bytes.size());
    std::size_t offered = 0;
    TestLoadTarget given;
    given.diskConv = c.disk;
    LoadDocumentBytes(given, rule, copy, true, [&](std::size_t before) {
      EXPECT_GE(before, offered);
      std::fill(copy.begin() + static_cast<std::ptrdiff_t>(offered), copy.begin() + static_cast<std::ptrdiff_t>(before),
                uint8_t{'Z'});
      offered = before;
    });
    EXPECT_GT(offered, c.bytes.size() / 2);
    EXPECT_TRUE(given.paras.Paras() == kept.paras.Paras()) << given.paras.ParaCount() << " paragraphs";
    EXPECT_GT(kept.paras.ParaCount(), 100u);
    EXPECT_EQ(read.rule.reader == TReaderKind::Unicode, c.what[0] == 'U');
  }
}

TEST_F(LoadDocumentTest, StoredDiskFormatAppliesWhenTheDocumentHasNone) {
  WriteIniString("GENPREFS", "DISK_FMT", "2");
  EXPECT_EQ(Load("a.txt", "a\r\nb\r\n").paras.Paras(), (TParagraphs{B("a b ")}));
  EXPECT_EQ(Load("a.txt", "a\r\nb\r\n", 0).paras.Paras(), (TParagraphs{B("a"), B("b")}));
}

TEST_F(LoadDocumentTest, DiskFormatReadFromThePreferences) {
  EXPECT_EQ(ReadDiskFormat(), 255);
  struct Case {
    const char* value;
    uint8_t format;
  } cases[] = {{"0", 0}, {"5", 5}, {"3abc", 3}, {"6", 255}, {"x", 255}};
  for (const auto& c : cases) {
    WriteIniString("GENPREFS", "DISK_FMT", c.value);
    EXPECT_EQ(ReadDiskFormat(), c.format) << c.value;
  }
}

TEST_F(LoadDocumentTest, ZeroBytesMarkTheDocumentModified) {
  EXPECT_TRUE(Load("z.txt", std::string("a\0b\r\n", 5), 0).modified);
  EXPECT_FALSE(Load("z.txt", "ab\r\n", 0).modified);
}

TEST_F(LoadDocumentTest, LineEndsOfTheFileAreReported) {
  Load("lf.txt", "a\nb\n", 0);
  EXPECT_TRUE(last_.lfLineEnds);
  Load("crlf.txt", "a\r\nb\r\n", 0);
  EXPECT_FALSE(last_.lfLineEnds);
}

TEST_F(LoadDocumentTest, SheimProtectionFollowsTheGeneralPassOnly) {
  int calls = 0;
  SetSheimFilterHook([&calls](TDocumentText&, int kind) {
    EXPECT_EQ(kind, kSheimApplyFilter);
    ++calls;
  });
  TestLoadTarget t;
  t.sheim = true;
  t.diskConv = 0;
  LoadDocument(t, WriteTemp("a.txt", "x\r\n"));
  LoadDocument(t, WriteTemp("a.nvw", "x\r\n"));
  t.sheim = false;
  LoadDocument(t, WriteTemp("a.txt", "x\r\n"));
  SetSheimFilterHook(nullptr);
  EXPECT_EQ(calls, 1);
}

TEST_F(LoadDocumentTest, UnicodeMarksParagraphsUnderTheTagConfiguration) {
  TagConfig = true;
  const TestLoadTarget t = Load("u.txt", std::string("\xFF\xFE" "A\0\x29\x20" "B\0", 8), 5);
  EXPECT_EQ(last_.rule.row, 'h');  // Tag: lines, whatever the disk format
  TagConfig = false;
  const TestLoadTarget u = Load("u.txt", std::string("\xFF\xFE" "A\0\x29\x20" "B\0", 8), 5);
  EXPECT_EQ(u.paras.Paras(), (TParagraphs{B("A"), B("B")}));
}

TEST_F(LoadDocumentTest, ReverseClassRuns) {
  TParaVector text({B("12.5"), B("pi 3.14. x"), B("7 a 1."), B("v1.2.3"), B("")});
  ReverseClassRuns(text);
  EXPECT_EQ(Strings(text.Paras()), (std::vector<std::string>{"5.21", "pi 41.3. x", "7 a 1.", "v3.2.1", ""}));
}

// Windows-1255 keeps a shin's holam as a holam; mode 9 writes it as the
// sin dot its fonts draw, after the vowel in Unicode's canonical order.
TEST_F(LoadDocumentTest, ConvertTextOutMovesTheHolamOfAShinOnlyForTheFonts) {
  for (int mode : {2, 9}) {
    TParaVector text({B({0xF9, 0xC8, 0xC9})});
    ConvertText(text, mode, true);
    EXPECT_EQ(text.Paras()[0], mode == 2 ? B({0xF9, 0xC8, 0xC9}) : B({0xF9, 0xC8, 0xD1})) << mode;
  }
}

TEST_F(LoadDocumentTest, ConvertTextInAndOutOfTheTableModes) {
  struct Case {
    int mode;
    std::vector<uint8_t> own;
    std::vector<uint8_t> outside;
  } cases[] = {
      {2, B({0x81, 'a', 0x95}), B({0xE1, 0xCC, 'a', 0xF9, 0xD1})},
      {4, B({0xE0, 0xFA, 'a'}), B({0x80, 0x9A, 'a'})},
      {6, B({9, 0xE0}), B({'&', '#', 'T', 'A', 'B', ';', 0xC2})},
  };
  for (const auto& c : cases) {
    TParaVector text({c.own});
    ConvertText(text, c.mode, true);
    EXPECT_EQ(text.Paras()[0], c.outside) << c.mode;
    ConvertText(text, c.mode, false);
    EXPECT_EQ(text.Paras()[0], c.own) << c.mode;
  }
  // Modes 0 and 7 change nothing and leave the flag alone.
  for (int mode : {0, 7}) {
    TParaVector text({B({0x81})});
    text.SetModified(true);
    ConvertText(text, mode, true);
    EXPECT_EQ(text.Paras()[0], B({0x81}));
    EXPECT_TRUE(text.Modified());
  }
}

}  // namespace
}  // namespace nuvel::test
