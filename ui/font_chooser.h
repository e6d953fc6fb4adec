#pragma once
// The Hebrew screen-font chooser as a model: the four program faces, the
// size list of the chosen face, the four styles, and the sample font they
// give. The dialog shows it and hands its clicks to it.
#include <string>
#include <vector>

#include "core/font_descriptor.h"

namespace nuvel {

class FontChooserModel {
 public:
  // Starts with the editor's Hebrew font: a face that is none of the
  // program's takes the first Hebrew screen face; a style with underline or
  // strike-out becomes regular; the size is taken from the face's list.
  void Show(const FontDescriptor& start);
  // The face list's item 0..3 (the DOS bitmap face, then the three Hebrew
  // screen faces): the size list follows the face and the size is fitted to it.
  void ChooseFace(int item);
  // The size list's item; one outside the list changes nothing.
  void ChooseSize(int item);
  // The style list's item: 0 regular, 1 italic, 2 bold, 3 bold italic.
  void ChooseStyle(int item);

  const FontDescriptor& Font() const { return font_; }
  int FaceItem() const { return faceItem_; }
  int SizeItem() const { return sizeItem_; }
  int StyleItem() const { return styleItem_; }
  const std::vector<std::string>& SizeItems() const { return sizes_; }
  static const std::vector<std::string>& StyleItems();

 private:
  void SelectSizeItem();

  FontDescriptor font_;
  int faceItem_ = -1;
  int sizeItem_ = -1;
  int styleItem_ = 0;
  std::vector<std::string> sizes_;
};

}  // namespace nuvel
