// Two documents of different conversions, worked on two threads at once,
// give what each gives alone: loading, the clipboard's text both ways and
// saving convert by the document's own settings, and nothing they share
// changes under them. Built once more under ThreadSanitizer by the test
// command, which then also finds any data the two threads race on.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/conv_context.h"
#include "core/shared_state.h"
#include "editor/clipboard_text.h"
#include "editor/editor_document_io.h"
#include "editor/text_file_editor.h"
#include "formats/disk_format.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel::test {
namespace {

// What one document went through.
struct Outcome {
  std::vector<std::vector<uint8_t>> paras;  // the document after loading
  std::vector<uint8_t> copiedBytes;         // the clipboard's byte text of the whole document
  std::u16string copiedText;                // ... and its plain text
  std::optional<std::vector<uint8_t>> pastedBytes;  // the byte text pasted back
  std::optional<std::vector<uint8_t>> pastedText;   // the plain text pasted back
  std::string saved;                                 // the file the save wrote
  bool operator==(const Outcome&) const = default;
};

struct Document {
  ConvContext conversion;
  bool english;
  std::string source;  // the file's bytes
};

Outcome Work(const TempProgramFolder& folder, const Document& d, const std::string& name) {
  folder.WriteFile(name + ".in.txt", d.source);
  TNvcTextFileEditor e;
  e.SetConversion(d.conversion);
  const TLoadResult loaded = LoadEditorFromFile(e, folder.Path(name + ".in.txt").string(), e.Conversion(),
                                                kDiskNvw, false, d.english);
  Outcome o;
  EXPECT_EQ(loaded.appendError, 0);
  for (int32_t p = 1; p <= e.ParaCount(); ++p) {
    const auto bytes = e.GetPara(p);
    o.paras.emplace_back(bytes.begin(), bytes.end());
  }
  const TClipboardCopy copy = BuildClipboardCopy(o.paras, e.Conversion(), d.english);
  o.copiedBytes = copy.bytes;
  o.copiedText = copy.unicodeText;
  o.pastedBytes = TextFromClipboard({copy.bytes, std::nullopt}, e.Conversion(), d.english);
  o.pastedText = TextFromClipboard({std::nullopt, copy.unicodeText}, e.Conversion(), d.english);
  TSaveRequest request = SaveRequestFor(e, folder.Path(name + ".out.txt").string());
  request.englishDocument = d.english;
  request.diskConv = kDiskNvw;  // as the document was read
  EXPECT_EQ(SaveEditorToFile(e, request).status, TSaveStatus::Saved);
  o.saved = folder.ReadFile(name + ".out.txt");
  return o;
}

// Lines of Hebrew with points, English and numbers; `letter` gives the
// outside byte of the n-th Hebrew letter.
template <typename Letter>
std::string Lines(int count, Letter letter, std::string_view points) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    for (int k = 0; k < 1 + i % 7; ++k) {
      text += letter((i + k) % 27);
      if (!points.empty() && (i + k) % 3 == 0) text += points[static_cast<std::size_t>(i + k) % points.size()];
    }
    text += " word " + std::to_string(i) + ".5 ";
    text += letter(i % 22);
    text += letter((i + 5) % 22);
    text += "\r\n";
  }
  return text;
}

TEST(ConversionThreads, TwoDocumentsOfDifferentModesAtOnceAsOneAfterTheOther) {
  TempProgramFolder folder;
  const std::string dataFile = DataFileName;
  DataFileName = "DIDOD.drf";
  folder.CopyShippedFile("DIDOD.drf");
  // Windows-1255 text of another program (logical order, points as
  // Windows-1255 writes them) in a Hebrew document, and DOS Hebrew (code
  // page 862, the system's storage order) in an English one.
  const Document windows{ConvContext{kConvCp1255}, false,
                         Lines(3000, [](int n) { return static_cast<char>(0xE0 + n); }, "\xC8\xC9\xCC")};
  const Document dos{ConvContext{kConvNuvelDos}, true,
                     Lines(3000, [](int n) { return static_cast<char>(0x80 + n); }, "")};

  const Outcome windowsAlone = Work(folder, windows, "w0");
  const Outcome dosAlone = Work(folder, dos, "d0");
  // Each comes back as it was read, so the two really converted by their own modes.
  EXPECT_EQ(windowsAlone.saved, windows.source);
  EXPECT_EQ(dosAlone.saved, dos.source);
  EXPECT_NE(windowsAlone.paras, dosAlone.paras);
  EXPECT_EQ(windowsAlone.pastedBytes, windowsAlone.pastedText);

  for (int round = 1; round <= 3; ++round) {
    SCOPED_TRACE(round);
    Outcome windowsBeside, dosBeside;
    const std::string n = std::to_string(round);
    std::thread first([&] { windowsBeside = Work(folder, windows, "w" + n); });
    std::thread second([&] { dosBeside = Work(folder, dos, "d" + n); });
    first.join();
    second.join();
    EXPECT_TRUE(windowsBeside == windowsAlone);
    EXPECT_TRUE(dosBeside == dosAlone);
  }
  DataFileName = dataFile;
}

}  // namespace
}  // namespace nuvel::test
