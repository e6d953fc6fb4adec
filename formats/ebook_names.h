#pragma once
// File names of e-books: ".PDB" and ".PRC" in any case are Palm databases.
#include <string>
#include <string_view>

namespace nuvel {

bool IsPdbFileName(std::string_view name);
// `name` with its extension (if any) replaced by ".pdb".
std::string PdbNameOf(std::string_view name);
// The name without its folder and without a ".pdb" extension in any case:
// the title a new e-book gets.
std::string EbookTitleOf(std::string_view name);

}  // namespace nuvel
