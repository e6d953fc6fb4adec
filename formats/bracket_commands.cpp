#include "formats/bracket_commands.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/message_sink.h"

namespace nuvel {

namespace {
constexpr uint8_t kAlef = 0xE0, kBet = 0xE1, kGimel = 0xE2, kTet = 0xE8, kYod = 0xE9, kMem = 0xEE,
                  kSamekh = 0xF1, kPe = 0xF4, kShin = 0xF9, kTav = 0xFA;
constexpr double kMissingNumber = -100000;
constexpr std::size_t kCloseReach = 255;
// Recalls nested deeper than this are a slot that recalls itself.
constexpr int kMaxRecallDepth = 16;
constexpr std::size_t kProblemTextLimit = 72;
// Visual-order Hebrew phrases of the messages.
constexpr std::string_view kHebProblem = " :\xED\xF2 \xE4\xE9\xE9\xF2\xE1";  // " :םע הייעב"
constexpr std::string_view kHebIllegal = "  :\xE9\xF7\xE5\xE7 \xE0\xEC ";   // "  :יקוח אל "
constexpr std::string_view kPromptCaption = "Call_Prmpt was Called";

bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsNumberChar(int c) { return IsDigit(c) || c == '.' || c == '-'; }

void Show(std::string text, std::string caption) {
  platform::MessageRequest r;
  r.text = std::move(text);
  r.caption = std::move(caption);
  r.type = platform::MsgDlgType::Information;
  r.buttons = platform::mbOK;
  platform::ShowMessageRequest(r);
}

void PromptMessage(uint8_t promptNo, char code) {
  Show("GPrmpt=" + std::to_string(promptNo) + "  Code=" + code, std::string(kPromptCaption));
}

// A decimal number with an optional sign and point; -100000 when it is
// empty or malformed.
double ParseNumber(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && t[i] == '-') ++i;
  std::size_t digits = 0;
  bool point = false;
  for (std::size_t k = i; k < t.size(); ++k) {
    if (IsDigit(t[k])) {
      ++digits;
    } else if (t[k] == '.' && !point) {
      point = true;
    } else {
      return kMissingNumber;
    }
  }
  if (digits == 0) return kMissingNumber;
  double v = 0;
  std::string s(t);
  if (s.starts_with("-.")) s.insert(1, "0");
  if (s.starts_with(".")) s.insert(0, "0");
  if (s.ends_with(".")) s.pop_back();
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() ? v : kMissingNumber;
}

std::string Reversed(std::string_view s) { return std::string(s.rbegin(), s.rend()); }

// Rounds to the nearest whole number, halves to the even one.
int64_t RoundHalfEven(double v) { return static_cast<int64_t>(std::nearbyint(v)); }

struct TRunner {
  TBracketState& st;
  bool english;
  uint8_t promptNo;
  bool& changed;
  bool& stop;
  // A slot that recalls itself ran into the depth limit: no further recall.
  bool overflow = false;

  void Exec(int32_t& pos, std::string& s, int depth);
  bool Recall(double n, int depth);
};

// Indexing from 1; 0 outside the string.
uint8_t At(const std::string& s, int64_t i) {
  return i >= 1 && i <= static_cast<int64_t>(s.size()) ? static_cast<uint8_t>(s[static_cast<size_t>(i - 1)]) : 0;
}

void TRunner::Exec(int32_t& pos, std::string& s, int depth) {
  const int32_t b = pos;
  const uint8_t close = english ? '>' : '<';
  // A doubled bracket is one bracket of text.
  if (At(s, b + 1) == '<' || At(s, b + 1) == '>') {
    s.erase(static_cast<size_t>(b - 1), 1);
    pos = b;
    return;
  }
  int32_t e = 0;
  if (b == 1 && At(s, 2) == ' ') {
    e = static_cast<int32_t>(s.size()) - 1;
  } else {
    const auto last = static_cast<int32_t>(std::min(s.size(), static_cast<size_t>(b) + kCloseReach));
    for (int32_t k = b + 1; k <= last; ++k) {
      if (At(s, k) == close) {
        e = k;
        break;
      }
    }
  }
  if (e <= b) {
    pos = b + 1;
    return;
  }
  const bool recall = IsDigit(At(s, b + 1));
  bool repeated = false;
  pos = b + 1;
  for (;;) {
    // The number: from the first digit (or a point or minus before a digit
    // or point), at most 7 characters before the closing bracket.
    int32_t i = pos;
    while (i < e) {
      const uint8_t c = At(s, i);
      if (IsDigit(c)) break;
      if ((c == '.' || c == '-') && (IsDigit(At(s, i + 1)) || At(s, i + 1) == '.')) break;
      ++i;
    }
    std::string digits;
    while (i < e && digits.size() < 7 && IsNumberChar(At(s, i))) digits += static_cast<char>(At(s, i++));
    pos = i;
    if (!english) digits = Reversed(digits);
    const double n = ParseNumber(digits);

    for (int32_t k = b + 1; k <= b + 3 && k <= static_cast<int32_t>(s.size()); ++k) {
      char& c = s[static_cast<size_t>(k - 1)];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    const uint8_t c1 = At(s, b + 1);
    const uint8_t c2 = At(s, b + 2);
    bool repeat = false;

    if (c1 == 'F' || c1 == kSamekh) {
      if (c2 == 'S' || c2 == kGimel) {
        const std::string rtf = "\\fs" + std::to_string(2 * static_cast<int64_t>(std::trunc(n))) + " ";
        s.replace(static_cast<size_t>(b - 1), static_cast<size_t>(e - b + 1), rtf);
        pos = b + static_cast<int32_t>(rtf.size()) - 1;
      } else if (c2 == 'N' || c2 == 'W' || c2 == kShin || c2 == kMem) {
        pos = b + 3;
      } else if (c2 == ':' || c2 == 'A' || c2 == 'C' || c2 == 'I' || c2 == 'M' || c2 == 'O' || c2 == kAlef ||
                 c2 == kBet || c2 == kTav) {
        // Accepted as it stands.
      } else if (!(n > 0 && n == std::trunc(n))) {
        const std::string k = s.substr(static_cast<size_t>(b - 1), 4);
        std::string text = english ? "Problem: " + k : k + std::string(kHebProblem);
        if (text.size() > kProblemTextLimit) text.resize(kProblemTextLimit);
        Show(text, english ? " Illegal:  " + k + " " : " " + Reversed(k) + std::string(kHebIllegal));
      }
    } else if (c1 == 'J' || c1 == kYod) {
      if (n > 0) {
        st.Justification = static_cast<uint8_t>(static_cast<int64_t>(std::trunc(n)) % 256);
        const uint8_t j = st.Justification;
        if (j != 1 && j != 2 && j != 3 && j != 10) st.Justification = 10;
      }
      const char* rtf = st.Justification == 1 ? "{\\ql " : st.Justification == 2 ? "{\\qc " : "{\\qr ";
      s.replace(static_cast<size_t>(b - 1), static_cast<size_t>(e - b + 1), rtf);
      pos = b + 4;
      changed = true;
    } else if (c1 == 'L' || c1 == kShin) {
      if (c2 != kSamekh && c2 != kPe && n >= 0) {
        st.Slack = static_cast<int32_t>(std::max<int64_t>(RoundHalfEven(n * 20) - 288, 0));
        if (!english) {
          PromptMessage(promptNo, 'X');
          st.Slack = 0;
        }
      }
    } else if (c1 == 'A') {
      // Accepted as it stands.
    } else if (c1 == kAlef) {
      if (c2 != kPe && c2 != kAlef && c2 != kTav && c2 != kMem && n > 0) {
        const int32_t old = st.LineWidth;
        st.LineWidth = Twips(n);
        if (!english) {
          const int32_t growth = st.LineWidth - old;
          if (growth < 0) {
            st.Slack -= growth;
          } else if (growth < st.Slack) {
            st.Slack -= growth;
          } else {
            PromptMessage(promptNo, 'X');
            st.Slack = 0;
          }
        }
      }
    } else if (c1 == ' ') {
      const auto text = [&] { return s.substr(static_cast<size_t>(pos - 1), static_cast<size_t>(e - pos + 1)); };
      if (c2 == 'B' || c2 == kTet) {
        if (n >= 0 && n <= 101) {
          const int64_t slot = static_cast<int64_t>(std::trunc(n)) + 98;
          if (slot >= 1 && slot <= TBracketState::kSlots) st.Strings[static_cast<size_t>(slot)] = text();
        }
      } else if (IsDigit(c2) || c2 == '.') {
        if (n > 0 && n <= 101) {
          const auto slot = static_cast<int64_t>(std::trunc(n));
          if (slot >= 1) st.Strings[static_cast<size_t>(slot)] = text();
        }
      }
    } else if (IsDigit(c1)) {
      repeat = Recall(n, depth);
    } else {
      const std::string k = s.substr(static_cast<size_t>(b), static_cast<size_t>(e - b));
      Show(english ? " Illegal:  " + k + " " : " " + k + std::string(kHebIllegal), std::string(kPromptCaption));
      return;
    }
    if (!(recall && repeat && !repeated)) return;
    repeated = true;
    pos = b + 1;
  }
}

bool TRunner::Recall(double n, int depth) {
  if (overflow) return false;
  if (n < 0 || n > 101 || depth >= kMaxRecallDepth) {
    overflow = depth >= kMaxRecallDepth;
    PromptMessage(promptNo, 'E');
    return false;
  }
  const auto slot = static_cast<size_t>(std::trunc(n));
  if (slot == 0) return false;
  if (st.Strings[slot].empty()) {
    PromptMessage(promptNo, '1');
    return false;
  }
  const uint8_t open = english ? '<' : '>';
  std::string t = st.Strings[slot];
  bool repeat = false;
  // Each nested command carries on after the place it returned.
  int32_t j = 1;
  while (static_cast<int32_t>(t.size()) - j + 1 > 2) {
    if (At(t, j) == open) {
      int32_t p = j;
      Exec(p, t, depth + 1);
      if (st.Slack == 0 && !overflow) repeat = true;
      j = std::max(p, j) + 1;
    } else {
      ++j;
    }
  }
  return repeat;
}
}  // namespace

TBracketState& SharedBracketState() {
  static TBracketState state;
  return state;
}

int32_t Twips(double points) {
  const int64_t t = RoundHalfEven(points * 20);
  return static_cast<int32_t>(t / 4 * 4);
}

void ExecBracketCommand(TBracketState& state, int32_t& pos, std::string& s, bool english, uint8_t promptNo,
                        bool& changed, bool& stop) {
  TRunner runner{state, english, promptNo, changed, stop};
  runner.Exec(pos, s, 0);
}

}  // namespace nuvel
