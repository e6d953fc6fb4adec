#include "editor/document_writers.h"

#include "core/charset.h"
#include "editor/para_node.h"
#include "formats/reader_input.h"
#include "formats/rtf_writer.h"
#include "formats/windows1255.h"

namespace nuvel {
namespace {

void Put(std::vector<uint8_t>& out, std::string_view s) { out.insert(out.end(), s.begin(), s.end()); }
void Put(std::vector<uint8_t>& out, std::span<const uint8_t> s) { out.insert(out.end(), s.begin(), s.end()); }

}  // namespace

std::vector<std::span<const uint8_t>> ScreenLines(std::span<const uint8_t> para, const TWrapSettings& wrap) {
  TParaNode node;
  node.Create(para, wrap.wrapColumn, wrap.tabSize);
  const auto starts = node.LineStarts();
  std::vector<std::span<const uint8_t>> lines;
  // The node copies the bytes up to a zero byte; the lines refer to the caller's bytes.
  const std::size_t length = node.Length();
  for (std::size_t i = 0; i < starts.size(); ++i) {
    const std::size_t begin = starts[i];
    const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : length;
    lines.push_back(para.subspan(begin, end - begin));
  }
  return lines;
}

std::string_view LineEnd(bool lf) { return lf ? std::string_view("\n") : std::string_view("\r\n"); }

std::vector<uint8_t> WriteLinesFormat(const TParagraphs& paras, bool lf) {
  std::vector<uint8_t> out;
  for (const auto& p : paras) {
    Put(out, p);
    Put(out, LineEnd(lf));
  }
  return out;
}

std::vector<uint8_t> WriteNvsFormat(const TParagraphs& paras, const TWrapSettings& wrap) {
  std::vector<uint8_t> out;
  for (const auto& p : paras) {
    const auto lines = ScreenLines(p, wrap);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      Put(out, lines[i]);
      if (i + 1 == lines.size()) out.push_back(kParagraphMark);
      Put(out, "\r\n");
    }
  }
  return out;
}

std::vector<uint8_t> WriteDosTextFormat(const TParagraphs& paras, const TWrapSettings& wrap, bool lf) {
  std::vector<uint8_t> out;
  for (const auto& p : paras) {
    for (const auto& line : ScreenLines(p, wrap)) {
      Put(out, line);
      Put(out, LineEnd(lf));
    }
  }
  return out;
}

std::vector<uint8_t> WriteEinsteinFormat(const TParagraphs& paras, const TWrapSettings& wrap) {
  std::vector<uint8_t> out;
  for (const auto& p : paras) {
    const auto lines = ScreenLines(p, wrap);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      Put(out, lines[i]);
      if (i + 1 == lines.size()) break;
      if (!lines[i].empty() && lines[i].back() == ' ') {
        out.back() = kEinsteinLineEnd;
      } else {
        out.push_back(kEinsteinLineEnd);
      }
    }
    Put(out, "\r\n");
  }
  return out;
}

std::vector<uint8_t> Write3B2Format(const TParagraphs& paras, const TWrapSettings& wrap, std::string_view style) {
  std::vector<uint8_t> out;
  Put(out, k3B2HeaderLine);
  Put(out, "\r\n");
  for (const auto& p : paras) {
    const auto lines = ScreenLines(p, wrap);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto line = lines[i];
      const bool dollar = !line.empty() && line[0] == '$';
      if (!dollar) out.push_back('$');
      if (i == 0) {
        // The second byte of the line as written, the "$" included.
        const bool ownTag = dollar ? (line.size() > 1 && line[1] == '<') : (!line.empty() && line[0] == '<');
        if (!ownTag) Put(out, style);
      }
      Put(out, line);
      if (i + 1 < lines.size()) {
        if (line.empty() || line.back() != '\\') out.push_back('\\');
      } else {
        Put(out, "<>");
      }
      Put(out, "\r\n");
    }
  }
  return out;
}

std::vector<uint8_t> WriteUnicodeFormat(const TParagraphs& paras, bool lf, TTextForm form, bool finalLineEnd) {
  std::vector<uint8_t> out;
  const bool utf8 = IsUtf8Form(form);
  auto put = [&out, utf8](char16_t u) {
    if (utf8) {
      AppendUtf8(out, u);
    } else {
      out.push_back(static_cast<uint8_t>(u & 0xFF));
      out.push_back(static_cast<uint8_t>(u >> 8));
    }
  };
  if (form == TTextForm::Utf8Mark || form == TTextForm::Utf16Mark || form == TTextForm::Bytes) put(0xFEFF);
  for (std::size_t i = 0; i < paras.size(); ++i) {
    if (i > 0) {
      if (!lf) put(13);
      put(10);
    }
    for (uint8_t b : paras[i]) put(Windows1255ToUnicode(b));
  }
  if (finalLineEnd && !paras.empty()) {
    if (!lf) put(13);
    put(10);
  }
  return out;
}

bool WriteRtfFormat(const TParagraphs& paras, bool englishDocument, std::string_view userHead,
                    std::vector<uint8_t>& out) {
  TRTFWriter writer;
  TMemoryByteStream stream;
  writer.WriteHeader(stream, userHead);
  uint8_t status = 0;
  if (!englishDocument) status |= writer.WriteControl(kRtfHebrewParagraph);
  for (const auto& p : paras) {
    writer.BeginPar();
    status |= writer.WriteText(p);
    status |= writer.WritePar();
  }
  status |= writer.WriteTrailer(stream);
  out = std::move(stream.Bytes());
  return status == TRTFWriter::kWriteOk;
}

}  // namespace nuvel
