#include "editor/load_loss_messages.h"

#include <charconv>
#include <initializer_list>

#include "core/message_texts.h"

namespace nuvel {
namespace {

constexpr uint16_t kHebrewOffset = 50;

std::string_view EnglishText(LoadLossMessage id) {
  switch (id) {
    case LoadLossMessage::Opening: return "Not all of %s can be kept as it is in the file:";
    case LoadLossMessage::LostChars:
      return "%s characters have no place in the program's character set and were replaced or left out.";
    case LoadLossMessage::NulBytes: return "%s zero bytes were left out.";
    // The reader keeps one place of its line buffer for the terminator.
    case LoadLossMessage::SplitLines: return "%s lines longer than 32,766 characters were split.";
    case LoadLossMessage::LostChar:
      return "One character has no place in the program's character set and was replaced or left out.";
    case LoadLossMessage::NulByte: return "One zero byte was left out.";
    case LoadLossMessage::SplitLine: return "One line longer than 32,766 characters was split.";
    case LoadLossMessage::CountsAsChanged:
      return "The document counts as changed. Its first save keeps the file as it was in a backup copy.";
    case LoadLossMessage::ReplaceAsked:
      return "%s was opened with characters it could not keep. Replace the file now? The file as it was stays in "
             "the backup copy %s.";
    case LoadLossMessage::FormLossAsked:
      return "%s is saved in a form that cannot hold all the points of the document; lost would be: %s. Save anyway?";
    case LoadLossMessage::FormLossBackup: return "The file as it was stays in the backup copy %s.";
    case LoadLossMessage::SaveAnyway: return "Save anyway";
    case LoadLossMessage::FirstPointName: break;
  }
  return {};
}

// The points 0xC0 to 0xD3 by name.
constexpr std::string_view kPointNames[kPointKinds] = {
    "sheva", "hataf segol", "hataf patah", "hataf qamats", "hiriq", "tsere", "segol",
    "patah", "qamats", "holam", "holam haser for vav", "qubuts", "dagesh", "meteg",
    "maqaf", "rafe", "paseq", "shin dot", "sin dot", "sof pasuq",
};

std::string PointName(std::size_t kind) {
  const auto eng = static_cast<uint32_t>(LoadLossMessage::FirstPointName) + static_cast<uint32_t>(kind);
  std::string name = GetMessageText(eng, eng + kHebrewOffset);
  return name.empty() ? std::string(kPointNames[kind]) : name;
}

std::string Format(LoadLossMessage id, std::initializer_list<std::string> args) {
  const auto eng = static_cast<uint32_t>(id);
  std::string format = GetMessageText(eng, eng + kHebrewOffset);
  if (format.empty()) format = std::string(EnglishText(id));
  std::string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
      if (next != args.end()) out += *next++;
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

std::string Count(uint64_t n) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, n);
  return std::string(buf, r.ptr);
}

}  // namespace

std::string LoadLossText(const std::string& fileName, const TLoadLosses& losses) {
  std::string text = Format(LoadLossMessage::Opening, {FileNameInMessage(fileName)});
  auto counted = [&](uint64_t n, LoadLossMessage one, LoadLossMessage many) {
    if (n == 1)
      text += "\n" + Format(one, {});
    else if (n > 1)
      text += "\n" + Format(many, {Count(n)});
  };
  counted(losses.lostChars, LoadLossMessage::LostChar, LoadLossMessage::LostChars);
  counted(losses.nulBytes, LoadLossMessage::NulByte, LoadLossMessage::NulBytes);
  counted(losses.splitLines, LoadLossMessage::SplitLine, LoadLossMessage::SplitLines);
  text += "\n" + Format(LoadLossMessage::CountsAsChanged, {});
  return text;
}

std::string ReplaceLossyFileText(const std::string& fileName, const std::string& backupName) {
  return Format(LoadLossMessage::ReplaceAsked, {FileNameInMessage(fileName), FileNameInMessage(backupName)});
}

std::string FormLossText(const std::string& fileName, const TFormLosses& losses, const std::string& backupName) {
  std::string list;
  for (std::size_t k = 0; k < kPointKinds; ++k) {
    if (losses.points[k] == 0) continue;
    if (!list.empty()) list += ", ";
    list += PointName(k) + ": " + Count(losses.points[k]);
  }
  std::string text = Format(LoadLossMessage::FormLossAsked, {FileNameInMessage(fileName), list});
  if (!backupName.empty()) text += "\n" + Format(LoadLossMessage::FormLossBackup, {FileNameInMessage(backupName)});
  return text;
}

std::string SaveAnywayCaption() { return Format(LoadLossMessage::SaveAnyway, {}); }

}  // namespace nuvel
