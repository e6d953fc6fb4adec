#pragma once
// The conversion wizard's choices and what they mean: the source and the
// destination types, the custom character tables and line endings, the
// conversion mode and disk format a file is read and written with, the
// destination names, and the clean-ups some source formats need.
#include <optional>
#include <string>
#include <vector>

namespace nuvel {

class THebTextEditor;

// "Source Type" and "Destination Type", in the order of the wizard's lists.
enum class WizardSource : int { InEditor = 0, NuvelDos, Custom, PlainAscii, Rtf, QTextDos, Einstein };
enum class WizardDest : int { NuvelWindows = 0, PasteToWord, Custom, NuvelDos, Rtf, Unicode };

// A custom character table (0 Windows (CP1255), 1 Nuvel DOS, 2 Windows 3.11,
// 3 No Conversion) and line endings (0 Nuvel Windows, 1 Nuvel DOS, 2 DOS
// Text); -1 where nothing was chosen.
struct WizardCustom {
  int table = -1;
  int lineEnds = -1;
  bool operator==(const WizardCustom&) const = default;
};

struct WizardChoices {
  WizardSource source = WizardSource::InEditor;
  WizardDest dest = WizardDest::NuvelWindows;
  WizardCustom sourceCustom;
  WizardCustom destCustom;
  // The source files (none for "Now in Editor"); several are converted one
  // after the other into the destination folder.
  std::vector<std::string> sources;
  // The destination: a file for one source, a folder for several; empty
  // leaves the converted document in the editor.
  std::string dest_name;
  bool sheim = false;  // Sheim Hashem protection on the converted text
  // The main language of the documents the files are read into, as the
  // main window's English File option gives it for new documents.
  bool englishDocument = false;
};

// The conversion mode of a custom character table: Windows (CP1255) 2,
// Nuvel DOS 4, Windows 3.11 1, No Conversion 0; nullopt for no choice.
std::optional<int> WizardFormatOf(int table);

// How a side is read or written: the conversion mode and the disk format,
// each unset where the wizard leaves the editor's own.
struct WizardFormat {
  std::optional<int> mode;
  std::optional<int> diskFormat;
  bool operator==(const WizardFormat&) const = default;
};
WizardFormat SourceFormat(const WizardChoices& c);
WizardFormat DestFormat(const WizardChoices& c);

// True when the converted document stays in the editor instead of being
// written: "Paste to Microsoft Word", or no destination name.
bool KeptInEditor(const WizardChoices& c);

// The destination name as the summary shows and the save uses it: ".RTF"
// is added for the RTF type unless the name ends in it (any case).
std::string WizardDestinationName(std::string name, WizardDest dest);

// The file a source is written to when several are converted into the
// folder `folder`: the source's name with the destination type's extension.
std::string DestinationInFolder(const std::string& source, const std::string& folder, WizardDest dest);

// The clean-ups of the source formats that need them, on the loaded text.
// QText DOS: no double blanks, a Hebrew document, each 0xAF (with a blank
// after it) a line break, and the lines merged into paragraphs.
void CleanUpQTextDos(THebTextEditor& editor);
// Einstein: its layout bytes removed (0xC9-0xCB, 0xD9, 0xA5, 0xFB), 0xDB a
// blank, 0xDE a hyphen.
void CleanUpEinstein(THebTextEditor& editor);
// The clean-up of the choices' source type (none for most).
void CleanUpSource(THebTextEditor& editor, WizardSource source);

}  // namespace nuvel
