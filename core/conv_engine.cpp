#include "core/conv_engine.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "core/charset.h"
#include "core/conv_cp1255_runs.h"
#include "core/conv_letters.h"

namespace nuvel {
namespace {

// One step reads the byte at `i` (and may look ahead), appends to `out` and
// may change the last converted bytes. It answers the next input position.
// A later input byte that a step removes is noted in `removed` (ascending);
// look-aheads and the steps after it pass over it, as if the input had
// closed up behind it.
struct Step {
  const ConvSettings& s;
  const uint8_t* t;
  std::span<const uint8_t> in;
  std::vector<uint8_t>& out;
  std::vector<std::size_t> removed = {};

  bool IsRemoved(std::size_t j) const {
    for (std::size_t r : removed) {
      if (r == j) return true;
    }
    return false;
  }
  // The first input position at or after `j` that is not removed.
  std::size_t Live(std::size_t j) const {
    while (IsRemoved(j)) ++j;
    return j;
  }
  bool Has(std::size_t j) const { return j < in.size(); }
  void Remove(std::size_t j) {
    removed.push_back(j);
    std::sort(removed.begin(), removed.end());
  }

  static uint8_t Swap9899(uint8_t b) { return b == 0x98 ? 0x99 : b == 0x99 ? 0x98 : b; }

  // ---- Modes 2 and 9, direction out: decomposition of pointed letters.
  std::size_t Decompose(std::size_t i) {
    const uint8_t b = in[i++];
    if (PassesThroughTable(b) || t[b] != kComposeMark) {
      // A holam right after a shin stays a holam whatever the table says.
      if (b == kHolam && !out.empty() && out.back() == t[kShin]) {
        out.push_back(kHolam);
      } else {
        out.push_back(t[b]);
      }
      return i;
    }
    const uint8_t letter = s.mode == kConvWindowsFonts ? Swap9899(b) : b;
    const auto parts = PointedLetterParts(letter);
    if (parts.empty()) {
      out.push_back(b);
      return i;
    }
    for (uint8_t p : parts) out.push_back(t[p]);
    // Mode 9 writes for fonts that draw a shin's holam as its sin dot: after
    // a shin with dagesh and sin dot, then a point, a holam stands for that
    // dot and goes. Windows-1255 (mode 2) keeps every holam.
    if (letter == 0x99 && s.mode == kConvWindowsFonts) {
      const std::size_t next = Live(i);
      const std::size_t after = Live(next + 1);
      if (Has(after) && IsPoint(t[in[next]]) && t[in[after]] == kHolam) Remove(after);
    }
    return i;
  }

  // ---- Modes 2 and 9, direction in: composition of pointed letters.
  // Points that may stand between a letter and its dagesh or dot: the
  // vowels (Unicode's canonical order puts them first), the meteg and rafe.
  // The converted letter that a dagesh or dot at the end of `out` belongs to:
  // the last byte before the vowels that end `out`; out.size() when none.
  std::size_t LetterBeforeVowels() const {
    std::size_t k = out.size();
    while (k > 0 && IsVowelBetween(out[k - 1])) --k;
    return k == 0 ? out.size() : k - 1;
  }

  std::size_t Compose(std::size_t i) {
    const uint8_t b = in[i++];
    if (PassesThroughTable(b)) {
      out.push_back(t[b]);
      return i;
    }
    uint8_t* prev = out.empty() ? nullptr : &out.back();
    // The byte the mode 9 exchange applies to: the last one written, or the
    // letter a point was absorbed into.
    std::size_t touched = out.size();
    if (t[b] == kComposeMark) {
      const std::size_t at = LetterBeforeVowels();
      uint8_t* letter = at < out.size() ? &out[at] : nullptr;
      bool absorbed = true;
      if (b == kHolam) {
        if (prev && *prev == kVav) {
          *prev = 0x8D;
        } else if (prev && *prev == kLamed) {
          *prev = 0x8F;
        } else if (prev && *prev == 0x8C) {  // lamed with dagesh
          *prev = 0x93;
        } else {
          absorbed = false;
          out.push_back(kHolam);
        }
        if (absorbed) touched = out.size() - 1;
      } else if (b == kDagesh) {
        if (letter && HasDageshForm(*letter)) {
          *letter = static_cast<uint8_t>(*letter - 0x60);
        } else if (letter && *letter == 0x8F) {  // lamed with holam
          *letter = 0x93;
        } else if (letter && *letter == 0x95) {  // shin with shin dot
          *letter = 0x98;
        } else if (letter && *letter == 0x9B) {  // shin with sin dot
          *letter = 0x99;
        } else {
          absorbed = false;
          out.push_back(kDagesh);
        }
        if (absorbed) touched = at;
      } else if (b == s.shin_dot) {
        if (letter && *letter == kShin) {
          *letter = 0x95;
        } else if (letter && *letter == 0x99) {
          *letter = 0x98;
        } else {
          absorbed = false;
          out.push_back(kShinDot);
        }
        if (absorbed) touched = at;
      } else if (b == s.sin_dot) {
        if (letter && *letter == kShin) {
          *letter = 0x9B;
          touched = at;
        } else if (letter && *letter == 0x99) {
          // Shin with dagesh already carries the sin dot.
          touched = at;
        } else {
          out.push_back(kHolam);
        }
      }
      // Any other marked byte is dropped.
    } else {
      const uint8_t r = t[b];
      if ((r == kSheva || r == kQamats) && prev && *prev == kFinalKaf) {
        *prev = r == kSheva ? 0x87 : 0x92;
        touched = out.size() - 1;
      } else if (IsPoint(r) && prev && *prev == kHolam) {
        // Holam goes after the other points.
        *prev = r;
        out.push_back(kHolam);
      } else {
        out.push_back(r);
      }
    }
    if (s.mode == kConvWindowsFonts && b != kDagesh && touched < out.size()) {
      out[touched] = Swap9899(out[touched]);
    }
    return i;
  }

  // ---- Mode 6, direction out: 3B2 entities.
  void Append(std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

  std::size_t Write3B2(std::size_t i) {
    const uint8_t b = in[i++];
    switch (b) {
      case 0x09:
        Append("&#TAB;");
        return i;
      case 0x1F:
        Append("&#131;");
        return i;
      case '<':
      case '>':
        if (Has(Live(i)) && in[Live(i)] == b) {
          Append(b == '<' ? "&#60;" : "&#62;");
          Remove(Live(i));
          return i;
        }
        out.push_back(t[b]);
        return i;
      case 0x8F:
        out.push_back(0xCE);
        out.push_back(0xE0);
        return i;
      case 0x93:
        out.push_back(0xEB);
        out.push_back(0xE0);
        return i;
      case 0x99:
      case 0x9B: {
        out.push_back(b == 0x99 ? 0xF5 : 0xF3);
        const std::size_t next = Live(i);
        const std::size_t after = Live(next + 1);
        auto is_a5_a6 = [this](std::size_t j) { return Has(j) && (in[j] == 0xA5 || in[j] == 0xA6); };
        if (is_a5_a6(next)) {
          Remove(next);
        } else if (Has(next) && in[next] >= 0x9B && in[next] <= 0xA4 && is_a5_a6(after)) {
          Remove(after);
        }
        return i;
      }
      default:
        break;
    }
    if (b >= 0xCF && b <= 0xD8) {
      Append("&#142;");
      out.push_back(static_cast<uint8_t>('0' + (b - 0xCF)));
      Append("&#144;");
      return i;
    }
    out.push_back(t[b]);
    return i;
  }

  // ---- Mode 6, direction in: 3B2 entities.
  bool Matches(std::size_t i, std::string_view text) const {
    if (i + text.size() > in.size()) return false;
    for (std::size_t k = 0; k < text.size(); ++k) {
      if (in[i + k] != static_cast<uint8_t>(text[k])) return false;
    }
    return true;
  }

  std::size_t Read3B2(std::size_t i) {
    const uint8_t b = in[i++];
    if (b != '&') {
      out.push_back(t[b]);
      return i;
    }
    if (Matches(i, "#TAB;")) {
      out.push_back(0x09);
      return i + 5;
    }
    if (!Matches(i, "#")) {
      out.push_back('&');
      return i;
    }
    // "&#" digits ";" with digits '0'..'9' and '.'.
    std::size_t j = i + 1;
    bool dot = false;
    while (j < in.size() && ((in[j] >= '0' && in[j] <= '9') || in[j] == '.')) {
      dot = dot || in[j] == '.';
      ++j;
    }
    if (j == i + 1 || j >= in.size() || in[j] != ';' || dot) {
      out.push_back('&');
      return i;
    }
    unsigned value = 0;
    const auto* first = reinterpret_cast<const char*>(in.data() + i + 1);
    const auto* last = reinterpret_cast<const char*>(in.data() + j);
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || value == 0 || value > 255) {
      out.push_back('&');
      return i;
    }
    const std::size_t after = j + 1;
    if (value == 142 && Has(after) && in[after] >= '0' && in[after] <= '9' && Matches(after + 1, "&#144;")) {
      out.push_back(static_cast<uint8_t>(0xCF + (in[after] - '0')));
      return after + 7;
    }
    // The entities the writer makes for its own special bytes.
    if (value == 60 || value == 62) {
      out.push_back(static_cast<uint8_t>(value));
      out.push_back(static_cast<uint8_t>(value));
    } else if (value == 131) {
      out.push_back(0x1F);
    } else {
      out.push_back(static_cast<uint8_t>(value));
    }
    return after;
  }

  std::size_t Run(std::size_t i) {
    switch (s.mode) {
      case kConvWindows31:
      case kConvNuvelDos:
      case kConvEinstein:
        out.push_back(t[in[i]]);
        return i + 1;
      case kConvCp1255:
      case kConvWindowsFonts:
        return s.out ? Decompose(i) : Compose(i);
      case kConv3B2:
        return s.out ? Write3B2(i) : Read3B2(i);
      default:
        out.push_back(in[i]);
        return i + 1;
    }
  }
};

}  // namespace

bool ModeConvertsBytes(int mode) {
  switch (mode) {
    case kConvWindows31:
    case kConvCp1255:
    case kConvNuvelDos:
    case kConvEinstein:
    case kConv3B2:
    case kConvWindowsFonts:
      return true;
    default:
      return false;
  }
}

void ConvertBytes(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  if (!ModeConvertsBytes(s.mode) || s.table == nullptr) {
    out.insert(out.end(), in.begin(), in.end());
    return;
  }
  const uint8_t* t = s.table;
  if (s.mode == kConvWindows31 || s.mode == kConvNuvelDos || s.mode == kConvEinstein) {
    const std::size_t base = out.size();
    out.resize(base + in.size());
    uint8_t* o = out.data() + base;
    for (std::size_t i = 0; i < in.size(); ++i) o[i] = t[in[i]];
    return;
  }
  if (s.mode == kConvCp1255) {
    if (s.out) {
      DecomposeCp1255Runs(s, in, out);
    } else {
      ComposeCp1255Runs(s, in, out);
    }
    return;
  }
  ConvertBytesByStep(s, in, out);
}

std::optional<std::size_t> ConvertBytesInPlace(const ConvSettings& s, std::span<uint8_t> text) {
  if (s.table == nullptr) return std::nullopt;
  const uint8_t* t = s.table;
  if (s.mode == kConvWindows31 || s.mode == kConvNuvelDos || s.mode == kConvEinstein) {
    for (uint8_t& b : text) b = t[b];
    return text.size();
  }
  if (s.mode == kConvCp1255 && !s.out) return ComposeCp1255Runs(s, text.data(), text.size(), text.data(), 0);
  return std::nullopt;
}

void ConvertBytesByStep(const ConvSettings& s, std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  if (!ModeConvertsBytes(s.mode) || s.table == nullptr) {
    out.insert(out.end(), in.begin(), in.end());
    return;
  }
  out.reserve(out.size() + in.size() + in.size() / 8 + 16);
  Step step{s, s.table, in, out};
  std::size_t i = 0;
  while (i < in.size()) {
    if (!step.removed.empty() && step.IsRemoved(i)) {
      ++i;
      continue;
    }
    i = step.Run(i);
  }
}

std::size_t ConvertCharAt(const ConvSettings& s, std::vector<uint8_t>& buf, std::size_t pos,
                          std::optional<char16_t>* wide) {
  if (pos >= buf.size()) return pos;
  if (s.mode == kConvUnicode) {
    if (s.out && wide != nullptr) *wide = HebUnicodeTable[buf[pos]];
    return pos + 1;
  }
  if (!ModeConvertsBytes(s.mode) || s.table == nullptr) return pos + 1;
  // The step works on a copy of the two converted bytes before `pos`, so
  // that composition can change them, and on the unconverted rest.
  // A dagesh or dot may belong to a letter before a run of vowels: the
  // context reaches back over that run to its letter, as the whole
  // conversion sees it.
  std::size_t k = pos;
  while (k > 0 && IsVowelBetween(buf[k - 1])) --k;
  const std::size_t overVowels = k > 0 ? pos - (k - 1) : pos;
  const std::size_t context = std::max(std::min<std::size_t>(pos, 2), overVowels);
  std::vector<uint8_t> out(buf.begin() + static_cast<std::ptrdiff_t>(pos - context),
                           buf.begin() + static_cast<std::ptrdiff_t>(pos));
  const std::span<const uint8_t> rest(buf.data() + pos, buf.size() - pos);
  Step step{s, s.table, rest, out};
  const std::size_t consumed = step.Run(0);
  std::vector<uint8_t> tail;
  tail.reserve(rest.size() - consumed);
  for (std::size_t j = consumed; j < rest.size(); ++j) {
    if (!step.IsRemoved(j)) tail.push_back(rest[j]);
  }
  const std::size_t written = out.size() - context;
  buf.resize(pos - context);
  buf.insert(buf.end(), out.begin(), out.end());
  buf.insert(buf.end(), tail.begin(), tail.end());
  return pos + written;
}

}  // namespace nuvel
