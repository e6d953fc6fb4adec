#pragma once
// Whether a document window may close. A window that asks is brought to the
// front first. A modified document with text asks Yes/No/Cancel; Yes saves it (untitled ones through Save As) and the window
// closes only when that save succeeded. The collecting window asks once
// more before it goes.
#include <cstdint>
#include <string>

namespace nuvel {

struct CloseQueryDocument {
  bool modified = false;
  int64_t textLength = 0;
  bool untitled = false;        // the file name starts with "NEWDOC"
  bool collectTarget = false;   // the window Collect All appends to
  std::string saveChangesText;  // the question, with the caption filled in
  std::string closeCollectText;
};

// What the close query does to the window; the window supplies each step.
class CloseQueryActions {
 public:
  virtual ~CloseQueryActions() = default;
  virtual void BringToFront() = 0;
  // Saves under the document's name; false when the save failed.
  virtual bool Save() = 0;
  // Runs Save As; false when it was cancelled or failed.
  virtual bool SaveAs() = 0;
  // The window stops being the collecting target.
  virtual void StopCollecting() = 0;
};

// True when the window may close. The questions go through the message sink.
bool RunCloseQuery(const CloseQueryDocument& doc, CloseQueryActions& actions);

}  // namespace nuvel
