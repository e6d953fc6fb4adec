#include "formats/rtf_reader.h"

#include <limits>
#include <string_view>

#include "formats/windows1255.h"

namespace nuvel {
namespace {

constexpr std::string_view kVerbatimEnd = "\\wprtf0";
constexpr std::size_t kMaxWordLength = 30;
constexpr std::size_t kMaxDigits = 20;
constexpr std::size_t kMaxPictFileName = 256;

// Control words are letters; today's writers use upper-case ones too
// (\trftsWidth, \mmathPr).
constexpr bool IsLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsDigit(int c) { return c >= '0' && c <= '9'; }
constexpr int HexValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int TRtfReader::GetChar() {
  if (pos_ >= data_.size()) return -1;
  return data_[pos_++];
}

uint8_t TRtfReader::ReadRtf(std::span<const uint8_t> data) {
  data_ = data;
  pos_ = 0;
  // A damaged part (a bad escape, a stray closing brace) is noted and passed
  // over, so that everything after it is read too.
  uint8_t result = kOk;
  auto note = [&result](uint8_t error) {
    if (result == kOk) result = error;
  };
  bool started = false;
  int c;
  while (appendError_ == 0 && (c = GetChar()) != -1) {
    if (rds_ == kPict && (IsDigit(c) || (c >= 'a' && c <= 'f'))) continue;
    if (rds_ == kColourTable && c == ';') ++colourCount_;
    if (ris_ == kRisQuoted) {
      note(ParseChar(c));
      continue;
    }
    if (verbatim_) {
      // Text up to "\wprtf0" is taken as it stands; a partial match that
      // fails goes to the text too.
      if (c == kVerbatimEnd[verbatimMatched_]) {
        if (++verbatimMatched_ == kVerbatimEnd.size()) {
          verbatim_ = false;
          verbatimMatched_ = 0;
        }
      } else {
        for (std::size_t i = 0; i < verbatimMatched_; ++i) ParseChar(static_cast<uint8_t>(kVerbatimEnd[i]));
        verbatimMatched_ = 0;
        ParseChar(c);
      }
      continue;
    }
    if (ris_ == kRisHex && (c == '{' || c == '}' || c == '\\')) {
      // A hexadecimal escape cut off by a brace or another control word.
      note(kInvalidHex);
      ris_ = kRisNorm;
      hexValue_ = 0;
      hexDigits_ = 0;
    }
    switch (c) {
      case 0:
        FlushParagraph();
        return result;
      case 9:
      case 10:
      case 13:
        break;
      case '{':
        started = true;
        note(PushGroup());
        break;
      case '}': {
        const uint8_t popped = PopGroup();
        note(popped);
        if (popped == kOk && started && groupCount_ == 0) {
          FlushParagraph();
          return result;
        }
        break;
      }
      case '\\':
        note(ParseKeyword());
        break;
      default:
        if (ris_ == kRisNorm) {
          note(ParseChar(c));
        } else {
          const int v = HexValue(c);
          if (v < 0) {
            // The escape is dropped; the byte is read again as text.
            note(kInvalidHex);
            ris_ = kRisNorm;
            hexValue_ = 0;
            hexDigits_ = 0;
            UngetChar();
            break;
          }
          hexValue_ = hexValue_ * 16 + v;
          if (++hexDigits_ == 2) {
            ris_ = kRisNorm;
            const int value = hexValue_;
            hexValue_ = 0;
            hexDigits_ = 0;
            note(ParseChar(value));
          }
        }
        break;
    }
  }
  FlushParagraph();
  // Groups still open: the file was cut short.
  if (started && groupCount_ > 0) note(kEndOfFile);
  return result;
}

uint8_t TRtfReader::PushGroup() {
  stack_.push_back({rds_, ris_, uc_});
  ris_ = kRisNorm;
  fallbackLeft_ = 0;
  ++groupCount_;
  return kOk;
}

uint8_t TRtfReader::PopGroup() {
  if (stack_.empty()) return kStackUnderflow;
  const Group g = stack_.back();
  stack_.pop_back();
  rds_ = g.rds;
  ris_ = g.ris;
  uc_ = g.uc;
  fallbackLeft_ = 0;
  --groupCount_;
  return kOk;
}

uint8_t TRtfReader::ParseKeyword() {
  int c = GetChar();
  if (c == -1) return kEndOfFile;
  std::string word;
  if (!IsLetter(c)) {
    word.push_back(static_cast<char>(c));
    return TranslateKeyword(word, 0, false);
  }
  while (IsLetter(c) && word.size() < kMaxWordLength) {
    word.push_back(static_cast<char>(c));
    c = GetChar();
  }
  bool negative = false;
  if (c == '-') {
    negative = true;
    c = GetChar();
  }
  bool hasParam = false;
  int64_t param = 0;
  for (std::size_t digits = 0; IsDigit(c) && digits < kMaxDigits; ++digits) {
    hasParam = true;
    if (param < std::numeric_limits<int32_t>::max()) param = param * 10 + (c - '0');
    c = GetChar();
  }
  if (negative) param = -param;
  if (c != ' ' && c != -1) UngetChar();
  return TranslateKeyword(word, param, hasParam);
}

uint8_t TRtfReader::TranslateKeyword(const std::string& word, int64_t param, bool hasParam) {
  if (word == "'") {
    ris_ = kRisHex;
    hexValue_ = 0;
    hexDigits_ = 0;
    return kOk;
  }
  if (word == "{" || word == "}" || word == "\\") {
    fallbackLeft_ = 0;
    return ParseChar(static_cast<uint8_t>(word[0]));
  }
  fallbackLeft_ = 0;
  if (word == "u" && hasParam) {
    skipIfUnknown_ = false;
    PutUnicode(param);
    return kOk;
  }
  if (word == "uc" && hasParam) {
    skipIfUnknown_ = false;
    uc_ = param < 0 ? 0 : static_cast<uint32_t>(param > 16 ? 16 : param);
    return kOk;
  }
  if (word == "bin" && hasParam) {
    // Binary data: the given number of bytes, never read as RTF.
    skipIfUnknown_ = false;
    const std::size_t left = data_.size() - pos_;
    pos_ += param <= 0 ? 0 : (static_cast<uint64_t>(param) >= left ? left : static_cast<std::size_t>(param));
    return kOk;
  }
  if (rds_ == kNorm && !firstParLtr_ && (word == "ltrpar" || word == "rtlpar")) firstParLtr_ = word == "ltrpar";
  const TRtfKeyword* k = FindRtfKeyword(word);
  if (k == nullptr) {
    if (skipIfUnknown_) rds_ = kSkip;
    skipIfUnknown_ = false;
    return kOk;
  }
  skipIfUnknown_ = false;
  switch (k->kind) {
    case TRtfKind::Char:
      return ParseChar(k->index);
    case TRtfKind::Dest:
      ChangeDestination(k->index);
      return kOk;
    case TRtfKind::Prop:
      ApplyProperty(k->index, (k->useDefault || !hasParam) ? k->defaultParam : param);
      return kOk;
    case TRtfKind::Special:
      switch (k->index) {
        case kRtfActionBin:
          return kOk;
        case kRtfActionHex:
          ris_ = kRisHex;
          hexValue_ = 0;
          hexDigits_ = 0;
          return kOk;
        case kRtfActionSkipDest:
          skipIfUnknown_ = true;
          return kOk;
        default:
          return kBadTable;
      }
  }
  return kBadTable;
}

void TRtfReader::PutUnicode(int64_t param) {
  if (rds_ != kNorm) return;
  const auto code = static_cast<char16_t>(param < 0 ? param + 65536 : param);
  std::vector<uint8_t> bytes;
  if (code == 0 || !EncodeWindows1255Char(code, bytes)) return;  // the fallback stays
  for (uint8_t b : bytes) PutTextChar(b);
  fallbackLeft_ = uc_;
}

uint8_t TRtfReader::ParseChar(int c) {
  switch (rds_) {
    case kNorm:
      if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return kOk;
      }
      PutTextChar(c);
      return kOk;
    case kFontTable:
      if (c == ';') {
        fontName_.clear();
      } else if (fontName_.size() < 256) {
        fontName_.push_back(static_cast<char>(c));
      }
      return kOk;
    case kPictFile:
      if (c == '"') {
        ris_ = ris_ == kRisQuoted ? kRisNorm : kRisQuoted;
      } else if (ris_ == kRisQuoted && pictFileName_.size() < kMaxPictFileName) {
        pictFileName_.push_back(static_cast<char>(c));
      }
      return kOk;
    default:
      return kOk;
  }
}

void TRtfReader::PutTextChar(int c) {
  if (c == 10 || c == 13 || c <= 0) return;
  if (c == kRtfLineChar) c = 10;
  if (text_.size() > kTextLimit) FlushParagraph();
  text_.push_back(static_cast<uint8_t>(c));
}

void TRtfReader::FlushParagraph() {
  if (text_.empty()) return;
  if (appendError_ == 0) appendError_ = sink_.AppendParaText(text_);
  text_.clear();
}

void TRtfReader::ApplyProperty(int32_t index, int64_t value) {
  if (rds_ == kSkip) return;
  if (index == kRtfPropPar || index == kRtfPropCell) {
    if (appendError_ == 0) appendError_ = sink_.AppendParaText(text_);
    text_.clear();
  } else if (index == kRtfPropWpRtf) {
    verbatim_ = value != 0;
    verbatimMatched_ = 0;
  }
}

void TRtfReader::ChangeDestination(int32_t number) {
  if (rds_ == kSkip) return;
  switch (number) {
    case kRtfDestPict:
      rds_ = kPict;
      break;
    case kRtfDestFontTable:
      rds_ = kFontTable;
      break;
    case kRtfDestColourTable:
      rds_ = kColourTable;
      colourCount_ = 0;
      break;
    case kRtfDestPictFile:
      rds_ = kPictFile;
      break;
    case kRtfDestField:
      break;
    default:
      rds_ = kSkip;
      break;
  }
}

}  // namespace nuvel
