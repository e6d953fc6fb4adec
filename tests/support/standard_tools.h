#pragma once
// The standard tools the reading-order tests compare the program's tools
// with, run on a file of a test's own folder as a user runs them: `grep -c
// -F` counts the lines holding a text (`-o` its occurrences), `LC_ALL=C sed`
// replaces it.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/temp_program_folder.h"

namespace nuvel::test {

// Runs a shell command and gives what it wrote on its standard output.
inline std::string ShellOutput(const std::string& command) {
  std::string out;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

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

// `LC_ALL=C grep -F` with `options` (e.g. "-c", "-c -i") over `input`,
// writing its output to a file; the output, or absent when grep failed.
inline std::optional<std::string> GrepOutput(const std::filesystem::path& folder, const std::string& options,
                                             const std::string& text, const std::string& input,
                                             const std::string& pipeTo = "") {
  const std::filesystem::path in = folder / "grep-in.txt", out = folder / "grep-out.txt";
  {
    FILE* f = std::fopen(in.c_str(), "wb");
    if (f == nullptr) return std::nullopt;
    std::fwrite(input.data(), 1, input.size(), f);
    std::fclose(f);
  }
  const std::string command = "LC_ALL=C grep -F " + options + " -e " + ShellQuoted(text) + " " +
                              ShellQuoted(in.string()) + pipeTo + " > " + ShellQuoted(out.string());
  if (std::system(command.c_str()) == -1) return std::nullopt;
  return ReadWholeFile(out);
}

// `LC_ALL=C grep -c -F text` over `input`: the lines holding `text` (with
// `ignoreCase`, ASCII letters of either case); -1 when grep failed.
inline int GrepCount(const std::filesystem::path& folder, const std::string& text, const std::string& input,
                     bool ignoreCase = false) {
  const auto out = GrepOutput(folder, ignoreCase ? "-c -i" : "-c", text, input);
  return out ? std::atoi(out->c_str()) : -1;
}

// `LC_ALL=C grep -o -F text | wc -l` over `input`: every occurrence of
// `text`, as sed's s///g replaces them; -1 when grep failed.
inline int GrepOccurrences(const std::filesystem::path& folder, const std::string& text, const std::string& input,
                           bool ignoreCase = false) {
  const auto out = GrepOutput(folder, ignoreCase ? "-o -i" : "-o", text, input, " | wc -l");
  return out ? std::atoi(out->c_str()) : -1;
}

// `text` as a literal in a sed s command: its regular expression (`BRE`
// true) or its replacement.
inline std::string SedLiteral(const std::string& text, bool bre) {
  const std::string special = bre ? "\\/.*[]^$" : "\\/&";
  std::string out;
  for (char c : text) {
    if (special.find(c) != std::string::npos) out += '\\';
    out += c;
  }
  return out;
}

}  // namespace nuvel::test
