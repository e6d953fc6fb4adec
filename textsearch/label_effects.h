#pragma once
// The effects label's model: the highlight and shadow settings, the
// appearances and colour schemes that preset them, and the offsets and
// colours of the copies the label paints.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/color.h"

namespace nuvel {

enum class TNvcShadeDirection : uint8_t {
  sdNone, sdUp, sdUpRight, sdRight, sdDownRight, sdDown, sdDownLeft, sdLeft, sdUpLeft,
};
enum class TNvcShadeStyle : uint8_t { ssPlain, ssExtrude, ssGraduated };
enum class TNvcGraduateStyle : uint8_t { gsNone, gsHorizontal, gsVertical };
enum class TNvcAppearance : uint8_t { apNone, apCustom, apFlying, apRaised, apSunken, apShadow };
enum class TNvcColorScheme : uint8_t { csCustom, csText, csWindows, csEmbossed, csGold, csSteel };

struct ShadeOffset {
  int dx = 0;
  int dy = 0;
  friend bool operator==(const ShadeOffset&, const ShadeOffset&) = default;
};
ShadeOffset UnitOffset(TNvcShadeDirection d);

// The effect settings; every setter fires the colour or the style
// notification unless updates are suspended.
class TNvcCustomSettings {
 public:
  TColor GraduateFromColor() const { return v_.graduateFrom; }
  TNvcGraduateStyle GraduateStyle() const { return v_.graduateStyle; }
  TColor HighlightColor() const { return v_.highlightColor; }
  int HighlightDepth() const { return v_.highlightDepth; }
  TNvcShadeDirection HighlightDirection() const { return v_.highlightDirection; }
  TNvcShadeStyle HighlightStyle() const { return v_.highlightStyle; }
  TColor ShadowColor() const { return v_.shadowColor; }
  int ShadowDepth() const { return v_.shadowDepth; }
  TNvcShadeDirection ShadowDirection() const { return v_.shadowDirection; }
  TNvcShadeStyle ShadowStyle() const { return v_.shadowStyle; }

  void SetGraduateFromColor(TColor c);
  void SetGraduateStyle(TNvcGraduateStyle s);
  void SetHighlightColor(TColor c);
  void SetHighlightDepth(int d);  // 0..255
  void SetHighlightDirection(TNvcShadeDirection d);
  void SetHighlightStyle(TNvcShadeStyle s);
  void SetShadowColor(TColor c);
  void SetShadowDepth(int d);  // 0..255
  void SetShadowDirection(TNvcShadeDirection d);
  void SetShadowStyle(TNvcShadeStyle s);

  // Suspends the notifications; EndUpdate fires the colour and then the
  // style notification.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();
  // Copies all ten values.
  void Assign(const TNvcCustomSettings& other);

  std::function<void()> OnColorChange;
  std::function<void()> OnStyleChange;

 private:
  struct Values {
    TColor graduateFrom = clGray;
    TNvcGraduateStyle graduateStyle = TNvcGraduateStyle::gsNone;
    TColor highlightColor = clWhite;
    int highlightDepth = 1;
    TNvcShadeDirection highlightDirection = TNvcShadeDirection::sdUpLeft;
    TNvcShadeStyle highlightStyle = TNvcShadeStyle::ssPlain;
    TColor shadowColor = clBlack;
    int shadowDepth = 1;
    TNvcShadeDirection shadowDirection = TNvcShadeDirection::sdDownRight;
    TNvcShadeStyle shadowStyle = TNvcShadeStyle::ssPlain;
  };
  void Color();
  void Style();
  Values v_;
  int updating_ = 0;
};

struct SchemeColors {
  TColor highlight = clWhite;
  TColor shadow = clBlack;
  TColor text = clGray;
};

// The label's appearance and colour scheme over its settings: choosing
// either presets the settings; changing a colour by hand turns the scheme
// to csCustom, changing a style turns the appearance to apCustom.
class TNvcLabelEffects {
 public:
  TNvcLabelEffects();
  TNvcLabelEffects(const TNvcLabelEffects&) = delete;
  TNvcLabelEffects& operator=(const TNvcLabelEffects&) = delete;

  TNvcCustomSettings& Settings() { return settings_; }
  const TNvcCustomSettings& Settings() const { return settings_; }
  TNvcAppearance Appearance() const { return appearance_; }
  void SetAppearance(TNvcAppearance a);
  TNvcColorScheme ColorScheme() const { return scheme_; }
  void SetColorScheme(TNvcColorScheme s);
  // The text colour (the label's font colour).
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor c) { fontColor_ = c; }
  const SchemeColors& Scheme(TNvcColorScheme s) const { return schemes_[static_cast<size_t>(s)]; }
  // While loading, notifications change neither the scheme nor the appearance.
  bool Loading = false;

  // Asks for a repaint after every notification.
  std::function<void()> OnRepaint;

 private:
  TNvcCustomSettings settings_;
  std::array<SchemeColors, 6> schemes_;
  TNvcAppearance appearance_ = TNvcAppearance::apRaised;
  TNvcColorScheme scheme_ = TNvcColorScheme::csWindows;
  TColor fontColor_ = clGray;
  bool choosingAppearance_ = false;
  bool choosingScheme_ = false;
};

// One copy of the caption to draw: its offset and colour.
struct LabelCopy {
  ShadeOffset offset;
  TColor color = clBlack;
  friend bool operator==(const LabelCopy&, const LabelCopy&) = default;
};

// The copies of the caption in painting order (shadow copies, highlight
// copies, then the caption itself), every offset shifted so that all stay
// inside the client area. `shiftLeft` is what centred or right-aligned text
// moves left: half or all of the span between the extreme offsets.
enum class TLabelAlignment : uint8_t { Left, Center, Right };
std::vector<LabelCopy> LabelCopies(const TNvcCustomSettings& s, TColor fontColor, TLabelAlignment align,
                                   int& shiftLeft);

// The colour of the copy at `step` (1..depth) of a graduated shade: from
// `shade` at the deepest step to `font` at step 1, per component, rounded.
TColor GraduatedColor(TColor shade, TColor font, int step, int depth);

}  // namespace nuvel
