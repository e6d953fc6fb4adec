#pragma once
// The main window's six message formats, loaded from the string library in
// the interface language: English ids 38412-38417 and 38449/38450, Hebrew ids
// 2700 above them.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

struct MainMessageFormats {
  std::string OpenErrorFmt;      // 38412: a file could not be opened (name)
  std::string FileNotFoundFmt;   // 38413: no such file (name)
  std::string NotFoundFmt;       // 38414: the search text was not found (text)
  std::string FileInfoFmt;       // 38416: word count, caret's character position
  std::string SaveChangesFmt;    // 38417: save the changes of a window (caption)
  std::string CloseCollectFmt;   // 38449 + 38450: close the collecting window (caption)
};

// English: 38449 and 38450 joined with nothing between; Hebrew: 41149, a
// carriage return and 41150.
MainMessageFormats LoadMainMessageFormats(bool englishUI,
                                          const std::function<std::string(uint16_t)>& lookup);

// A format of the library and the kinds of the arguments its callers pass
// ('s' a text, 'd' a number): for checking the shipped library.
struct MessageFormatUse {
  uint16_t engId;
  uint16_t hebId;
  std::string_view arguments;
};
const std::vector<MessageFormatUse>& MainMessageFormatUses();

}  // namespace nuvel
