#pragma once
// The editor's selection as the X11 PRIMARY selection, as every X11 text
// widget offers it: another program reads it with a middle click, and a
// middle click in the editor pastes the one another program holds.
//
// The offer is lazy: selecting only names the editor as the selection's
// owner, and the text is converted (logical order, the clipboard's
// conversion) when a program asks for it, so that selecting all of a large
// document costs nothing. The offer follows the selection: a new selection
// is offered anew, and one that goes away takes the offer with it.
#include <QMimeData>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "editor/clipboard_text.h"

namespace nuvel {

// Selection data whose text is made each time it is asked for, from the
// selection as it is then.
class TLazySelectionData : public QMimeData {
  Q_OBJECT
 public:
  // Gives the text when asked; nothing when there is none any more.
  using Producer = std::function<std::optional<TClipboardCopy>()>;
  explicit TLazySelectionData(Producer produce) : produce_(std::move(produce)) {}

  QStringList formats() const override;
  bool hasFormat(const QString& mimeType) const override;
  // The text as a paste takes it, made once for all its forms.
  TClipboardPaste Paste() const;

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

 private:
  // The text, or nothing; an error while making it gives nothing, since
  // the request comes from the event loop.
  std::optional<TClipboardCopy> Make() const;

  Producer produce_;
};

// Where the offer goes: the desktop's PRIMARY selection, or a test's
// stand-in.
class TSelectionBoard {
 public:
  virtual ~TSelectionBoard() = default;
  virtual bool Supported() const = 0;
  // Takes `data` over, dropping what was there.
  virtual void Set(QMimeData* data) = 0;
  virtual const QMimeData* Current() const = 0;
  virtual void Clear() = 0;
};

// The desktop's PRIMARY selection (unsupported where the platform has none).
TSelectionBoard& DesktopPrimary();
// Installs `board` (nullptr: the desktop's) and returns the one before.
TSelectionBoard* SetSelectionBoard(TSelectionBoard* board);
TSelectionBoard& CurrentSelectionBoard();

// What the PRIMARY selection offers to a paste.
TClipboardPaste ReadPrimarySelection();

// One editor's offer.
class TPrimarySelection {
 public:
  // The selection's ends: first paragraph and position, last ones.
  using Range = std::array<int32_t, 4>;

  explicit TPrimarySelection(TLazySelectionData::Producer produce) : produce_(std::move(produce)) {}
  ~TPrimarySelection() { Withdraw(); }
  TPrimarySelection(const TPrimarySelection&) = delete;
  TPrimarySelection& operator=(const TPrimarySelection&) = delete;

  // The editor's selection is now `range` (nothing: none). A selection
  // other than the one seen last is offered, and its going away withdraws
  // the offer.
  void Follow(const std::optional<Range>& range);
  // The offer withdrawn when it is still this editor's.
  void Withdraw();
  // The data offered now, while it is still this editor's.
  TLazySelectionData* Offered() const;

 private:
  TLazySelectionData::Producer produce_;
  QPointer<TLazySelectionData> offered_;
  std::optional<Range> followed_;
};

}  // namespace nuvel
