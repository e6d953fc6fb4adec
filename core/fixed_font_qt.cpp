#include "core/fixed_font_qt.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QString>
#include <array>
#include <memory>

#include "core/qstring_bytes_qt.h"
#include "core/fixed_font_names.h"
#include "core/program_fonts.h"
#include "core/settings.h"
#include "platform/message_sink.h"

namespace nuvel {
namespace {

// The English default and the installed face that stands in for it.
constexpr const char* kCourierSubstitute = "Liberation Mono";

void InstallSubstitutions() {
  static bool done = false;
  if (done) return;
  done = true;
  QFont::insertSubstitution(QString::fromUtf8(kEnglishDefaultFont.data(),
                                              static_cast<int>(kEnglishDefaultFont.size())),
                            QString::fromLatin1(kCourierSubstitute));
}

QFont MakeFont(const FontDescriptor& d) {
  InstallSubstitutions();
  QFont font(FromUtf8(d.Name));
  font.setPointSize(d.Size);
  font.setBold(d.Style.Has(FontStyles::Bold));
  font.setItalic(d.Style.Has(FontStyles::Italic));
  font.setUnderline(d.Style.Has(FontStyles::Underline));
  font.setStrikeOut(d.Style.Has(FontStyles::StrikeOut));
  // Cells are placed one by one; the font must not add its own kerning.
  font.setKerning(false);
  // A Hebrew screen face whose own file is not loaded is drawn in the face
  // that stands in for it, whose book weight is thin and pale beside the
  // Latin face of the same line: its bold weight matches that face's
  // regular one. The style the user chose is still the one reported.
  const auto program = ProgramFontOf(d.Name);
  if (program && !program->Bitmap && !d.Style.Has(FontStyles::Italic) &&
      !QFontDatabase::families().contains(font.family(), Qt::CaseInsensitive)) {
    font.setStyleName(QStringLiteral("Bold"));
  }
  return font;
}

struct GlobalFonts {
  std::array<std::unique_ptr<TNvcFixedFont>, 4> fonts;
};

GlobalFonts& Globals() {
  static GlobalFonts fonts;
  return fonts;
}

const FontDescriptor kEnglishDefault{std::string(kEnglishDefaultFont), 11, {}};
const FontDescriptor kHebrewDefault{std::string(kHebrewScreenFont1), 11, {}};

void CreateDefaults() {
  if (FixedFontList().empty()) EnumFixedFonts();
  auto& fonts = Globals().fonts;
  for (auto& slot : fonts) {
    if (!slot) slot = std::make_unique<TNvcFixedFont>();
  }
  fonts[0]->Assign(kEnglishDefault);
  fonts[1]->Assign(kHebrewDefault);
  fonts[2]->Assign(FontDescriptor{std::string(kDosBitmapFont), kDosBitmapFontSize, {}});
  fonts[3]->Assign(
      FontDescriptor{std::string(kDosBitmapFont), kDosBitmapFontSize, {FontStyles::Bold}});
}

}  // namespace

TNvcFixedFont::TNvcFixedFont() {
  const auto& list = FixedFontList();
  font_ = MakeFont(FontDescriptor{list.empty() ? std::string(kEnglishDefaultFont) : list.front(),
                                  11, {}});
  descriptor_ = FormatFontDescriptor(Describe());
}

void TNvcFixedFont::Assign(const TNvcFixedFont& source) {
  font_ = source.font_;
  color_ = source.color_;
  Changed();
}

void TNvcFixedFont::Assign(const QFont& source) {
  const std::string name = source.family().toStdString();
  if (!IsFixedFont(name)) InfoMessage(kNotFixedFontText);
  font_ = source;
  font_.setKerning(false);
  Changed();
}

void TNvcFixedFont::Assign(const FontDescriptor& source) { Assign(MakeFont(source)); }

void TNvcFixedFont::SetColor(const QColor& color) {
  color_ = color;
  Changed();
}

std::string TNvcFixedFont::Name() const { return font_.family().toStdString(); }

void TNvcFixedFont::SetName(std::string_view name) {
  font_.setFamily(FromUtf8(name));
  Changed();
}

int TNvcFixedFont::Size() const { return font_.pointSize(); }

void TNvcFixedFont::SetSize(int size) {
  font_.setPointSize(size);
  Changed();
}

FontStyles TNvcFixedFont::Style() const {
  uint8_t bits = 0;
  if (font_.bold()) bits |= FontStyles::Bold;
  if (font_.italic()) bits |= FontStyles::Italic;
  if (font_.underline()) bits |= FontStyles::Underline;
  if (font_.strikeOut()) bits |= FontStyles::StrikeOut;
  return FontStyles{bits};
}

void TNvcFixedFont::SetStyle(FontStyles style) {
  font_.setBold(style.Has(FontStyles::Bold));
  font_.setItalic(style.Has(FontStyles::Italic));
  font_.setUnderline(style.Has(FontStyles::Underline));
  font_.setStrikeOut(style.Has(FontStyles::StrikeOut));
  Changed();
}

FontDescriptor TNvcFixedFont::Describe() const { return {Name(), Size(), Style()}; }

void TNvcFixedFont::Changed() {
  descriptor_ = FormatFontDescriptor(Describe());
  if (OnChange) OnChange();
}

void InfoMessage(std::string_view text) {
  platform::MessageRequest request;
  request.text = std::string(text);
  request.type = platform::MsgDlgType::Information;
  request.buttons = platform::mbOK;
  platform::ShowMessageRequest(request);
}

void EnumFixedFonts() {
  InstallSubstitutions();
  auto& list = FixedFontList();
  list.clear();
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isFixedPitch(family)) list.push_back(family.toStdString());
  }
  if (QFontDatabase::isFixedPitch(QString::fromLatin1(kCourierSubstitute))) {
    list.push_back(std::string(kEnglishDefaultFont));
  }
}

TNvcFixedFont& FixedFonts(int slot) {
  auto& fonts = Globals().fonts;
  if (!fonts[0]) CreateDefaults();
  if (slot < 1 || slot > 4) slot = 1;
  return *fonts[slot - 1];
}

void InitFixedFonts(std::optional<std::string> curFont, std::optional<std::string> curFont2) {
  CreateDefaults();
  auto& fonts = Globals().fonts;
  if (curFont) fonts[0]->Assign(ParseFontDescriptorOr(*curFont, kEnglishDefault));
  if (curFont2) fonts[1]->Assign(ParseFontDescriptorOr(*curFont2, kHebrewDefault));
}

}  // namespace nuvel

namespace nuvel {

void InitFixedFonts() {
  auto descriptor = [](std::string_view key) -> std::optional<std::string> {
    std::string value = ReadIniString("GENPREFS", key);
    if (value == kNotFound) return std::nullopt;
    return value;
  };
  InitFixedFonts(descriptor("CurFont"), descriptor("CurFont2"));
}

}  // namespace nuvel
