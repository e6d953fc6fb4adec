#include "editor/clipboard_qt.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

namespace nuvel {

void PutOnClipboard(const TClipboardCopy& copy) {
  auto* data = new QMimeData;
  data->setText(QString::fromUtf16(copy.unicodeText.data(), static_cast<qsizetype>(copy.unicodeText.size())));
  if (!copy.unicodeOnly) {
    data->setData(kClipboardBytesMime, QByteArray(reinterpret_cast<const char*>(copy.bytes.data()),
                                                  static_cast<qsizetype>(copy.bytes.size())));
  }
  QGuiApplication::clipboard()->setMimeData(data);
}

TClipboardPaste ReadClipboard() { return PasteOf(QGuiApplication::clipboard()->mimeData()); }

TClipboardPaste PasteOf(const QMimeData* data) {
  TClipboardPaste paste;
  if (data == nullptr) return paste;
  if (data->hasFormat(kClipboardBytesMime)) {
    const QByteArray bytes = data->data(kClipboardBytesMime);
    paste.bytes.emplace(bytes.begin(), bytes.end());
  }
  if (data->hasText()) {
    const QString text = data->text();
    paste.unicodeText.emplace(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
  }
  return paste;
}

namespace {

class TDesktopClipboard : public TClipboardService {
 public:
  void Put(const TClipboardCopy& copy) override { PutOnClipboard(copy); }
  TClipboardPaste Read() override { return ReadClipboard(); }
};

}  // namespace

TClipboardService& DesktopClipboard() {
  static TDesktopClipboard clipboard;
  return clipboard;
}

void InstallDesktopClipboard() {
  if (CurrentClipboardService() == nullptr) SetClipboardService(&DesktopClipboard());
}

}  // namespace nuvel
