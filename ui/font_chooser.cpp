#include "ui/font_chooser.h"

#include "core/program_fonts.h"

namespace nuvel {

const std::vector<std::string>& FontChooserModel::StyleItems() {
  static const std::vector<std::string> items = {"Regular", "Italic", "Bold", "Bold Italic"};
  return items;
}

void FontChooserModel::Show(const FontDescriptor& start) {
  font_ = start;
  int face = 1;
  if (const auto f = ProgramFontOf(start.Name)) face = f->Number - 1;
  ChooseFace(face);
  const bool bold = start.Style.Has(FontStyles::Bold), italic = start.Style.Has(FontStyles::Italic);
  const bool other = start.Style.Has(FontStyles::Underline) || start.Style.Has(FontStyles::StrikeOut);
  int style = 0;
  if (!other) style = bold && italic ? 3 : bold ? 2 : italic ? 1 : 0;
  ChooseStyle(style);
  SelectSizeItem();
}

void FontChooserModel::ChooseFace(int item) {
  if (item < 0 || item > 3) return;
  faceItem_ = item;
  const ProgramFont& f = ProgramFonts()[static_cast<size_t>(item)];
  font_.Name = std::string(f.Face);
  sizes_.clear();
  if (f.Bitmap) {
    for (int s : BitmapFontSizes()) sizes_.push_back(std::to_string(s));
    font_.Size = font_.Size <= 12 ? 12 : font_.Size <= 18 ? 18 : 22;
  } else {
    for (int s : TrueTypeFontSizes()) sizes_.push_back(std::to_string(s));
    // 18 is the bitmap face's middle size; its TrueType match is 14.
    if (font_.Size == 18) font_.Size = 14;
  }
  SelectSizeItem();
}

void FontChooserModel::SelectSizeItem() {
  int item = 0;
  const std::string size = std::to_string(font_.Size);
  for (size_t i = 0; i < sizes_.size(); ++i)
    if (sizes_[i] == size) item = static_cast<int>(i);
  ChooseSize(item);
}

void FontChooserModel::ChooseSize(int item) {
  if (item < 0 || item >= static_cast<int>(sizes_.size())) return;
  sizeItem_ = item;
  font_.Size = std::stoi(sizes_[static_cast<size_t>(item)]);
}

void FontChooserModel::ChooseStyle(int item) {
  static constexpr uint8_t kStyles[] = {0, FontStyles::Italic, FontStyles::Bold, FontStyles::Bold | FontStyles::Italic};
  if (item < 0 || item > 3) return;
  styleItem_ = item;
  font_.Style.Bits = kStyles[item];
}

}  // namespace nuvel
