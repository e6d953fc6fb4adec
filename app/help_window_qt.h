#pragma once
// Help | Contents and Help | Topic Search: the program's own help pages
// (HTML in the program folder's help/, English or Hebrew by the interface)
// in a window of the program, with a search line for Topic Search.
#include <QDialog>
#include <QString>

class QLineEdit;
class QTextBrowser;

namespace nuvel {

class MainCommands;

// The contents page of the help in the interface's language: the program
// folder's help/en/index.html or help/he/index.html; empty when missing.
QString HelpContentsPath(bool english);

class THelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit THelpWindow(QWidget* parent = nullptr);
  // Shows the contents; with `search` the search line takes the focus.
  void ShowContents(bool search);
  // Finds the next place of the search line's text in the page shown.
  bool FindNext();

  QTextBrowser* Browser = nullptr;
  QLineEdit* SearchEdit = nullptr;
};

void AttachHelp(MainCommands& commands, QWidget* mainWindow);

}  // namespace nuvel
