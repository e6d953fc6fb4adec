#include "editor/wordstar_keys.h"

namespace nuvel {

namespace {
constexpr uint16_t Ctrl(char letter) { return static_cast<uint16_t>(letter - 'A' + 1); }

// Letters in either case and the control key of the same letter are one.
char LetterOf(uint16_t key) {
  const auto b = static_cast<uint8_t>(key & 0xFF);
  if (b >= 1 && b <= 26) return static_cast<char>('A' + b - 1);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 'a' + 'A');
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b);
  return 0;
}

TNvcCommand PrefixedCommand(uint16_t prefix, char letter, uint16_t& nextPrefix) {
  switch (prefix) {
    case kWsPrefixQ:
      switch (letter) {
        case 'S': return ccHome;
        case 'D': return ccEnd;
        case 'Y': return ccDelEol;
        case 'T': nextPrefix = kWsGotoChar; return ccWaitSecondKey;
        case 'F': return 457;
        case 'A': return 458;
        default: return ccNone;
      }
    case kWsPrefixJ:
      switch (letter) {
        case 'U': return 312;
        case 'X': return 328;
        case 'Y': return 329;
        default: return ccNone;
      }
    case kWsPrefixK:
      switch (letter) {
        case 'B': return 314;
        case 'K': return 315;
        case 'C': return 316;
        case 'Y': return 317;
        case 'V': return 318;
        case 'R': return 309;
        case 'D': return 310;
        case 'S': return 311;
        default: return ccNone;
      }
    default: return ccNone;
  }
}

TNvcCommand SingleKeyCommand(uint16_t key, uint16_t& prefix) {
  const auto b = static_cast<uint8_t>(key & 0xFF);
  switch (b) {
    case Ctrl('A'): return ccWordLeft;
    case Ctrl('C'): return ccNextPage;
    case Ctrl('D'): return ccRight;
    case Ctrl('E'): return ccUp;
    case Ctrl('F'): return ccWordRight;
    case Ctrl('G'): return ccDel;
    case Ctrl('H'): return ccBack;
    case Ctrl('L'): return 308;
    case Ctrl('S'): return ccLeft;
    case Ctrl('T'): return ccDelWord;
    case Ctrl('X'): return ccDown;
    case Ctrl('Y'): return ccDelLine;
    case Ctrl('J'): prefix = kWsPrefixJ; return ccWaitSecondKey;
    case Ctrl('K'): prefix = kWsPrefixK; return ccWaitSecondKey;
    case Ctrl('P'): prefix = kWsPrefixP; return ccWaitSecondKey;
    case Ctrl('Q'): prefix = kWsPrefixQ; return ccWaitSecondKey;
    default: return b >= 32 ? ccChar : ccNone;
  }
}
}  // namespace

TWordStarKey TranslateWordStarKey(uint16_t& prefix, uint16_t key, bool engm, bool seng, uint8_t& gotoChar) {
  TWordStarKey out;
  out.Key = key;
  // The character after ^Q T and after ^P is taken as typed: it names a
  // character, not a movement, so no exchange touches it.
  if (prefix == kWsGotoChar) {
    gotoChar = static_cast<uint8_t>(key & 0xFF);
    prefix = kWsNoPrefix;
    out.Command = kWsGotoChar;
    return out;
  }
  if (prefix == kWsPrefixP) {
    prefix = kWsNoPrefix;
    out.InsertLiteral = true;
    out.Command = ccNone;
    return out;
  }
  if (!engm) {
    // Hebrew documents mirror the movements. The letters S and D only after
    // ^Q, where they are movements: alone they are text that a macro or a
    // counter types, and after ^K they mean save and save-and-close.
    switch (key & 0xFF) {
      case Ctrl('A'): key = Ctrl('F'); break;
      case Ctrl('F'): key = Ctrl('A'); break;
      case Ctrl('S'): key = Ctrl('D'); break;
      case Ctrl('D'): key = Ctrl('S'); break;
      case 'S':
      case 's':
        if (prefix == kWsPrefixQ) key = Ctrl('D');
        break;
      case 'D':
      case 'd':
        if (prefix == kWsPrefixQ) key = Ctrl('S');
        break;
      default: break;
    }
  }
  if (seng && (key & 0xFF) == Ctrl('H')) key = Ctrl('G');
  out.Key = key;
  if (prefix != kWsNoPrefix) {
    uint16_t next = kWsNoPrefix;
    out.Command = PrefixedCommand(prefix, LetterOf(key), next);
    prefix = next;
    return out;
  }
  out.Command = SingleKeyCommand(key, prefix);
  return out;
}

}  // namespace nuvel
