// Files of other programs loaded and saved unedited come back byte for byte,
// and the document then counts as unmodified; files the system cannot keep
// as they are count as modified.
#include <gtest/gtest.h>

#include "editor/save_document.h"
#include "formats/load_document.h"
#include "tests/formats/formats_test_support.h"
#include "tests/formats/load_test_target.h"

namespace nuvel::test {
namespace {

class FileRoundTrip : public FormatsTest {
 protected:
  struct Trip {
    std::string saved;
    TParagraphs stored;
    bool modified = false;
    TLoadResult load;
  };
  // Loads `bytes` as `name` and saves the unedited document to bytes.
  // With `saveName`, the document is saved under that name instead, as
  // Save As does.
  Trip LoadAndSave(const std::string& name, const std::string& bytes, uint8_t disk, bool english = true,
                   const std::string& saveName = {}) {
    const std::string path = WriteTemp(name, bytes);
    TestLoadTarget t;
    t.diskConv = disk;
    t.english = english;
    Trip trip;
    trip.load = LoadDocument(t, path);
    trip.modified = t.modified;
    TSaveRequest request;
    request.fileName = saveName.empty() ? path : temp_.Path(saveName).string();
    request.text = t.paras.Paras();
    request.text.emplace_back();  // the editor's empty last paragraph
    request.diskConv = disk;
    request.englishDocument = english;
    trip.stored = t.paras.Paras();
    request.lfLineEnds = trip.load.lfLineEnds;
    request.textForm = trip.load.textForm;
    request.finalLineEnd = trip.load.finalLineEnd;
    std::vector<uint8_t> out;
    EXPECT_TRUE(BuildSaveBytes(request, SaveRuleFor(request), out));
    trip.saved.assign(out.begin(), out.end());
    return trip;
  }
};

TEST_F(FileRoundTrip, UneditedFilesComeBackByteForByte) {
  struct Case {
    const char* what;
    int mode;
    uint8_t disk;
    std::string file;
    TTextForm form;
  } cases[] = {
      {"Windows-1255 with points in canonical order", 2, 0,
       "\xF9\xC8\xD1\xEC\xE5\xC9\xED abc\r\n\xE1\xC8\xCC\xF8\xC8\xE0 \xF9\xC4\xD1\r\n", TTextForm::Bytes},
      {"Windows-1255 with LF line ends", 2, 0, "\xE0\xE1\xC7\xCC\xE2\n", TTextForm::Bytes},
      {"UTF-8 without a mark", 0, 0, "\xD7\xA9\xD6\xB8\xD7\x81\xD7\x9C\xD7\x95\xD6\xB9\xD7\x9D abc \xE2\x82\xAA\n",
       TTextForm::Utf8},
      {"UTF-8 in mode 2 with a disk format of DOS text", 2, 2, "\xD7\x91\xD6\xBC\n\xD7\x92\n", TTextForm::Utf8},
      {"UTF-8 with a mark and CR LF, no final line end", 2, 0, "\xEF\xBB\xBF\xD7\x90\xE2\x80\x8F\r\nb",
       TTextForm::Utf8Mark},
      {"UTF-16 with its mark, as a .txt", 0, 0, std::string("\xFF\xFE\xD0\x05\x20\x00\x41\x00\r\x00\n\x00", 12),
       TTextForm::Utf16Mark},
      {"UTF-16 without a mark, as Unicode text", 0, 5, std::string("\xD0\x05\xB8\x05\x41\x00", 6), TTextForm::Utf16},
      {"UTF-16 without a mark, found by its characters", 2, 0, ReadWholeFile(FixturePath("unicode/hello_utf16le.txt")),
       TTextForm::Utf16},
      {"UTF-16 of Hebrew alone without a mark", 0, 2, ReadWholeFile(FixturePath("unicode/shalom_utf16le.txt")),
       TTextForm::Utf16},
      {"UTF-16 big-endian with its mark", 0, 0, ReadWholeFile(FixturePath("unicode/hello_utf16be.txt")),
       TTextForm::Utf16BigMark},
  };
  for (const auto& c : cases) {
    for (bool english : {true, false}) {
      SetConvMode(c.mode);
      const Trip trip = LoadAndSave("f.txt", c.file, c.disk, english);
      EXPECT_EQ(trip.load.textForm, c.form) << c.what;
      EXPECT_EQ(trip.saved, c.file) << c.what << english;
      EXPECT_FALSE(trip.modified) << c.what;
      EXPECT_FALSE(trip.load.losses.Any()) << c.what;
    }
  }
}

// Windows-1255 text, Unicode text and RTF come in logical order and are
// kept in the document's storage order; the system's own formats and DOS
// text are kept as they are.
TEST_F(FileRoundTrip, LogicalFilesAreTurnedIntoStorageOrder) {
  struct Case {
    const char* what;
    const char* name;
    int mode;
    uint8_t disk;
    bool english;
    std::string file;
    std::string stored;
  } cases[] = {
      {"Windows-1255, Hebrew document", "a.txt", 2, 0, false, "\xF7\xE5\xE1\xF5 test file 1234 \xE6\xE4\r\n",
       "\xF7\xE5\xE1\xF5 4321 elif tset \xE6\xE4"},
      {"Windows-1255, English document", "a.txt", 2, 0, true, "see \xF9\xEC\xE5\xED 12.5 \xE1\xE9\xFA here\r\n",
       "see \xFA\xE9\xE1 12.5 \xED\xE5\xEC\xF9 here"},
      {"UTF-8, Hebrew document", "a.txt", 0, 0, false, "\xD7\x90 2024/05/12 \xD7\x91\n", "\xE0 21/50/4202 \xE1"},
      {"RTF, Hebrew document", "a.rtf", 0, 0, false, "{\\rtf1\\ansi\\ansicpg1255 \\'e0 abc \\'e1\\par}",
       "\xE0 cba \xE1"},
      {"the system's own format", "a.nvw", 2, 0, false, "\xE0 abc\r\n", "\xE0 abc"},
      {"DOS text", "a.txt", 2, 2, false, "\xE0 abc\r\n", "\xE0 abc "},
      {"another mode", "a.txt", 4, 0, false, "x abc\r\n", "x abc"},
  };
  for (const auto& c : cases) {
    SetConvMode(c.mode);
    const Trip trip = LoadAndSave(c.name, c.file, c.disk, c.english);
    ASSERT_FALSE(trip.stored.empty()) << c.what;
    EXPECT_EQ(S(trip.stored[0]), c.stored) << c.what;
  }
}

TEST_F(FileRoundTrip, WhatCannotBeKeptIsCountedAndMarksTheDocument) {
  struct Case {
    const char* what;
    int mode;
    std::string file;
    uint64_t lost;
    uint64_t nul;
  } cases[] = {
      {"dagesh before the vowel", 2, "\xE1\xCC\xC8\r\n", 0, 0},
      {"curly quotes and an en dash", 2, "\x93\xE0\x94 \x96\r\n", 3, 0},
      {"UTF-8 emoji and Arabic", 0, "a\xF0\x9F\x98\x80\xD8\xB3\n", 2, 0},
      {"a zero byte", 2, std::string("has\0nul\r\n", 9), 0, 1},
      // Zero bytes trimmed from the end are counted with those dropped inside.
      {"zero bytes inside and at the end", 2, std::string("a\0b\r\n\0\0\x1A", 8), 0, 3},
      {"a file of zero bytes", 2, std::string(100000, '\0'), 0, 100000},
  };
  for (const auto& c : cases) {
    SetConvMode(c.mode);
    const Trip trip = LoadAndSave("f.txt", c.file, 0);
    EXPECT_NE(trip.saved, c.file) << c.what;
    EXPECT_TRUE(trip.modified) << c.what;
    EXPECT_EQ(trip.load.losses.lostChars, c.lost) << c.what;
    EXPECT_EQ(trip.load.losses.nulBytes, c.nul) << c.what;
  }
  // Zero bytes only at the end are the file's end, trimmed without a word.
  SetConvMode(2);
  const Trip padded = LoadAndSave("f.txt", std::string("text\r\n\0\0", 8), 0);
  EXPECT_FALSE(padded.modified);
  EXPECT_EQ(padded.load.losses.nulBytes, 0u);
}

// What a line holds is read the same wherever in a long line it stands:
// after English text of any length, a pointed word, points out of order, a
// character without a byte and a sign with a look-alike text are converted,
// counted and mark the document as they do at the start of a line.
TEST_F(FileRoundTrip, ALineIsReadTheSameWhereverItsPointsStand) {
  struct Case {
    const char* what;
    std::string tail;
    bool modified;
    uint64_t lost;
  } cases[] = {
      {"a pointed word", "\xF9\xC8\xD1\xEC\xE5\xC9\xED", false, 0},
      {"a dagesh before the vowel", "\xE1\xCC\xC8", true, 0},
      {"an en dash", "\x96", true, 1},
      {"an ellipsis", "\x85", true, 1},
  };
  SetConvMode(2);
  for (const auto& c : cases) {
    const Trip alone = LoadAndSave("f.txt", c.tail + "\r\n", 0);
    ASSERT_EQ(alone.stored.size(), 1u) << c.what;
    EXPECT_EQ(alone.modified, c.modified) << c.what;
    EXPECT_EQ(alone.load.losses.lostChars, c.lost) << c.what;
    for (const std::size_t before : {1u, 62u, 63u, 64u, 65u, 127u, 128u, 300u}) {
      std::string english;
      while (english.size() + 1 < before) english += static_cast<char>('a' + english.size() % 26);
      english += ' ';
      const Trip late = LoadAndSave("f.txt", english + c.tail + "\r\n", 0);
      ASSERT_EQ(late.stored.size(), 1u) << c.what << " after " << before;
      EXPECT_EQ(S(late.stored[0]), english + S(alone.stored[0])) << c.what << " after " << before;
      EXPECT_EQ(late.modified, c.modified) << c.what << " after " << before;
      EXPECT_EQ(late.load.losses.lostChars, c.lost) << c.what << " after " << before;
    }
  }
}

// Punctuation that the system's set has no byte for is replaced and
// counted; where one character is not close enough, by a short text.
TEST_F(FileRoundTrip, PunctuationWithoutAByteBecomesTheClosestText) {
  struct Case {
    const char* what;
    int mode;
    std::string file;
    std::string stored;
    uint64_t lost;
  } cases[] = {
      {"Windows-1255", 2, "wait\x85 5\x80, x\x99 9\x89 \x93q\x94\r\n", "wait... 5EUR, xTM 9%o \"q\"", 6},
      {"UTF-8", 0, "wait\xE2\x80\xA6 5\xE2\x82\xAC\n", "wait... 5EUR", 2},
      {"the same bytes in the DOS table", 4, "\x85\x80\r\n", "\xE5\xE0", 0},
  };
  for (const auto& c : cases) {
    SetConvMode(c.mode);
    const Trip trip = LoadAndSave("f.txt", c.file, 0);
    ASSERT_EQ(trip.stored.size(), 1u) << c.what;
    EXPECT_EQ(S(trip.stored[0]), c.stored) << c.what;
    EXPECT_EQ(trip.load.losses.lostChars, c.lost) << c.what;
  }
}

// Text that is not valid UTF-8 goes the 8-bit road; the Program Editor
// configuration and rule files never take a file for Unicode text.
TEST_F(FileRoundTrip, OnlyValidUtf8IsReadAsUnicode) {
  SetConvMode(2);
  EXPECT_EQ(LoadAndSave("a.txt", "\xE0\xE1 abc\r\n", 0).load.textForm, TTextForm::Bytes);
  EXPECT_EQ(LoadAndSave("a.txt", "plain ascii\r\n", 0).load.textForm, TTextForm::Bytes);
  EXPECT_EQ(LoadAndSave("a.rle", "\xD7\x90=\xD7\x91\r\n", 0).load.textForm, TTextForm::Bytes);
  NoConversion = true;
  EXPECT_EQ(LoadAndSave("a.txt", "\xD7\x90\n", 0).load.textForm, TTextForm::Bytes);
  NoConversion = false;
}

// Save As into a form of the system's own (.NVW, .NVS, .3T) or RTF writes
// that form, whatever the document was read as; a plain Save of Unicode
// text keeps its form.
TEST_F(FileRoundTrip, SaveAsWritesTheFormItsNameChooses) {
  SetConvMode(2);
  const std::string utf8 = "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D abc\n";
  struct Case {
    const char* name;
    std::string saved;
  } cases[] = {
      // The storage order of a Hebrew document, unconverted; by the DOS
      // table; by the 3B2 table.
      {"a.nvw", "\xF9\xEC\xE5\xED cba\n"},
      {"a.nvs", "\x99\x8C\x85\x8D cba\x14\r\n"},
      {"a.3t", "fdt \"tx1\",0,\"\"\r\n$<body>\xDB\xCE\xC7\xCF cba<>\r\n"},
      {"b.txt", utf8},
  };
  for (const auto& c : cases) {
    const Trip trip = LoadAndSave("a.txt", utf8, 0, false, c.name);
    EXPECT_EQ(trip.load.textForm, TTextForm::Utf8);
    EXPECT_EQ(trip.saved, c.saved) << c.name;
  }
}

// The bytes choose the form only where the disk format would: the system's
// own forms and the line configurations are read by their rows, whatever
// the disk format; with a disk format of Unicode text, a file whose bytes
// are not is read as Windows-1255.
TEST_F(FileRoundTrip, TheBytesChooseOnlyWhereTheDiskFormatWould) {
  SetConvMode(2);
  for (uint8_t disk = 0; disk <= 5; ++disk) {
    // An ASCII .NVW is valid UTF-8 too; it stays in storage order.
    const Trip nvw = LoadAndSave("a.nvw", "abc (def) 12\r\n", disk, false);
    EXPECT_EQ(nvw.load.textForm, TTextForm::Bytes) << int{disk};
    ASSERT_EQ(nvw.stored.size(), 1u);
    EXPECT_EQ(S(nvw.stored[0]), "abc (def) 12") << int{disk};
    EXPECT_EQ(nvw.saved, "abc (def) 12\r\n") << int{disk};
    // UTF-8 in the system's Windows format is bytes of its own set.
    EXPECT_EQ(LoadAndSave("a.nvw", "\xD7\x90\r\n", disk).stored[0], B({0xD7, 0x90})) << int{disk};
  }
  NuvDosConfig = true;
  EXPECT_EQ(LoadAndSave("a.txt", "\xD7\x90\r\n", 0).load.textForm, TTextForm::Bytes);
  NuvDosConfig = false;
  // Windows-1255 with a disk format of Unicode text: not read as UTF-16.
  const Trip w = LoadAndSave("a.txt", "\xF9\xEC\xE5\xED abc\r\n", 5, false);
  EXPECT_EQ(w.load.textForm, TTextForm::Bytes);
  ASSERT_EQ(w.stored.size(), 1u);
  EXPECT_EQ(w.stored[0], B({0xF9, 0xEC, 0xE5, 0xED, ' ', 'c', 'b', 'a'}));
  EXPECT_FALSE(w.modified);
  EXPECT_FALSE(w.load.losses.Any());
}

}  // namespace
}  // namespace nuvel::test
