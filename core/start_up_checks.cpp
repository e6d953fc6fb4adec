#include "core/start_up_checks.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "core/conv_engine.h"
#include "core/conv_table.h"
#include "core/data_file.h"
#include "core/file_messages.h"
#include "core/ini_location.h"
#include "core/message_texts.h"
#include "core/shared_state.h"
#include "platform/atomic_file.h"
#include "platform/file_facts.h"
#include "platform/program_path.h"
#include "platform/string_library.h"

namespace nuvel {
namespace {

// Texts every message box needs: a message in both languages and a button.
constexpr uint16_t kTextsEveryBoxNeeds[] = {38412, 41112, 45300};

// The data file holds the conversion tables of every mode: the last table's
// four records end the smallest whole file.
std::size_t ConversionTablesSize() {
  uint16_t last = 0;
  for (int mode : {int{kConvNone}, int{kConvCp1255}, int{kConvNuvelDos}, int{kConvEinstein}})
    for (bool out : {false, true}) last = std::max(last, DataFileTableRecord(mode, out));
  return (std::size_t{last} + 4) * kDataRecordSize;
}

// The file's problem, or empty: missing, or `sound` says no to its bytes.
template <typename Sound>
std::string Problem(const std::string& path, FileMessage use, Sound sound) {
  std::string bytes;
  int error = 0;
  const std::string name = FileNameInMessage(path);
  if (!platform::ReadFileBytes(path, bytes, error)) {
    if (error == ENOENT) return FileMessageText(FileMessage::DataFileMissing, {name, FileMessageFormat(use)});
    return FileMessageText(FileMessage::DataFileUnreadable,
                           {name, FileErrorReason(error), FileMessageFormat(use)});
  }
  if (!sound(bytes)) return FileMessageText(FileMessage::DataFileDamaged, {name, FileMessageFormat(use)});
  return {};
}

}  // namespace

std::vector<std::string> DataFileProblems() {
  std::vector<std::string> lines;
  auto add = [&lines](std::string line) {
    if (!line.empty()) lines.push_back(std::move(line));
  };
  add(Problem(platform::ProgramDataFile(std::string(platform::kStringLibraryName)), FileMessage::UseStringLibrary,
              [](std::string bytes) {
                const auto library = platform::StringLibrary::FromBytes(std::move(bytes));
                return library && std::all_of(std::begin(kTextsEveryBoxNeeds), std::end(kTextsEveryBoxNeeds),
                                              [&](uint16_t id) { return !library->Text(id).empty(); });
              }));
  const std::string tables = DataFileName.empty() ? std::string("DIDOD.drf") : DataFileName;
  const std::string tablesPath = platform::FindFileNoCase(ProgPath, tables);
  std::string tablesProblem = Problem(tablesPath, FileMessage::UseConversionTables,
                                      [](const std::string& bytes) { return bytes.size() >= ConversionTablesSize(); });
  // Told here once; each conversion that reads the file keeps quiet then.
  if (!tablesProblem.empty()) NoteDataFileDamageTold(tablesPath);
  add(std::move(tablesProblem));
  return lines;
}

std::string StartUpProblemsMessage() {
  std::string message;
  const std::vector<std::string> files = DataFileProblems();
  if (!files.empty()) {
    message = FileMessageFormat(FileMessage::DataFilesProblem);
    for (const std::string& line : files) message += "\n" + line;
  }
  if (const int error = SettingsFolderError(); error != 0) {
    if (!message.empty()) message += "\n\n";
    message += FileMessageText(FileMessage::SettingsFolderUnwritable,
                               {FileNameInMessage(SettingsFolder()), FileErrorReason(error)});
  }
  return message;
}

}  // namespace nuvel
