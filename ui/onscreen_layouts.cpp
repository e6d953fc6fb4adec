#include "ui/onscreen_layouts.h"

namespace nuvel {

namespace {

constexpr std::string_view kKeyNames[kOnScreenKeyCount] = {
    "Accent_Button", "_1_Button", "_2_Button", "_3_Button", "_4_Button", "_5_Button", "_6_Button",
    "_7_Button", "_8_Button", "_9_Button", "_0_Button", "Hyphen_Button", "Equal_Button", "Backslash_Button",
    "Q_Button", "W_Button", "E_Button", "R_Button", "T_Button", "Y_Button", "U_Button", "I_Button",
    "O_Button", "P_Button", "LBracket_Button", "RBracket_Button", "A_Button", "S_Button", "D_Button",
    "F_Button", "G_Button", "H_Button", "J_Button", "K_Button", "L_Button", "Colon_Button",
    "Apostrophe_Button", "Z_Button", "X_Button", "C_Button", "V_Button", "B_Button", "N_Button", "M_Button",
    "Comma_Button", "Period_Button", "Slash_Button"};

using Row = std::array<uint8_t, kOnScreenKeyCount>;

constexpr Row FromText(std::string_view text) {
  Row r{};
  for (size_t i = 0; i < r.size(); ++i) r[i] = static_cast<uint8_t>(text[i]);
  return r;
}

constexpr Row kUS = FromText("`1234567890-=\\qwertyuiop[]asdfghjkl;'zxcvbnm,./");
constexpr Row kUSShift = FromText("~!@#$%^&*()_+|QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>?");
constexpr Row kHebrew = {0x3B, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30, 0x2D, 0x3D, 0x5C, 0x2F, 0x27,
                         0xF7, 0xF8, 0xE0, 0xE8, 0xE5, 0xEF, 0xED, 0xF4, 0x5B, 0x5D, 0xF9, 0xE3, 0xE2, 0xEB, 0xF2, 0xE9,
                         0xE7, 0xEC, 0xEA, 0xF3, 0x2C, 0xE6, 0xF1, 0xE1, 0xE4, 0xF0, 0xEE, 0xF6, 0xFA, 0xF5, 0x2E};
constexpr Row kNikud = {0x3B, 0xC1, 0xC3, 0xC2, 0xC6, 0xC5, 0xC4, 0xC0, 0xC8, 0xC7, 0xCB, 0x2D, 0xC9, 0x40, 0x2F, 0x27,
                        0xF7, 0xF8, 0xE0, 0xE8, 0xE5, 0xEF, 0xED, 0xF4, 0x5B, 0x5D, 0xF9, 0xE3, 0xE2, 0xEB, 0xF2, 0xE9,
                        0xE7, 0xEC, 0xEA, 0xF3, 0x2C, 0xE6, 0xF1, 0xE1, 0xE4, 0xF0, 0xEE, 0xF6, 0xFA, 0xF5, 0x2E};
constexpr Row kNikudShift = {0x21, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30, 0x5F, 0x2B, 0x24, 0x93, 0x95,
                             0x97, 0x98, 0x9B, 0x88, 0x85, 0xEF, 0x8D, 0x94, 0x5B, 0x5D, 0x99, 0x83, 0x82, 0x8B, 0xF2, 0x89,
                             0xE7, 0x8C, 0x8A, 0x3A, 0x22, 0x86, 0x91, 0x81, 0x84, 0x90, 0x8E, 0x96, 0x9A, 0x3E, 0x3F};
constexpr Row kPhonetic = {0x3B, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30, 0x2D, 0x3D, 0x5C, 0xF7, 0x85,
                           0xC6, 0xF8, 0xFA, 0xE9, 0xC0, 0xC8, 0xF2, 0x94, 0xC1, 0xC3, 0xE0, 0xF9, 0xE3, 0xF4, 0xE2, 0xE4,
                           0xE7, 0x8B, 0xEC, 0x3B, 0x27, 0xE6, 0xF6, 0xEB, 0xE5, 0xE1, 0xF0, 0xEE, 0x2C, 0x2E, 0x2F};
constexpr Row kPhoneticShift = {0x7E, 0x21, 0x40, 0x23, 0x24, 0x25, 0x5E, 0x26, 0x2A, 0x28, 0x29, 0x5F, 0x2B, 0x7C, 0xF7, 0xF9,
                                0xC4, 0xF8, 0xE8, 0xE9, 0xCB, 0xC7, 0x8D, 0x94, 0x7B, 0x7D, 0xC5, 0xF1, 0x20, 0xF3, 0xE2, 0x84,
                                0xE7, 0x8A, 0x8F, 0x3A, 0x22, 0x9A, 0xF5, 0xEA, 0xE4, 0x81, 0xEF, 0xED, 0x3C, 0x3E, 0x3F};

const Row& RowOf(KeyFaces faces) {
  switch (faces) {
    case KeyFaces::US: return kUS;
    case KeyFaces::USShift: return kUSShift;
    case KeyFaces::Hebrew: return kHebrew;
    case KeyFaces::Nikud: return kNikud;
    case KeyFaces::NikudShift: return kNikudShift;
    case KeyFaces::Phonetic: return kPhonetic;
    case KeyFaces::PhoneticShift: return kPhoneticShift;
  }
  return kUS;
}

KeyFaces BaseFaces(OnScreenLayout layout) {
  switch (layout) {
    case OnScreenLayout::US: return KeyFaces::US;
    case OnScreenLayout::Hebrew: return KeyFaces::Hebrew;
    case OnScreenLayout::Nikud: return KeyFaces::Nikud;
    case OnScreenLayout::Phonetic: return KeyFaces::Phonetic;
  }
  return KeyFaces::US;
}

}  // namespace

std::string_view OnScreenKeyName(int key) {
  return key >= 0 && key < kOnScreenKeyCount ? kKeyNames[key] : std::string_view();
}

uint8_t OnScreenKeyByte(KeyFaces faces, int key) {
  return key >= 0 && key < kOnScreenKeyCount ? RowOf(faces)[static_cast<size_t>(key)] : 0;
}

OnScreenLayout LayoutOfKeyType(TKeytype type) {
  switch (type) {
    case TKeytype::English: return OnScreenLayout::US;
    case TKeytype::Hebrew: return OnScreenLayout::Hebrew;
    case TKeytype::Nikud: return OnScreenLayout::Nikud;
    case TKeytype::Phonetic: return OnScreenLayout::Phonetic;
  }
  return OnScreenLayout::US;
}

TKeytype KeyTypeOfLayout(OnScreenLayout layout) {
  switch (layout) {
    case OnScreenLayout::US: return TKeytype::English;
    case OnScreenLayout::Hebrew: return TKeytype::Hebrew;
    case OnScreenLayout::Nikud: return TKeytype::Nikud;
    case OnScreenLayout::Phonetic: return TKeytype::Phonetic;
  }
  return TKeytype::English;
}

std::string_view LayoutLabel(OnScreenLayout layout) {
  switch (layout) {
    case OnScreenLayout::US: return "US ";
    case OnScreenLayout::Hebrew: return "Hebrew";
    case OnScreenLayout::Nikud: return "Nikud";
    case OnScreenLayout::Phonetic: return "Phonetic";
  }
  return "";
}

bool OnScreenKeyboardModel::ChooseLayout(OnScreenLayout layout) {
  if (layout == OnScreenLayout::Phonetic && dagesh_) return false;
  layout_ = layout;
  shift_ = shiftButtons_ = dagesh_ = false;
  faces_ = BaseFaces(layout);
  return true;
}

void OnScreenKeyboardModel::ToggleShift(TKeytype editorType) {
  if (editorType == TKeytype::Phonetic && dagesh_) return;
  shift_ = !shift_;
  shiftButtons_ = shift_;
  if (!shift_) {
    faces_ = BaseFaces(LayoutOfKeyType(editorType));
    return;
  }
  switch (editorType) {
    case TKeytype::English:
    case TKeytype::Hebrew: faces_ = KeyFaces::USShift; break;
    case TKeytype::Nikud: faces_ = KeyFaces::NikudShift; break;
    case TKeytype::Phonetic: faces_ = KeyFaces::PhoneticShift; break;
  }
}

void OnScreenKeyboardModel::ToggleDagesh() {
  dagesh_ = !dagesh_;
  shift_ = dagesh_;
  shiftButtons_ = false;
  faces_ = dagesh_ ? KeyFaces::NikudShift : KeyFaces::Phonetic;
}

uint8_t OnScreenKeyboardModel::Click(int key, TKeytype editorType) {
  uint8_t byte = OnScreenKeyByte(faces_, key);
  if (editorType == TKeytype::Nikud && shift_ && byte >= 0xE1 && byte <= 0xFA) byte = static_cast<uint8_t>(byte - 0x60);
  if (shiftButtons_) ToggleShift(editorType);
  return byte;
}

}  // namespace nuvel
