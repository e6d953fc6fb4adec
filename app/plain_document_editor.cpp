#include "app/plain_document_editor.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/replace_file.h"
#include "core/exceptions.h"

namespace nuvel {

void PlainDocumentEditor::LoadFromFile(const std::string& name) {
  std::error_code ec;
  if (!std::filesystem::exists(name, ec)) {
    LoadString("");
    lfOnly_ = false;
    return;
  }
  std::ifstream in(name, std::ios::binary);
  if (!in) throw EInOutError("Cannot open " + name);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t lf = bytes.find('\n');
  lfOnly_ = lf != std::string::npos && (lf == 0 || bytes[lf - 1] != '\r');
  // A final line end closes the last line; it opens no empty one.
  if (bytes.ends_with("\r\n"))
    bytes.resize(bytes.size() - 2);
  else if (bytes.ends_with("\n"))
    bytes.pop_back();
  LoadString(bytes);
  SetModified(false);
}

void PlainDocumentEditor::SaveToFile(const std::string& name) {
  std::string text = Text();
  if (lfOnly_) {
    std::string lf;
    lf.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      lf.push_back(text[i]);
    }
    text = std::move(lf);
    text += '\n';
  } else {
    text += "\r\n";
  }
  ReplaceFileWith(name, text);
  SetModified(false);
}

}  // namespace nuvel
