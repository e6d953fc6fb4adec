#include "tools/phrase_dic_qt.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/controller_qt.h"
#include "platform/string_library.h"
#include "tools/phrase_dictionary.h"
#include "tools/search_list_qt.h"

namespace nuvel {

TPhraseDic::TPhraseDic(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PhraseDic"));
  setWindowTitle(QStringLiteral("English/Hebrew Phrase Dictionary"));
  NvcController1 = new TNvcController(this);
  NvcController1->setObjectName(QStringLiteral("NvcController1"));
  Label1 = new QLabel(QStringLiteral("Type to search: "), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  PhraseDicList = new TNvcSearchList(this);
  PhraseDicList->setObjectName(QStringLiteral("PhraseDicList"));
  PhraseDicList->SetItemHeight(std::max(13, PhraseDicList->fontMetrics().height()));
  PhraseDicList->SetKeyDelay(500);
  PhraseDicList->setMinimumSize(420, 260);
  BitBtn1 = new QPushButton(QStringLiteral("Close"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setAutoDefault(false);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(PhraseDicList, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(BitBtn1);
  layout->addLayout(bottom);

  PhraseDicList->Edit()->installEventFilter(this);
  PhraseDicList->ListBox()->installEventFilter(this);
  connect(PhraseDicList->ListBox(), &QListWidget::itemDoubleClicked, this, [this] { InsertChosen(); });

  const auto library = platform::StringLibrary::Load();
  PhraseDicList->SetItems(LoadPhrases(library ? &*library : nullptr));
  PhraseDicList->Edit()->setFocus();
}

void TPhraseDic::InsertChosen() {
  TNvcSearchEdit* edit = PhraseDicList->Edit();
  if (edit->isModified()) {
    edit->setModified(false);
    edit->ExecuteSearch();
  }
  const std::string entry = ChosenEntry();
  if (entry.empty() || !OnInsert) return;
  OnInsert(entry);
  inserted_ = true;
}

bool TPhraseDic::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      InsertChosen();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

std::string TPhraseDic::ChosenEntry() const {
  const int i = PhraseDicList->ItemIndex();
  if (i < 0 || i >= static_cast<int>(PhraseDicList->Items().size())) return {};
  return PhraseDicList->Items()[static_cast<size_t>(i)];
}

}  // namespace nuvel
