#pragma once
// The about box of the text-collection search: fixed texts, the program's
// web address as a link, and OK.
#include <QDialog>

namespace nuvel {

class TNvcURL;

class TTextAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TTextAboutBox(QWidget* parent = nullptr);
  TNvcURL* Link = nullptr;
};

}  // namespace nuvel
