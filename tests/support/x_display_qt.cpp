#include "tests/support/x_display_qt.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

#include <fstream>
#include <iterator>

namespace nuvel::test {

namespace {

// The window manager's settings: new windows take the focus, and no key is
// bound to the manager, so that every key reaches the program.
constexpr char kManagerConfig[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy></placement>
  <desktops><number>1</number></desktops>
  <keyboard></keyboard>
  <mouse></mouse>
</openbox_config>
)";

void Stop(std::unique_ptr<QProcess>& process) {
  if (!process) return;
  if (process->state() != QProcess::NotRunning) {
    process->terminate();
    if (!process->waitForFinished(3000)) {
      process->kill();
      process->waitForFinished(3000);
    }
  }
  process.reset();
}

// What the manager wrote, quoted in a failure so that it outlives the
// test's temporary folder.
std::string ReadLog(const std::filesystem::path& log) {
  std::ifstream in(log);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.size() > 2000) text.erase(0, text.size() - 2000);
  return text.empty() ? std::string(" (its log is empty)") : "; its log:\n" + text;
}

}  // namespace

XDisplay::~XDisplay() {
  Stop(manager_);
  Stop(server_);
}

std::vector<std::string> XDisplay::MissingTools() {
  std::vector<std::string> missing;
  for (const char* tool : {"Xvfb", "openbox", "xdotool", "setxkbmap", "xclip"}) {
    if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) missing.emplace_back(tool);
  }
  return missing;
}

bool XDisplay::Start(const std::filesystem::path& folder, std::string& error) {
  std::filesystem::create_directories(folder);
  // The server picks a free display and writes its number when it takes
  // connections.
  server_ = std::make_unique<QProcess>();
  server_->setStandardErrorFile(QString::fromStdString((folder / "xvfb.log").string()));
  server_->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  if (!server_->waitForStarted(10000)) {
    error = "Xvfb did not start";
    return false;
  }
  QByteArray number;
  const QDeadlineTimer serverDeadline(20000);
  while (!number.contains('\n')) {
    if (server_->state() == QProcess::NotRunning || serverDeadline.hasExpired()) {
      error = "Xvfb gave no display (see " + (folder / "xvfb.log").string() + ")";
      return false;
    }
    server_->waitForReadyRead(100);
    number += server_->readAllStandardOutput();
  }
  name_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

  const std::filesystem::path config = folder / "openbox.xml";
  std::ofstream(config) << kManagerConfig;
  // On a loaded machine the manager now and then gives up before it has
  // taken the display; a second start is cheap and spares the whole group.
  for (int attempt = 1;; ++attempt) {
    std::string why;
    if (StartManager(folder, config, why)) return true;
    Stop(manager_);
    if (attempt == 3) {
      error = why + ReadLog(folder / "openbox.log");
      return false;
    }
  }
}

bool XDisplay::StartManager(const std::filesystem::path& folder, const std::filesystem::path& config,
                            std::string& error) {
  QProcessEnvironment env = Environment();
  env.insert("HOME", QString::fromStdString(folder.string()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.string()));
  manager_ = std::make_unique<QProcess>();
  manager_->setProcessEnvironment(env);
  manager_->setStandardOutputFile(QProcess::nullDevice());
  manager_->setStandardErrorFile(QString::fromStdString((folder / "openbox.log").string()), QIODevice::Append);
  manager_->start("openbox", {"--sm-disable", "--config-file", QString::fromStdString(config.string())});
  if (!manager_->waitForStarted(10000)) {
    error = "openbox did not start";
    return false;
  }
  // The manager is up once it names the desktop on the root window.
  const QDeadlineTimer managerDeadline(20000);
  for (bool ok = false; !ok;) {
    Run("xdotool", {"get_desktop"}, &ok);
    if (ok) break;
    if (manager_->state() == QProcess::NotRunning || managerDeadline.hasExpired()) {
      error = manager_->state() == QProcess::NotRunning ? "openbox ended before it took the display"
                                                        : "openbox did not come up within 20 s";
      return false;
    }
    QThread::msleep(50);
  }
  return true;
}

QProcessEnvironment XDisplay::Environment(QProcessEnvironment base) const {
  base.insert("DISPLAY", name_);
  base.remove("WAYLAND_DISPLAY");
  return base;
}

std::string XDisplay::Run(const QString& tool, const QStringList& arguments, bool* ok, int ms) const {
  QProcess process;
  process.setProcessEnvironment(Environment());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.start(tool, arguments);
  const bool finished = process.waitForFinished(ms);
  if (!finished) {
    process.kill();
    process.waitForFinished();
  }
  if (ok) *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
  return process.readAllStandardOutput().toStdString();
}

}  // namespace nuvel::test
