#pragma once
// The one way code asks the user for a line of text (the runtime's input
// box): a request goes to the current service, which the program implements
// with a dialog and tests with scripted answers. Texts are bytes of the
// system's own 8-bit character set.
#include <optional>
#include <string>

namespace nuvel::platform {

struct InputBoxRequest {
  std::string caption;
  std::string prompt;
  std::string value;  // what the box starts with
};

class InputBoxService {
 public:
  virtual ~InputBoxService() = default;
  // The text the user left in the box; nullopt when cancelled.
  virtual std::optional<std::string> Ask(const InputBoxRequest& request) = 0;
};

// Installs `service` (nullptr: none) and returns the one installed before.
InputBoxService* SetInputBoxService(InputBoxService* service);
InputBoxService* CurrentInputBoxService();
// Asks the current service; with none installed the box counts as cancelled.
std::optional<std::string> AskInputBox(const InputBoxRequest& request);

}  // namespace nuvel::platform
