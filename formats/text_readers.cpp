#include "formats/text_readers.h"

#include <vector>

#include "core/charset.h"
#include "core/settings.h"

namespace nuvel {
namespace {

uint16_t Append(TParaSink& sink, const std::vector<uint8_t>& text) { return sink.AppendParaText(text); }

}  // namespace

uint16_t ReadLines(TReaderInput& in, TParaSink& sink) {
  std::vector<uint8_t> line;
  while (!in.AtEnd()) {
    line.clear();
    ReadLine(in, line, kLineBufferSize);
    if (const uint16_t e = Append(sink, line)) return e;
  }
  return 0;
}

uint16_t ReadDosText(TReaderInput& in, TParaSink& sink) {
  std::vector<uint8_t> buf;
  const std::vector<uint8_t> empty;
  while (!in.AtEnd()) {
    const TLineResult r = ReadLine(in, buf, kLineBufferSize - buf.size());
    if (r.length > 0) {
      if (buf.back() != ' ') buf.push_back(' ');
      if (buf.size() < kDosTextParaLength) continue;
    }
    if (!buf.empty()) {
      if (const uint16_t e = Append(sink, buf)) return e;
    }
    buf.clear();
    if (const uint16_t e = Append(sink, empty)) return e;
  }
  if (!buf.empty()) return Append(sink, buf);
  return 0;
}

uint16_t ReadSmartDos(TReaderInput& in, TParaSink& sink, bool smartLoad) {
  std::vector<uint8_t> buf;
  bool closedAny = false;
  bool restart = false;
  uint16_t error = 0;
  while (!in.AtEnd()) {
    const TLineResult r = ReadLine(in, buf, kLineBufferSize - buf.size());
    bool close = r.length == 0 || r.cut;
    if (!close && buf.back() == kParagraphMark) {
      buf.pop_back();
      close = true;
    }
    if (close) {
      closedAny = true;
      if ((error = Append(sink, buf)) != 0) break;
      buf.clear();
      continue;
    }
    if (buf.back() != ' ') buf.push_back(' ');
    if (smartLoad && !closedAny && buf.size() > kSmartLoadProbe) {
      restart = true;
      break;
    }
  }
  if (error == 0 && !restart && smartLoad && !closedAny) restart = true;
  if (restart) {
    // No paragraph mark near the start: the file is plain DOS text.
    in.pos = 0;
    return ReadDosText(in, sink);
  }
  in.lineEndChar = 13;
  if (error == 0 && !buf.empty()) error = Append(sink, buf);
  return error;
}

uint16_t Read3B2(TReaderInput& in, TParaSink& sink, std::string_view defaultStyle) {
  std::vector<uint8_t> line;
  bool first = in.pos == 0;
  while (!in.AtEnd()) {
    line.clear();
    ReadLine(in, line, kLineBufferSize);
    if (first) {
      first = false;
      if (std::string_view(reinterpret_cast<const char*>(line.data()), line.size()) == k3B2HeaderLine) continue;
    }
    std::size_t end = line.size();
    if (end >= 2 && line[end - 2] == '<' && line[end - 1] == '>') end -= 2;
    if (end >= 1 && line[end - 1] == '\\') end -= 1;
    std::size_t start = (end > 0 && line[0] == '$') ? 1 : 0;
    const std::string_view rest(reinterpret_cast<const char*>(line.data()) + start, end - start);
    if (!defaultStyle.empty() && rest.starts_with(defaultStyle)) start += defaultStyle.size();
    const std::span<const uint8_t> para(line.data() + start, end - start);
    if (const uint16_t e = sink.AppendParaText(para)) return e;
  }
  return 0;
}

uint16_t ReadNulRecords(TReaderInput& in, TParaSink& sink) {
  std::vector<uint8_t> rec;
  while (!in.AtEnd()) {
    const uint8_t b = in.data[in.pos++];
    if (b == 0) {
      if (const uint16_t e = Append(sink, rec)) return e;
      rec.clear();
      continue;
    }
    if (rec.size() == kNulRecordLimit) {
      if (const uint16_t e = Append(sink, rec)) return e;
      rec.clear();
    }
    rec.push_back(b);
  }
  if (!rec.empty()) return Append(sink, rec);
  return 0;
}

uint16_t ReadUnicodeText(TReaderInput& in, TParaSink& sink, bool paragraphMark) {
  const auto& f = in.file;
  const std::size_t units = f.size() / 2;
  auto unit = [&f](std::size_t i) { return static_cast<char16_t>(f[2 * i] | (f[2 * i + 1] << 8)); };
  std::size_t i = 0;
  if (units > 0 && unit(0) == 0xFEFF) i = 1;
  std::vector<uint8_t> para;
  while (i < units) {
    const char16_t u = unit(i++);
    bool close = false;
    if (u == 0x2028) {
      if (para.empty() || para.back() != ' ') para.push_back(' ');
      close = true;
    } else if (u == 0x2029) {
      if (paragraphMark) para.push_back(kParagraphMark);
      close = true;
    } else {
      const uint8_t b = UnicodeToHebChar(u);
      if (b == 13) {
        ++in.crLineEnds;
        if (i < units && unit(i) == 10) ++i;
        close = true;
      } else if (b == 10) {
        ++in.lfLineEnds;
        close = true;
      } else if (b != 0) {
        para.push_back(b);
        close = para.size() == kUnicodeParaLimit;
      }
    }
    if (close) {
      if (const uint16_t e = Append(sink, para)) return e;
      para.clear();
    }
  }
  if (!para.empty()) return Append(sink, para);
  return 0;
}

std::string DefaultStyle3B2() {
  std::string style = ReadIniString("S3B2", "Default_Style");
  if (style == kNotFound) style = "<body>";
  return style;
}

}  // namespace nuvel
