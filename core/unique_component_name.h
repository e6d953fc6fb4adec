#pragma once
// Names for new components: a base name followed by the first free number.
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace nuvel {

// The class library's error for a bad component name.
class EComponentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Whether `name` can name a component: a letter or "_", then letters,
// digits and "_".
bool IsValidComponentName(std::string_view name);

// `base` + 1, `base` + 2, ... the first that `taken` refuses. Raises
// EComponentError when `base` is not a valid name.
std::string GetUniqueComponentName(const std::function<bool(std::string_view)>& taken,
                                   std::string_view base);

}  // namespace nuvel
