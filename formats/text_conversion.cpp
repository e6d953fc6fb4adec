#include "formats/text_conversion.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "core/border_order.h"
#include "core/charset.h"
#include "core/conv_cp1255_runs.h"
#include "core/conv_letters.h"
#include "core/conv_table.h"
#include "core/cp1255_look_alikes.h"
#include "core/point_order.h"
#include "core/shared_state.h"
#include "formats/paragraph_in_conversion.h"
#include "formats/paragraph_out_conversion.h"

namespace nuvel {

void ConvertParagraphOut(const ConvSettings& s, std::span<const uint8_t> para, std::vector<uint8_t>& out) {
  if (s.mode == kConvCp1255 && s.table != nullptr) {
    WriteCp1255Runs(s, para, out);
    return;
  }
  out.clear();
  ConvertBytes(s, para, out);
  if (s.mode == kConvWindowsFonts) {
    MoveHolamOfShin(out, s.sin_dot);
    PutPointsInCanonicalOrder(out);
  } else if (s.mode == kConv3B2) {
    MoveHolamOfShin(out, s.sin_dot);
  }
}

namespace {

// An outside byte that the table of direction in turns into a byte that the
// table of direction out does not turn back: a character without a byte of
// its own in the system's set. Bytes the composition takes are kept.
bool LostByte(uint8_t b, const ConvTableBytes& in, const ConvTableBytes& out) {
  const uint8_t own = in[b];
  return own != kComposeMark && out[own] != b;
}

// The outside bytes that come back unchanged from a conversion in and out
// whatever stands around them: each is turned by the table alone both ways
// (no composition, decomposition, point ordering or holam move touches it)
// and the table of direction out gives back the byte itself. A paragraph of
// such bytes alone needs no conversion back to prove that saving it would
// give the same bytes, and loses no character. Empty for the modes that
// convert by more than their tables.
struct RoundTripBytes {
  std::array<bool, 256> proven{};
  bool any = false;
};

RoundTripBytes ProvenRoundTrip(int mode, const ConvTableBytes& in, const ConvTableBytes& out) {
  RoundTripBytes r;
  const bool tableOnly = mode == kConvWindows31 || mode == kConvNuvelDos || mode == kConvEinstein;
  if (!tableOnly && mode != kConvCp1255) return r;
  for (int i = 0; i < 256; ++i) {
    const auto b = static_cast<uint8_t>(i);
    const uint8_t own = in[b];
    bool ok = out[own] == b;
    if (ok && !tableOnly) {
      const bool composes = !PassesThroughTable(b) && (own == kComposeMark || IsPoint(own));
      const bool decomposes = own == kHolam || (!PassesThroughTable(own) && out[own] == kComposeMark);
      ok = !composes && !decomposes && !IsPoint(b);
    }
    r.proven[b] = ok;
    r.any = r.any || ok;
  }
  return r;
}

// Replaces every paragraph of `text` that `convert` changes.
template <class Convert>
void ReplaceConverted(TDocumentText& text, Convert&& convert) {
  std::vector<uint8_t> out;
  for (uint32_t i = 0; i < text.ParaCount(); ++i) {
    const std::span<const uint8_t> para = text.Para(i);
    if (para.empty()) continue;
    convert(para, out);
    if (!std::equal(out.begin(), out.end(), para.begin(), para.end())) text.ReplacePara(i, out);
  }
}

}  // namespace

TConvertReport ConvertText(TDocumentText& text, int mode, bool toOutside, std::optional<bool> turnFor) {
  if (toOutside) {
    const TParagraphOutConversion out(mode);
    if (!out.Converts()) return {};
    text.BeginUpdate();
    ReplaceConverted(text, [&out](std::span<const uint8_t> para, std::vector<uint8_t>& o) { out.Convert(para, o); });
    text.EndUpdate();
    return {};
  }
  TParagraphInConversion in(mode, turnFor);
  if (!in.Converts()) return {};
  text.BeginUpdate();
  ReplaceConverted(text, [&in](std::span<const uint8_t> para, std::vector<uint8_t>& o) { in.Convert(para, o); });
  if (in.Report().changed) text.SetModified(true);
  text.EndUpdate();
  return in.Report();
}

TParagraphInConversion::TParagraphInConversion(int mode, std::optional<bool> turnFor) : turnFor_(turnFor) {
  if (!ModeConvertsBytes(mode)) return;
  in_.emplace(mode, false);
  converts_ = true;
  report_.turned = turnFor.has_value();
  // The table of the way back decides what the text could not keep.
  back_.emplace(mode, true);
  const RoundTripBytes proven = ProvenRoundTrip(mode, in_->Table(), back_->Table());
  for (std::size_t b = 0; b < 256; ++b) {
    unproven_[b] = proven.proven[b] ? 0 : 1;
    lost_[b] = LostByte(static_cast<uint8_t>(b), in_->Table(), back_->Table()) ? 1 : 0;
  }
  anyProven_ = proven.any;
  countBytes_ = mode != kConv3B2;
}

void TParagraphInConversion::Convert(std::span<const uint8_t> para, std::vector<uint8_t>& out) {
  const ConvTableBytes& table = in_->Table();
  const ConvSettings& settings = in_->Settings();
  // Most paragraphs hold only bytes that come back unchanged: mapped by the
  // table and checked as they go; the first stretch with any other byte
  // sends the paragraph the long way, so that a paragraph of pointed text
  // is not mapped twice.
  uint8_t unproven = 1;
  if (anyProven_) {
    out.resize(para.size());
    uint8_t* o = out.data();
    unproven = 0;
    constexpr std::size_t kStretch = 64;
    for (std::size_t k = 0; k < para.size() && unproven == 0;) {
      for (const std::size_t end = std::min(para.size(), k + kStretch); k < end; ++k) {
        const uint8_t b = para[k];
        o[k] = table[b];
        unproven |= unproven_[b];
      }
    }
  }
  if (unproven != 0) {
    out.clear();
    const bool windows = settings.mode == kConvCp1255 || settings.mode == kConvWindowsFonts;
    if (windows && ExpandCp1255LookAlikes(para, expanded_)) {
      ConvertBytes(settings, expanded_, out);
    } else {
      ConvertBytes(settings, para, out);
    }
    if (!report_.changed) {
      ConvertParagraphOut(back_->Settings(), out, again_);
      if (!std::equal(again_.begin(), again_.end(), para.begin(), para.end())) report_.changed = true;
    }
    if (countBytes_) {
      uint64_t lost = 0;
      for (const uint8_t b : para) lost += lost_[b];
      report_.lostChars += lost;
    }
  }
  if (turnFor_) LogicalToStorage(*turnFor_, out);
}

void ReverseClassRuns(TDocumentText& text) {
  std::vector<uint8_t> p;
  for (uint32_t i = 0; i < text.ParaCount(); ++i) {
    const std::span<const uint8_t> para = text.Para(i);
    p.assign(para.begin(), para.end());
    bool changed = false;
    std::size_t k = 0;
    while (k < p.size()) {
      if (!DigitTable[p[k]]) {
        ++k;
        continue;
      }
      std::size_t end = k;
      while (end < p.size() && DigitTable[p[end]]) ++end;
      std::size_t runEnd = end;
      if (p[runEnd - 1] == '.') --runEnd;
      if (runEnd - k >= 2) {
        std::reverse(p.begin() + static_cast<std::ptrdiff_t>(k), p.begin() + static_cast<std::ptrdiff_t>(runEnd));
        changed = true;
      }
      k = end;
    }
    if (changed) text.ReplacePara(i, p);
  }
}

}  // namespace nuvel
