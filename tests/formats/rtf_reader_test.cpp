#include "formats/rtf_reader.h"

#include <gtest/gtest.h>

#include "tests/formats/formats_test_support.h"

namespace nuvel::test {
namespace {

struct Parsed {
  std::vector<std::string> paras;
  uint8_t error;
};

Parsed Parse(std::string_view rtf) {
  TParaVector sink;
  TRtfReader reader(sink);
  const uint8_t e = reader.ReadRtf(B(rtf));
  return {Strings(sink.Paras()), e};
}

using P = std::vector<std::string>;

TEST(RtfReader, BodyTextCases) {
  struct Case {
    const char* rtf;
    P paras;
  } cases[] = {
      {"{\\rtf1 one\\par two\\par}", {"one", "two"}},
      // Text after the last paragraph end is kept.
      {"{\\rtf1 one\\par tail}", {"one", "tail"}},
      {"{\\rtf1 a\\cell b\\cell}", {"a", "b"}},
      {"{\\rtf1 a\\line b\\tab c\\'e0\\'E1\\par}", {"a\nb\tc\xE0\xE1"}},
      {"{\\rtf1 \\{x\\}\\\\\\ldblquote q\\rdblquote\\par}", {"{x}\\\"q\""}},
      // Line ends of the source are not text; an empty paragraph survives.
      {"{\\rtf1 a\r\nb\\par\\par c\\par}", {"ab", "", "c"}},
      // A group marked \* with an unknown word is skipped; unmarked, its text stays.
      {"{\\rtf1 {\\*\\unknownword hidden}{\\otherword shown}\\par}", {"shown"}},
      {"{\\rtf1 {\\*\\fldinst HYPERLINK x}{\\fldrslt result}\\par}", {"result"}},
      {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1;}{\\info{\\title T}{\\author A}}"
       "{\\stylesheet{Normal;}}{\\header H\\par}{\\footnote F\\par}{\\comment C}body\\par}",
       {"body"}},
      {"{\\rtf1 {\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}\\par}", {"7"}},
      // Picture data, as hexadecimal digits and as \bin bytes, never reaches the text.
      {"{\\rtf1 {\\pict\\pngblip 89abcdef0123}a{\\pict\\bin5 {}\\\\}}b\\par}", {"ab"}},
      // The parse ends when the outer group closes.
      {"{\\rtf1 a\\par}b\\par", {"a"}},
  };
  for (const auto& c : cases) {
    const Parsed p = Parse(c.rtf);
    EXPECT_EQ(p.paras, c.paras) << c.rtf;
    EXPECT_EQ(p.error, TRtfReader::kOk) << c.rtf;
  }
}

TEST(RtfReader, ZeroByteInTheSourceEndsTheParse) {
  const std::string rtf("{\\rtf1 a\\par b\0c\\par}", 21);
  EXPECT_EQ(Parse(rtf).paras, (P{"a", "b"}));
}

TEST(RtfReader, UnicodeCharactersAndTheirFallback) {
  struct Case {
    const char* rtf;
    std::vector<uint8_t> para;
  } cases[] = {
      {"{\\rtf1 \\u1488?\\u1489?\\par}", B({0xE0, 0xE1})},
      {"{\\rtf1 \\u1488\\'e0 x\\par}", B({0xE0, ' ', 'x'})},
      {"{\\rtf1 \\uc0\\u1488 \\u1492\\par}", B({0xE0, 0xE4})},
      {"{\\rtf1 \\uc2\\u1488\\'3f\\'3fz\\par}", B({0xE0, 'z'})},
      // \uc lasts to the end of its group.
      {"{\\rtf1 {\\uc2\\u1488??}\\u1489?\\par}", B({0xE0, 0xE1})},
      // A precomposed pointed letter, written negative: its letter and point.
      {"{\\rtf1 \\u-1231?\\par}", B({0xE1, 0xCC})},
      // Points, the sheqel sign and the euro have Windows-1255 bytes.
      {"{\\rtf1 \\u1468?\\u8362?\\u8364?\\par}", B({0xCC, 0xA4, 0x80})},
      // A character the code page cannot show keeps its fallback.
      {"{\\rtf1 \\u9731?\\u9731\\'2a\\par}", B({'?', '*'})},
  };
  for (const auto& c : cases) {
    TParaVector sink;
    TRtfReader reader(sink);
    EXPECT_EQ(reader.ReadRtf(B(c.rtf)), 0) << c.rtf;
    ASSERT_EQ(sink.Paras().size(), 1u) << c.rtf;
    EXPECT_EQ(sink.Paras()[0], c.para) << c.rtf;
  }
}

TEST(RtfReader, VerbatimTextUpToWpRtf0) {
  EXPECT_EQ(Parse("{\\rtf1 \\wprtf {a}\\b\\wprtf0 x\\par}").paras, (P{"{a}\\b x"}));
  // A partial match goes to the text as it stands.
  EXPECT_EQ(Parse("{\\rtf1 \\wprtf \\wpx\\wprtf0\\par}").paras, (P{"\\wpx"}));
}

TEST(RtfReader, LongParagraphsAreSplitAfter30001Bytes) {
  const std::string body(70000, 'x');
  const Parsed p = Parse("{\\rtf1 " + body + "\\par}");
  ASSERT_EQ(p.paras.size(), 3u);
  EXPECT_EQ(p.paras[0].size(), 30001u);
  EXPECT_EQ(p.paras[1].size(), 30001u);
  EXPECT_EQ(p.paras[2].size(), 70000u - 60002u);
}

TEST(RtfReader, Errors) {
  struct Case {
    const char* rtf;
    uint8_t error;
    P paras;
  } cases[] = {
      // A stray closing brace is passed over.
      {"}a", TRtfReader::kStackUnderflow, {"a"}},
      // A bad escape is dropped and what follows it is read as text.
      {"{\\rtf1 a\\'zz b\\par}", TRtfReader::kInvalidHex, {"azz b"}},
      {"{\\rtf1 Paragraph one.\\par Price 5\\'4 dollars.\\par Paragraph three.\\par}", TRtfReader::kInvalidHex,
       {"Paragraph one.", "Price 5 dollars.", "Paragraph three."}},
      // An escape cut off by a brace or a control word.
      {"{\\rtf1 {a\\'4}b\\'e0\\par c\\par}", TRtfReader::kInvalidHex, {"ab\xE0", "c"}},
      {"{\\rtf1 a\\'4\\par b\\par}", TRtfReader::kInvalidHex, {"a", "b"}},
      // The first damage is the one reported; reading goes on past both.
      {"{\\rtf1 a\\'4x\\par}}b\\par", TRtfReader::kInvalidHex, {"ax"}},
      {"}{\\rtf1 a\\'4x\\par}", TRtfReader::kStackUnderflow, {"ax"}},
      // Cut short: inside a control word, or with its groups still open.
      {"{\\rtf1 a\\", TRtfReader::kEndOfFile, {"a"}},
      {"{\\rtf1 a\\par b", TRtfReader::kEndOfFile, {"a", "b"}},
      {"{\\rtf1 {\\b a}\\par {\\i b", TRtfReader::kEndOfFile, {"a", "b"}},
  };
  for (const auto& c : cases) {
    const Parsed p = Parse(c.rtf);
    EXPECT_EQ(p.error, c.error) << c.rtf;
    EXPECT_EQ(p.paras, c.paras) << c.rtf;
  }
}

TEST(RtfReader, StopsAtTheFirstAppendError) {
  class FullSink : public TParaSink {
   public:
    uint16_t AppendParaText(std::span<const uint8_t>) override { return ++calls == 2 ? 265 : 0; }
    int calls = 0;
  } sink;
  TRtfReader reader(sink);
  reader.ReadRtf(B("{\\rtf1 a\\par b\\par c\\par d\\par}"));
  EXPECT_EQ(reader.AppendError(), 265);
  EXPECT_EQ(sink.calls, 2);
}

}  // namespace
}  // namespace nuvel::test
