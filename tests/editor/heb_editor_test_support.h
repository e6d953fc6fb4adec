#pragma once
// A window stand-in for the bilingual editor: two fonts of fixed cells and
// a client area of so many cells beside the default margins.
#include <string>
#include <vector>

#include "editor/heb_text_editor.h"
#include "platform/key_stroke.h"
#include "platform/virtual_keys.h"

namespace nuvel::test {

class TFakeHebHost : public TEditorHost {
 public:
  TFakeHebHost(int32_t columns, int32_t rows) : columns_(columns), rows_(rows) {}

  bool HasWindow() const override { return true; }
  bool HasFocus() const override { return focus; }
  // 15 + columns x 10 + 5, and 7 pixels to spare.
  int32_t ClientWidth() const override { return 15 + 5 + columns_ * 10 + 7; }
  int32_t ClientHeight() const override { return rows_ * 20; }
  // The Hebrew font's cell, the wider of the two (see the fixture).
  TEditorFontMetrics MeasureFont() const override { return {10, 20}; }
  void MoveCaret(int32_t x, int32_t y) override {
    caretX = x;
    caretY = y;
  }

  bool focus = true;
  int32_t caretX = 0, caretY = 0;

 private:
  int32_t columns_;
  int32_t rows_;
};

// Cutting succeeds as if the clipboard took the selection.
class TClipboardHebEditor : public THebTextEditor {
 public:
  bool CopyToClipboard() override {
    if (!HasSelection()) return false;
    copied = Text();  // the whole text, for the record
    int32_t l1, c1, l2, c2;
    GetSelection(l1, c1, l2, c2);
    int32_t para = l1, pos = c1;
    LineToPara(para, pos);
    int32_t para2 = l2, pos2 = c2;
    LineToPara(para2, pos2);
    const auto bytes = GetPara(para);
    cut.assign(bytes.begin() + (pos - 1), bytes.begin() + (para2 == para ? pos2 - 1 : bytes.size()));
    return true;
  }
  std::string copied;
  std::string cut;
};

// The paragraphs of the text joined by "|".
inline std::string Paras(const THebTextEditor& e) {
  std::string out;
  for (int32_t p = 1; p <= e.ParaCount(); ++p) {
    if (p > 1) out += '|';
    const auto b = e.GetPara(p);
    out.append(b.begin(), b.end());
  }
  return out;
}

// Loads "a|b|c" as paragraphs a, b and c.
inline void Load(THebTextEditor& e, std::string text) {
  for (size_t at; (at = text.find('|')) != std::string::npos;) text.replace(at, 1, "\r\n");
  e.LoadString(text);
}

struct THebEditorFixture {
  explicit THebEditorFixture(int32_t columns = 10, int32_t rows = 5) : host(columns, rows) {
    editor.MeasureFonts = [] { return std::array<TFontCell, 2>{TFontCell{8, 16}, TFontCell{10, 20}}; };
    editor.SetHost(&host);
    editor.WindowCreated();
  }
  ~THebEditorFixture() { editor.SetHost(nullptr); }

  void Type(std::string_view keys) {
    for (char k : keys) {
      editor.KeyDown(Key(0));
      editor.KeyChar(static_cast<uint8_t>(k));
    }
  }
  static platform::KeyStroke Key(uint16_t vk) {
    platform::KeyStroke k;
    k.VirtualKey = vk;
    return k;
  }
  std::string Para(int32_t n) const {
    auto bytes = editor.GetPara(n);
    return std::string(bytes.begin(), bytes.end());
  }

  TFakeHebHost host;
  TClipboardHebEditor editor;
};

inline std::string S(std::initializer_list<uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace nuvel::test
