#include "tests/support/x_program_qt.h"

#include <QDeadlineTimer>
#include <QThread>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "core/settings.h"
#include "platform/registry_store.h"

namespace nuvel::test {

namespace {

namespace fs = std::filesystem;

// How long the program may take to bring a document up or to write it: long
// enough for a loaded machine, since every wait ends as soon as it can.
constexpr int kWaitMs = 30000;
constexpr int kPollMs = 25;

// What tells one version of a file from the next: a save renames a new file
// over the old one or writes it in place, and either changes one of these.
struct FileStamp {
  bool exists = false;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};
  bool operator==(const FileStamp& o) const {
    return exists == o.exists && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
           modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
           changed.tv_nsec == o.changed.tv_nsec;
  }
};

FileStamp StampOf(const fs::path& path) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return {};
  return {true, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

QStringList Words(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split(' ', Qt::SkipEmptyParts);
}

}  // namespace

XProgram::XProgram(const XDisplay& display, ProgramRun& run) : display_(display), run_(run) {}

XProgram::~XProgram() {
  if (process_ && process_->state() != QProcess::NotRunning) {
    process_->kill();
    process_->waitForFinished(5000);
  }
}

bool XProgram::Start(const std::string& document, std::string& error) {
  // A copy still ending would take the document as a second start's.
  if (process_ && !process_->waitForFinished(kWaitMs) && process_->state() != QProcess::NotRunning) {
    error = "the program did not end";
    return false;
  }
  {
    // Documents open maximized, so the main window's title names the active one.
    platform::RegistryStore store(run_.config / "nuvel" / "registry.reg");
    store.WriteString(RegistryKeyOf("GENPREFS"), "ChildState", "2");
  }
  QProcessEnvironment env = display_.Environment(run_.Environment());
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.remove("NUVEL_INPUT_SCRIPT");
  process_ = std::make_unique<QProcess>();
  process_->setProcessEnvironment(env);
  process_->setWorkingDirectory(QString::fromStdString(run_.documents.string()));
  process_->setStandardOutputFile(QProcess::nullDevice());
  process_->setStandardErrorFile(QString::fromStdString((run_.temp / "program.err").string()));
  process_->start(QString::fromStdString((run_.program / "nuvel").string()), {QString::fromStdString(document)});
  if (!process_->waitForStarted(10000)) {
    error = "the program did not start";
    return false;
  }
  return WaitForDocument(document, error);
}

bool XProgram::Open(const std::string& document, std::string& error) {
  QProcess second;
  QProcessEnvironment env = display_.Environment(run_.Environment());
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.remove("NUVEL_INPUT_SCRIPT");
  second.setProcessEnvironment(env);
  second.setWorkingDirectory(QString::fromStdString(run_.documents.string()));
  second.setStandardOutputFile(QProcess::nullDevice());
  second.setStandardErrorFile(QProcess::nullDevice());
  second.start(QString::fromStdString((run_.program / "nuvel").string()), {QString::fromStdString(document)});
  if (!second.waitForFinished(kWaitMs) || second.exitCode() != 0) {
    second.kill();
    second.waitForFinished();
    error = "the second start did not hand " + document + " over";
    return false;
  }
  return WaitForDocument(document, error);
}

bool XProgram::Running() const {
  if (!process_ || process_->state() == QProcess::NotRunning) return false;
  process_->waitForFinished(0);  // takes note of an end
  return process_->state() != QProcess::NotRunning;
}

bool XProgram::WaitForDocument(const std::string& document, std::string& error) {
  // The title shows the document's whole name; "/" keeps "b.txt" from matching "ab.txt".
  if (!WaitForWindow("/" + document, error)) {
    error = "no window of " + document + ": " + error;
    return false;
  }
  return true;
}

bool XProgram::WaitForWindow(std::string_view title, std::string& error, bool present) {
  const QDeadlineTimer deadline(kWaitMs);
  std::string last;
  for (;;) {
    last = ActiveWindowTitle();
    if ((last.find(title) != std::string::npos) == present) return true;
    if (!Running()) {
      error = "the program ended; its errors: " + Errors();
      return false;
    }
    if (deadline.hasExpired()) {
      error = "the active window is \"" + last + "\"";
      return false;
    }
    QThread::msleep(kPollMs);
  }
}

std::string XProgram::ActiveWindowTitle() const {
  std::string title = display_.Run("xdotool", {"getactivewindow", "getwindowname"});
  while (!title.empty() && title.back() == '\n') title.pop_back();
  return title;
}

bool XProgram::Keys(std::string_view keys) {
  bool ok = false;
  display_.Run("xdotool", QStringList{"key"} + Words(keys), &ok);
  return ok;
}

bool XProgram::Type(std::string_view text) {
  bool ok = false;
  // A pause between keys as a quick typist leaves: on a loaded machine the
  // same key pressed twice within xdotool's default 12 ms could reach the
  // program as one.
  display_.Run("xdotool", {"type", "--delay", "40", "--", QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))}, &ok);
  return ok;
}

std::string XProgram::Primary() const { return display_.Run("xclip", {"-o", "-selection", "primary"}); }

bool XProgram::SetPrimary(std::string_view text) {
  // xclip reads the file, takes the selection and stays behind to serve it
  // until another program takes it or the display ends.
  const fs::path file = run_.temp / "primary.txt";
  ProgramRun::Write(file, std::string(text));
  bool ok = false;
  display_.Run("xclip", {"-selection", "primary", "-i", QString::fromStdString(file.string())}, &ok);
  return ok;
}

bool XProgram::Click(int button) {
  int width = 0;
  int height = 0;
  const QStringList lines =
      QString::fromStdString(display_.Run("xdotool", {"getactivewindow", "getwindowgeometry", "--shell"})).split('\n');
  for (const QString& line : lines) {
    if (line.startsWith("WIDTH=")) width = line.mid(6).toInt();
    if (line.startsWith("HEIGHT=")) height = line.mid(7).toInt();
  }
  if (width <= 0 || height <= 0) return false;
  bool ok = false;
  display_.Run("xdotool",
               {"getactivewindow", "mousemove", "--window", "%1", QString::number(width / 2), QString::number(height / 2),
                "click", QString::number(button)},
               &ok);
  return ok;
}

bool XProgram::SetLayout(std::string_view layout) {
  bool ok = false;
  display_.Run("setxkbmap", Words(layout), &ok);
  return ok;
}

std::string XProgram::Layout() const { return display_.Run("setxkbmap", {"-query"}); }

std::optional<std::string> XProgram::SaveAndRead(const std::string& document, std::string_view saveKeys) {
  const fs::path file = run_.documents / document;
  const FileStamp before = StampOf(file);
  if (!saveKeys.empty() && !Keys(saveKeys)) return std::nullopt;
  const QDeadlineTimer deadline(kWaitMs);
  FileStamp seen = before;
  while (seen == before) {
    if (deadline.hasExpired()) return std::nullopt;
    QThread::msleep(kPollMs);
    seen = StampOf(file);
  }
  // Written: read once the file has stood still for a moment.
  for (;;) {
    QThread::msleep(kPollMs * 2);
    const FileStamp next = StampOf(file);
    if (next == seen) break;
    seen = next;
  }
  return ReadAll(file);
}

std::string XProgram::Errors() const { return ReadAll(run_.temp / "program.err"); }

}  // namespace nuvel::test
