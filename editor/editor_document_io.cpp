#include "editor/editor_document_io.h"

#include <algorithm>

#include "editor/para_list.h"

namespace nuvel {

void TEditorLoadTarget::ReplacePara(uint32_t index, std::span<const uint8_t> bytes) {
  // The load's own replacement: no undo record (the load leaves no history),
  // and the modified flag stays the loader's.
  TNvcParaList& list = editor_.ParaList();
  const bool modified = list.Modified();
  list.ReplaceParaForLoad(index + 1, bytes);
  list.SetModified(modified);
}

void TEditorLoadTarget::LoadDone() {
  editor_.ParaList().UndoBuffer().Clear();
  editor_.Refresh(true);
  editor_.SetCaretPosition(1, 1);
}

static_assert(kDocumentByteLimit == TNvcParaList::kNoLimit, "a file is refused at the storage's own byte limit");

TLoadResult LoadEditorFromFile(TNvcCustomEditor& editor, const std::string& fileName, const ConvContext& conversion,
                               uint8_t diskConv, bool sheimFiltered, bool englishDocument, bool directionFromContent) {
  TEditorLoadTarget target(editor, conversion, diskConv, sheimFiltered, englishDocument, directionFromContent);
  return LoadDocument(target, fileName);
}

TSaveRequest SaveRequestFor(const TNvcCustomTextFileEditor& editor, const std::string& fileName) {
  TSaveRequest r;
  r.fileName = fileName;
  // The paragraphs are read from the editor while the file is written: no copy of the text is made.
  r.paraCount = static_cast<uint32_t>(std::max(editor.ParaCount(), 0));
  r.para = [&editor](uint32_t index) { return editor.GetPara(static_cast<int32_t>(index) + 1); };
  r.wrap = TWrapSettings{editor.ParaList().EffectiveWrapColumn(), editor.TabSize()};
  r.makeBackup = editor.MakeBackup() || editor.BackupOnNextSave();
  r.backupExt = editor.BackupExt();
  r.conversion = editor.Conversion();
  return r;
}

TSaveResult SaveEditorToFile(TNvcCustomEditor& editor, const TSaveRequest& request) {
  TSaveResult result = SaveDocument(request);
  if (result.status == TSaveStatus::Saved) editor.SetModified(false);
  return result;
}

std::vector<std::vector<uint8_t>> SelectionChunks(const TNvcCustomEditor& editor) {
  std::vector<std::vector<uint8_t>> chunks;
  if (!editor.HasSelection()) return chunks;
  const TEditorPosition a = std::min(editor.SelBegin(), editor.SelEnd());
  const TEditorPosition b = std::max(editor.SelBegin(), editor.SelEnd());
  for (int32_t p = a.Para; p <= b.Para; ++p) {
    const auto bytes = editor.GetPara(p);
    const auto length = static_cast<int32_t>(bytes.size());
    const int32_t from = std::clamp(p == a.Para ? a.Pos - 1 : 0, 0, length);
    const int32_t to = std::clamp(p == b.Para ? b.Pos - 1 : length, from, length);
    chunks.emplace_back(bytes.begin() + from, bytes.begin() + to);
  }
  return chunks;
}

}  // namespace nuvel
