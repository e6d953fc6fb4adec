#include "textsearch/label_effects.h"

#include <algorithm>
#include <cmath>

namespace nuvel {

ShadeOffset UnitOffset(TNvcShadeDirection d) {
  switch (d) {
    case TNvcShadeDirection::sdNone: return {0, 0};
    case TNvcShadeDirection::sdUp: return {0, -1};
    case TNvcShadeDirection::sdUpRight: return {1, -1};
    case TNvcShadeDirection::sdRight: return {1, 0};
    case TNvcShadeDirection::sdDownRight: return {1, 1};
    case TNvcShadeDirection::sdDown: return {0, 1};
    case TNvcShadeDirection::sdDownLeft: return {-1, 1};
    case TNvcShadeDirection::sdLeft: return {-1, 0};
    case TNvcShadeDirection::sdUpLeft: return {-1, -1};
  }
  return {0, 0};
}

// ---- settings ----

void TNvcCustomSettings::Color() {
  if (updating_ == 0 && OnColorChange) OnColorChange();
}
void TNvcCustomSettings::Style() {
  if (updating_ == 0 && OnStyleChange) OnStyleChange();
}

void TNvcCustomSettings::SetGraduateFromColor(TColor c) { v_.graduateFrom = c, Color(); }
void TNvcCustomSettings::SetGraduateStyle(TNvcGraduateStyle s) { v_.graduateStyle = s, Style(); }
void TNvcCustomSettings::SetHighlightColor(TColor c) { v_.highlightColor = c, Color(); }
void TNvcCustomSettings::SetHighlightDepth(int d) { v_.highlightDepth = std::clamp(d, 0, 255), Style(); }
void TNvcCustomSettings::SetHighlightDirection(TNvcShadeDirection d) { v_.highlightDirection = d, Style(); }
void TNvcCustomSettings::SetHighlightStyle(TNvcShadeStyle s) { v_.highlightStyle = s, Style(); }
void TNvcCustomSettings::SetShadowColor(TColor c) { v_.shadowColor = c, Color(); }
void TNvcCustomSettings::SetShadowDepth(int d) { v_.shadowDepth = std::clamp(d, 0, 255), Style(); }
void TNvcCustomSettings::SetShadowDirection(TNvcShadeDirection d) { v_.shadowDirection = d, Style(); }
void TNvcCustomSettings::SetShadowStyle(TNvcShadeStyle s) { v_.shadowStyle = s, Style(); }

void TNvcCustomSettings::EndUpdate() {
  if (updating_ > 0) --updating_;
  Color();
  Style();
}

void TNvcCustomSettings::Assign(const TNvcCustomSettings& other) {
  v_ = other.v_;
  Color();
  Style();
}

// ---- appearance and scheme ----

TNvcLabelEffects::TNvcLabelEffects() {
  schemes_[static_cast<size_t>(TNvcColorScheme::csText)] = {clWhite, clGray, clBlack};
  schemes_[static_cast<size_t>(TNvcColorScheme::csWindows)] = {clWhite, clBlack, clGray};
  schemes_[static_cast<size_t>(TNvcColorScheme::csEmbossed)] = {clWhite, clBlack, clSilver};
  schemes_[static_cast<size_t>(TNvcColorScheme::csGold)] = {clYellow, clBlack, clOlive};
  schemes_[static_cast<size_t>(TNvcColorScheme::csSteel)] = {clAqua, clNavy, clTeal};
  schemes_[static_cast<size_t>(TNvcColorScheme::csCustom)] = schemes_[static_cast<size_t>(TNvcColorScheme::csWindows)];
  fontColor_ = Scheme(TNvcColorScheme::csWindows).text;
  settings_.OnColorChange = [this] {
    if (!Loading && !choosingScheme_) scheme_ = TNvcColorScheme::csCustom;
    if (OnRepaint) OnRepaint();
  };
  settings_.OnStyleChange = [this] {
    if (!Loading && !choosingAppearance_) appearance_ = TNvcAppearance::apCustom;
    if (OnRepaint) OnRepaint();
  };
}

void TNvcLabelEffects::SetAppearance(TNvcAppearance a) {
  if (a == appearance_) return;
  appearance_ = a;
  choosingAppearance_ = true;
  const SchemeColors& sc = Scheme(scheme_);
  TNvcCustomSettings& s = settings_;
  s.BeginUpdate();
  s.SetHighlightColor(sc.highlight);
  using D = TNvcShadeDirection;
  auto preset = [&s](D hd, D sd, int hdepth, int sdepth) {
    s.SetHighlightDirection(hd);
    s.SetShadowDirection(sd);
    s.SetHighlightDepth(hdepth);
    s.SetShadowDepth(sdepth);
  };
  switch (a) {
    case TNvcAppearance::apNone: preset(D::sdNone, D::sdNone, 0, 0); break;
    case TNvcAppearance::apCustom: break;
    case TNvcAppearance::apFlying:
      preset(D::sdDownRight, D::sdDownRight, 1, 5);
      s.SetHighlightColor(sc.shadow);
      break;
    case TNvcAppearance::apRaised: preset(D::sdUpLeft, D::sdDownRight, 1, 1); break;
    case TNvcAppearance::apSunken: preset(D::sdDownRight, D::sdUpLeft, 1, 1); break;
    case TNvcAppearance::apShadow: preset(D::sdNone, D::sdDownRight, 0, 2); break;
  }
  // The closing notifications: the colour one turns the scheme to custom.
  s.EndUpdate();
  choosingAppearance_ = false;
}

void TNvcLabelEffects::SetColorScheme(TNvcColorScheme c) {
  if (c == scheme_) return;
  scheme_ = c;
  choosingScheme_ = true;
  const SchemeColors sc = Scheme(c);
  settings_.BeginUpdate();
  settings_.SetHighlightColor(sc.highlight);
  fontColor_ = sc.text;
  settings_.SetShadowColor(sc.shadow);
  if (c != TNvcColorScheme::csCustom) schemes_[static_cast<size_t>(TNvcColorScheme::csCustom)] = sc;
  // The closing notifications: the style one turns the appearance to custom.
  settings_.EndUpdate();
  choosingScheme_ = false;
}

// ---- painting plan ----

TColor GraduatedColor(TColor shade, TColor font, int step, int depth) {
  if (depth < 2) return step <= 1 ? font : shade;
  const TRgb a = SplitColorRGB(shade), b = SplitColorRGB(font);
  const double t = static_cast<double>(depth - step) / (depth - 1);
  auto mix = [t](uint8_t from, uint8_t to) {
    return static_cast<uint32_t>(std::lround(from + (static_cast<double>(to) - from) * t));
  };
  return static_cast<TColor>(mix(a.Red, b.Red) | (mix(a.Green, b.Green) << 8) | (mix(a.Blue, b.Blue) << 16));
}

std::vector<LabelCopy> LabelCopies(const TNvcCustomSettings& s, TColor fontColor, TLabelAlignment align,
                                   int& shiftLeft) {
  const ShadeOffset hu = UnitOffset(s.HighlightDirection()), su = UnitOffset(s.ShadowDirection());
  const int hd = s.HighlightDepth(), sd = s.ShadowDepth();
  const int minX = std::min({0, hu.dx * hd, su.dx * sd}), maxX = std::max({0, hu.dx * hd, su.dx * sd});
  const int minY = std::min({0, hu.dy * hd, su.dy * sd});
  shiftLeft = align == TLabelAlignment::Center ? (maxX - minX) / 2 : align == TLabelAlignment::Right ? maxX - minX : 0;

  std::vector<LabelCopy> copies;
  auto shade = [&](ShadeOffset u, int depth, TNvcShadeStyle style, TColor color) {
    if (u == ShadeOffset{} || depth == 0) return;
    if (style == TNvcShadeStyle::ssPlain || depth < 2) {
      copies.push_back({{u.dx * depth - minX, u.dy * depth - minY}, color});
      return;
    }
    for (int step = depth; step >= 1; --step) {
      const TColor c = style == TNvcShadeStyle::ssGraduated ? GraduatedColor(color, fontColor, step, depth) : color;
      copies.push_back({{u.dx * step - minX, u.dy * step - minY}, c});
    }
  };
  shade(su, sd, s.ShadowStyle(), s.ShadowColor());
  shade(hu, hd, s.HighlightStyle(), s.HighlightColor());
  copies.push_back({{-minX, -minY}, fontColor});
  return copies;
}

}  // namespace nuvel
