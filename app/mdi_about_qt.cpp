#include "app/mdi_about_qt.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/main_commands_qt.h"
#include "core/shared_state.h"
#include "textsearch/nvc_label_qt.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

TMdiAbout::TMdiAbout(QWidget* parent, std::optional<MemoryFigures> figures) : QDialog(parent) {
  setObjectName(QStringLiteral("MdiAbout"));
  setWindowTitle(QStringLiteral("About"));
  auto* box = new QVBoxLayout(this);

  // The title: a shadow copy under the name itself, both in one cell.
  auto* title = new QWidget(this);
  title->setMinimumSize(320, 48);
  ShadowLabel = new TNvcLabel(title);
  ShadowLabel->setObjectName(QStringLiteral("ShadowLabel"));
  NuvelLabel = new TNvcLabel(title);
  NuvelLabel->setObjectName(QStringLiteral("NuvelLabel"));
  for (TNvcLabel* l : {ShadowLabel, NuvelLabel}) {
    l->setText(QStringLiteral("Nuvel"));
    l->setGeometry(0, 0, 320, 48);
    l->setAlignment(Qt::AlignCenter);
  }
  ShadowLabel->Effects().SetAppearance(TNvcAppearance::apNone);
  ShadowLabel->Effects().SetFontColor(clGray);
  ShadowLabel->move(3, 3);
  NuvelLabel->Effects().SetAppearance(TNvcAppearance::apRaised);
  box->addWidget(title);

  Label3 = new QLabel(QStringLiteral("Nuvel Text Editor "), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setText(Label3->text() + QStringLiteral("v.") + QStringLiteral("3.55"));
  box->addWidget(Label3);
  auto* line1 = new QLabel(QStringLiteral("A bilingual Hebrew and English text editor"), this);
  line1->setObjectName(QStringLiteral("Label1"));
  box->addWidget(line1);
  auto* line2 = new QLabel(QStringLiteral("Marvek Ila"), this);
  line2->setObjectName(QStringLiteral("Label2"));
  box->addWidget(line2);
  ProductionMark = new QLabel(this);
  ProductionMark->setObjectName(QStringLiteral("ProductionMark"));
  ProductionMark->hide();

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(panel);
  auto* physMemLabel = new QLabel(QStringLiteral("Physical Memory Available to Windows:"), panel);
  physMemLabel->setObjectName(QStringLiteral("PhysMemLabel"));
  auto* freeResLabel = new QLabel(QStringLiteral("Memory in Use:"), panel);
  freeResLabel->setObjectName(QStringLiteral("FreeResLabel"));
  grid->addWidget(physMemLabel, 0, 0);
  grid->addWidget(freeResLabel, 1, 0);
  PhysMem = new QLabel(panel);
  PhysMem->setObjectName(QStringLiteral("PhysMem"));
  FreeRes = new QLabel(panel);
  FreeRes->setObjectName(QStringLiteral("FreeRes"));
  PhysMem->setText(figures ? QString::fromStdString(PhysicalMemoryText(figures->totalBytes)) : QStringLiteral("-"));
  FreeRes->setText(figures ? QString::fromStdString(MemoryLoadText(*figures)) : QStringLiteral("-"));
  grid->addWidget(PhysMem, 0, 1);
  grid->addWidget(FreeRes, 1, 1);
  box->addWidget(panel);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  box->addWidget(ok, 0, Qt::AlignHCenter);
}

void AttachAboutBox(MainCommands& commands, QWidget* mainWindow, std::function<void(TMdiAbout&)> run) {
  commands.On("About1", [mainWindow, run] {
    TMdiAbout box(mainWindow);
    if (!EngPrompts) SetHebCaps(&box, "SetHebCaps_MdiAbout");
    if (run)
      run(box);
    else
      box.exec();
  });
}

}  // namespace nuvel
