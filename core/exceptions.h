#pragma once
// The exception family of the control framework. Classes with a fixed message
// take its text from the component library message table by id.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace nuvel {

class ENvcException : public std::runtime_error {
 public:
  explicit ENvcException(const std::string& message, int32_t error_code = 0)
      : std::runtime_error(message), error_code_(error_code) {}
  int32_t ErrorCode() const { return error_code_; }
  std::string Message() const { return what(); }

 private:
  int32_t error_code_;
};

class ENoTimersAvailable : public ENvcException {
 public:
  ENoTimersAvailable();  // 30189
};

class EControllerError : public ENvcException {
 public:
  using ENvcException::ENvcException;
};
class ENoControllerAssigned : public EControllerError {
 public:
  ENoControllerAssigned();  // 30172
};

class ECmdProcessorError : public ENvcException {
 public:
  using ENvcException::ENvcException;
};
class EDuplicateCommand : public ECmdProcessorError {
 public:
  EDuplicateCommand();  // 30169
};
class ETableNotFound : public ECmdProcessorError {
 public:
  ETableNotFound();  // 30170
};

class EEntryFieldError : public ENvcException {
 public:
  using ENvcException::ENvcException;
};

// An editing error: the message and the editor's 16-bit error code (ErrorCode()).
class EEditorError : public ENvcException {
 public:
  EEditorError(const std::string& message, uint16_t code) : ENvcException(message, code) {}
  uint16_t EditorCode() const { return static_cast<uint16_t>(ErrorCode()); }
};
class EInvalidLineOrCol : public EEditorError {
 public:
  EInvalidLineOrCol();  // 30216, code 0
};
class EInvalidLineOrPara : public EEditorError {
 public:
  EInvalidLineOrPara();  // 30213, code 0
};

class EViewerError : public ENvcException {
 public:
  using ENvcException::ENvcException;
};
class ERegionTooLarge : public EViewerError {
 public:
  ERegionTooLarge();  // 30186
};

class EFixedFontError : public ENvcException {
 public:
  using ENvcException::ENvcException;
};
class EInvalidFontParam : public EFixedFontError {
 public:
  EInvalidFontParam();  // 30215
};

class EMenuMRUError : public ENvcException {
 public:
  using ENvcException::ENvcException;
};

// Errors of opening or reading a message table (not of the framework family).
class ENvcStringResourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The runtime's input/output error: a file that exists could not be read or
// written.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A document that could not be written. ReadOnly(): the file may not be
// written at all, and the user may save the document elsewhere.
class EFileWriteError : public EInOutError {
 public:
  EFileWriteError(const std::string& message, bool readOnly) : EInOutError(message), readOnly_(readOnly) {}
  bool ReadOnly() const { return readOnly_; }

 private:
  bool readOnly_;
};

}  // namespace nuvel
