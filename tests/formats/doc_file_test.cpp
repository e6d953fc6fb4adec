#include "formats/doc_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "formats/palmdoc_codec.h"
#include "tests/formats/palm_file_builder.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using test::AsBytes;
using test::AsString;
using test::BuildPalmFile;
using test::PalmRecordBytes;
using Bytes = std::vector<uint8_t>;

Bytes Description(int compression, uint32_t length, uint16_t count, uint16_t size = 4096, uint32_t position = 0) {
  Bytes d;
  test::AppendBig(d, compression, 2);
  test::AppendBig(d, 0, 2);
  test::AppendBig(d, length, 4);
  test::AppendBig(d, count, 2);
  test::AppendBig(d, size, 2);
  test::AppendBig(d, position, 4);
  return d;
}

Bytes BookmarkRecord(std::string_view name, uint32_t position) {
  Bytes b(16, 0);
  std::copy(name.begin(), name.end(), b.begin());
  test::AppendBig(b, position, 4);
  return b;
}

std::string Lines(std::size_t n) {
  std::string s;
  std::mt19937 rng(9);
  const char* words[] = {"Palm ", "reader ", "\xF1\xF4\xF8 ", "book ", "\xE3\xF3 ", "text "};
  while (s.size() < n) {
    s += words[rng() % 6];
    if (rng() % 9 == 0) s += "\r\n";
  }
  s.resize(n);
  return s;
}

class DocFiles : public ::testing::Test {
 protected:
  test::TempProgramFolder temp;
  std::string P(const char* name) const { return temp.Path(name).string(); }
  void Write(const char* name, const Bytes& b) const { temp.WriteFile(name, AsString(b)); }
  Bytes Read(const char* name) const { return AsBytes(temp.ReadFile(name)); }
};

TEST_F(DocFiles, FixturesMadeByAnotherToolRead) {
  const std::string expected =
      "The Doc book\r\nA line made by another tool.\r\nA line made by another tool, again and again.\r\n\r\n"
      "Last line with some words: repeat repeat repeat.\r\n";
  for (const char* name : {"doc/compressed.pdb", "doc/plain.pdb"}) {
    SCOPED_TRACE(name);
    TDocFile doc(test::FixturePath(name).string());
    EXPECT_FALSE(doc.IsEReader);
    EXPECT_EQ(doc.Compressed, std::string(name) == "doc/compressed.pdb");
    EXPECT_EQ(doc.TextRecordCount, 1u);
    EXPECT_EQ(doc.RecordSize, 4096u);
    EXPECT_TRUE(doc.Bookmarks.empty());
    EXPECT_EQ(doc.GetText(), expected);
  }
  TDocFile doc(test::FixturePath("doc/compressed.pdb").string());
  EXPECT_EQ(doc.Name, "Sample Book");
  // That tool dates its books in seconds since 1904 (top bit set).
  EXPECT_GT(doc.Created, 46000.0);  // after 2025
  EXPECT_LT(doc.Created, 48000.0);
}

TEST_F(DocFiles, TextAndBookmarksRoundTrip) {
  for (bool compressed : {false, true}) {
    SCOPED_TRACE(compressed);
    std::string text = Lines(10000);
    auto doc = TDocFile::CreateNew(P("book.pdb"), compressed, "A Title");
    doc.AddBookmark("start", 0, 1, 1);
    doc.AddBookmark("sixteen chars!!!", 5000, 7, 3);
    doc.AddBookmark("last", static_cast<int64_t>(text.size()), -1, -1);
    doc.Save(text);

    TDocFile back(P("book.pdb"));
    EXPECT_EQ(back.Compressed, compressed);
    EXPECT_EQ(back.Name, "A Title");
    EXPECT_TRUE(back.Backup);
    EXPECT_EQ(back.DBType, "TEXt");
    EXPECT_EQ(back.Creator, "REAd");
    EXPECT_EQ(back.TextRecordCount, 3u);
    EXPECT_EQ(back.GetText(), text);
    ASSERT_EQ(back.Bookmarks.size(), 3u);
    EXPECT_EQ(back.Bookmarks[0].Name, "start");
    EXPECT_EQ(back.Bookmarks[1].Name, "sixteen chars!!!");
    EXPECT_EQ(back.Bookmarks[2].Name, "last");
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(back.Bookmarks[i].Position, doc.Bookmarks[i].Position);
    EXPECT_EQ(back.Bookmarks[1].Line, -1);
  }
}

TEST_F(DocFiles, LetterLineFeedLetterWithBookmark) {
  Write("lf.pdb", BuildPalmFile("lf", "TEXtREAd",
                                {{Description(1, 3, 1)}, {AsBytes("x\ny")}, {BookmarkRecord("mark", 2)}}));
  TDocFile doc(P("lf.pdb"));
  EXPECT_EQ(doc.GetText(), "x\r\ny");
  ASSERT_EQ(doc.Bookmarks.size(), 1u);
  EXPECT_EQ(doc.Bookmarks[0].Position, 3);
  EXPECT_EQ(doc.Bookmarks[0].Line, -1);
  EXPECT_EQ(doc.Bookmarks[0].Col, -1);
  // Reading the text again does not move the bookmark twice.
  doc.GetText();
  EXPECT_EQ(doc.Bookmarks[0].Position, 3);

  doc.Save("x\r\ny");
  Bytes file = Read("lf.pdb");
  EXPECT_EQ(Bytes(file.end() - 20, file.end()), BookmarkRecord("mark", 2));
  EXPECT_EQ(doc.Bookmarks[0].FilePosition, 2);
  EXPECT_EQ(doc.Bookmarks[0].Position, 3);
}

TEST_F(DocFiles, SavedLayoutOfRecords) {
  auto doc = TDocFile::CreateNew(P("l.pdb"), false, "Layout");
  doc.AddBookmark("bm", 1, 1, 2);
  std::string text(4096, 'q');
  doc.Save(text);
  Bytes file = Read("l.pdb");
  // Three records: description, one text record of exactly 4096 bytes, bookmark.
  ASSERT_EQ(file.size(), 78u + 24 + 16 + 4096 + 20);
  EXPECT_EQ(file[77], 3);
  EXPECT_EQ(Bytes(file.begin() + 78, file.begin() + 102),
            Bytes({0, 0, 0, 102, 0x40, 0x6F, 0xA0, 0x01,         //
                   0, 0, 0, 118, 0x40, 0x6F, 0xA0, 0x02,         //
                   0x00, 0x00, 0x10, 118, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Bytes(file.begin() + 102, file.begin() + 118), Description(1, 4096, 1));
  EXPECT_EQ(file[33], 0x08);  // Backup only
  EXPECT_EQ(doc.TextRecordCount, 1u);
  EXPECT_EQ(doc.Records.size(), 3u);
}

TEST_F(DocFiles, EmptyTextIsStoredAsOneSpace) {
  for (bool compressed : {false, true}) {
    auto doc = TDocFile::CreateNew(P("e.pdb"), compressed, "Empty");
    doc.Save("");
    TDocFile back(P("e.pdb"));
    EXPECT_EQ(back.TextRecordCount, 1u);
    EXPECT_EQ(back.ReadRecord(2), AsBytes(" "));
    EXPECT_EQ(back.GetText(), " ");
  }
}

TEST_F(DocFiles, LongNamesAreCut) {
  auto doc = TDocFile::CreateNew(P("n.pdb"), true, std::string(40, 'T'));
  EXPECT_EQ(doc.Name.size(), 31u);
  doc.AddBookmark(std::string(20, 'B'), 0, 1, 1);
  doc.Save("text");
  TDocFile back(P("n.pdb"));
  EXPECT_EQ(back.Name, std::string(31, 'T'));
  ASSERT_EQ(back.Bookmarks.size(), 1u);
  EXPECT_EQ(back.Bookmarks[0].Name, std::string(16, 'B'));
}

TEST_F(DocFiles, BookmarkEditing) {
  auto doc = TDocFile::CreateNew(P("b.pdb"), false, "B");
  doc.AddBookmark("one", 4, 2, 1);
  doc.AddBookmark("two", 8, 3, 1);
  doc.SetBookmark(0, 6, 2, 3);
  doc.RenameBookmark(1, "second");
  EXPECT_EQ(doc.Bookmarks[0].Position, 6);
  EXPECT_EQ(doc.Bookmarks[0].Col, 3);
  EXPECT_EQ(doc.Bookmarks[1].Name, "second");
  EXPECT_THROW(doc.SetBookmark(2, 0, 0, 0), std::out_of_range);
  EXPECT_THROW(doc.RenameBookmark(5, "x"), std::out_of_range);
  doc.AddBookmark("three", 9, 4, 1);
  doc.DeleteBookmark(1);
  ASSERT_EQ(doc.Bookmarks.size(), 2u);
  EXPECT_EQ(doc.Bookmarks[0].Name, "one");
  EXPECT_EQ(doc.Bookmarks[1].Name, "three");
  EXPECT_THROW(doc.DeleteBookmark(2), std::out_of_range);
}

TEST_F(DocFiles, FailedSaveKeepsFileAndObject) {
  auto doc = TDocFile::CreateNew(P("s.pdb"), true, "S");
  doc.Save("first text");
  Bytes before = Read("s.pdb");
  auto records = doc.Records.size();
  doc.SetFileName(temp.Folder() + "no/such/folder/s.pdb");
  EXPECT_THROW(doc.Save(std::string(9000, 'x')), EInvalidPalmDatabase);
  EXPECT_EQ(doc.Records.size(), records);
  EXPECT_EQ(doc.TextRecordCount, 1u);
  doc.SetFileName(P("s.pdb"));
  EXPECT_EQ(doc.GetText(), "first text");
  EXPECT_EQ(Read("s.pdb"), before);
}

TEST_F(DocFiles, LineEndsAcrossRecords) {
  // A CR at the end of one record and its LF at the start of the next are
  // one line end; a CR ending the text gets its LF.
  Write("x.pdb", BuildPalmFile("x", "TEXtREAd",
                               {{Description(1, 8, 3)}, {AsBytes("ab\r")}, {AsBytes("\ncd")}, {AsBytes("e\r")},
                                {BookmarkRecord("e", 6)}, {BookmarkRecord("end", 8)}}));
  TDocFile doc(P("x.pdb"));
  EXPECT_EQ(doc.GetText(), "ab\r\ncde\r\n");
  ASSERT_EQ(doc.Bookmarks.size(), 2u);
  EXPECT_EQ(doc.Bookmarks[0].Position, 6);
  EXPECT_EQ(doc.Bookmarks[1].Position, 9);
}

TEST_F(DocFiles, TooManyRecordsAreRefusedBeforeWriting) {
  auto doc = TDocFile::CreateNew(P("many.pdb"), false, "Many");
  for (int i = 0; i < 65534; ++i) doc.AddBookmark("b", 0, 1, 1);
  EXPECT_THROW(doc.Save("text"), EInvalidDocFile);
  EXPECT_FALSE(std::filesystem::exists(P("many.pdb")));
  doc.Bookmarks.pop_back();
  doc.Save("text");
  EXPECT_EQ(TDocFile(P("many.pdb")).Bookmarks.size(), 65533u);
}

TEST_F(DocFiles, OtherDatabasesAreNotDocFiles) {
  Write("other.pdb", BuildPalmFile("x", "DATAmemo", {{Description(1, 1, 1)}, {AsBytes("a")}}));
  try {
    TDocFile doc(P("other.pdb"));
    ADD_FAILURE() << "accepted";
  } catch (const EInvalidDocFile& e) {
    EXPECT_STREQ(e.what(), "Not a valid Doc file");
  }
  Write("lower.pdb", BuildPalmFile("x", "textread", {{Description(1, 1, 1)}, {AsBytes("a")}}));
  EXPECT_EQ(TDocFile(P("lower.pdb")).GetText(), "a");
}

TEST_F(DocFiles, DamagedDocFiles) {
  struct Case {
    const char* name;
    std::vector<PalmRecordBytes> records;
  };
  const Case rejected[] = {
      {"description shorter than its header", {{Bytes(10, 0)}, {AsBytes("a")}}},
      {"more text records than records", {{Description(1, 5, 3)}, {AsBytes("a")}}},
  };
  for (const Case& c : rejected) {
    SCOPED_TRACE(c.name);
    Write("bad.pdb", BuildPalmFile("bad", "TEXtREAd", c.records));
    EXPECT_THROW(TDocFile doc(P("bad.pdb")), EInvalidDocFile);
  }

  // A short bookmark record is skipped; the rest reads.
  Write("short.pdb", BuildPalmFile("s", "TEXtREAd",
                                   {{Description(1, 2, 1)}, {AsBytes("ab")}, {Bytes(19, 'n')},
                                    {BookmarkRecord("ok", 1)}}));
  TDocFile doc(P("short.pdb"));
  ASSERT_EQ(doc.Bookmarks.size(), 1u);
  EXPECT_EQ(doc.Bookmarks[0].Name, "ok");

  // A copy reaching before the record's text ends that record's text.
  Write("copy.pdb", BuildPalmFile("c", "TEXtREAd",
                                  {{Description(2, 8, 2)}, {Bytes{'a', 'b', 0x80, 0x30, 'z'}}, {AsBytes("cd")}}));
  TDocFile copy(P("copy.pdb"));
  EXPECT_EQ(copy.GetText(), "abcd");
  EXPECT_TRUE(copy.TextDamaged);

  // A database without records is an empty book.
  Write("none.pdb", BuildPalmFile("n", "TEXtREAd", {}));
  EXPECT_EQ(TDocFile(P("none.pdb")).GetText(), "");
}

TEST_F(DocFiles, BookCutShortInsideItsLastTextRecordIsDamaged) {
  const std::string text = Lines(9000);
  for (bool compressed : {false, true}) {
    SCOPED_TRACE(compressed);
    TDocFile::CreateNew(P("whole.pdb"), compressed, "Cut").Save(text);
    const Bytes whole = Read("whole.pdb");
    TDocFile full(P("whole.pdb"));
    EXPECT_EQ(full.GetText(), text);
    EXPECT_FALSE(full.TextDamaged);
    ASSERT_EQ(full.TextRecordCount, 3u);
    const std::size_t lastStart = full.Records.back().Offset;
    // Every cut inside the last record, a few bytes apart, and its last byte.
    std::vector<std::size_t> cuts;
    for (std::size_t at = lastStart + 1; at < whole.size(); at += 37) cuts.push_back(at);
    cuts.push_back(whole.size() - 1);
    for (std::size_t at : cuts) {
      SCOPED_TRACE(at);
      Write("cut.pdb", Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(at)));
      TDocFile cut(P("cut.pdb"));
      const std::string read = cut.GetText();
      EXPECT_TRUE(cut.TextDamaged);
      // What could be read is still there.
      EXPECT_GT(read.size(), 2 * 4096u);
      EXPECT_EQ(text.compare(0, read.size(), read), 0);
    }
  }
}

Bytes Masked(Bytes b) {
  for (auto& x : b) x ^= 0xA5;
  return b;
}

Bytes EReaderDescription(std::size_t size, int compression, uint16_t records) {
  Bytes d(size, 0);
  d[0] = static_cast<uint8_t>(compression >> 8);
  d[1] = static_cast<uint8_t>(compression);
  d[8] = static_cast<uint8_t>(records >> 8);
  d[9] = static_cast<uint8_t>(records);
  return d;
}

TEST_F(DocFiles, EReaderTextIsUnmaskedAndMarkupRemoved) {
  std::string text = "\\bBold\\b line\n\\a065nd more";
  for (std::size_t size : {116u, 202u}) {
    SCOPED_TRACE(size);
    Write("pn.pdb", BuildPalmFile("pn", "PNRDPPRS",
                                  {{EReaderDescription(size, 2, 3)},
                                   {Masked(CompressRecord(text.substr(0, 10)))},
                                   {Masked(CompressRecord(text.substr(10)))}}));
    TDocFile doc(P("pn.pdb"));
    EXPECT_TRUE(doc.IsEReader);
    EXPECT_TRUE(doc.Compressed);
    EXPECT_EQ(doc.TextRecordCount, 2u);
    EXPECT_EQ(doc.GetText(), "Bold line\r\nAnd more");
    doc.KeepMarkup = true;
    EXPECT_EQ(doc.GetText(), "\\bBold\\b line\r\n\\a065nd more");
  }
  Write("plain.pdb", BuildPalmFile("pn", "PNRDPPRS", {{EReaderDescription(202, 1, 2)}, {Masked(AsBytes("hi"))}}));
  EXPECT_EQ(TDocFile(P("plain.pdb")).GetText(), "hi");
}

TEST_F(DocFiles, OtherEReaderKindsAreRefused) {
  Write("drm.pdb", BuildPalmFile("pn", "PNRDPPRS", {{EReaderDescription(132, 2, 2)}, {Bytes(4, 0)}}));
  try {
    TDocFile doc(P("drm.pdb"));
    ADD_FAILURE() << "accepted";
  } catch (const EInvalidDocFile& e) {
    EXPECT_STREQ(e.what(), "This eReader book is of a kind that cannot be read");
  }
}

// Another Doc reader, when it is installed, reads what this program writes.
TEST_F(DocFiles, AnotherDocReaderReadsOurBooks) {
  if (std::system("command -v txt2pdbdoc >/dev/null 2>&1") != 0) GTEST_SKIP() << "txt2pdbdoc not installed";
  std::string text = Lines(20000);
  for (bool compressed : {false, true}) {
    SCOPED_TRACE(compressed);
    auto doc = TDocFile::CreateNew(P("ours.pdb"), compressed, "Ours");
    doc.Save(text);
    std::string cmd = "txt2pdbdoc -d '" + P("ours.pdb") + "' '" + P("ours.txt") + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::string lf = text;
    std::erase(lf, '\r');
    EXPECT_EQ(temp.ReadFile("ours.txt"), lf);
  }
}

}  // namespace
}  // namespace nuvel
