#include "ui/main_message_formats.h"

namespace nuvel {

namespace {
constexpr uint16_t kHebrewOffset = 2700;
}

MainMessageFormats LoadMainMessageFormats(bool englishUI,
                                          const std::function<std::string(uint16_t)>& lookup) {
  const auto text = [&](uint16_t engId) {
    return lookup(englishUI ? engId : static_cast<uint16_t>(engId + kHebrewOffset));
  };
  MainMessageFormats f;
  f.OpenErrorFmt = text(38412);
  f.FileNotFoundFmt = text(38413);
  f.NotFoundFmt = text(38414);
  f.FileInfoFmt = text(38416);
  f.SaveChangesFmt = text(38417);
  f.CloseCollectFmt = text(38449) + (englishUI ? "" : "\r") + text(38450);
  return f;
}

const std::vector<MessageFormatUse>& MainMessageFormatUses() {
  static const std::vector<MessageFormatUse> uses = {
      {38412, 41112, "s"}, {38413, 41113, "s"}, {38414, 41114, "s"},
      {38416, 41116, "dd"}, {38417, 41117, "s"}, {38449, 41149, "s"}, {38450, 41150, ""},
  };
  return uses;
}

}  // namespace nuvel
