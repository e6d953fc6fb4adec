#include "app/send_mail_qt.h"

#include <QDesktopServices>
#include <vector>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/mdi_child_qt.h"
#include "core/message_texts.h"
#include "editor/clipboard_text.h"
#include "editor/heb_text_editor.h"

namespace nuvel {

QUrl MailToUrl(const std::string& utf8Body) {
  // Every byte outside the unreserved set percent-encoded: "+", "&" and "="
  // in the text stay themselves for every mail program.
  const QByteArray body(utf8Body.data(), static_cast<qsizetype>(utf8Body.size()));
  return QUrl::fromEncoded("mailto:?body=" + QUrl::toPercentEncoding(body), QUrl::StrictMode);
}

void AttachSendMail(MainCommands& on, DocumentWindows& docs, std::function<bool(const QUrl&)> open) {
  if (!open) open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  on.On("Send1", [&docs, open] {
    TMDIChild* c = docs.ActiveChild();
    if (!c) return;
    THebTextEditor& e = c->HebDoc();
    // The paragraphs with CR LF between them, turned as for other programs.
    std::vector<std::vector<uint8_t>> chunks;
    for (int32_t p = 1; p <= e.ParaCount(); ++p) {
      const auto bytes = e.GetPara(p);
      chunks.emplace_back(bytes.begin(), bytes.end());
    }
    const TClipboardCopy text = BuildClipboardCopy(chunks, e.Conversion(), e.Engm());
    const QString body = QString::fromUtf16(text.unicodeText.data(), static_cast<qsizetype>(text.unicodeText.size()));
    const QByteArray utf8 = body.toUtf8();
    if (!open(MailToUrl(std::string(utf8.constData(), static_cast<size_t>(utf8.size())))))
      MessageDlgById(38421, 41121, MsgDlgType::Error, platform::mbOK);
  });
}

}  // namespace nuvel
