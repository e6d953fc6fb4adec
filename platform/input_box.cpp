#include "platform/input_box.h"

namespace nuvel::platform {

namespace {
InputBoxService* current = nullptr;
}

InputBoxService* SetInputBoxService(InputBoxService* service) {
  InputBoxService* before = current;
  current = service;
  return before;
}

InputBoxService* CurrentInputBoxService() { return current; }

std::optional<std::string> AskInputBox(const InputBoxRequest& request) {
  return current ? current->Ask(request) : std::nullopt;
}

}  // namespace nuvel::platform
