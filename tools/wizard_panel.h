#pragma once
// The wizard's side panel as a plan: the colour bands of its background,
// the boxes its picture is drawn in, and where its caption goes. The widget
// paints the plan.
#include <cstdint>
#include <vector>

namespace nuvel {

struct PanelRgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const PanelRgb&) const = default;
};

struct PanelRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PanelRect&) const = default;
};

// The background: flat, or a ramp of 100 bands towards one side.
enum class PanelEffect : uint8_t { Flat = 0, Down, Left, Right, Up };
// The picture once and large, or three times small.
enum class PanelPicture : uint8_t { Large = 0, SmallThree };

struct PanelBand {
  PanelRect rect;
  PanelRgb color;
};

// Step i (0..99) of the ramp from `from` to `to`, each value to the nearest
// whole number.
PanelRgb RampColor(PanelRgb from, PanelRgb to, int i);

// The bands, painted in order (each later one covers the rest of the panel).
std::vector<PanelBand> PanelBackground(PanelEffect effect, int width, int height, PanelRgb color, PanelRgb fade);

// The boxes the picture is stretched into.
std::vector<PanelRect> PanelPictureBoxes(PanelPicture mode, int pictureWidth, int pictureHeight, int width,
                                         int height);

// The caption's box: from x 5 to the width less 10, `textHeight` high, its
// bottom 10 pixels above the panel's bottom.
PanelRect PanelCaptionBox(int width, int height, int textHeight);

}  // namespace nuvel
