#pragma once
// The on-screen keyboard as data: its 47 character keys, the byte each key
// types in each set of faces, and the state of its layout, Shift and dagesh
// buttons, which decides the faces and the byte a click sends.
#include <array>
#include <cstdint>
#include <string_view>

#include "editor/keyboard_layers.h"

namespace nuvel {

inline constexpr int kOnScreenKeyCount = 47;

// The keys in order: ` 1..0 - = \, q..p [ ], a..l ; ', z..m , . /
// The component name of key `key` ("Accent_Button", "_1_Button", "Q_Button", ...).
std::string_view OnScreenKeyName(int key);

enum class KeyFaces : uint8_t { US, USShift, Hebrew, Nikud, NikudShift, Phonetic, PhoneticShift };

// The byte key `key` carries in the set of faces.
uint8_t OnScreenKeyByte(KeyFaces faces, int key);

enum class OnScreenLayout : uint8_t { US, Hebrew, Nikud, Phonetic };

// The layout of an editor's keyboard type.
OnScreenLayout LayoutOfKeyType(TKeytype type);
TKeytype KeyTypeOfLayout(OnScreenLayout layout);
// The layout's name as the keyboard shows it: "US ", "Hebrew", "Nikud", "Phonetic".
std::string_view LayoutLabel(OnScreenLayout layout);

class OnScreenKeyboardModel {
 public:
  // Chooses a layout: Shift and dagesh are cleared. The phonetic layout is
  // not taken again while dagesh is on; false then.
  bool ChooseLayout(OnScreenLayout layout);
  // The Shift buttons, by the active editor's keyboard type: toggles the
  // one-key shift. In the phonetic layout with dagesh on it does nothing.
  void ToggleShift(TKeytype editorType);
  // The dagesh button (phonetic layout): the dagesh letters on the keys.
  void ToggleDagesh();
  // A click on a character key: the byte to send to the editor. With the
  // nikud keyboard and Shift, a letter E1..FA goes as its dagesh form 60
  // lower. A pressed Shift is released after the key.
  uint8_t Click(int key, TKeytype editorType);

  OnScreenLayout Layout() const { return layout_; }
  KeyFaces Faces() const { return faces_; }
  bool ShiftDown() const { return shiftButtons_; }
  bool ShiftFlag() const { return shift_; }
  bool Dagesh() const { return dagesh_; }
  // The dagesh button is shown in the phonetic layout only.
  bool DageshShown() const { return layout_ == OnScreenLayout::Phonetic; }

 private:
  OnScreenLayout layout_ = OnScreenLayout::US;
  KeyFaces faces_ = KeyFaces::US;
  bool shift_ = false;         // the shift flag
  bool shiftButtons_ = false;  // both Shift buttons pressed
  bool dagesh_ = false;
};

}  // namespace nuvel
