#include "formats/lines_read_ahead.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/conv_engine.h"
#include "formats/text_readers.h"
#include "tests/formats/formats_test_support.h"

namespace nuvel::test {
namespace {

// Records the paragraphs it is given; refuses the one at `failAt`.
class RecordingSink : public TParaSink {
 public:
  explicit RecordingSink(bool trims, std::size_t failAt = SIZE_MAX) : trims_(trims), failAt_(failAt) {}
  uint16_t AppendParaText(std::span<const uint8_t> text) override {
    if (paras.size() == failAt_) return 264;
    paras.emplace_back(text.begin(), text.end());
    return 0;
  }
  bool TrimsTrailingBlanks() const override { return trims_; }
  std::vector<std::vector<uint8_t>> paras;

 private:
  bool trims_;
  std::size_t failAt_;
};

struct Outcome {
  std::vector<std::vector<uint8_t>> paras;
  uint16_t error = 0;
  uint64_t nulBytes = 0, splitLines = 0, crLineEnds = 0, lfLineEnds = 0;
  bool nulSeen = false;
  bool changed = false;
  uint64_t lostChars = 0;
  bool operator==(const Outcome&) const = default;
};

Outcome Noted(const TReaderInput& in, RecordingSink& sink, uint16_t error, const TConvertReport& report) {
  return {sink.paras, error, in.nulBytes, in.splitLines, in.crLineEnds, in.lfLineEnds, in.nulSeen,
          report.changed, report.lostChars};
}

// What reading the lines one by one, converting each as it comes, gives.
Outcome OneByOne(std::span<const uint8_t> file, int mode, bool trims, std::optional<bool> turnFor, std::size_t failAt) {
  TReaderInput in(file);
  TParagraphInConversion conversion(mode, turnFor);
  RecordingSink sink(trims, failAt);
  std::vector<uint8_t> line, converted;
  uint16_t error = 0;
  while (!in.AtEnd() && error == 0) {
    line.clear();
    if (ReadLine(in, line, kLineBufferSize).cut) ++in.splitLines;
    std::span<const uint8_t> text(line);
    while (trims && !text.empty() && (text.back() == ' ' || text.back() == '\t')) text = text.first(text.size() - 1);
    if (!text.empty()) {
      conversion.Convert(text, converted);
      text = converted;
    }
    error = sink.AppendParaText(text);
  }
  return Noted(in, sink, error, conversion.Report());
}

Outcome Ahead(std::span<const uint8_t> file, int mode, bool trims, std::optional<bool> turnFor, std::size_t failAt,
              std::size_t partBytes) {
  TReaderInput in(file);
  RecordingSink sink(trims, failAt);
  TConvertReport report;
  const uint16_t error = ReadLinesAhead(
      in, sink, [&] { return std::make_unique<TParagraphInConversion>(mode, turnFor); }, report, partBytes);
  return Noted(in, sink, error, report);
}

// Random text: pointed Hebrew, English, digits, blanks at line ends, zero
// bytes, every kind of line end, and lines longer than a paragraph may be.
std::string RandomFile(std::mt19937& random) {
  const std::string pool = "\xE0\xE1\xE5\xF9\xC8\xCC\xD1\x93" "abcZ019.,$() \t";
  std::string file;
  const int lines = 200 + static_cast<int>(random() % 400);
  for (int i = 0; i < lines; ++i) {
    const std::size_t length = random() % 20 == 0 ? 32760 + random() % 20 : random() % 60;
    for (std::size_t k = 0; k < length; ++k) file += pool[random() % pool.size()];
    if (random() % 10 == 0) file += '\0';
    if (random() % 5 == 0) file += "  ";
    static const char* const ends[] = {"\r\n", "\n", "\r", "\r\n", "\r\n"};
    file += ends[random() % 5];
  }
  if (random() % 2) file += "last line without an end";
  return file;
}

// Parts of every size, from a few bytes to more than the whole file, give
// what reading line by line gives; so does a sink that refuses a paragraph.
TEST(LinesReadAhead, SameAsReadingLineByLine) {
  std::mt19937 random(862);
  for (int round = 0; round < 12; ++round) {
    const std::string file = RandomFile(random);
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(file.data()), file.size());
    const int mode = round % 3 == 0 ? kConvNuvelDos : kConvCp1255;
    const std::optional<bool> turnFor = round % 3 == 0 ? std::nullopt : std::optional<bool>(round % 2 == 0);
    const bool trims = round % 4 != 1;
    const std::size_t failAt = round % 5 == 4 ? 100 + random() % 200 : SIZE_MAX;
    const Outcome expected = OneByOne(bytes, mode, trims, turnFor, failAt);
    for (const std::size_t part : {std::size_t{1}, std::size_t{70}, std::size_t{4096}, file.size() * 2}) {
      EXPECT_EQ(Ahead(bytes, mode, trims, turnFor, failAt, part), expected) << "round " << round << ", parts of " << part;
    }
  }
}

}  // namespace
}  // namespace nuvel::test
