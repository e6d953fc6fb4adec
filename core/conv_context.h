#pragma once
// What converting a text depends on besides the text: the conversion mode
// and the edit configuration, which decides the readers and writers and
// whether text is converted at all. Each document holds one, and so does
// each tool run; the program's preferences give the one they start with.
// Nothing here is shared: two documents convert by their own at once.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/conv_engine.h"

namespace nuvel {

// The edit configuration ([GENPREFS] EditConfig) as one value.
enum class TEditConfig : uint8_t {
  Default = 0,
  ProgramEditor = 1,
  Custom = 2,
  NuvelDos = 3,
  ThreeB2 = 4,
  Tag = 5,
  NulRecords = 6,
};

struct ConvContext {
  int mode = kConvNone;  // the mode that runs: a stored 3 (Word) runs as 2
  TEditConfig config = TEditConfig::Default;

  // Program Editor: text goes in and out unconverted and unturned.
  bool NoConversion() const { return config == TEditConfig::ProgramEditor; }
  // 3B2: whole texts (the clipboard) convert as Windows-1255.
  bool ForceCp1255() const { return config == TEditConfig::ThreeB2; }
  // The mode a whole text converts by (see ConvertWholeText).
  int WholeTextMode() const { return ForceCp1255() ? kConvCp1255 : mode; }
  // The same settings with another mode.
  ConvContext WithMode(int other) const {
    ConvContext c = *this;
    c.mode = other;
    return c;
  }
  bool operator==(const ConvContext&) const = default;
};

// The program's defaults: the "Character Table" preference and the edit
// configuration as the preferences last set them. Read where a document or
// a tool run is made.
ConvContext ProgramConvContext();

// A table prepared for one mode and direction with the settings the engine
// converts by. A value: a copy converts through its own table.
class PreparedConv {
 public:
  PreparedConv(int mode, bool out);
  PreparedConv(const PreparedConv& other) : table_(other.table_), settings_(other.settings_) {
    settings_.table = table_.data();
  }
  PreparedConv& operator=(const PreparedConv& other) {
    table_ = other.table_;
    settings_ = other.settings_;
    settings_.table = table_.data();
    return *this;
  }
  const ConvSettings& Settings() const { return settings_; }
  const ConvTableBytes& Table() const { return table_; }

 private:
  ConvTableBytes table_;
  ConvSettings settings_;
};

// Converts a whole text in place by `c` in one direction; its length may
// change. Nothing happens under the Program Editor configuration; under the
// 3B2 configuration mode 2 is used. Mode 7 (Unicode) leaves the bytes alone:
// HebToWideBuffer turns them into UTF-16.
void ConvertWholeText(const ConvContext& c, bool out, std::vector<uint8_t>& text);
void ConvertWholeText(const ConvContext& c, bool out, std::string& text);

}  // namespace nuvel
