#include "formats/lzh_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/named_pipe.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

Bytes RandomBytes(std::size_t n, unsigned seed, unsigned alphabet = 256) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& x : b) x = static_cast<uint8_t>(rng() % alphabet);
  return b;
}

// Mixed English and Hebrew (the system's 8-bit letters) text with repeats.
Bytes SampleText(std::size_t n) {
  const std::string words[] = {"the ", "editor ", "\xF9\xEC\xE5\xED ", "\xE1\xF8\xE0\xF9\xE9\xFA ",
                               "file ", "\r\n", "compress ", "\xE0\xE1\xE2 ", "Nuvel ", "12345 "};
  std::mt19937 rng(7);
  Bytes b;
  while (b.size() < n) {
    const std::string& w = words[rng() % std::size(words)];
    b.insert(b.end(), w.begin(), w.end());
  }
  b.resize(n);
  return b;
}

TEST(LzhFile, EmptyInputIsTheHeaderAndFourZeroBytes) {
  Bytes packed = CompressBytes({});
  Bytes expected = ToBytes(kCompressHeader);
  expected.insert(expected.end(), {0, 0, 0, 0});
  EXPECT_EQ(packed, expected);
  EXPECT_EQ(packed.size(), 35u);
  EXPECT_TRUE(DeCompressBytes(packed).empty());
}

TEST(LzhFile, OneByteHasTheHandCheckedCode) {
  // "A" is leaf 65 of the starting tree; its 9-bit code from the root is
  // 111001101, padded with zero bits.
  Bytes packed = CompressBytes(ToBytes("A"));
  Bytes expected = ToBytes(kCompressHeader);
  expected.insert(expected.end(), {1, 0, 0, 0, 0xE6, 0x80});
  EXPECT_EQ(packed, expected);
}

TEST(LzhFile, SizeIsStoredLittleEndianAfterTheHeader) {
  Bytes packed = CompressBytes(Bytes(0x010203, 'x'));
  ASSERT_GE(packed.size(), 35u);
  EXPECT_EQ(packed[31], 0x03);
  EXPECT_EQ(packed[32], 0x02);
  EXPECT_EQ(packed[33], 0x01);
  EXPECT_EQ(packed[34], 0x00);
}

struct RoundTripCase {
  const char* name;
  Bytes data;
};

TEST(LzhFile, RoundTripsKeepEveryByte) {
  const RoundTripCase cases[] = {
      {"one byte", Bytes{0x42}},
      {"59 bytes", SampleText(59)},
      {"60 bytes", SampleText(60)},
      {"61 bytes", SampleText(61)},
      {"4095 bytes", SampleText(4095)},
      {"4096 bytes", SampleText(4096)},
      {"4097 bytes", SampleText(4097)},
      {"5000 equal bytes", Bytes(5000, 'z')},
      {"5000 spaces (the ring's fill)", Bytes(5000, ' ')},
      {"every byte value", [] {
         Bytes b;
         for (int r = 0; r < 3; ++r)
           for (int i = 0; i < 256; ++i) b.push_back(static_cast<uint8_t>(i));
         return b;
       }()},
      {"100 KB random (past the tree rebuild)", RandomBytes(100 * 1024, 1)},
      {"200 KB small alphabet (long matches)", RandomBytes(200 * 1024, 2, 3)},
      {"300 KB text", SampleText(300 * 1024)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes packed = CompressBytes(c.data);
    EXPECT_EQ(DeCompressBytes(packed), c.data);
  }
}

TEST(LzhFile, EqualBytesCompressToLongMatches) {
  // 84 matches of 60 bytes, each a short length code and a 9-bit position.
  Bytes packed = CompressBytes(Bytes(5000, 'z'));
  EXPECT_LT(packed.size() - 35, 150u);
}

TEST(LzhFile, OlderHeaderExpandsTheSame) {
  Bytes data = SampleText(3000);
  Bytes packed = CompressBytes(data);
  Bytes older = ToBytes(kCompressHeaderOld);
  older.insert(older.end(), packed.begin() + 31, packed.end());
  EXPECT_EQ(kCompressHeaderOld.size(), 38u);
  EXPECT_EQ(DeCompressBytes(older), data);
}

TEST(LzhFile, MissingHeaderIsRefused) {
  const Bytes cases[] = {
      {},
      ToBytes("This file compressed by Nuvel!\x1A\0\0\0\0"),
      ToBytes("This file compressed by Nuvel."),  // no 0x1A
      ToBytes("plain text that was never compressed at all"),
  };
  for (const Bytes& c : cases) {
    try {
      DeCompressBytes(c);
      ADD_FAILURE() << "accepted " << c.size() << " bytes";
    } catch (const ECompressError& e) {
      EXPECT_STREQ(e.what(), "Missing Compress Header!");
    }
  }
}

TEST(LzhFile, DamagedOrTruncatedStreamsAreRejected) {
  Bytes good = CompressBytes(SampleText(20000));
  std::vector<std::pair<const char*, Bytes>> cases;
  cases.push_back({"header without size", Bytes(good.begin(), good.begin() + 33)});
  cases.push_back({"size without stream", Bytes(good.begin(), good.begin() + 35)});
  cases.push_back({"stream cut in half", Bytes(good.begin(), good.begin() + good.size() / 2)});
  cases.push_back({"last byte missing", Bytes(good.begin(), good.end() - 1)});
  Bytes bigger = good;
  bigger[34] = 0x10;  // claims far more than the stream holds
  cases.push_back({"size beyond the stream", bigger});
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    EXPECT_THROW(DeCompressBytes(bytes), ECompressError);
  }
}

TEST(LzhFile, CopiesStopAtTheStoredSize) {
  Bytes packed = CompressBytes(Bytes(100, 'a'));
  packed[31] = 50;  // the first 50 bytes are a literal and long matches
  EXPECT_EQ(DeCompressBytes(packed), Bytes(50, 'a'));
  packed[31] = 2;  // cut inside the first match
  EXPECT_EQ(DeCompressBytes(packed), Bytes(2, 'a'));
}

TEST(LzhFile, CorruptBitsNeverReadOutOfBounds) {
  Bytes good = CompressBytes(SampleText(5000));
  std::mt19937 rng(3);
  for (int round = 0; round < 200; ++round) {
    Bytes bad = good;
    for (int k = 0; k < 4; ++k) bad[35 + rng() % (bad.size() - 35)] ^= static_cast<uint8_t>(1u << (rng() % 8));
    try {
      Bytes out = DeCompressBytes(bad);
      EXPECT_EQ(out.size(), 5000u);
    } catch (const ECompressError&) {
    }
  }
}

class LzhFiles : public ::testing::Test {
 protected:
  test::TempProgramFolder temp;
  std::string P(const char* name) const { return temp.Path(name).string(); }
  void Write(const char* name, const Bytes& b) const { temp.WriteFile(name, std::string(b.begin(), b.end())); }
  Bytes Read(const char* name) const {
    std::string s = temp.ReadFile(name);
    return Bytes(s.begin(), s.end());
  }
};

TEST_F(LzhFiles, CompressAndExpandFilesAndReport) {
  // Larger than the file buffers, so the streams refill mid-run.
  Bytes data = SampleText(200000);
  Write("in.txt", data);
  CompressReport report = Compress(P("in.txt"), P("in.lzh"));
  Bytes packed = Read("in.lzh");
  EXPECT_EQ(packed, CompressBytes(data));
  EXPECT_EQ(report.textsize, 200000u);
  EXPECT_EQ(report.codesize, packed.size() - 35);
  DeCompress(P("in.lzh"), P("out.txt"));
  EXPECT_EQ(Read("out.txt"), data);

  std::string expected = "File: " + P("in.txt") + "\rinput size:  200000 bytes\rCompressed File: " + P("in.lzh") +
                         "\rcompressed size: " + std::to_string(report.codesize) +
                         " bytes\rcompression: " + std::to_string(report.codesize * 100 / 200000) + "%";
  EXPECT_EQ(CompressReportText(report), expected);
}

TEST_F(LzhFiles, EmptyFileRoundTripsAndReportsZeroPercent) {
  Write("empty", {});
  CompressReport report = Compress(P("empty"), P("empty.lzh"));
  EXPECT_EQ(Read("empty.lzh").size(), 35u);
  EXPECT_THAT(CompressReportText(report), ::testing::EndsWith("compression: 0%"));
  Write("stale", ToBytes("old"));
  DeCompress(P("empty.lzh"), P("stale"));
  EXPECT_TRUE(std::filesystem::exists(P("stale")));
  EXPECT_TRUE(Read("stale").empty());
}

TEST_F(LzhFiles, CompressedFileBeginsWithReadableHeaderLine) {
  Write("in", ToBytes("hello"));
  Compress(P("in"), P("out"));
  std::string raw = temp.ReadFile("out");
  EXPECT_EQ(raw.substr(0, 31), "This file compressed by Nuvel.\x1A");
}

TEST_F(LzhFiles, OntoItselfIsRefused) {
  Bytes data = ToBytes("some text");
  Write("same", data);
  EXPECT_THROW(Compress(P("same"), P("same")), ECompressError);
  EXPECT_THROW(Compress(P("same"), temp.Folder() + "./same"), ECompressError);
  EXPECT_EQ(Read("same"), data);
  Write("packed", CompressBytes(data));
  EXPECT_THROW(DeCompress(P("packed"), P("packed")), ECompressError);
  EXPECT_EQ(Read("packed"), CompressBytes(data));
}

TEST_F(LzhFiles, FilesOf4GiBAreRefused) {
  // A sparse file: its size is all that matters.
  Write("huge", {});
  std::filesystem::resize_file(P("huge"), uint64_t{1} << 32);
  try {
    Compress(P("huge"), P("huge.lzh"));
    ADD_FAILURE() << "accepted";
  } catch (const ECompressError& e) {
    EXPECT_STREQ(e.what(), "Files of 4 GB or more cannot be compressed");
  }
  EXPECT_FALSE(std::filesystem::exists(P("huge.lzh")));
}

TEST_F(LzhFiles, ANamedPipeIsRefusedAtOnce) {
  const test::NamedPipe pipe(temp.Path("pipe"));
  ASSERT_TRUE(pipe.Made());
  const std::function<void()> runs[] = {[&] { Compress(pipe.Name(), P("out")); },
                                        [&] { DeCompress(pipe.Name(), P("out")); }};
  for (const auto& run : runs) {
    bool refused = false;
    const auto refuse = [&] {
      try {
        run();
      } catch (const ECompressError&) {
        refused = true;
      }
    };
    EXPECT_TRUE(pipe.EndsWithinASecond(refuse)) << "waited for a writer";
    EXPECT_TRUE(refused);
  }
  EXPECT_FALSE(std::filesystem::exists(P("out")));
}

TEST_F(LzhFiles, FailuresLeaveNoPartialOutput) {
  Bytes packed = CompressBytes(SampleText(30000));
  Write("cut.lzh", Bytes(packed.begin(), packed.begin() + packed.size() / 2));
  Write("plain", ToBytes("no header here, just text"));
  Write("kept", ToBytes("the old content"));

  EXPECT_THROW(DeCompress(P("cut.lzh"), P("out")), ECompressError);
  EXPECT_FALSE(std::filesystem::exists(P("out")));
  EXPECT_THROW(DeCompress(P("cut.lzh"), P("kept")), ECompressError);
  EXPECT_EQ(Read("kept"), ToBytes("the old content"));
  EXPECT_THROW(DeCompress(P("plain"), P("out")), ECompressError);
  EXPECT_FALSE(std::filesystem::exists(P("out")));
  EXPECT_THROW(Compress(P("missing"), P("out")), ECompressError);
  EXPECT_THROW(DeCompress(P("missing"), P("out")), ECompressError);
  EXPECT_THROW(Compress(P("plain"), temp.Folder() + "no/such/folder/out"), ECompressError);
  // Nothing but the files written above is left in the folder.
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(temp.Folder())) ++files;
  EXPECT_EQ(files, 3);
}

}  // namespace
}  // namespace nuvel
