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

namespace {

class TLinesWriter final : public TDocumentWriter {
 public:
  explicit TLinesWriter(bool lf) : lf_(lf) {}
  void Paragraph(std::span<const uint8_t> p, std::vector<uint8_t>& out) override {
    Put(out, p);
    Put(out, LineEnd(lf_));
  }

  std::unique_ptr<TDocumentWriter> ParagraphWriter() const override { return std::make_unique<TLinesWriter>(*this); }

 private:
  bool lf_;
};

class TNvsWriter final : public TDocumentWriter {
 public:
  explicit TNvsWriter(const TWrapSettings& wrap) : wrap_(wrap) {}
  void Paragraph(std::span<const uint8_t> p, std::vector<uint8_t>& out) override {
    const auto lines = ScreenLines(p, wrap_);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      Put(out, lines[i]);
      if (i + 1 == lines.size()) out.push_back(kParagraphMark);
      Put(out, "\r\n");
    }
  }

  std::unique_ptr<TDocumentWriter> ParagraphWriter() const override { return std::make_unique<TNvsWriter>(*this); }

 private:
  TWrapSettings wrap_;
};

class TDosTextWriter final : public TDocumentWriter {
 public:
  TDosTextWriter(const TWrapSettings& wrap, bool lf) : wrap_(wrap), lf_(lf) {}
  void Paragraph(std::span<const uint8_t> p, std::vector<uint8_t>& out) override {
    for (const auto& line : ScreenLines(p, wrap_)) {
      Put(out, line);
      Put(out, LineEnd(lf_));
    }
  }

  std::unique_ptr<TDocumentWriter> ParagraphWriter() const override { return std::make_unique<TDosTextWriter>(*this); }

 private:
  TWrapSettings wrap_;
  bool lf_;
};

class TEinsteinWriter final : public TDocumentWriter {
 public:
  explicit TEinsteinWriter(const TWrapSettings& wrap) : wrap_(wrap) {}
  void Paragraph(std::span<const uint8_t> p, std::vector<uint8_t>& out) override {
    const auto lines = ScreenLines(p, wrap_);
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

  std::unique_ptr<TDocumentWriter> ParagraphWriter() const override { return std::make_unique<TEinsteinWriter>(*this); }

 private:
  TWrapSettings wrap_;
};

class T3B2Writer final : public TDocumentWriter {
 public:
  T3B2Writer(const TWrapSettings& wrap, std::string_view style) : wrap_(wrap), style_(style) {}
  void Begin(std::vector<uint8_t>& out) override {
    Put(out, k3B2HeaderLine);
    Put(out, "\r\n");
  }
  void Paragraph(std::span<const uint8_t> p, std::vector<uint8_t>& out) override {
    const auto lines = ScreenLines(p, wrap_);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto line = lines[i];
      const bool dollar = !line.empty() && line[0] == '$';
      if (!dollar) out.push_back('$');
      if (i == 0) {
        // The second byte of the line as written, the "$" included.
        const bool ownTag = dollar ? (line.size() > 1 && line[1] == '<') : (!line.empty() && line[0] == '<');
        if (!ownTag) Put(out, style_);
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

  std::unique_ptr<TDocumentWriter> ParagraphWriter() const override { return std::make_unique<T3B2Writer>(*this); }

 private:
  TWrapSettings wrap_;
  std::string style_;
};

class TUnicodeWriter final : public TDocumentWriter {
 public:
  TUnicodeWriter(bool lf, TTextForm form, bool finalLineEnd)
      : lf_(lf), form_(form), utf8_(IsUtf8Form(form)), big_(form == TTextForm::Utf16BigMark), finalLineEnd_(finalLineEnd) {}
  void Begin(std::vector<uint8_t>& out) override {
    if (form_ != TTextForm::Utf8 && form_ != TTextForm::Utf16) Put16(out, 0xFEFF);
  }
  void Paragraph(std::span<const uint8_t> p, std::vector<uint8_t>& out) override {
    if (any_) PutLineEnd(out);
    any_ = true;
    for (uint8_t b : p) Put16(out, Windows1255ToUnicode(b));
  }
  bool End(std::vector<uint8_t>& out) override {
    if (finalLineEnd_ && any_) PutLineEnd(out);
    return true;
  }

 private:
  void Put16(std::vector<uint8_t>& out, char16_t u) const {
    if (utf8_) {
      AppendUtf8(out, u);
    } else if (big_) {
      out.push_back(static_cast<uint8_t>(u >> 8));
      out.push_back(static_cast<uint8_t>(u & 0xFF));
    } else {
      out.push_back(static_cast<uint8_t>(u & 0xFF));
      out.push_back(static_cast<uint8_t>(u >> 8));
    }
  }
  void PutLineEnd(std::vector<uint8_t>& out) const {
    if (!lf_) Put16(out, 13);
    Put16(out, 10);
  }

  bool lf_;
  TTextForm form_;
  bool utf8_;
  bool big_;  // UTF-16 big-endian
  bool finalLineEnd_;
  bool any_ = false;  // a paragraph was written
};

// The RTF writer's stream: whatever buffer the current call appends to.
class TAppendStream final : public TByteStream {
 public:
  std::size_t Write(std::span<const uint8_t> bytes) override {
    out->insert(out->end(), bytes.begin(), bytes.end());
    return bytes.size();
  }
  std::vector<uint8_t>* out = nullptr;
};

class TRtfDocumentWriter final : public TDocumentWriter {
 public:
  TRtfDocumentWriter(bool englishDocument, std::string_view userHead)
      : englishDocument_(englishDocument), userHead_(userHead) {}
  void Begin(std::vector<uint8_t>& out) override {
    stream_.out = &out;
    writer_.WriteHeader(stream_, userHead_);
    if (!englishDocument_) status_ |= writer_.WriteControl(kRtfHebrewParagraph);
  }
  void Paragraph(std::span<const uint8_t> p, std::vector<uint8_t>& out) override {
    stream_.out = &out;
    writer_.BeginPar();
    status_ |= writer_.WriteText(p);
    status_ |= writer_.WritePar();
  }
  bool End(std::vector<uint8_t>& out) override {
    stream_.out = &out;
    status_ |= writer_.WriteTrailer(stream_);
    return status_ == TRTFWriter::kWriteOk;
  }

 private:
  TRTFWriter writer_;
  TAppendStream stream_;
  bool englishDocument_;
  std::string userHead_;
  uint8_t status_ = 0;
};

std::vector<uint8_t> WriteWhole(TDocumentWriter&& writer, const TParagraphs& paras) {
  std::vector<uint8_t> out;
  WriteParagraphs(writer, paras, out);
  return out;
}

}  // namespace

std::unique_ptr<TDocumentWriter> MakeLinesWriter(bool lf) { return std::make_unique<TLinesWriter>(lf); }
std::unique_ptr<TDocumentWriter> MakeNvsWriter(const TWrapSettings& wrap) { return std::make_unique<TNvsWriter>(wrap); }
std::unique_ptr<TDocumentWriter> MakeDosTextWriter(const TWrapSettings& wrap, bool lf) {
  return std::make_unique<TDosTextWriter>(wrap, lf);
}
std::unique_ptr<TDocumentWriter> MakeEinsteinWriter(const TWrapSettings& wrap) {
  return std::make_unique<TEinsteinWriter>(wrap);
}
std::unique_ptr<TDocumentWriter> Make3B2Writer(const TWrapSettings& wrap, std::string_view defaultStyle) {
  return std::make_unique<T3B2Writer>(wrap, defaultStyle);
}
std::unique_ptr<TDocumentWriter> MakeUnicodeWriter(bool lf, TTextForm form, bool finalLineEnd) {
  return std::make_unique<TUnicodeWriter>(lf, form, finalLineEnd);
}
std::unique_ptr<TDocumentWriter> MakeRtfWriter(bool englishDocument, std::string_view userHead) {
  return std::make_unique<TRtfDocumentWriter>(englishDocument, userHead);
}

bool WriteParagraphs(TDocumentWriter& writer, const TParagraphs& paras, std::vector<uint8_t>& out) {
  out.clear();
  writer.Begin(out);
  for (const auto& p : paras) writer.Paragraph(p, out);
  return writer.End(out);
}

std::vector<uint8_t> WriteLinesFormat(const TParagraphs& paras, bool lf) { return WriteWhole(TLinesWriter(lf), paras); }

std::vector<uint8_t> WriteNvsFormat(const TParagraphs& paras, const TWrapSettings& wrap) {
  return WriteWhole(TNvsWriter(wrap), paras);
}

std::vector<uint8_t> WriteDosTextFormat(const TParagraphs& paras, const TWrapSettings& wrap, bool lf) {
  return WriteWhole(TDosTextWriter(wrap, lf), paras);
}

std::vector<uint8_t> WriteEinsteinFormat(const TParagraphs& paras, const TWrapSettings& wrap) {
  return WriteWhole(TEinsteinWriter(wrap), paras);
}

std::vector<uint8_t> Write3B2Format(const TParagraphs& paras, const TWrapSettings& wrap, std::string_view style) {
  return WriteWhole(T3B2Writer(wrap, style), paras);
}

std::vector<uint8_t> WriteUnicodeFormat(const TParagraphs& paras, bool lf, TTextForm form, bool finalLineEnd) {
  return WriteWhole(TUnicodeWriter(lf, form, finalLineEnd), paras);
}

bool WriteRtfFormat(const TParagraphs& paras, bool englishDocument, std::string_view userHead,
                    std::vector<uint8_t>& out) {
  TRtfDocumentWriter writer(englishDocument, userHead);
  return WriteParagraphs(writer, paras, out);
}

}  // namespace nuvel
