#include "tools/conversion_wizard.h"

#include <filesystem>

#include "editor/heb_text_editor.h"
#include "platform/ascii_case.h"

namespace nuvel {

std::optional<int> WizardFormatOf(int table) {
  switch (table) {
    case 0: return 2;  // Windows (CP1255)
    case 1: return 4;  // Nuvel DOS
    case 2: return 1;  // Windows 3.11: the Windows 3.1 table
    case 3: return 0;  // No Conversion
    default: return std::nullopt;
  }
}

WizardFormat SourceFormat(const WizardChoices& c) {
  switch (c.source) {
    case WizardSource::NuvelDos: return {4, 1};
    case WizardSource::Custom: {
      WizardFormat f{WizardFormatOf(c.sourceCustom.table), std::nullopt};
      if (c.sourceCustom.lineEnds >= 0) f.diskFormat = c.sourceCustom.lineEnds;
      return f;
    }
    case WizardSource::PlainAscii:
    case WizardSource::QTextDos:
    case WizardSource::Einstein: return {4, 0};
    case WizardSource::InEditor:
    case WizardSource::Rtf: return {};
  }
  return {};
}

WizardFormat DestFormat(const WizardChoices& c) {
  const bool named = !c.dest_name.empty();
  switch (c.dest) {
    case WizardDest::NuvelWindows: return named ? WizardFormat{2, 0} : WizardFormat{};
    case WizardDest::PasteToWord: return {2, 0};
    case WizardDest::Custom: {
      if (!named) return {};
      WizardFormat f{WizardFormatOf(c.destCustom.table), std::nullopt};
      if (c.destCustom.lineEnds >= 0) f.diskFormat = c.destCustom.lineEnds;
      return f;
    }
    case WizardDest::NuvelDos: return named ? WizardFormat{4, 1} : WizardFormat{};
    case WizardDest::Unicode: return {7, 5};
    case WizardDest::Rtf: return {};  // the ".RTF" name chooses the writer
  }
  return {};
}

bool KeptInEditor(const WizardChoices& c) { return c.dest == WizardDest::PasteToWord || c.dest_name.empty(); }

std::string WizardDestinationName(std::string name, WizardDest dest) {
  if (dest != WizardDest::Rtf || name.empty()) return name;
  const std::filesystem::path p(name);
  if (!platform::EqualsNoCase(p.extension().string(), ".RTF")) name += ".RTF";
  return name;
}

std::string DestinationInFolder(const std::string& source, const std::string& folder, WizardDest dest) {
  const char* ext = ".txt";
  switch (dest) {
    case WizardDest::NuvelWindows: ext = ".nvw"; break;
    case WizardDest::NuvelDos: ext = ".nvs"; break;
    case WizardDest::Rtf: ext = ".rtf"; break;
    case WizardDest::PasteToWord:
    case WizardDest::Custom:
    case WizardDest::Unicode: ext = ".txt"; break;
  }
  std::filesystem::path out(folder);
  out /= std::filesystem::path(source).stem();
  return out.string() + ext;
}

namespace {

// Every byte of the text put through `map`: a byte maps to the bytes it
// becomes (empty: removed). Paragraph ends stay where they were.
template <class Map>
void MapTextBytes(THebTextEditor& editor, Map map) {
  const std::string text = editor.Text();
  std::string out;
  out.reserve(text.size());
  for (char c : text) out += map(static_cast<uint8_t>(c));
  if (out != text) editor.LoadString(out);
}

}  // namespace

void CleanUpQTextDos(THebTextEditor& editor) {
  editor.RemoveDoubleSpaces();
  if (editor.Engm()) editor.SetEngm(false);
  // "0xAF and a blank" first, then any 0xAF left: each ends a line.
  const std::string text = editor.Text();
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (static_cast<uint8_t>(text[i]) == 0xAF) {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == ' ') ++i;
    } else {
      out += text[i];
    }
  }
  if (out != text) editor.LoadString(out);
  editor.MergeParagraphs();
}

void CleanUpEinstein(THebTextEditor& editor) {
  MapTextBytes(editor, [](uint8_t b) -> std::string {
    switch (b) {
      case 0xDB: return " ";
      case 0xDE: return "-";
      case 0xC9:
      case 0xCA:
      case 0xCB:
      case 0xD9:
      case 0xA5:
      case 0xFB: return {};
      default: return std::string(1, static_cast<char>(b));
    }
  });
}

void CleanUpSource(THebTextEditor& editor, WizardSource source) {
  if (source == WizardSource::QTextDos) CleanUpQTextDos(editor);
  if (source == WizardSource::Einstein) CleanUpEinstein(editor);
}

}  // namespace nuvel
