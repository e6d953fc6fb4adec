#pragma once
// What a paragraph list tells the views that show its text. The list calls
// every view of its ring after each change, with isOwn set for the view that
// made it; the busy cursor of a whole re-wrap goes through an injected
// service. Both are plain interfaces so the list stays free of any toolkit.
#include <cstdint>

namespace nuvel {

class TParaListView {
 public:
  virtual ~TParaListView() = default;
  // count bytes were inserted at (para, pos).
  virtual void TextInserted(uint32_t para, uint32_t pos, bool isOwn, uint32_t count) = 0;
  // count bytes were deleted at (para, pos).
  virtual void TextDeleted(uint32_t para, uint32_t pos, bool isOwn, uint32_t count) = 0;
  // para was split at pos with count bytes of indent at the start of the new
  // paragraph, or a new paragraph numbered para came in (pos 1, count 0).
  virtual void ParaInserted(uint32_t para, uint32_t pos, bool isOwn, uint32_t count) = 0;
  virtual void ParaDeleted(uint32_t para, bool isOwn) = 0;
  // Paragraph para + 1 was joined to para at pos.
  virtual void ParaJoined(uint32_t para, uint32_t pos, bool isOwn) = 0;
  // After a global change (wrap settings): caret, selection and top anew.
  virtual void Resynchronize() = 0;
};

class TBusyCursorService {
 public:
  virtual ~TBusyCursorService() = default;
  // The hourglass while busy, the default cursor afterwards.
  virtual void SetBusy(bool busy) = 0;
};

}  // namespace nuvel
