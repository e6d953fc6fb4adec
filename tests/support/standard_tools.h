#pragma once
// The standard tools the reading-order tests compare the program's tools
// with, run on a file of a test's own folder as a user runs them: `grep -c
// -F` counts the lines holding a text, `LC_ALL=C sed` replaces it.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/temp_program_folder.h"

namespace nuvel::test {

// Single quotes for the shell around `s`.
inline std::string ShellQuoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// `LC_ALL=C sed -e script` over `input`; the output, or "<sed failed>".
inline std::string SedOutput(const std::filesystem::path& folder, const std::string& script, const std::string& input) {
  const std::filesystem::path in = folder / "sed-in.txt", out = folder / "sed-out.txt";
  {
    FILE* f = std::fopen(in.c_str(), "wb");
    if (f == nullptr) return "<sed failed>";
    std::fwrite(input.data(), 1, input.size(), f);
    std::fclose(f);
  }
  const std::string command = "LC_ALL=C sed -e " + ShellQuoted(script) + " " + ShellQuoted(in.string()) + " > " +
                              ShellQuoted(out.string());
  if (std::system(command.c_str()) != 0) return "<sed failed>";
  return ReadWholeFile(out);
}

// `LC_ALL=C grep -c -F text` over `input`: the lines holding `text`; -1
// when grep failed.
inline int GrepCount(const std::filesystem::path& folder, const std::string& text, const std::string& input) {
  const std::filesystem::path in = folder / "grep-in.txt", out = folder / "grep-out.txt";
  {
    FILE* f = std::fopen(in.c_str(), "wb");
    if (f == nullptr) return -1;
    std::fwrite(input.data(), 1, input.size(), f);
    std::fclose(f);
  }
  const std::string command = "LC_ALL=C grep -c -F -e " + ShellQuoted(text) + " " + ShellQuoted(in.string()) + " > " +
                              ShellQuoted(out.string());
  const int status = std::system(command.c_str());
  if (status == -1) return -1;
  return std::atoi(ReadWholeFile(out).c_str());
}

}  // namespace nuvel::test
