#include "formats/rtf_writer.h"

#include <string>
#include <vector>

#include "core/settings.h"

namespace nuvel {
namespace {

constexpr std::string_view kStartAndFonts =
    "{\\rtf1\\adeflang1037\\ansi\\ansicpg1255\\deff2\\deftab720"
    "{\\fonttbl{\\f0\\fnil MS Sans Serif;}{\\f1\\fnil\\fcharset2 MT Symbol;}"
    "{\\f2\\fbidi\\fnil\\fcharset177 Times New Roman (Hebrew);}{\\f3\\fnil Times New Roman;}"
    "{\\f4\\fbidi\\fnil\\fcharset177 David;}}";
constexpr std::string_view kColours = "{\\colortbl\\red0\\green0\\blue0;}";
constexpr std::string_view kFooter = "{\\footer \\ltrpar \\qr\\pard\\plain \\af15\\afs24 \\ltrch \\tab - \\chpgn  - }";
constexpr std::size_t kUserHeadLimit = 2048;
// Pending output is handed to the stream whenever it grows past this.
constexpr std::size_t kPendingLimit = 90;

}  // namespace

uint8_t TRTFWriter::Put(std::span<const uint8_t> bytes) {
  if (stream_ == nullptr) return kShortWrite;
  return stream_->Write(bytes) < bytes.size() ? kShortWrite : kWriteOk;
}

uint8_t TRTFWriter::Put(std::string_view text) {
  return Put(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void TRTFWriter::WriteHeader(TByteStream& stream) { WriteHeader(stream, ReadRegString("RtfInf", "UserHead")); }

void TRTFWriter::WriteHeader(TByteStream& stream, std::string_view userHead) {
  stream_ = &stream;
  Put(kStartAndFonts);
  Put(kColours);
  Put(kFooter);
  if (userHead != kNotFound && !userHead.empty()) Put(userHead.substr(0, kUserHeadLimit));
}

uint8_t TRTFWriter::WriteText(std::span<const uint8_t> text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::vector<uint8_t> pending;
  pending.reserve(kPendingLimit + 8);
  auto add = [&pending](std::string_view s) { pending.insert(pending.end(), s.begin(), s.end()); };
  for (uint8_t b : text) {
    if (b == 9) {
      add("\\tab ");
    } else if (b == 10) {
      add("\\line ");
    } else if (b == '{' || b == '}' || b == '\\') {
      pending.push_back('\\');
      pending.push_back(b);
    } else if (b >= 32 && b <= 126) {
      pending.push_back(b);
    } else if (b <= 3) {
      continue;
    } else {
      add("\\'");
      pending.push_back(static_cast<uint8_t>(kHex[b >> 4]));
      pending.push_back(static_cast<uint8_t>(kHex[b & 15]));
    }
    if (pending.size() > kPendingLimit) {
      if (Put(pending) != kWriteOk) return kShortWrite;
      pending.clear();
    }
  }
  if (!pending.empty()) return Put(pending);
  return kWriteOk;
}

uint8_t TRTFWriter::WriteControl(std::string_view control) { return Put(control); }

uint8_t TRTFWriter::WritePar() { return Put(std::string_view("\\par\n\r", 6)); }

uint8_t TRTFWriter::WriteTrailer(TByteStream& stream) {
  stream_ = &stream;
  return Put(std::string_view("\r\n}", 3));
}

}  // namespace nuvel
