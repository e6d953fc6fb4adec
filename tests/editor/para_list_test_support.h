#pragma once
// Helpers shared by the paragraph list tests.
#include <span>
#include <string>
#include <vector>

#include "editor/para_list.h"

namespace nuvel::test {

inline std::span<const uint8_t> B(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// The paragraphs of a list, walked along the links.
inline std::vector<std::string> Paras(TNvcParaList& list) {
  std::vector<std::string> out;
  for (TParaNodeHandle h = list.Head(); h != 0; h = list.Nodes()[h].Next) {
    auto bytes = list.Nodes()[h].Bytes();
    out.emplace_back(bytes.begin(), bytes.end());
  }
  return out;
}

// Fills a new list with paragraphs and leaves an empty undo history.
inline void Fill(TNvcParaList& list, const std::vector<std::string>& paras) {
  uint32_t para = 1, pos = 1;
  std::string text;
  for (size_t i = 0; i < paras.size(); ++i) text += paras[i] + (i + 1 < paras.size() ? "\r\n" : "");
  list.InsertLines(nullptr, para, B(text), pos);
  list.UndoBuffer().Clear();
  list.SetModified(false);
}

// Records every notification a view receives.
class TRecordingView : public TParaListView {
 public:
  explicit TRecordingView(std::string name) : name_(std::move(name)) {}
  void TextInserted(uint32_t para, uint32_t pos, bool own, uint32_t count) override {
    Log("TextInserted", para, pos, own, count);
  }
  void TextDeleted(uint32_t para, uint32_t pos, bool own, uint32_t count) override {
    Log("TextDeleted", para, pos, own, count);
  }
  void ParaInserted(uint32_t para, uint32_t pos, bool own, uint32_t count) override {
    Log("ParaInserted", para, pos, own, count);
  }
  void ParaDeleted(uint32_t para, bool own) override { Log("ParaDeleted", para, 0, own, 0); }
  void ParaJoined(uint32_t para, uint32_t pos, bool own) override { Log("ParaJoined", para, pos, own, 0); }
  void Resynchronize() override { events->push_back(name_ + " Resync"); }

  std::vector<std::string>* events = &own_;

 private:
  void Log(const char* what, uint32_t para, uint32_t pos, bool own, uint32_t count) {
    events->push_back(name_ + " " + what + " " + std::to_string(para) + "," + std::to_string(pos) + "," +
                      std::to_string(count) + (own ? " own" : ""));
  }
  std::string name_;
  std::vector<std::string> own_;
};

}  // namespace nuvel::test
