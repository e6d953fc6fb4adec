#include "tests/support/x_key_rows_qt.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace nuvel::test {

namespace {

bool UnderCi() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string_view(ci) == "true";
}

}  // namespace

void XKeyRowsTest::SetUp() {
  const std::vector<std::string> missing = XDisplay::MissingTools();
  if (!missing.empty()) {
    std::string names;
    for (const std::string& tool : missing) names += (names.empty() ? "" : ", ") + tool;
    if (UnderCi()) FAIL() << "CI runs the real X key tests, and " << names << " is not installed (scripts/setup.sh)";
    GTEST_SKIP() << "real X key tests skipped: " << names << " not installed (scripts/setup.sh installs them)";
  }
  ASSERT_TRUE(root_.isValid());
  const std::filesystem::path root = root_.path().toStdString();
  std::string error;
  ASSERT_TRUE(display_.Start(root / "display", error)) << error;
  run_ = std::make_unique<ProgramRun>(root / "run");
  program_ = std::make_unique<XProgram>(display_, *run_);
}

void XKeyRowsTest::AddSettings(std::string_view iniLines) {
  // The user's settings once a start has made them; until then the factory
  // settings they are made from.
  const std::filesystem::path user = run_->UserIni();
  std::ofstream(std::filesystem::exists(user) ? user : run_->program / "NuvelW.INI", std::ios::binary | std::ios::app)
      << iniLines;
}

bool XKeyRowsTest::PlayStep(const std::string& step, std::string& error) {
  const size_t blank = step.find(' ');
  const std::string verb = step.substr(0, blank);
  const std::string argument = blank == std::string::npos ? std::string() : step.substr(blank + 1);
  bool ok = false;
  if (verb == "key") {
    ok = program_->Keys(argument);
  } else if (verb == "type") {
    ok = program_->Type(argument);
  } else if (verb == "primary") {
    ok = program_->SetPrimary(argument);
  } else if (verb == "primary?") {
    // The program offers its selection once the keys are handled.
    const QDeadlineTimer deadline(10000);
    std::string primary;
    while ((primary = program_->Primary()) != argument) {
      if (deadline.hasExpired()) {
        error = "the PRIMARY selection reads \"" + primary + "\"";
        return false;
      }
      QThread::msleep(25);
    }
    return true;
  } else if (verb == "click") {
    ok = program_->Click(std::stoi(argument));
  } else if (verb == "wait") {
    QThread::msleep(static_cast<unsigned long>(std::stoul(argument)));
    return true;
  } else if (verb == "window") {
    const bool present = argument.empty() || argument[0] != '!';
    return program_->WaitForWindow(present ? argument : argument.substr(1), error, present);
  } else {
    error = "no such step";
    return false;
  }
  if (!ok) error = verb + " failed";
  return ok;
}

void XKeyRowsTest::PlayRows(std::span<const XKeyRow> rows) {
  for (const XKeyRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string document = "row" + std::to_string(++documents_) + ".txt";
    ProgramRun::Write(run_->documents / document, row.before);
    ASSERT_TRUE(program_->SetLayout(row.layout)) << "setxkbmap " << row.layout;
    const std::string layout = program_->Layout();
    std::string error;
    // The first row starts the program, and so does a row after one that ended it.
    const bool opened = program_->Running() ? program_->Open(document, error) : program_->Start(document, error);
    ASSERT_TRUE(opened) << error;
    for (const std::string& step : row.steps) {
      ASSERT_TRUE(PlayStep(step, error)) << "step \"" << step << "\": " << error;
    }
    const std::optional<std::string> saved = program_->SaveAndRead(document, row.saveKeys);
    ASSERT_TRUE(saved) << "the document was not saved; the active window is \"" << program_->ActiveWindowTitle()
                       << "\"; the program's errors: " << program_->Errors();
    EXPECT_EQ(*saved, row.after);
    EXPECT_EQ(program_->Layout(), layout) << "the X keyboard layout changed";
  }
}

}  // namespace nuvel::test
