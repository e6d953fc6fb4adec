// The system's Unicode table and the Windows-1255, 862 and ISO-8859-8 tables
// of the data file, checked byte by byte against the C library's converters.
#include <errno.h>
#include <iconv.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "core/charset.h"
#include "core/data_file.h"
#include "tests/core/conversion_fixture.h"

namespace nuvel {
namespace {

// The UTF-16 code the C library gives for one byte of `charset`; nullopt when
// the byte is undefined there.
std::optional<char16_t> LibcDecode(const char* charset, uint8_t byte) {
  iconv_t cd = iconv_open("UTF-16LE", charset);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char in[1] = {static_cast<char>(byte)};
  char out[16] = {};
  char* inp = in;
  char* outp = out;
  size_t inleft = 1;
  size_t outleft = sizeof out;
  const size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
  // Some converters hold a base letter back for a following combining mark.
  iconv(cd, nullptr, nullptr, &outp, &outleft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1) || outp - out != 2) return std::nullopt;
  return static_cast<char16_t>(static_cast<uint8_t>(out[0]) | (static_cast<uint8_t>(out[1]) << 8));
}

bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

struct CodePage {
  const char* charset;
  int mode;
  // Bytes where the system's DOS text keeps its own points (862 only).
  int own_first = -1, own_last = -2;
};

const CodePage kCodePages[] = {
    {"CP1255", 2},
    {"IBM862", 4, 0xC0, 0xD6},
    {"ISO-8859-8", 1},
};

ConvTableBytes Table(int mode, bool out) {
  std::vector<uint8_t> records(4 * kDataRecordSize);
  EXPECT_TRUE(ReadDataFileRecords(DataFileTableRecord(mode, out), records, 4));
  ConvTableBytes t{};
  std::copy_n(records.begin() + kTableOffsetInRecords, 256, t.begin());
  return t;
}

class CharsetAgainstLibc : public test::ConversionTest {};

TEST_F(CharsetAgainstLibc, UnicodeTableAgreesWithWindows1255) {
  ASSERT_TRUE(LibcDecode("CP1255", 0xE0).has_value()) << "the C library lacks CP1255";
  for (int b = 0; b < 256; ++b) {
    const auto libc = LibcDecode("CP1255", static_cast<uint8_t>(b));
    const char16_t own = HebUnicodeTable[b];
    // The system's own places: the pointed letters and 0x80, and the Latin-1
    // signs it keeps where Windows-1255 has the multiplication and division
    // signs and geresh and gershayim.
    const bool own_place = (b >= 0x80 && b <= 0x9F) || b == 0xAA || b == 0xBA || b == 0xD7 || b == 0xD8;
    if (libc && !own_place) {
      EXPECT_EQ(own, *libc) << std::hex << b;
    } else if (!libc && !own_place) {
      // Undefined in Windows-1255: Latin-1, or the point at 0xCA.
      EXPECT_TRUE(own == b || (b == 0xCA && own == 0x05BA)) << std::hex << b;
    }
  }
}

TEST_F(CharsetAgainstLibc, InTablesGiveTheSameCharacterOrAnAsciiLookAlike) {
  for (const auto& cp : kCodePages) {
    const ConvTableBytes in = Table(cp.mode, false);
    for (int c = 0; c < 256; ++c) {
      const auto libc = LibcDecode(cp.charset, static_cast<uint8_t>(c));
      const uint8_t got = in[c];
      SCOPED_TRACE(testing::Message() << cp.charset << " byte " << std::hex << c << " -> " << int(got));
      if (c >= cp.own_first && c <= cp.own_last) {
        EXPECT_EQ(got, c);
      } else if (cp.mode == 2 && (c == 0xC9 || c == 0xCC || c == 0xD1 || c == 0xD2)) {
        EXPECT_EQ(got, kComposeMark) << "composed by the converter";
      } else if (!libc || (IsControl(*libc) && UnicodeToHebChar(*libc) == 0 && *libc != 0)) {
        EXPECT_EQ(got, c) << "undefined bytes and controls pass";
      } else if (UnicodeToHebChar(*libc) != 0 || *libc == 0) {
        EXPECT_EQ(got, UnicodeToHebChar(*libc));
      } else {
        // A look-alike: ASCII, or the sheqel sign for the currency sign.
        EXPECT_TRUE(got < 0x80 || (*libc == 0x00A4 && got == 0xA4));
      }
    }
  }
}

TEST_F(CharsetAgainstLibc, OutTablesGiveTheSameCharacterOrAStandIn) {
  for (const auto& cp : kCodePages) {
    const ConvTableBytes out = Table(cp.mode, true);
    std::map<char16_t, int> in_code_page;
    for (int c = 255; c >= 0; --c) {
      if (auto u = LibcDecode(cp.charset, static_cast<uint8_t>(c))) in_code_page[*u] = c;
    }
    for (int b = 0; b < 256; ++b) {
      const char16_t own = HebUnicodeTable[b];
      const uint8_t got = out[b];
      const auto libc = LibcDecode(cp.charset, got);
      SCOPED_TRACE(testing::Message() << cp.charset << " own " << std::hex << b << " -> " << int(got));
      if (b >= cp.own_first && b <= cp.own_last) {
        EXPECT_EQ(got, b);
      } else if (cp.mode == 2 && IsPointedLetter(static_cast<uint8_t>(b))) {
        EXPECT_EQ(got, kComposeMark) << "decomposed by the converter";
      } else if (in_code_page.count(own)) {
        ASSERT_TRUE(libc.has_value());
        EXPECT_EQ(*libc, own);
      } else if (IsPointedLetter(static_cast<uint8_t>(b))) {
        ASSERT_TRUE(libc.has_value());
        EXPECT_EQ(*libc, HebUnicodeTable[PointedLetterParts(static_cast<uint8_t>(b))[0]]) << "the plain letter";
      } else if (own == 0x20AA && libc == u'\u00A4') {
        // The currency sign stands in for the sheqel sign.
      } else if (got == b) {
        EXPECT_TRUE(!libc || IsControl(*libc)) << "kept only where the code page has nothing";
      } else {
        EXPECT_LT(got, 0x80) << "an ASCII look-alike";
      }
    }
  }
}

}  // namespace
}  // namespace nuvel
