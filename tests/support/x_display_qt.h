#pragma once
// An X display of a test's own, for real key events: Xvfb on a free display
// number and the openbox window manager, which activates a program's window
// as a desktop does (the program opens its command-line file only once its
// window is active). The X tools run against it: xdotool for keys and
// windows and the mouse, setxkbmap for the keyboard layout, xclip for the
// PRIMARY selection.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace nuvel::test {

class XDisplay {
 public:
  XDisplay() = default;
  ~XDisplay();
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  // The programs this needs that are not installed; empty when all are.
  static std::vector<std::string> MissingTools();

  // Starts the server and the window manager, their files under `folder`.
  // False, with the reason in `error`, when either does not come up.
  bool Start(const std::filesystem::path& folder, std::string& error);

  // ":N".
  const QString& Name() const { return name_; }

  // `base` with this display.
  QProcessEnvironment Environment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const;

  // Runs an X tool against this display and waits for it, at most `ms`:
  // what it wrote on its standard output. `ok` tells whether it ran and
  // ended with code 0.
  std::string Run(const QString& tool, const QStringList& arguments, bool* ok = nullptr, int ms = 10000) const;

 private:
  // One start of the window manager with `config`; false, with the reason,
  // when it ends or does not take the display in time.
  bool StartManager(const std::filesystem::path& folder, const std::filesystem::path& config, std::string& error);

  std::unique_ptr<QProcess> server_;
  std::unique_ptr<QProcess> manager_;
  QString name_;
};

}  // namespace nuvel::test
