#include "core/command_table_file.h"

#include <charconv>
#include <string>

#include "core/command_processor.h"
#include "core/exceptions.h"
#include "platform/atomic_file.h"

namespace nuvel {

namespace {

void AppendRightAligned(std::string& out, unsigned value, size_t width) {
  char digits[12];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const size_t len = static_cast<size_t>(end - digits);
  if (len < width) out.append(width - len, ' ');
  out.append(digits, len);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// Reads the next whitespace-separated decimal number, at most `limit`.
bool NextNumber(const std::string& text, size_t& pos, unsigned limit, unsigned& value) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos >= text.size()) return false;
  size_t end = pos;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  auto [ptr, ec] = std::from_chars(text.data() + pos, text.data() + end, value);
  if (ec != std::errc() || ptr != text.data() + end || value > limit) {
    throw EInOutError("Invalid numeric format");
  }
  pos = end;
  return true;
}

bool OnlyBlanksFrom(const std::string& text, size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos >= text.size();
}

}  // namespace

TNvcCommandTable ParseCommandTableText(std::string_view textView) {
  const std::string text(textView);
  size_t lineEnd = text.find('\n');
  if (lineEnd == std::string::npos) lineEnd = text.size();
  std::string name = text.substr(0, lineEnd);
  if (!name.empty() && name.back() == '\r') name.pop_back();
  TNvcCommandTable table(std::move(name), true);

  size_t pos = lineEnd;
  while (!OnlyBlanksFrom(text, pos)) {
    unsigned v[5] = {};
    for (int i = 0; i < 5; ++i) {
      if (!NextNumber(text, pos, i < 4 ? 0xFFu : 0xFFFFu, v[i])) {
        throw EInOutError("Read beyond end of file");
      }
    }
    table.Add({static_cast<uint8_t>(v[0]), static_cast<uint8_t>(v[1]),
               static_cast<uint8_t>(v[2]), static_cast<uint8_t>(v[3]),
               static_cast<TNvcCommand>(v[4])});
  }
  return table;
}

std::string CommandTableText(const TNvcCommandTable& table) {
  std::string out = table.TableName() + "\r\n";
  for (const auto& e : table.Entries()) {
    AppendRightAligned(out, e.Key1, 4);
    AppendRightAligned(out, e.Shift1, 4);
    AppendRightAligned(out, e.Key2, 4);
    AppendRightAligned(out, e.Shift2, 4);
    AppendRightAligned(out, e.Command, 6);
    out += "\r\n";
  }
  return out;
}

void TNvcCommandProcessor::LoadCommandTable(const std::string& fileName) {
  std::string text;
  if (!platform::ReadFileBytes(fileName, text)) throw EInOutError("File not found");
  // The table is added only when the whole file was read.
  AddTable(std::make_unique<TNvcCommandTable>(ParseCommandTableText(text)));
}

void TNvcCommandProcessor::SaveCommandTable(std::string_view tableName,
                                            const std::string& fileName) {
  const TNvcCommandTable* table = GetTableByName(tableName);
  if (table == nullptr) return;
  // A failed write leaves an older file whole.
  if (!platform::WriteFileAtomically(fileName, CommandTableText(*table))) {
    throw EInOutError("Cannot create file");
  }
}

}  // namespace nuvel
