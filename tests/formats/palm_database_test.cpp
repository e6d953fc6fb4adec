#include "formats/palm_pdb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "formats/palm_date.h"
#include "tests/formats/palm_file_builder.h"
#include "tests/support/named_pipe.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using test::AsBytes;
using test::AsString;
using test::BuildPalmFile;
using Bytes = std::vector<uint8_t>;

// A header with a distinct value in every field.
Bytes SampleHeader() {
  Bytes h(78, 0);
  std::string name = "My Book";
  std::copy(name.begin(), name.end(), h.begin());
  auto put = [&](std::size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) h[at + i] = static_cast<uint8_t>(v >> (8 * (n - 1 - i)));
  };
  put(32, 0x0028, 2);        // Backup and ForceReset
  put(34, 3, 2);             // version
  put(36, 86400 + 3661, 4);  // 1970-01-02 01:01:01
  put(40, 0, 4);
  put(44, 0x80000000u, 4);   // top bit: seconds since 1904
  put(48, 0x11223344, 4);
  put(52, 0x100, 4);
  put(56, 0x200, 4);
  std::copy_n("BOOKMINE", 8, h.begin() + 60);
  put(68, 0x55, 4);
  put(72, 0x66, 4);
  put(76, 0, 2);
  return h;
}

TEST(PalmHeader, FieldsAreDecodedFromTheirOffsets) {
  TPalmDatabase db("", 0);
  db.DecodeHeader(SampleHeader());
  EXPECT_EQ(db.Name, "My Book");
  EXPECT_FALSE(db.ReadOnly);
  EXPECT_FALSE(db.Dirty);
  EXPECT_TRUE(db.Backup);
  EXPECT_FALSE(db.Overwrite);
  EXPECT_TRUE(db.ForceReset);
  EXPECT_FALSE(db.NoBeam);
  EXPECT_EQ(db.Version, 3);
  EXPECT_DOUBLE_EQ(db.Created, 25570 + 3661.0 / 86400);
  EXPECT_DOUBLE_EQ(db.Modified, 25569.0);
  // 2^31 seconds after 1904-01-01 is 1972-01-19 03:14:08.
  EXPECT_DOUBLE_EQ(db.BackedUp, 1462 + 24855 + (3 * 3600 + 14 * 60 + 8) / 86400.0);
  EXPECT_EQ(db.ModNumber, 0x11223344u);
  EXPECT_EQ(db.AppInfoArea, 0x100u);
  EXPECT_EQ(db.SortInfoArea, 0x200u);
  EXPECT_EQ(db.DBType, "BOOK");
  EXPECT_EQ(db.Creator, "MINE");
  EXPECT_EQ(db.IDSeed, 0x55u);
  EXPECT_EQ(db.NextRecordList, 0x66u);
  EXPECT_EQ(db.NumRecords, 0u);
}

TEST(PalmHeader, EachAttributeBitSetsOnlyItsField) {
  struct Case {
    uint16_t bit;
    bool TPalmDatabase::*field;
  };
  const Case cases[] = {
      {0x0002, &TPalmDatabase::ReadOnly},  {0x0004, &TPalmDatabase::Dirty},
      {0x0008, &TPalmDatabase::Backup},    {0x0010, &TPalmDatabase::Overwrite},
      {0x0020, &TPalmDatabase::ForceReset}, {0x0040, &TPalmDatabase::NoBeam},
  };
  bool TPalmDatabase::*all[] = {&TPalmDatabase::ReadOnly, &TPalmDatabase::Dirty,
                                &TPalmDatabase::Backup, &TPalmDatabase::Overwrite,
                                &TPalmDatabase::ForceReset, &TPalmDatabase::NoBeam};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bit);
    Bytes h = SampleHeader();
    // Bits 0x0001 and above 0x0040 are not kept; they must not leak in.
    uint16_t word = c.bit | 0x0001 | 0x0080 | 0x8000;
    h[32] = static_cast<uint8_t>(word >> 8);
    h[33] = static_cast<uint8_t>(word);
    TPalmDatabase db("", 0);
    db.DecodeHeader(h);
    for (auto f : all) EXPECT_EQ(db.*f, f == c.field);
    db.Name = "x";
    auto encoded = db.EncodeHeader(0, 0);
    EXPECT_EQ(encoded[32], 0);
    EXPECT_EQ(encoded[33], c.bit);
  }
}

TEST(PalmHeader, EncodedHeaderHasTheWrittenFields) {
  TPalmDatabase db("", 0);
  db.DecodeHeader(SampleHeader());
  auto h = db.EncodeHeader(0x01020304, 7);
  Bytes expected(78, 0);
  std::string name = "My Book";
  std::copy(name.begin(), name.end(), expected.begin());
  expected[33] = 0x28;
  for (int at : {36, 40}) {
    expected[at] = 1;
    expected[at + 1] = 2;
    expected[at + 2] = 3;
    expected[at + 3] = 4;
  }
  std::copy_n("TEXtREAd", 8, expected.begin() + 60);  // whatever type and creator say
  expected[77] = 7;
  EXPECT_EQ(Bytes(h.begin(), h.end()), expected);
}

TEST(PalmHeader, NameOf32BytesReadsWholeAndWritesAs31) {
  Bytes h = SampleHeader();
  for (int i = 0; i < 32; ++i) h[i] = static_cast<uint8_t>('a' + i % 26);
  TPalmDatabase db("", 0);
  db.DecodeHeader(h);
  EXPECT_EQ(db.Name.size(), 32u);
  EXPECT_EQ(db.Name, "abcdefghijklmnopqrstuvwxyzabcdef");
  auto out = db.EncodeHeader(0, 0);
  EXPECT_EQ(std::string(out.begin(), out.begin() + 31), db.Name.substr(0, 31));
  EXPECT_EQ(out[31], 0);
}

TEST(PalmDate, StoredSecondsToDateTime) {
  struct Case {
    uint32_t seconds;
    double days;
  };
  const Case cases[] = {
      {0, 25569.0},                                       // 1970-01-01
      {86399, 25569 + 86399 / 86400.0},                   // last second of the day
      {0x7FFFFFFF, 25569 + 24855 + 11647 / 86400.0},      // 2038-01-19 03:14:07, no overflow
      {0x80000000u, 1462 + 24855 + 11648 / 86400.0},      // since 1904
      {0xE74055B0u, 25569 + 20797 + 47536 / 86400.0},     // 2026-12-10 13:12:16, from a handheld tool
      {0xFFFFFFFFu, 1462 + 49710 + 23295 / 86400.0},      // 2040-02-06 06:28:15
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_DOUBLE_EQ(PalmDateToDateTime(c.seconds), c.days);
  }
}

TEST(PalmDate, WrittenDatesCountFrom1970AndKeepTheSecond) {
  EXPECT_EQ(DateTimeToPalmDate(25569.0), 0u);
  EXPECT_EQ(DateTimeToPalmDate(25570 + 3661.0 / 86400), 86400u + 3661u);
  for (uint32_t s : {0u, 1u, 59u, 86399u, 1796908336u, 0x7FFFFFFFu}) {
    EXPECT_EQ(DateTimeToPalmDate(PalmDateToDateTime(s)), s);
  }
  // Past 2038 the date goes out as seconds since 1904, which reads back.
  double later = 25569 + 24856 + 0.5;
  EXPECT_GE(DateTimeToPalmDate(later), 0x80000000u);
  EXPECT_DOUBLE_EQ(PalmDateToDateTime(DateTimeToPalmDate(later)), later);
  EXPECT_EQ(DateTimeToPalmDate(100.0), 0u);  // before 1970
  EXPECT_EQ(DateTimeToPalmDate(NAN), 0u);
  EXPECT_EQ(SwapLong(0x11223344u), 0x44332211u);
}

class PalmFiles : public ::testing::Test {
 protected:
  test::TempProgramFolder temp;
  std::string P(const char* name) const { return temp.Path(name).string(); }
  void Write(const char* name, const Bytes& b) const { temp.WriteFile(name, AsString(b)); }
  Bytes Read(const char* name) const { return AsBytes(temp.ReadFile(name)); }
};

TEST_F(PalmFiles, RecordListGivesOffsetsAndSizes) {
  Write("db.pdb", BuildPalmFile("db", "DATAtest", {{AsBytes("hello")}, {{}}, {AsBytes("0123456789")}}));
  TPalmPDB db(P("db.pdb"), 1);
  ASSERT_EQ(db.Records.size(), 3u);
  EXPECT_EQ(db.Records[0].Offset, 78u + 24);
  EXPECT_EQ(db.Records[0].Size, 5u);
  EXPECT_EQ(db.Records[1].Size, 0u);
  // The last record runs to the end of the file: 10 bytes past its offset.
  EXPECT_EQ(db.Records[2].Size, 10u);
  EXPECT_EQ(db.ReadRecord(1), AsBytes("hello"));
  EXPECT_EQ(db.ReadRecord(3), AsBytes("0123456789"));
  EXPECT_THROW(db.ReadRecord(0), std::out_of_range);
  EXPECT_THROW(db.ReadRecord(4), std::out_of_range);
}

// Records read in a row through one open file, empty ones included; ranges
// reaching outside the list are refused.
TEST_F(PalmFiles, RecordsReadInARowMatchSingleReads) {
  Write("row.pdb", BuildPalmFile("row", "DATAtest", {{AsBytes("ab")}, {{}}, {AsBytes("cde")}, {AsBytes("f")}}));
  TPalmPDB db(P("row.pdb"), 1);
  struct Case {
    uint32_t first, count;
    std::vector<std::string> want;
  };
  for (const Case& c : {Case{1, 4, {"ab", "", "cde", "f"}}, Case{2, 2, {"", "cde"}}, Case{4, 1, {"f"}},
                        Case{3, 0, {}}}) {
    std::vector<std::string> got;
    db.ReadRecords(c.first, c.count, [&](std::span<uint8_t> r) { got.emplace_back(r.begin(), r.end()); });
    EXPECT_EQ(got, c.want) << c.first << "+" << c.count;
  }
  auto ignore = [](std::span<uint8_t>) {};
  EXPECT_THROW(db.ReadRecords(0, 1, ignore), std::out_of_range);
  EXPECT_THROW(db.ReadRecords(3, 3, ignore), std::out_of_range);
}

TEST_F(PalmFiles, GapAfterTheRecordListIsAllowed) {
  Write("gap.pdb", BuildPalmFile("gap", "DATAtest", {{AsBytes("abc")}}, 0, 2));
  TPalmPDB db(P("gap.pdb"), 1);
  EXPECT_EQ(db.ReadRecord(1), AsBytes("abc"));
}

TEST_F(PalmFiles, DatabaseWithoutRecordsReadsAsEmpty) {
  Write("none.pdb", BuildPalmFile("none", "DATAtest", {}));
  TPalmPDB db(P("none.pdb"), 1);
  EXPECT_TRUE(db.Records.empty());
}

TEST_F(PalmFiles, DamagedFilesAreRejected) {
  Bytes good = BuildPalmFile("db", "DATAtest", {{AsBytes("hello")}, {AsBytes("world")}});
  auto with = [&](std::size_t at, std::initializer_list<uint8_t> bytes) {
    Bytes b = good;
    for (uint8_t x : bytes) b[at++] = x;
    return b;
  };
  struct Case {
    const char* name;
    Bytes bytes;
    const char* message;
  };
  const Case cases[] = {
      {"shorter than a header", Bytes(good.begin(), good.begin() + 60), "Not a Palm database, or header corrupt"},
      {"record list past the end", Bytes(good.begin(), good.begin() + 90),
       "Invalid Palm database: record headers corrupt"},
      {"offsets going backwards", with(78, {0, 0, 0, 100}), "Invalid Palm database: record headers corrupt"},
      {"offset inside the record list", with(78, {0, 0, 0, 80}), "Invalid Palm database: record headers corrupt"},
      {"offset with the top bit", with(78, {0x80, 0, 0, 94}), "Invalid Palm database: record headers corrupt"},
      {"count beyond the entries", with(76, {0x01, 0x00}), "Invalid Palm database: record headers corrupt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write("bad.pdb", c.bytes);
    try {
      TPalmPDB db(P("bad.pdb"), 1);
      ADD_FAILURE() << "accepted";
    } catch (const EInvalidPalmDatabase& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  const test::NamedPipe pipe(temp.Path("pipe.pdb"));
  ASSERT_TRUE(pipe.Made());
  for (const std::string& name : {P("missing.pdb"), pipe.Name()}) {
    SCOPED_TRACE(name);
    std::string refusal;
    const auto open = [&] {
      try {
        TPalmPDB db(name, 1);
      } catch (const EInvalidPalmDatabase& e) {
        refusal = e.what();
      }
    };
    // A named pipe is refused at once, not waited on for a writer.
    EXPECT_TRUE(pipe.EndsWithinASecond(open)) << "waited for a writer";
    EXPECT_EQ(refusal, "Error reading file");
  }
}

TEST_F(PalmFiles, FileCutShortReadsUpToTheCut) {
  const Bytes good = BuildPalmFile("db", "DATAtest", {{AsBytes("hello")}, {AsBytes("world")}, {AsBytes("again")}});
  {
    Write("whole.pdb", good);
    TPalmPDB db(P("whole.pdb"), 1);
    EXPECT_FALSE(db.CutShort);
  }
  const std::size_t third = good.size() - 5;
  struct Case {
    std::size_t keep;
    const char* first;
    const char* second;
    const char* third;
  } cases[] = {
      {third - 2, "hello", "wor", ""},  // inside the second record
      {third - 5, "hello", "", ""},     // where the second begins
      {third - 8, "he", "", ""},        // inside the first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keep);
    Write("cut.pdb", Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(c.keep)));
    TPalmPDB db(P("cut.pdb"), 1);
    EXPECT_TRUE(db.CutShort);
    ASSERT_EQ(db.Records.size(), 3u);
    EXPECT_EQ(db.ReadRecord(1), AsBytes(c.first));
    EXPECT_EQ(db.ReadRecord(2), AsBytes(c.second));
    EXPECT_EQ(db.ReadRecord(3), AsBytes(c.third));
  }
}

TEST_F(PalmFiles, WriteDatabaseLaysOutRecordsAndEntries) {
  TPalmPDB db(P("new.pdb"), 0);
  db.Name = "Written";
  db.Dirty = true;
  db.SetRecord(0, AsBytes("first"));
  db.SetRecord(3, AsBytes("third!"));  // record 2 is added empty
  db.SetRecordAttributes(1, 1, 0x123456);
  db.SetRecordAttributes(2, 2, 0x000001);
  db.SetRecordAttributes(3, 4 | 8, 0xABCDEF);
  db.SetRecordAttributes(9, 1, 1);  // ignored
  ASSERT_EQ(db.Records.size(), 3u);
  db.WriteDatabase();

  Bytes file = Read("new.pdb");
  ASSERT_EQ(file.size(), 78u + 24 + 5 + 0 + 6);
  EXPECT_EQ(db.FileSize, file.size());
  const uint8_t entries[] = {0, 0, 0, 102, 0x10, 0x12, 0x34, 0x56,   //
                             0, 0, 0, 107, 0x20, 0x00, 0x00, 0x01,   //
                             0, 0, 0, 107, 0xC0, 0xAB, 0xCD, 0xEF};
  EXPECT_EQ(Bytes(file.begin() + 78, file.begin() + 102), Bytes(std::begin(entries), std::end(entries)));
  EXPECT_EQ(AsString(Bytes(file.begin() + 102, file.end())), "firstthird!");
  EXPECT_EQ(file[33], 0x04);
  EXPECT_EQ(file[77], 3);
  // The data is dropped after writing; the entries stay.
  for (const auto& r : db.Records) EXPECT_FALSE(r.Data.has_value());
  EXPECT_EQ(db.Records[2].Offset, 107u);

  TPalmPDB back(P("new.pdb"), 1);
  EXPECT_EQ(back.Name, "Written");
  ASSERT_EQ(back.Records.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(back.Records[i].Offset, db.Records[i].Offset);
    EXPECT_EQ(back.Records[i].Size, db.Records[i].Size);
  }
  EXPECT_EQ(back.ReadRecord(3), AsBytes("third!"));
  // Written dates are now, since 1970: the top bit is clear.
  EXPECT_LT(file[36], 0x80);
  EXPECT_NEAR(back.Created, NowDateTime(), 1.0 / 24 / 60);
}

TEST_F(PalmFiles, BackupBitSurvivesReadAndWrite) {
  Write("b.pdb", BuildPalmFile("b", "DATAtest", {{AsBytes("x")}}, 0x0008));
  TPalmPDB db(P("b.pdb"), 1);
  EXPECT_TRUE(db.Backup);
  db.Records[0].Data = db.ReadRecord(1);
  db.SetFileName(P("c.pdb"));
  db.WriteDatabase();
  Bytes out = Read("c.pdb");
  EXPECT_EQ(out[32], 0);
  EXPECT_EQ(out[33], 0x08);
}

TEST_F(PalmFiles, WriteWithoutRecordDataLeavesTheOldFile) {
  Bytes original = BuildPalmFile("b", "DATAtest", {{AsBytes("keep me")}});
  Write("b.pdb", original);
  TPalmPDB db(P("b.pdb"), 1);
  EXPECT_THROW(db.WriteDatabase(), EInvalidPalmDatabase);
  EXPECT_EQ(Read("b.pdb"), original);
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(temp.Folder())) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(PalmFiles, DatabaseWithoutRecordsWrites) {
  TPalmPDB db(P("empty.pdb"), 0);
  db.WriteDatabase();
  EXPECT_EQ(Read("empty.pdb").size(), 78u);
  TPalmPDB back(P("empty.pdb"), 1);
  EXPECT_TRUE(back.Records.empty());
}

}  // namespace
}  // namespace nuvel
