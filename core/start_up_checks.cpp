#include "core/start_up_checks.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <span>

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

// The file's problem, or empty: missing, unreadable, or `damage` gives the
// reason its bytes are not sound.
template <typename Damage>
std::string Problem(const std::string& path, FileMessage use, Damage damage) {
  std::string bytes;
  int error = 0;
  const std::string name = FileNameInMessage(path);
  if (!platform::ReadFileBytes(path, bytes, error)) {
    if (error == ENOENT) return FileMessageText(FileMessage::DataFileMissing, {name, FileMessageFormat(use)});
    return FileMessageText(FileMessage::DataFileUnreadable,
                           {name, FileErrorReason(error), FileMessageFormat(use)});
  }
  if (const std::string why = damage(std::move(bytes)); !why.empty()) {
    return FileMessageText(FileMessage::DataFileDamaged, {name, why, FileMessageFormat(use)});
  }
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
                if (!library) return FileMessageFormat(FileMessage::DamageNoStringLibrary);
                const bool whole = std::all_of(std::begin(kTextsEveryBoxNeeds), std::end(kTextsEveryBoxNeeds),
                                               [&](uint16_t id) { return !library->Text(id).empty(); });
                return whole ? std::string() : FileMessageFormat(FileMessage::DamageTextsMissing);
              }));
  const std::string tables = DataFileName.empty() ? std::string("DIDOD.drf") : DataFileName;
  const std::string tablesPath = platform::FindFileNoCase(ProgPath, tables);
  std::string tablesProblem = Problem(tablesPath, FileMessage::UseConversionTables, [](const std::string& bytes) {
    return DataFileDamage(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  });
  // Told here once; each conversion that reads the file keeps quiet then.
  if (!tablesProblem.empty()) NoteDataFileDamageTold(tablesPath);
  add(std::move(tablesProblem));
  return lines;
}

std::string StartUpProblemsMessage(const std::vector<std::string>& moreDataFiles) {
  std::string message;
  std::vector<std::string> files = DataFileProblems();
  files.insert(files.end(), moreDataFiles.begin(), moreDataFiles.end());
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
