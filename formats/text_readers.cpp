#include "formats/text_readers.h"

#include <vector>

#include "core/charset.h"
#include "core/settings.h"
#include "formats/text_form.h"
#include "formats/windows1255.h"

namespace nuvel {
namespace {

uint16_t Append(TParaSink& sink, const std::vector<uint8_t>& text) { return sink.AppendParaText(text); }

}  // namespace

uint16_t ReadLines(TReaderInput& in, TParaSink& sink) {
  std::vector<uint8_t> line;
  while (!in.AtEnd()) {
    line.clear();
    if (ReadLine(in, line, kLineBufferSize).cut) ++in.splitLines;
    if (const uint16_t e = Append(sink, line)) return e;
    in.Done();
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
    in.Done();
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
      // With a paragraph closed the file is never read again from the start.
      in.Done();
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
    in.Done();
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

namespace {

// One character of a Unicode file as bytes of the Windows-1255 code page,
// noting what the system cannot keep or will write back otherwise.
void AppendUnicodeChar(char32_t cp, std::vector<uint8_t>& para, TUnicodeReadNotes& notes) {
  const std::size_t before = para.size();
  if (cp > 0xFFFF || !EncodeWindows1255Char(static_cast<char16_t>(cp), para)) {
    ++notes.lostChars;
    notes.changed = true;
    return;
  }
  // Precomposed pointed letters come back as their letter and points.
  if (para.size() - before != 1 || Windows1255ToUnicode(para.back()) != cp) notes.changed = true;
}

}  // namespace

uint16_t ReadUnicodeText(TReaderInput& in, TParaSink& sink, bool paragraphMark, TTextForm form,
                         TUnicodeReadNotes* notesOut) {
  TUnicodeReadNotes notes;
  const auto& f = in.file;
  const bool utf8 = IsUtf8Form(form);
  // The byte of a UTF-16 unit that comes first: its low byte, or its high
  // byte in big-endian text.
  const std::size_t low = form == TTextForm::Utf16BigMark ? 1 : 0;
  // The next character and the position after it.
  std::size_t at = 0;
  const std::size_t units = f.size() / 2;
  auto unit = [&f, low](std::size_t i) { return static_cast<char16_t>(f[2 * i + low] | (f[2 * i + 1 - low] << 8)); };
  auto next = [&](char32_t& cp) -> bool {
    if (utf8) {
      if (at >= f.size()) return false;
      const std::size_t n = DecodeUtf8(f, at, cp);
      if (n == 0) {
        cp = 0xFFFD;  // a byte that is not UTF-8: nothing to keep
        ++at;
      } else {
        at += n;
      }
      return true;
    }
    if (at >= units) return false;
    cp = unit(at++);
    if (cp >= 0xD800 && cp <= 0xDBFF && at < units && unit(at) >= 0xDC00 && unit(at) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(at++) - 0xDC00);
    }
    return true;
  };
  auto peekLf = [&]() {
    if (utf8) return at < f.size() && f[at] == 10;
    return at < units && unit(at) == 10;
  };
  if (utf8) {
    if (f.size() >= 3 && f[0] == 0xEF && f[1] == 0xBB && f[2] == 0xBF) at = 3;
  } else if (units > 0 && unit(0) == 0xFEFF) {
    at = 1;
  }
  // Zero units at the very end are padding, not text.
  std::size_t end = utf8 ? f.size() : units;
  if (utf8) {
    while (end > at && f[end - 1] == 0) --end;
  } else {
    while (end > at && unit(end - 1) == 0) --end;
  }
  std::vector<uint8_t> para;
  char32_t cp = 0;
  bool lineEndLast = false;
  uint16_t error = 0;
  while (at < end && next(cp)) {
    bool close = false;
    lineEndLast = false;
    if (cp == 0x2028) {
      if (para.empty() || para.back() != ' ') para.push_back(' ');
      close = true;
    } else if (cp == 0x2029) {
      if (paragraphMark) para.push_back(kParagraphMark);
      close = true;
    } else if (cp == 13) {
      ++in.crLineEnds;
      if (peekLf()) ++at;
      close = lineEndLast = true;
    } else if (cp == 10) {
      ++in.lfLineEnds;
      close = lineEndLast = true;
    } else if (cp == 0) {
      in.nulSeen = true;
      ++in.nulBytes;
    } else {
      AppendUnicodeChar(cp, para, notes);
      if (para.size() >= kUnicodeParaLimit) {
        ++in.splitLines;
        close = true;
      }
    }
    if (close) {
      if ((error = Append(sink, para)) != 0) break;
      para.clear();
      in.DoneBefore(utf8 ? at : 2 * at);
    }
  }
  if (error == 0 && !para.empty()) error = Append(sink, para);
  notes.finalLineEnd = lineEndLast;
  if (notesOut) *notesOut = notes;
  return error;
}

std::string DefaultStyle3B2() {
  std::string style = ReadIniString("S3B2", "Default_Style");
  if (style == kNotFound) style = "<body>";
  return style;
}

}  // namespace nuvel
