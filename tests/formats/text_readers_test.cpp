#include "formats/text_readers.h"

#include <gtest/gtest.h>

#include "tests/formats/formats_test_support.h"

namespace nuvel::test {
namespace {

using P = std::vector<std::string>;

enum class Reader { Lines, DosText, SmartDos, SmartLoad, Einstein, ThreeB2, NulRecords };

struct Read {
  P paras;
  bool nul = false;
  bool lf = false;
};

Read ReadWith(Reader r, std::string_view file) {
  const std::vector<uint8_t> bytes = B(file);
  TReaderInput in(bytes);
  TParaVector sink;
  switch (r) {
    case Reader::Lines: ReadLines(in, sink); break;
    case Reader::DosText: ReadDosText(in, sink); break;
    case Reader::SmartDos: ReadSmartDos(in, sink, false); break;
    case Reader::SmartLoad: ReadSmartDos(in, sink, true); break;
    case Reader::Einstein:
      in.lineEndChar = kEinsteinLineEnd;
      ReadSmartDos(in, sink, false);
      EXPECT_EQ(in.lineEndChar, 13);
      break;
    case Reader::ThreeB2: Read3B2(in, sink, "<body>"); break;
    case Reader::NulRecords: ReadNulRecords(in, sink); break;
  }
  return {Strings(sink.Paras()), in.nulSeen, in.LfLineEnds()};
}

std::string Rep(char c, std::size_t n) { return std::string(n, c); }

TEST(TextReaders, SmallFiles) {
  using std::string_literals::operator""s;
  struct Case {
    Reader reader;
    std::string file;
    P paras;
  } cases[] = {
      {Reader::Lines, "abc\r\ndef", {"abc", "def"}},
      {Reader::Lines, "abc\r\ndef\r\n", {"abc", "def"}},
      {Reader::Lines, "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {Reader::Lines, "abc\ndef\n", {"abc", "def"}},
      {Reader::Lines, "abc\rdef", {"abc", "def"}},
      // Trailing ^Z, zero and 0xFF bytes are not text; inside the text they are.
      {Reader::Lines, "abc\r\n\x1A", {"abc"}},
      {Reader::Lines, "abc\x1A\0\xFF"s, {"abc"}},
      {Reader::Lines, "a\x1A" "b\xFF" "c", {"a\x1A" "b\xFF" "c"}},
      {Reader::DosText, "Hello\r\nWorld\r\n\r\nNext", {"Hello World ", "", "Next "}},
      {Reader::DosText, "Hello \nWorld\n", {"Hello World "}},
      {Reader::SmartDos, "abc\x14\r\ndef\x14\r\n", {"abc", "def"}},
      {Reader::SmartDos, "ab\r\ncd\x14\r\nef", {"ab cd", "ef "}},
      {Reader::SmartDos, "ab\r\n\r\ncd\x14\r\n", {"ab ", "cd"}},
      {Reader::SmartDos, "\x14\r\n", {""}},
      {Reader::Einstein, "hello\xDBworld\r\n", {"hello world"}},
      {Reader::Einstein, "a \xDB" "b\r\nc\r\n", {"a b", "c"}},
      {Reader::ThreeB2, "$<body>Text\\\r\n<body>x<>\r\n", {"Text", "x"}},
      {Reader::ThreeB2, "$<head>Title<>\r\n$<body><>\r\n$more\r\n", {"<head>Title", "", "more"}},
      {Reader::NulRecords, "a\r\nb\0c\0"s, {"a\r\nb", "c"}},
      {Reader::NulRecords, "a\0\0b"s, {"a", "", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadWith(c.reader, c.file).paras, c.paras) << c.file;
}

TEST(TextReaders, ZeroBytesAreDroppedAndNoted) {
  using std::string_literals::operator""s;
  for (Reader r : {Reader::Lines, Reader::DosText, Reader::SmartDos, Reader::ThreeB2}) {
    const Read got = ReadWith(r, "a\0b\r\nc"s);
    EXPECT_TRUE(got.nul);
    EXPECT_EQ(got.paras.front().substr(0, 2), "ab");
  }
  EXPECT_FALSE(ReadWith(Reader::Lines, "ab\r\nc").nul);
}

TEST(TextReaders, LineEndsOfTheFileAreNoted) {
  EXPECT_TRUE(ReadWith(Reader::Lines, "a\nb\n").lf);
  EXPECT_FALSE(ReadWith(Reader::Lines, "a\r\nb\n").lf);
  EXPECT_FALSE(ReadWith(Reader::Lines, "a\r\nb\r\n").lf);
  EXPECT_FALSE(ReadWith(Reader::Lines, "ab").lf);
}

// Files around the sizes of the reading blocks read like any other.
TEST(TextReaders, FilesAroundBlockSizes) {
  for (std::size_t size : {1023u, 1024u, 1025u, 2047u, 2048u, 2049u, 4096u}) {
    // Lines of 9 letters and CR LF, cut to the size; the last line has no end.
    std::string file;
    P expected;
    while (file.size() < size) {
      std::string line = Rep(static_cast<char>('a' + expected.size() % 26), 9);
      const std::size_t room = size - file.size();
      if (room <= line.size()) {
        line.resize(room);
        file += line;
        expected.push_back(line);
        break;
      }
      file += line;
      expected.push_back(line);
      file += room == line.size() + 1 ? "\r" : "\r\n";
    }
    file.resize(size);
    EXPECT_EQ(ReadWith(Reader::Lines, file).paras, expected) << size;
  }
}

TEST(TextReaders, LineLimitOf32766Bytes) {
  struct Case {
    std::size_t length;
    std::vector<std::size_t> paras;
  } cases[] = {
      {32765, {32765}},
      {32766, {32766}},
      {32767, {32766, 1}},
      {70000, {32766, 32766, 70000 - 65532}},
  };
  for (const auto& c : cases) {
    const Read got = ReadWith(Reader::Lines, Rep('x', c.length) + "\r\nend\r\n");
    std::vector<std::size_t> sizes;
    for (const auto& p : got.paras) sizes.push_back(p.size());
    std::vector<std::size_t> expected = c.paras;
    expected.push_back(3);
    EXPECT_EQ(sizes, expected) << c.length;
  }
}

// Dropped zero bytes take no room in a line; a line at its limit is cut
// before the zero byte that follows it.
TEST(TextReaders, ZeroBytesTakeNoRoomInALine) {
  using std::string_literals::operator""s;
  struct Case {
    std::string file;
    std::vector<std::size_t> paras;
  } cases[] = {
      {Rep('x', 100) + "\0"s + Rep('x', 32666) + "\r\n", {32766}},
      {Rep('x', 32766) + "\0y\r\n"s, {32766, 1}},
      {"\0\0ab\0\r\n\0c"s, {2, 1}},
  };
  for (const auto& c : cases) {
    const Read got = ReadWith(Reader::Lines, c.file);
    std::vector<std::size_t> sizes;
    for (const auto& p : got.paras) sizes.push_back(p.size());
    EXPECT_EQ(sizes, c.paras) << c.file.size();
    EXPECT_TRUE(got.nul);
  }
}

TEST(TextReaders, DosTextClosesAParagraphAt32518Bytes) {
  // 400 lines of 99 letters: each adds 100 bytes with its blank.
  std::string file;
  for (int i = 0; i < 400; ++i) file += Rep('a', 99) + "\r\n";
  const Read got = ReadWith(Reader::DosText, file);
  ASSERT_EQ(got.paras.size(), 3u);
  EXPECT_EQ(got.paras[0].size(), 32600u);  // the first length that reaches 32518
  EXPECT_EQ(got.paras[1], "");
  EXPECT_EQ(got.paras[2].size(), 40000u - 32600u);
}

TEST(TextReaders, SmartDosCutsAtTheBufferAndReadsTheRestAsTheNextParagraph) {
  const Read got = ReadWith(Reader::SmartDos, Rep('x', 40000) + "\x14\r\n");
  ASSERT_EQ(got.paras.size(), 2u);
  EXPECT_EQ(got.paras[0].size(), 32766u);
  EXPECT_EQ(got.paras[1].size(), 40000u - 32766u);
}

TEST(TextReaders, SmartLoadReadsUnmarkedFilesAsDosText) {
  // No paragraph mark or blank line within the first 5000 bytes.
  std::string late;
  for (int i = 0; i < 60; ++i) late += Rep('a', 99) + "\r\n";
  late += "\r\nx\x14\r\n";
  const Read smart = ReadWith(Reader::SmartLoad, late);
  ASSERT_EQ(smart.paras.size(), 3u);
  EXPECT_EQ(smart.paras[1], "");
  EXPECT_EQ(smart.paras[2], "x\x14 ");
  const Read plain = ReadWith(Reader::SmartDos, late);
  ASSERT_EQ(plain.paras.size(), 2u);
  EXPECT_EQ(plain.paras[1], "x");

  // A mark early on keeps the file in the DOS format.
  std::string early = "first\x14\r\n" + late;
  const Read kept = ReadWith(Reader::SmartLoad, early);
  EXPECT_EQ(kept.paras.front(), "first");
  EXPECT_EQ(kept.paras.back(), "x");

  // A short file that never closes a paragraph is DOS text too.
  EXPECT_EQ(ReadWith(Reader::SmartLoad, "ab\r\ncd\r\n").paras, (P{"ab cd "}));
}

TEST(TextReaders, NulRecordsSplitAfter32767Bytes) {
  const Read got = ReadWith(Reader::NulRecords, Rep('r', 32767 + 5) + std::string(1, '\0') + "next");
  ASSERT_EQ(got.paras.size(), 3u);
  EXPECT_EQ(got.paras[0].size(), 32767u);
  EXPECT_EQ(got.paras[1].size(), 5u);
  EXPECT_EQ(got.paras[2], "next");
}

std::string Utf16(std::u16string_view text, bool bom) {
  std::string out;
  if (bom) out += "\xFF\xFE";
  for (char16_t c : text) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

std::vector<std::vector<uint8_t>> ReadUnicode(const std::string& file, bool mark, bool* lf = nullptr) {
  const std::vector<uint8_t> bytes = B(file);
  TReaderInput in(bytes);
  TParaVector sink;
  ReadUnicodeText(in, sink, mark);
  if (lf) *lf = in.LfLineEnds();
  return sink.Paras();
}

TEST(TextReaders, UnicodeText) {
  struct Case {
    std::u16string text;
    bool mark;
    std::vector<std::vector<uint8_t>> paras;
  } cases[] = {
      {u"AB\r\nC", false, {B("AB"), B("C")}},
      {u"A\u2028B", false, {B("A "), B("B")}},
      {u"A \u2028B", false, {B("A "), B("B")}},
      {u"A\u2029B", false, {B("A"), B("B")}},
      {u"A\u2029B", true, {B({'A', 20}), B("B")}},
      // Windows-1255 bytes: a precomposed letter as its letter and point.
      {u"\u05E9\u05C1\u05B8\uFB31x\n", false, {B({0xF9, 0xD1, 0xC8, 0xE1, 0xCC, 'x'})}},
      {u"\u201C\u20AA\u00D7\u200F", false, {B({0x93, 0xA4, 0xAA, 0xFE})}},
      // Characters without a byte of the system's set are dropped.
      {std::u16string(u"a\u2603b\0c", 5), false, {B("abc")}},
      {u"\r\n\r\n", false, {B(""), B("")}},
  };
  for (const auto& c : cases) {
    for (bool bom : {true, false}) {
      EXPECT_EQ(ReadUnicode(Utf16(c.text, bom), c.mark), c.paras) << bom;
    }
  }
}

struct Utf8Read {
  std::vector<std::vector<uint8_t>> paras;
  TUnicodeReadNotes notes;
  uint64_t nulBytes = 0;
};

Utf8Read ReadUtf8(const std::string& file) {
  const std::vector<uint8_t> bytes = B(file);
  TReaderInput in(bytes);
  TParaVector sink;
  Utf8Read r;
  ReadUnicodeText(in, sink, false, TTextForm::Utf8, &r.notes);
  r.paras = sink.Paras();
  r.nulBytes = in.nulBytes;
  return r;
}

TEST(TextReaders, Utf8Text) {
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::vector<uint8_t>> paras;
    uint64_t lost;
    bool changed;
    bool finalLineEnd;
  } cases[] = {
      {"Hebrew with points, mark", "\xEF\xBB\xBF\xD7\xA9\xD7\x81\xD6\xB8\xD7\x9C\n", {B({0xF9, 0xD1, 0xC8, 0xEC})}, 0,
       false, true},
      {"no mark, CR LF, no final line end", "a\xD7\x90\r\nb", {B({'a', 0xE0}), B("b")}, 0, false, false},
      {"sheqel, multiplication sign, en dash", "\xE2\x82\xAA\xC3\x97\xE2\x80\x93", {B({0xA4, 0xAA, 0x96})}, 0, false,
       false},
      {"a precomposed letter comes back decomposed", "\xEF\xAC\xB1\n", {B({0xE1, 0xCC})}, 0, true, true},
      {"Arabic and an emoji are dropped and counted", "a\xD8\xB3\xF0\x9F\x98\x80" "b\n", {B("ab")}, 2, true, true},
      {"a byte that is not UTF-8", "a\xFF" "b", {B("ab")}, 1, true, false},
  };
  for (const auto& c : cases) {
    const Utf8Read r = ReadUtf8(c.file);
    EXPECT_EQ(r.paras, c.paras) << c.what;
    EXPECT_EQ(r.notes.lostChars, c.lost) << c.what;
    EXPECT_EQ(r.notes.changed, c.changed) << c.what;
    EXPECT_EQ(r.notes.finalLineEnd, c.finalLineEnd) << c.what;
  }
  // Zero characters inside the text are dropped and counted.
  const Utf8Read nul = ReadUtf8(std::string("has\0nul", 7));
  EXPECT_EQ(nul.paras, (std::vector<std::vector<uint8_t>>{B("hasnul")}));
  EXPECT_EQ(nul.nulBytes, 1u);
}

// Big-endian UTF-16 after its mark reads as the same text little-endian.
TEST(TextReaders, BigEndianUtf16) {
  const std::string little = Utf16(u"\u05E9\u05C1\u05B8 ab\r\n\u20AAc", true);
  std::string big = little;
  for (std::size_t i = 0; i + 1 < big.size(); i += 2) std::swap(big[i], big[i + 1]);
  ASSERT_EQ(big.substr(0, 2), "\xFE\xFF");
  const std::vector<uint8_t> bytes = B(big);
  TReaderInput in(bytes);
  TParaVector sink;
  ReadUnicodeText(in, sink, false, TTextForm::Utf16BigMark);
  EXPECT_EQ(sink.Paras(), ReadUnicode(little, false));
  EXPECT_EQ(sink.Paras(), (std::vector<std::vector<uint8_t>>{B({0xF9, 0xD1, 0xC8, ' ', 'a', 'b'}), B({0xA4, 'c'})}));
}

TEST(TextReaders, UnicodeTextEdges) {
  // Trailing zero units and an odd last byte.
  EXPECT_EQ(ReadUnicode(Utf16(u"ab", true) + std::string("\0\0\x1A", 3), false),
            (std::vector<std::vector<uint8_t>>{B("ab")}));
  const auto split = ReadUnicode(Utf16(std::u16string(32767 + 3, u'x'), true), false);
  ASSERT_EQ(split.size(), 2u);
  EXPECT_EQ(split[0].size(), 32767u);
  EXPECT_EQ(split[1].size(), 3u);
  bool lf = false;
  ReadUnicode(Utf16(u"a\nb\n", false), false, &lf);
  EXPECT_TRUE(lf);
}

TEST(TextReaders, ReadersStopAtTheFirstAppendError) {
  class FullSink : public TParaSink {
   public:
    uint16_t AppendParaText(std::span<const uint8_t>) override { return ++calls >= 2 ? 267 : 0; }
    int calls = 0;
  };
  const std::vector<uint8_t> bytes = B("a\r\nb\r\nc\r\nd\r\n");
  for (int r = 0; r < 3; ++r) {
    TReaderInput in(bytes);
    FullSink sink;
    const uint16_t e = r == 0 ? ReadLines(in, sink) : r == 1 ? Read3B2(in, sink, "<body>") : ReadNulRecords(in, sink);
    if (r < 2) {
      EXPECT_EQ(e, 267);
      EXPECT_EQ(sink.calls, 2);
    }
  }
}

}  // namespace
}  // namespace nuvel::test
