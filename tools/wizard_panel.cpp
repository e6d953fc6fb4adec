#include "tools/wizard_panel.h"

#include <algorithm>
#include <cmath>

namespace nuvel {

namespace {

int Step(int from, int to, int i) {
  return static_cast<int>(std::lround(from + i * (to - from) / 100.0));
}

int MulDiv(int a, int b, int c) { return c == 0 ? 0 : static_cast<int>(std::lround(static_cast<double>(a) * b / c)); }

}  // namespace

PanelRgb RampColor(PanelRgb from, PanelRgb to, int i) {
  return {Step(from.r, to.r, i), Step(from.g, to.g, i), Step(from.b, to.b, i)};
}

std::vector<PanelBand> PanelBackground(PanelEffect effect, int width, int height, PanelRgb color, PanelRgb fade) {
  std::vector<PanelBand> bands;
  if (effect == PanelEffect::Flat) {
    bands.push_back({{0, 0, width, height}, color});
    return bands;
  }
  const bool across = effect == PanelEffect::Left || effect == PanelEffect::Right;
  // Down and Right start from the fade colour; Up and Left from the colour.
  const bool fromFade = effect == PanelEffect::Down || effect == PanelEffect::Right;
  const PanelRgb from = fromFade ? fade : color;
  const PanelRgb to = fromFade ? color : fade;
  bands.reserve(100);
  for (int i = 0; i < 100; ++i) {
    const PanelRgb c = RampColor(from, to, i);
    if (across) {
      const int x = MulDiv(i, width, 100);
      bands.push_back({{x, 0, width - x, height}, c});
    } else {
      const int y = MulDiv(i, height, 100);
      bands.push_back({{0, y, width, height - y}, c});
    }
  }
  return bands;
}

std::vector<PanelRect> PanelPictureBoxes(PanelPicture mode, int pictureWidth, int pictureHeight, int width,
                                         int height) {
  std::vector<PanelRect> boxes;
  if (pictureWidth <= 0 || pictureHeight <= 0 || width <= 0 || height <= 0) return boxes;
  if (mode == PanelPicture::Large) {
    // Scaled by the larger of the two ratios: to the full height, or to the
    // width less 10; centred, 10 pixels from the top.
    const double byHeight = static_cast<double>(pictureHeight) / height;
    const double byWidth = static_cast<double>(pictureWidth) / std::max(width - 10, 1);
    const double ratio = std::max(byHeight, byWidth);
    const int w = static_cast<int>(std::lround(pictureWidth / ratio));
    const int h = static_cast<int>(std::lround(pictureHeight / ratio));
    boxes.push_back({(width - w) / 2, 10, w, h});
    return boxes;
  }
  int w = pictureWidth, h = pictureHeight;
  const double widest = width / 2.5;
  if (w > widest) {
    h = static_cast<int>(std::lround(h * widest / w));
    w = static_cast<int>(widest);
  }
  const int gap = static_cast<int>(std::lround((width - 2.0 * w) / 3.0));
  boxes.push_back({gap, 25, w, h});
  boxes.push_back({2 * gap + w, 25, w, h});
  boxes.push_back({(width - w) / 2, gap + 25 + h, w, h});
  return boxes;
}

PanelRect PanelCaptionBox(int width, int height, int textHeight) {
  return {5, height - 10 - textHeight, std::max(width - 15, 0), textHeight};
}

}  // namespace nuvel
