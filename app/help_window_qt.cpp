#include "app/help_window_qt.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/main_commands_qt.h"
#include "core/shared_state.h"

namespace nuvel {

QString HelpContentsPath(bool english) {
  const QString path = QString::fromStdString(ProgPath) + (english ? QStringLiteral("help/en/index.html")
                                                                   : QStringLiteral("help/he/index.html"));
  return QFileInfo::exists(path) ? path : QString();
}

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(EngPrompts ? QStringLiteral("Nuvel Text Editor Help")
                            : QStringLiteral("\u05E2\u05D6\u05E8\u05D4 \u05DC\u05E2\u05D5\u05E8\u05DA \u05E0\u05D5\u05D1\u05DC"));
  if (!EngPrompts) setLayoutDirection(Qt::RightToLeft);
  auto* column = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(EngPrompts ? QStringLiteral("Find:") : QStringLiteral("\u05D7\u05E4\u05E9:"), this);
  SearchEdit = new QLineEdit(this);
  SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
  auto* next = new QPushButton(EngPrompts ? QStringLiteral("Find &Next") : QStringLiteral("\u05D4&\u05D1\u05D0"), this);
  next->setAutoDefault(false);
  row->addWidget(label);
  row->addWidget(SearchEdit, 1);
  row->addWidget(next);
  column->addLayout(row);
  Browser = new QTextBrowser(this);
  Browser->setObjectName(QStringLiteral("HelpBrowser"));
  Browser->setOpenExternalLinks(true);
  column->addWidget(Browser, 1);
  connect(SearchEdit, &QLineEdit::returnPressed, this, [this] { FindNext(); });
  connect(next, &QPushButton::clicked, this, [this] { FindNext(); });
  resize(720, 560);
}

void THelpWindow::ShowContents(bool search) {
  const QString path = HelpContentsPath(EngPrompts);
  if (path.isEmpty()) {
    Browser->setHtml(EngPrompts ? QStringLiteral("<p>The help pages are missing from the program folder.</p>")
                                : QStringLiteral("<p dir=\"rtl\">\u05D3\u05E4\u05D9 \u05D4\u05E2\u05D6\u05E8\u05D4 "
                                                 "\u05D7\u05E1\u05E8\u05D9\u05DD \u05D1\u05EA\u05D9\u05E7\u05D9\u05D9\u05EA "
                                                 "\u05D4\u05EA\u05D5\u05DB\u05E0\u05D4.</p>"));
  } else {
    Browser->setSource(QUrl::fromLocalFile(path));
  }
  show();
  raise();
  activateWindow();
  if (search) SearchEdit->setFocus();
}

bool THelpWindow::FindNext() {
  const QString text = SearchEdit->text();
  if (text.isEmpty()) return false;
  if (Browser->find(text)) return true;
  // From the top again.
  QTextCursor top = Browser->textCursor();
  top.movePosition(QTextCursor::Start);
  Browser->setTextCursor(top);
  return Browser->find(text);
}

void AttachHelp(MainCommands& on, QWidget* mainWindow) {
  auto window = std::make_shared<QPointer<THelpWindow>>();
  auto show = [mainWindow, window](bool search) {
    if (!*window) *window = new THelpWindow(mainWindow);
    (*window)->ShowContents(search);
  };
  on.On("Contents1", [show] { show(false); });
  on.On("TopicSearch1", [show] { show(true); });
}

}  // namespace nuvel
