#include "formats/rtf_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/formats/formats_test_support.h"

namespace nuvel::test {
namespace {

constexpr std::string_view kFixedHeader =
    "{\\rtf1\\adeflang1037\\ansi\\ansicpg1255\\deff2\\deftab720{\\fonttbl{\\f0\\fnil MS Sans Serif;}"
    "{\\f1\\fnil\\fcharset2 MT Symbol;}{\\f2\\fbidi\\fnil\\fcharset177 Times New Roman (Hebrew);}"
    "{\\f3\\fnil Times New Roman;}{\\f4\\fbidi\\fnil\\fcharset177 David;}}"
    "{\\colortbl\\red0\\green0\\blue0;}"
    "{\\footer \\ltrpar \\qr\\pard\\plain \\af15\\afs24 \\ltrch \\tab - \\chpgn  - }";

// Accepts at most `room` bytes in all.
class LimitedStream : public TByteStream {
 public:
  explicit LimitedStream(std::size_t room) : room_(room) {}
  std::size_t Write(std::span<const uint8_t> bytes) override {
    const std::size_t n = std::min(room_, bytes.size());
    written_.insert(written_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    room_ -= n;
    return n;
  }
  std::vector<uint8_t> written_;

 private:
  std::size_t room_;
};

std::string TextOut(const std::vector<uint8_t>& text) {
  TRTFWriter w;
  TMemoryByteStream s;
  w.WriteHeader(s, "NotFound");
  const std::size_t start = s.Bytes().size();
  EXPECT_EQ(w.WriteText(text), TRTFWriter::kWriteOk);
  return std::string(s.Bytes().begin() + static_cast<std::ptrdiff_t>(start), s.Bytes().end());
}

TEST(RtfWriter, TextBytesAndEscapes) {
  struct Case {
    std::vector<uint8_t> in;
    std::string out;
  } cases[] = {
      {B({'a', 9, 'b', 10, 'c'}), "a\\tab b\\line c"},
      {B({0xE0}), "\\'e0"},
      {B({0, 1, 2, 3, 'x', 127}), "x\\'7f"},
      {B({4, 8, 11, 31, 0x14, 0xFF}), "\\'04\\'08\\'0b\\'1f\\'14\\'ff"},
      {B("{a}\\b"), "\\{a\\}\\\\b"},
      {B(" ~"), " ~"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextOut(c.in), c.out) << S(c.in);
}

TEST(RtfWriter, LongTextInChunksGivesTheSameBytes) {
  std::vector<uint8_t> text;
  for (int i = 0; i < 500; ++i) text.push_back(static_cast<uint8_t>(i % 3 == 0 ? 0xE0 + i % 27 : 'a' + i % 26));
  std::string expected;
  for (uint8_t b : text) {
    if (b >= 0xE0) {
      expected += "\\'";
      expected += "0123456789abcdef"[b >> 4];
      expected += "0123456789abcdef"[b & 15];
    } else {
      expected += static_cast<char>(b);
    }
  }
  EXPECT_EQ(TextOut(text), expected);
}

TEST(RtfWriter, WholeDocumentWithAndWithoutUserHead) {
  for (std::string_view head : {std::string_view("NotFound"), std::string_view("{\\header Mine}")}) {
    TRTFWriter w;
    TMemoryByteStream s;
    w.WriteHeader(s, head);
    w.BeginPar();
    EXPECT_EQ(w.WriteText(B("ab")), 0);
    EXPECT_EQ(w.WritePar(), 0);
    EXPECT_EQ(w.WriteTrailer(s), 0);
    std::string expected(kFixedHeader);
    if (head != "NotFound") expected += head;
    expected += "ab\\par\n\r\r\n}";
    EXPECT_EQ(S(s.Bytes()), expected);
  }
}

TEST(RtfWriter, UserHeadComesFromTheRegistryAndIsCut) {
  TempProgramFolder temp;
  TRTFWriter w;
  {
    TMemoryByteStream s;
    w.WriteHeader(s);
    EXPECT_EQ(S(s.Bytes()), kFixedHeader);
  }
  WriteRegString("RtfInf", "UserHead", std::string(3000, 'h'));
  TMemoryByteStream s;
  w.WriteHeader(s);
  EXPECT_EQ(S(s.Bytes()), std::string(kFixedHeader) + std::string(2048, 'h'));
}

TEST(RtfWriter, ShortWritesReportStatusSeven) {
  TRTFWriter w;
  LimitedStream full(0);
  w.WriteHeader(full, "NotFound");
  EXPECT_EQ(w.WriteText(B("abc")), TRTFWriter::kShortWrite);
  EXPECT_EQ(w.WritePar(), TRTFWriter::kShortWrite);
  EXPECT_EQ(w.WriteTrailer(full), TRTFWriter::kShortWrite);

  // A stream that fills up in the middle of a long text: the rest is skipped.
  LimitedStream some(kFixedHeader.size() + 50);
  w.WriteHeader(some, "NotFound");
  EXPECT_EQ(w.WriteText(std::vector<uint8_t>(400, 0xE0)), TRTFWriter::kShortWrite);
  EXPECT_EQ(some.written_.size(), kFixedHeader.size() + 50);
}

}  // namespace
}  // namespace nuvel::test
