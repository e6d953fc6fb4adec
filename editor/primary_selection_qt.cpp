#include "editor/primary_selection_qt.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include "editor/clipboard_qt.h"

namespace nuvel {

namespace {

const QString kPlainText = QStringLiteral("text/plain");

class TDesktopPrimary : public TSelectionBoard {
 public:
  bool Supported() const override {
    return QGuiApplication::instance() != nullptr && QGuiApplication::clipboard()->supportsSelection();
  }
  void Set(QMimeData* data) override { QGuiApplication::clipboard()->setMimeData(data, QClipboard::Selection); }
  const QMimeData* Current() const override {
    return Supported() ? QGuiApplication::clipboard()->mimeData(QClipboard::Selection) : nullptr;
  }
  void Clear() override {
    if (Supported()) QGuiApplication::clipboard()->clear(QClipboard::Selection);
  }
};

TSelectionBoard* g_board = nullptr;

}  // namespace

// ---- TLazySelectionData ----

QStringList TLazySelectionData::formats() const {
  // Other programs take the plain text; this program's own paste asks for
  // the byte text too, through Paste.
  return {kPlainText};
}

bool TLazySelectionData::hasFormat(const QString& mimeType) const { return mimeType == kPlainText; }

std::optional<TClipboardCopy> TLazySelectionData::Make() const {
  try {
    return produce_ ? produce_() : std::nullopt;
  } catch (...) {
    return std::nullopt;
  }
}

TClipboardPaste TLazySelectionData::Paste() const {
  TClipboardPaste paste;
  std::optional<TClipboardCopy> copy = Make();
  if (!copy) return paste;
  if (!copy->unicodeOnly) paste.bytes = std::move(copy->bytes);
  paste.unicodeText = std::move(copy->unicodeText);
  return paste;
}

QVariant TLazySelectionData::retrieveData(const QString& mimeType, QMetaType type) const {
  // Qt also asks for forms it could make out of others (an image, say):
  // only the plain text is made.
  if (mimeType != kPlainText) return {};
  const std::optional<TClipboardCopy> copy = Make();
  if (!copy) return {};
  const QString text =
      QString::fromUtf16(copy->unicodeText.data(), static_cast<qsizetype>(copy->unicodeText.size()));
  if (type.id() == QMetaType::QByteArray) return text.toUtf8();
  return text;
}

// ---- The board ----

TSelectionBoard& DesktopPrimary() {
  static TDesktopPrimary board;
  return board;
}

TSelectionBoard* SetSelectionBoard(TSelectionBoard* board) {
  TSelectionBoard* before = g_board;
  g_board = board;
  return before;
}

TSelectionBoard& CurrentSelectionBoard() { return g_board != nullptr ? *g_board : DesktopPrimary(); }

TClipboardPaste ReadPrimarySelection() {
  const TSelectionBoard& board = CurrentSelectionBoard();
  if (!board.Supported()) return {};
  const QMimeData* data = board.Current();
  // This program's own selection gives its bytes as Copy would.
  if (const auto* own = qobject_cast<const TLazySelectionData*>(data)) return own->Paste();
  return PasteOf(data);
}

// ---- TPrimarySelection ----

void TPrimarySelection::Follow(const std::optional<Range>& range) {
  // Only a change counts: the caret settling on the same selection (focus
  // coming back, say) leaves the selection to whichever program took it.
  if (range == followed_) return;
  followed_ = range;
  TSelectionBoard& board = CurrentSelectionBoard();
  if (!board.Supported()) return;
  if (!range) {
    Withdraw();
    return;
  }
  auto* data = new TLazySelectionData(produce_);
  offered_ = data;
  board.Set(data);
}

void TPrimarySelection::Withdraw() {
  TSelectionBoard& board = CurrentSelectionBoard();
  if (offered_ != nullptr && board.Current() == offered_.data()) board.Clear();
  offered_ = nullptr;
}

TLazySelectionData* TPrimarySelection::Offered() const {
  if (offered_ == nullptr || CurrentSelectionBoard().Current() != offered_.data()) return nullptr;
  return offered_.data();
}

}  // namespace nuvel
