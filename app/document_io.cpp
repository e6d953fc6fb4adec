#include "app/document_io.h"

#include <filesystem>
#include <fstream>

#include "app/plain_document_editor.h"
#include "core/exceptions.h"
#include "editor/editor_document_io.h"
#include "editor/heb_text_editor.h"

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

void LoadDocumentFile(THebTextEditor& doc, const std::string& name, DocumentFileState& state) {
  TLoadResult r = LoadEditorFromFile(doc, name, doc.Disk_Conv(), doc.SheimFiltered());
  state.lfLineEnds = r.lfLineEnds;
  if (r.appendError != 0) doc.DoOnError(r.appendError);
}

void SaveDocumentFile(TNvcCustomTextFileEditor& doc, const std::string& name, const DocumentFileState& state) {
  if (auto* plain = dynamic_cast<PlainDocumentEditor*>(&doc)) {
    plain->SaveToFile(name);
    return;
  }
  TSaveRequest request = SaveRequestFor(doc, name);
  request.lfLineEnds = state.lfLineEnds;
  if (auto* heb = dynamic_cast<THebTextEditor*>(&doc)) {
    request.englishDocument = heb->Engm();
    request.diskConv = heb->Disk_Conv();
    request.trTypeFL = heb->Tr_Type_FL();
    request.sheimFiltered = heb->SheimFiltered();
  }
  TSaveResult result = SaveEditorToFile(doc, request);
  if (result.status == TSaveStatus::Saved) return;
  if (result.status == TSaveStatus::RefusedPalm) throw EInOutError(std::string(kPalmSaveMessage));
  throw EInOutError(result.message.empty() ? "Cannot write " + name : result.message);
}

}  // namespace nuvel
