#include "formats/ebook_names.h"

namespace nuvel {

namespace {

std::string_view BaseName(std::string_view name) {
  const auto slash = name.rfind('/');
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

// The extension with its period, "" when there is none.
std::string_view Extension(std::string_view name) {
  const std::string_view base = BaseName(name);
  const auto dot = base.rfind('.');
  return dot == std::string_view::npos || dot == 0 ? std::string_view() : base.substr(dot);
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace

bool IsPdbFileName(std::string_view name) {
  const std::string ext = Upper(Extension(name));
  return ext == ".PDB" || ext == ".PRC";
}

std::string PdbNameOf(std::string_view name) {
  const std::string_view ext = Extension(name);
  return std::string(name.substr(0, name.size() - ext.size())) + ".pdb";
}

std::string EbookTitleOf(std::string_view name) {
  std::string_view base = BaseName(name);
  if (Upper(Extension(base)) == ".PDB") base.remove_suffix(4);
  return std::string(base);
}

}  // namespace nuvel
