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
  const uint32_t count = text.ParaCount();
  for (uint32_t i = 0; i < count; ++i) {
    const std::span<const uint8_t> para = text.Para(i);
    if (para.empty()) continue;
    const std::vector<uint8_t> out = RunRules(rules, para);
    if (!std::equal(out.begin(), out.end(), para.begin(), para.end())) text.ReplacePara(i, out);
  }
}

void InstallSheimFilter() {
  SetSheimFilterHook([](TDocumentText& text, int kind) { ProtectParagraphs(text, kind); });
}

}  // namespace nuvel::tools
