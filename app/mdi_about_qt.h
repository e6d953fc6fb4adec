#pragma once
// The main window's About box: the product name as a shadowed title, the
// version, and the machine's physical memory and the share of it in use.
#include <QDialog>
#include <functional>
#include <optional>

#include "app/memory_figures.h"

class QLabel;

namespace nuvel {

class TNvcLabel;

class TMdiAbout : public QDialog {
  Q_OBJECT
 public:
  // `figures` stands in for the system's (tests); nothing shows dashes.
  explicit TMdiAbout(QWidget* parent = nullptr, std::optional<MemoryFigures> figures = ReadMemoryFigures());

  TNvcLabel* ShadowLabel = nullptr;
  TNvcLabel* NuvelLabel = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* PhysMem = nullptr;
  QLabel* FreeRes = nullptr;
  QLabel* ProductionMark = nullptr;
};

class MainCommands;
// Help | About shows the box modally; `run` answers it in tests.
void AttachAboutBox(MainCommands& commands, QWidget* mainWindow,
                    std::function<void(TMdiAbout&)> run = {});

}  // namespace nuvel
