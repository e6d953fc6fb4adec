#include "textsearch/progress_window_qt.h"

#include "textsearch/label_effects.h"
#include "textsearch/meter_qt.h"

namespace nuvel {

TNuvPrgress::TNuvPrgress(QWidget* owner) : QDialog(owner, Qt::Tool | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("NuvPrgress"));
  setFixedSize(395 + 4, 88 + 4);
  setStyleSheet(QStringLiteral("QDialog#NuvPrgress { border: 2px solid palette(mid); }"));
  NvcMeter1 = new TNvcMeter(this);
  NvcMeter1->setObjectName(QStringLiteral("NvcMeter1"));
  NvcMeter1->setGeometry(2 + 64, 2 + 8, 257, 32);
  NvcMeter1->SetShowPercent(true);
  NvcMeter1->SetUsedColor(clLime);
  NvcMeter1->SetUnusedColor(clWindow);
  NvcMeter2 = new TNvcMeter(this);
  NvcMeter2->setObjectName(QStringLiteral("NvcMeter2"));
  NvcMeter2->setGeometry(2 + 64, 2 + 56, 257, 17);
  NvcMeter2->SetUsedColor(clFuchsia);
  NvcMeter2->hide();
}

void TNuvPrgress::ShowCentred() {
  if (QWidget* o = parentWidget()) move(o->mapToGlobal(o->rect().center()) - rect().center());
  show();
  repaint();
}

}  // namespace nuvel
