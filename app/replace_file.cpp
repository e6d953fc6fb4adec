#include "app/replace_file.h"

#include <filesystem>
#include <fstream>

#include "core/exceptions.h"

namespace nuvel {

void ReplaceFileWith(const std::string& name, std::string_view bytes) {
  std::filesystem::path target(name);
  std::filesystem::path temp = target;
  temp += ".nvtmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw EInOutError("Cannot write " + name);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      throw EInOutError("Cannot write " + name);
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    throw EInOutError("Cannot write " + name);
  }
}

}  // namespace nuvel
