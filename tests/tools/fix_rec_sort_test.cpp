#include "tools/fix_rec_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/support/temp_program_folder.h"
#include "tools/record_compare.h"

namespace nuvel::tools {
namespace {

namespace fs = std::filesystem;
using test::TempProgramFolder;

struct BudgetCase {
  uint64_t size;
  std::size_t recordLength;
  SortBudget budget;
};

TEST(FixSortBudget, FollowsTheRunSizeTable) {
  const BudgetCase cases[] = {
      {0, 12, {324996, 65000, 324996}},
      {12000, 12, {324996, 65000, 324996}},
      {40000000, 64, {3333312, 666666, 256384}},
      {40000064, 64, {4000000, 800000, 363584}},
      {100000000, 64, {5882304, 1176470, 326784}},
      {100000064, 64, {10000000, 2000000, 909056}},
      {128000000, 64, {10000000, 2000000, 769216}},
      {600000000, 64, {24000000, 4800000, 923072}},
      {600000064, 64, {20000000, 4000000, 645120}},
      {3000000000, 64, {20000000, 4000000, 132416}},
      // A record longer than the budget: runs, buffers and merge buffers hold one record.
      {3000000, 1000000, {1000000, 1000000, 1000000}},
  };
  for (const BudgetCase& c : cases) {
    const SortBudget b = FixSortBudget(c.size, c.recordLength);
    EXPECT_EQ(b.runSize, c.budget.runSize) << c.size;
    EXPECT_EQ(b.outputBuffer, c.budget.outputBuffer) << c.size;
    EXPECT_EQ(b.mergeBuffer, c.budget.mergeBuffer) << c.size;
  }
}

// Records of `length` bytes: a key of `keyLength` bytes from `alphabet`, then
// the record's input number in decimal, padded.
std::string MakeRecords(std::size_t count, std::size_t length, std::size_t keyLength, std::string_view alphabet,
                        unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes;
  for (std::size_t i = 0; i < count; ++i) {
    std::string record;
    for (std::size_t k = 0; k < keyLength; ++k) record += alphabet[random() % alphabet.size()];
    record += std::to_string(i);
    record.resize(length, ' ');
    bytes += record;
  }
  return bytes;
}

std::vector<std::string> Split(const std::string& bytes, std::size_t length) {
  std::vector<std::string> records;
  for (std::size_t i = 0; i < bytes.size(); i += length) records.push_back(bytes.substr(i, length));
  return records;
}

std::string Join(const std::vector<std::string>& records) {
  std::string all;
  for (const auto& r : records) all += r;
  return all;
}

RecordCompare KeyCompare(std::size_t length, std::size_t start, std::size_t count, bool collated = false) {
  return [=](const uint8_t* a, const uint8_t* b) {
    return collated ? CompareCollatedFrom({a, length}, {b, length}, start, count)
                    : CompareBytesFrom({a, length}, {b, length}, start, count);
  };
}

TEST(TFixRecSort, SmallInputIsOneRunAndNeverMerges) {
  TempProgramFolder folder;
  const std::string input = MakeRecords(1000, 12, 4, "abcdefgh", 1);
  folder.WriteFile("in.dat", input);
  TFixRecSort sorter(12);
  sorter.Sort(folder.Path("in.dat").string(), folder.Path("out.dat").string(), KeyCompare(12, 1, 12));
  EXPECT_EQ(sorter.RunCount(), 1u);
  std::vector<std::string> expected = Split(input, 12);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(folder.ReadFile("out.dat"), Join(expected));
  EXPECT_FALSE(fs::exists(folder.Path(kSortTempName)));
}

// Few distinct keys over several runs: equal keys must keep their input order,
// inside a run (three-way merge sort) and across runs (the merge).
TEST(TFixRecSort, StableAcrossSeveralRuns) {
  TempProgramFolder folder;
  const std::size_t length = 12;
  const std::string input = MakeRecords(100000, length, 2, "abcD", 7);
  folder.WriteFile("in.dat", input);
  std::vector<std::string> expected = Split(input, length);
  std::stable_sort(expected.begin(), expected.end(),
                   [](const std::string& a, const std::string& b) { return a.compare(0, 2, b, 0, 2) < 0; });

  TFixRecSort sorter(length);
  sorter.SetMethod(SortMethod::ThreeWayMerge);
  sorter.Sort(folder.Path("in.dat").string(), folder.Path("out.dat").string(), KeyCompare(length, 1, 2));
  EXPECT_EQ(sorter.RunCount(), 4u);
  EXPECT_TRUE(folder.ReadFile("out.dat") == Join(expected));
  EXPECT_FALSE(fs::exists(folder.Path(kSortTempName)));

  // Quicksort orders the keys too, though equal keys may change places.
  sorter.SetMethod(SortMethod::QuickSort);
  sorter.Sort(folder.Path("in.dat").string(), folder.Path("quick.dat").string(), KeyCompare(length, 1, 2));
  std::vector<std::string> quick = Split(folder.ReadFile("quick.dat"), length);
  std::vector<std::string> keysQuick, keysExpected;
  for (const auto& r : quick) keysQuick.push_back(r.substr(0, 2));
  for (const auto& r : expected) keysExpected.push_back(r.substr(0, 2));
  EXPECT_TRUE(keysQuick == keysExpected);
  std::sort(quick.begin(), quick.end());
  std::vector<std::string> all = Split(input, length);
  std::sort(all.begin(), all.end());
  EXPECT_TRUE(quick == all);
}

TEST(TFixRecSort, SortsInPlaceAndReplacesOutput) {
  TempProgramFolder folder;
  const std::string input = MakeRecords(60000, 8, 3, "xyz", 3);
  folder.WriteFile("data.dat", input);
  TFixRecSort sorter(8);
  sorter.SetMethod(SortMethod::ThreeWayMerge);
  sorter.Sort(folder.Path("data.dat").string(), folder.Path("data.dat").string(), KeyCompare(8, 1, 8));
  EXPECT_EQ(sorter.RunCount(), 2u);
  std::vector<std::string> expected = Split(input, 8);
  std::sort(expected.begin(), expected.end());
  EXPECT_TRUE(folder.ReadFile("data.dat") == Join(expected));
}

// Records longer than the whole budget: each run and each merge buffer holds one.
TEST(TFixRecSort, RecordsLargerThanTheBudgetStillSort) {
  TempProgramFolder folder;
  const std::size_t length = 400000;
  std::string input;
  for (char key : {'d', 'b', 'c', 'a'}) input += std::string(1, key) + std::string(length - 1, key);
  folder.WriteFile("in.dat", input);
  TFixRecSort sorter(length);
  sorter.Sort(folder.Path("in.dat").string(), folder.Path("out.dat").string(), KeyCompare(length, 1, 1));
  EXPECT_EQ(sorter.RunCount(), 4u);
  const std::string out = folder.ReadFile("out.dat");
  ASSERT_EQ(out.size(), input.size());
  EXPECT_EQ(std::string({out[0], out[length], out[2 * length], out[3 * length]}), "abcd");
}

TEST(TFixRecSort, EmptyInputGivesEmptyOutput) {
  TempProgramFolder folder;
  folder.WriteFile("in.dat", "");
  folder.WriteFile("out.dat", "old");
  TFixRecSort sorter(12);
  sorter.Sort(folder.Path("in.dat").string(), folder.Path("out.dat").string(), KeyCompare(12, 1, 12));
  EXPECT_TRUE(fs::exists(folder.Path("out.dat")));
  EXPECT_EQ(folder.ReadFile("out.dat"), "");
}

TEST(TFixRecSort, BadSizeRaisesAndLeavesFiles) {
  TempProgramFolder folder;
  folder.WriteFile("in.dat", std::string(13, 'a'));
  folder.WriteFile("out.dat", "old");
  TFixRecSort sorter(12);
  try {
    sorter.Sort(folder.Path("in.dat").string(), folder.Path("out.dat").string(), KeyCompare(12, 1, 12));
    FAIL();
  } catch (const SortError& e) {
    EXPECT_STREQ(e.what(), "File can`t be divided through 12");
  }
  EXPECT_EQ(folder.ReadFile("out.dat"), "old");
  EXPECT_FALSE(fs::exists(folder.Path(kSortTempName)));
  EXPECT_THROW(TFixRecSort(0).Sort(folder.Path("in.dat").string(), folder.Path("out.dat").string(),
                                   KeyCompare(1, 1, 1)),
               SortError);
}

TEST(TFixRecSort, FailureRemovesTheRunFile) {
  TempProgramFolder folder;
  folder.WriteFile("in.dat", MakeRecords(60000, 8, 3, "xyz", 3));
  // A folder where the output should go makes the last step fail.
  fs::create_directory(folder.Path("out.dat"));
  fs::create_directory(folder.Path("out.dat/keep"));
  TFixRecSort sorter(8);
  EXPECT_ANY_THROW(
      sorter.Sort(folder.Path("in.dat").string(), folder.Path("out.dat").string(), KeyCompare(8, 1, 8)));
  EXPECT_FALSE(fs::exists(folder.Path(kSortTempName)));
  EXPECT_TRUE(fs::exists(folder.Path("out.dat/keep")));
  // A missing input.
  EXPECT_ANY_THROW(
      sorter.Sort(folder.Path("none.dat").string(), folder.Path("x.dat").string(), KeyCompare(8, 1, 8)));
  EXPECT_FALSE(fs::exists(folder.Path(kSortTempName)));
}

// Byte order over whole lines is what GNU sort gives in the C locale.
TEST(TFixRecSort, ByteOrderEqualsGnuSortInCLocale) {
  TempProgramFolder folder;
  const std::size_t length = 16;
  std::mt19937 random(11);
  std::string input;
  for (int i = 0; i < 50000; ++i) {
    for (std::size_t k = 0; k < length - 2; ++k) {
      uint8_t c;
      do {
        c = uint8_t(random() % 7 == 0 ? random() % 256 : 'a' + random() % 4);
      } while (c == '\n');
      input += char(c);
    }
    input += "\r\n";
  }
  folder.WriteFile("in.dat", input);
  for (SortMethod method : {SortMethod::ThreeWayMerge, SortMethod::QuickSort}) {
    TFixRecSort sorter(length);
    sorter.SetMethod(method);
    sorter.Sort(folder.Path("in.dat").string(), folder.Path("ours.dat").string(), KeyCompare(length, 1, length));
    EXPECT_GE(sorter.RunCount(), 2u);
    const std::string command = "LC_ALL=C sort -s '" + folder.Path("in.dat").string() + "' -o '" +
                                folder.Path("gnu.dat").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(folder.ReadFile("ours.dat") == folder.ReadFile("gnu.dat")) << int(method);
  }
}

TEST(CompareTable, PointedLettersCollateWithTheirBaseLetters) {
  const std::pair<uint8_t, uint8_t> cases[] = {
      {0x81, 0xE1}, {0x86, 0xE6}, {0x87, 0xEA}, {0x88, 0xE8}, {0x8C, 0xEC}, {0x8D, 0xE6}, {0x8E, 0xEE},
      {0x8F, 0xEC}, {0x90, 0xF0}, {0x91, 0xF1}, {0x92, 0xEA}, {0x93, 0xEC}, {0x94, 0xF4}, {0x95, 0xF9},
      {0x96, 0xF6}, {0x97, 0xF7}, {0x98, 0xF9}, {0x99, 0xF9}, {0x9A, 0xFA}, {0x9B, 0xF9},
      // Letters, points and other bytes.
      {'a', 'A'}, {'z', 'Z'}, {'A', 'A'}, {'{', '{'}, {0x80, 0x80}, {0x9C, 0x9C}, {0xC0, 0xC0},
      {0xC9, 0xC9}, {0xE0, 0xE0}, {0xFA, 0xFA}, {0xFF, 0xFF},
  };
  for (auto [code, weight] : cases) EXPECT_EQ(CompareTable[code], weight) << int(code);
}

TEST(CompareRoutines, CompareOnlyTheStretchInsideTheRecords) {
  struct Case {
    std::string a, b;
    std::size_t start, len;
    int bytes;     // sign of CompareBytesFrom
    int collated;  // sign of CompareCollatedFrom
  };
  const Case cases[] = {
      {"abc", "abd", 1, 3, -1, -1},
      {"abd", "abc", 1, 3, 1, 1},
      {"abc", "abd", 1, 2, 0, 0},
      {"xbc", "abc", 2, 2, 0, 0},
      {"abc", "ABC", 1, 3, 1, 0},
      {"\x81", "\xE1", 1, 1, -1, 0},
      {"\x81", "\xE2", 1, 1, -1, -1},
      {"\xE2", "\x81", 1, 1, 1, 1},
      {"\x9B", "\xF9", 1, 1, -1, 0},
      {"a\xC0", "a\xC1", 1, 2, -1, -1},
      // Positions past the records are not compared.
      {"abc", "abd", 4, 10, 0, 0},
      {"abc", "abd", 3, 1000, -1, -1},
      {"abc", "abd", 0, 3, 0, 0},
  };
  auto sign = [](int v) { return (v > 0) - (v < 0); };
  for (const Case& c : cases) {
    const std::span a(reinterpret_cast<const uint8_t*>(c.a.data()), c.a.size());
    const std::span b(reinterpret_cast<const uint8_t*>(c.b.data()), c.b.size());
    EXPECT_EQ(sign(CompareBytesFrom(a, b, c.start, c.len)), c.bytes) << c.a << " " << c.b << " " << c.start;
    EXPECT_EQ(sign(CompareCollatedFrom(a, b, c.start, c.len)), c.collated) << c.a << " " << c.b << " " << c.start;
  }
}

TEST(TFixRecSort, CollatedOrderPutsPointedLettersWithBaseLetters) {
  TempProgramFolder folder;
  // Lines of 4 bytes: first byte, input number, CR LF.
  const std::string input = std::string("\xE2") + "1\r\n" + "\x81" + "2\r\n" + "\xE1" + "3\r\n" + "b4\r\n" +
                            "\x81" + "5\r\n" + "A6\r\n";
  folder.WriteFile("in.dat", input);
  TFixRecSort sorter(4);
  sorter.SetMethod(SortMethod::ThreeWayMerge);
  sorter.Sort(folder.Path("in.dat").string(), folder.Path("collated.dat").string(), KeyCompare(4, 1, 1, true));
  EXPECT_EQ(folder.ReadFile("collated.dat"),
            std::string("A6\r\nb4\r\n") + "\x81" + "2\r\n" + "\xE1" + "3\r\n" + "\x81" + "5\r\n" + "\xE2" + "1\r\n");
  sorter.Sort(folder.Path("in.dat").string(), folder.Path("bytes.dat").string(), KeyCompare(4, 1, 1));
  EXPECT_EQ(folder.ReadFile("bytes.dat"),
            std::string("A6\r\nb4\r\n") + "\x81" + "2\r\n" + "\x81" + "5\r\n" + "\xE1" + "3\r\n" + "\xE2" + "1\r\n");
}

}  // namespace
}  // namespace nuvel::tools
