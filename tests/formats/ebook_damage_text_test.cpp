// What is found damaged in an e-book and the message that names it: books
// made here and by txt2pdbdoc, cut short or with a bit flipped in their
// compressed records.
#include "formats/ebook_damage_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using Bytes = std::vector<uint8_t>;

std::string Words(std::size_t n) {
  std::string s;
  std::mt19937 rng(3);
  // No line ends: the book's length is the text's.
  const char* words[] = {"Palm ", "reader ", "book ", "text ", "line ", "\xF1\xF4\xF8 "};
  while (s.size() < n) s += words[rng() % 6];
  s.resize(n);
  return s;
}

class EbookDamage : public ::testing::Test {
 protected:
  std::string P(const char* name) const { return temp.Path(name).string(); }
  Bytes Read(const char* name) const {
    const std::string s = temp.ReadFile(name);
    return Bytes(s.begin(), s.end());
  }
  void Write(const char* name, const Bytes& b) const { temp.WriteFile(name, std::string(b.begin(), b.end())); }
  test::TempProgramFolder temp;
};

TEST_F(EbookDamage, WhatIsDamagedIsNamed) {
  const std::string text = Words(9000);  // three text records
  TDocFile::CreateNew(P("whole.pdb"), true, "Whole").Save(text);
  const Bytes whole = Read("whole.pdb");
  TDocFile book(P("whole.pdb"));
  ASSERT_EQ(book.TextRecordCount, 3u);
  std::vector<std::size_t> start;  // of text record 1, 2, 3
  for (int r = 1; r <= 3; ++r) start.push_back(book.Records[r].Offset);

  // A copy of distance 1 as a record's first code points at no text.
  auto badCopyAt = [](Bytes b, std::size_t at) {
    b[at] = 0x80;
    b[at + 1] = 0x08;
    return b;
  };
  struct Case {
    const char* what;
    Bytes bytes;
    std::vector<std::string> told;  // none: not damaged
  };
  const Case cases[] = {
      {"whole", whole, {}},
      {"cut inside its last record", Bytes(whole.begin(), whole.end() - 40),
       {"bytes of text were read where the book gives 9,000"}},
      {"cut inside its second record", Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(start[1] + 30)),
       {"the file ends before its last record", "bytes of text were read where the book gives 9,000"}},
      {"a bad code in the first record", badCopyAt(whole, start[0]),
       {"text record 1 of 3 cannot be decoded to its end"}},
      {"bad codes in two records", badCopyAt(badCopyAt(whole, start[1]), start[2]),
       {"2 of its 3 text records cannot be decoded to their end, the first of them record 2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write("case.pdb", c.bytes);
    TDocFile read(P("case.pdb"));
    const std::string got = read.GetText();
    const std::string message = EbookDamageText(P("case.pdb"), read);
    EXPECT_EQ(read.TextDamaged, !c.told.empty());
    if (c.told.empty()) {
      EXPECT_EQ(got, text);
      EXPECT_EQ(message, "");
      continue;
    }
    EXPECT_EQ(message.rfind("The e-book \x0E" + P("case.pdb") + "\x0F is damaged: ", 0), 0u) << message;
    for (const std::string& part : c.told) EXPECT_NE(message.find(part), std::string::npos) << part << "\n" << message;
    EXPECT_NE(message.find("the book as it was is kept as the backup copy"), std::string::npos);
  }
}

// A bit flipped anywhere in a compressed record's codes gives other text or
// none: a flip that changes how much text a code gives is told.
TEST_F(EbookDamage, FlippedBitsThatChangeTheTextsLengthAreTold) {
  const std::string text = Words(4096 * 2 + 500);
  TDocFile::CreateNew(P("whole.pdb"), true, "Flips").Save(text);
  const Bytes whole = Read("whole.pdb");
  TDocFile book(P("whole.pdb"));
  const std::size_t from = book.Records[1].Offset;
  const std::size_t to = book.Records[2].Offset;
  const std::size_t lfLength = text.size() - static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r'));
  int flips = 0, told = 0;
  for (std::size_t at = from; at < to; at += 7) {
    for (uint8_t bit : {0x80, 0x40, 0x01}) {
      Bytes b = whole;
      b[at] ^= bit;
      Write("flip.pdb", b);
      TDocFile read(P("flip.pdb"));
      const std::string got = read.GetText();
      ++flips;
      // Line ends aside, which the text reads with CR LF.
      std::string lf = got;
      std::erase(lf, '\r');
      const bool lengthChanged = lf.size() != lfLength;
      if (lengthChanged) {
        ++told;
        EXPECT_TRUE(read.TextDamaged) << "byte " << at - from << " bit " << int{bit};
        EXPECT_NE(EbookDamageText(P("flip.pdb"), read), "");
      }
    }
  }
  // Most flips change a code's length or kind.
  EXPECT_GT(told, flips / 2);
}

TEST_F(EbookDamage, BookOfAnotherToolCutShort) {
  if (std::system("command -v txt2pdbdoc >/dev/null 2>&1") != 0) GTEST_SKIP() << "txt2pdbdoc not installed";
  std::string small;
  for (int i = 0; small.size() < 3000; ++i) small += "Line " + std::to_string(i) + " of a small book.\n";
  small.resize(3000);
  temp.WriteFile("small.txt", small);
  const std::string make = "txt2pdbdoc -c 'Test Book' '" + P("small.txt") + "' '" + P("z.pdb") + "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(make.c_str()), 0);
  const Bytes z = Read("z.pdb");
  ASSERT_GT(z.size(), 686u);
  Write("cut.pdb", Bytes(z.begin(), z.begin() + 686));
  TDocFile cut(P("cut.pdb"));
  const std::string got = cut.GetText();
  EXPECT_TRUE(cut.TextDamaged);
  EXPECT_LT(got.size(), small.size());
  const std::string message = EbookDamageText(P("cut.pdb"), cut);
  EXPECT_NE(message.find("cut.pdb\x0F is damaged: "), std::string::npos) << message;
  EXPECT_NE(message.find("where the book gives " + std::string("3,000")), std::string::npos) << message;

  TDocFile whole(P("z.pdb"));
  whole.GetText();
  EXPECT_FALSE(whole.TextDamaged);
}

}  // namespace
}  // namespace nuvel
