// Opens arbitrary bytes as a Palm database and as a Doc or eReader book and
// reads every record and the text: damaged files must end in
// EInvalidPalmDatabase or EInvalidDocFile, never in a crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "formats/doc_file.h"

namespace {

const std::string& TempFile() {
  static const std::string name = [] {
    std::random_device rd;
    return (std::filesystem::temp_directory_path() / ("nuvel-palm-fuzz-" + std::to_string(rd()))).string();
  }();
  return name;
}

void Put(std::vector<uint8_t>& b, uint32_t v, int n) {
  for (int i = n - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A well-formed header and record list around records cut from the input at
// each "##", so the book reading is reached more often than by chance.
std::vector<uint8_t> Wrap(const uint8_t* data, size_t size, const char* type_creator) {
  std::vector<std::vector<uint8_t>> records(1);
  for (size_t i = 0; i < size; ++i) {
    if (i + 1 < size && data[i] == '#' && data[i + 1] == '#') {
      records.emplace_back();
      ++i;
    } else {
      records.back().push_back(data[i]);
    }
  }
  if (records.size() > 200) records.resize(200);
  std::vector<uint8_t> file(60, 0);
  file.insert(file.end(), type_creator, type_creator + 8);
  file.resize(76, 0);
  Put(file, static_cast<uint32_t>(records.size()), 2);
  uint32_t offset = static_cast<uint32_t>(78 + 8 * records.size());
  for (const auto& r : records) {
    Put(file, offset, 4);
    Put(file, 0, 4);
    offset += static_cast<uint32_t>(r.size());
  }
  for (const auto& r : records) file.insert(file.end(), r.begin(), r.end());
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> file;
  switch (data[0] % 3) {
    case 0: file.assign(data + 1, data + size); break;
    case 1: file = Wrap(data + 1, size - 1, "TEXtREAd"); break;
    default: file = Wrap(data + 1, size - 1, "PNRDPPRS"); break;
  }
  const std::string& name = TempFile();
  if (std::FILE* f = std::fopen(name.c_str(), "wb")) {
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
  } else {
    return 0;
  }
  try {
    nuvel::TPalmPDB pdb(name, 1);
    for (uint32_t i = 1; i <= pdb.Records.size(); ++i) pdb.ReadRecord(i);
  } catch (const nuvel::EInvalidPalmDatabase&) {
  }
  try {
    nuvel::TDocFile doc(name);
    doc.KeepMarkup = (data[0] & 4) != 0;
    doc.GetText();
  } catch (const nuvel::EInvalidPalmDatabase&) {
  } catch (const nuvel::EInvalidDocFile&) {
  }
  return 0;
}
