#pragma once
// File | Send: the main editor's text, a line a paragraph, as the body of a
// new message in the desktop's mail program (a mailto: address with the
// text in UTF-8, in reading order).
#include <QUrl>
#include <functional>
#include <string>

namespace nuvel {

class DocumentWindows;
class MainCommands;

// The mailto: address for a body of UTF-8 text.
QUrl MailToUrl(const std::string& utf8Body);

// `open` hands an address to the desktop (tests record it); false when
// nothing could take it.
void AttachSendMail(MainCommands& commands, DocumentWindows& docs, std::function<bool(const QUrl&)> open = {});

}  // namespace nuvel
