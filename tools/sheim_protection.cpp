#include "tools/sheim_protection.h"

#include <algorithm>
#include <map>
#include <vector>

#include "formats/sheim_filter_hook.h"
#include "tools/built_in_rules.h"
#include "tools/rule_applier.h"
#include "tools/rule_compiler.h"

namespace nuvel::tools {
namespace {

// Each built-in set is compiled once: loading a protected document runs it
// over every paragraph.
const RuleSet& CompiledBuiltIn(int kind) {
  static std::map<int, RuleSet> compiled;
  auto it = compiled.find(kind);
  if (it == compiled.end()) it = compiled.emplace(kind, CompileRules(BuiltInRules(kind))).first;
  return it->second;
}

}  // namespace

void ProtectParagraphs(TDocumentText& text, int kind) {
  if (BuiltInRules(kind).empty()) return;
  const RuleSet& rules = CompiledBuiltIn(kind);
  text.BeginUpdate();
  struct EndUpdate {
    TDocumentText& text;
    ~EndUpdate() { text.EndUpdate(); }
  } end{text};
  // Each paragraph is filtered as a line of a file, between line ends, so
  // that the rules for a name at the start or the end of a line match it.
  const uint32_t count = text.ParaCount();
  std::vector<uint8_t> line;
  for (uint32_t i = 0; i < count; ++i) {
    const std::span<const uint8_t> para = text.Para(i);
    if (para.empty()) continue;
    line.assign({'\r', '\n'});
    line.insert(line.end(), para.begin(), para.end());
    line.insert(line.end(), {'\r', '\n'});
    std::vector<uint8_t> out = RunRules(rules, line);
    if (out.size() >= 4 && out[0] == '\r' && out[1] == '\n' && out[out.size() - 2] == '\r' && out.back() == '\n') {
      out.erase(out.end() - 2, out.end());
      out.erase(out.begin(), out.begin() + 2);
    }
    if (!std::equal(out.begin(), out.end(), para.begin(), para.end())) text.ReplacePara(i, out);
  }
}

void InstallSheimFilter() {
  SetSheimFilterHook([](TDocumentText& text, int kind) { ProtectParagraphs(text, kind); });
}

}  // namespace nuvel::tools
