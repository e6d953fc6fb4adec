#include "core/start_up_checks.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "core/shared_state.h"
#include "tests/support/string_library_bytes.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// A data file as a case gives it: the shipped one, none, or these bytes.
struct FileCase {
  std::optional<std::string> bytes;  // nullopt: missing
  bool shipped = false;
};

FileCase Shipped() { return {std::nullopt, true}; }
FileCase Missing() { return {}; }
FileCase Bytes(std::string b) { return {std::move(b), false}; }

std::string ShippedBytes(const char* name) {
  test::TempProgramFolder temp;
  temp.CopyShippedFile(name);
  return temp.ReadFile(name);
}

FileCase Flipped(std::string b, std::size_t at) {
  b.at(at) = static_cast<char>(b.at(at) ^ 0x10);
  return Bytes(std::move(b));
}

std::string RandomBytes(std::size_t n) {
  std::mt19937 rng(5);
  std::string b(n, '\0');
  for (char& c : b) c = static_cast<char>(rng());
  return b;
}

struct Case {
  const char* what;
  FileCase library;
  FileCase tables;
  std::vector<std::string> told;  // each in the message; none: no message
};

TEST(StartUpChecks, MissingOrDamagedDataFilesAreNamedInOneMessage) {
  const std::string noTexts = test::StringLibraryBytes({{38412, "Cannot open %s"}});
  const Case cases[] = {
      {"all shipped", Shipped(), Shipped(), {}},
      {"library missing", Missing(), Shipped(), {"NuvStr.DLL\x0F is missing: messages"}},
      {"library empty", Bytes(""), Shipped(), {"NuvStr.DLL\x0F is damaged (it is not a string library): messages"}},
      {"library random", Bytes("\x93\x11garbage that is no library at all"), Shipped(),
       {"NuvStr.DLL\x0F is damaged (it is not a string library)"}},
      {"library without the texts message boxes need", Bytes(noTexts), Shipped(),
       {"NuvStr.DLL\x0F is damaged (it lacks texts that every message needs)"}},
      {"tables missing", Shipped(), Missing(), {"DIDOD.drf\x0F is missing: texts are read and saved without"}},
      {"tables cut short", Shipped(), Bytes(std::string(2639, '\x01')),
       {"DIDOD.drf\x0F is damaged (it is shorter than the 2,640 bytes its conversion tables take): texts are read"}},
      {"tables with a bit flipped", Shipped(), Flipped(ShippedBytes("DIDOD.drf"), 1000),
       {"DIDOD.drf\x0F is damaged (its checksum does not match its content)"}},
      {"tables of random bytes", Shipped(), Bytes(RandomBytes(2640)),
       {"DIDOD.drf\x0F is damaged (its conversion tables change the ASCII characters)"}},
      {"both", Missing(), Bytes(""), {"NuvStr.DLL\x0F is missing", "DIDOD.drf\x0F is damaged"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempProgramFolder temp;
    DataFileName = "DIDOD.drf";
    EngPrompts = true;
    auto place = [&](const char* name, const FileCase& f) {
      if (f.shipped) temp.CopyShippedFile(name);
      if (f.bytes) temp.WriteFile(name, *f.bytes);
    };
    place("NuvStr.DLL", c.library);
    place("DIDOD.drf", c.tables);
    const std::string message = StartUpProblemsMessage();
    if (c.told.empty()) {
      EXPECT_EQ(message, "");
      continue;
    }
    EXPECT_EQ(message.rfind("Some of the program's data files are missing or damaged.", 0), 0u) << message;
    EXPECT_EQ(DataFileProblems().size(), c.told.size());
    for (const std::string& part : c.told) EXPECT_NE(message.find(part), std::string::npos) << part << "\n" << message;
    // Each file is named with its whole path.
    for (const char* name : {"NuvStr.DLL", "DIDOD.drf"}) {
      if (message.find(name) != std::string::npos) {
        EXPECT_NE(message.find(temp.Folder() + name), std::string::npos);
      }
    }
  }
}

}  // namespace
}  // namespace nuvel
