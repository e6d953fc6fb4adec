#include "editor/wordstar_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nuvel {
namespace {

constexpr uint16_t C(char letter) { return static_cast<uint16_t>(letter - 'A' + 1); }

struct Step {
  uint16_t key;
  TNvcCommand command;
  uint16_t keyAfter;  // the key the translation hands on
  uint16_t prefixAfter;
};

struct Case {
  const char* name;
  bool engm;
  bool seng;
  std::vector<Step> steps;
  bool literal = false;  // the last step inserts its key as it is
};

TEST(WordStarKeys, TranslatesSequences) {
  const Case cases[] = {
      {"single keys", true, false,
       {{C('A'), ccWordLeft, C('A'), 0},
        {C('C'), ccNextPage, C('C'), 0},
        {C('D'), ccRight, C('D'), 0},
        {C('E'), ccUp, C('E'), 0},
        {C('F'), ccWordRight, C('F'), 0},
        {C('G'), ccDel, C('G'), 0},
        {C('H'), ccBack, C('H'), 0},
        {C('L'), 308, C('L'), 0},
        {C('S'), ccLeft, C('S'), 0},
        {C('T'), ccDelWord, C('T'), 0},
        {C('X'), ccDown, C('X'), 0},
        {C('Y'), ccDelLine, C('Y'), 0},
        {'a', ccChar, 'a', 0},
        {0xE0, ccChar, 0xE0, 0},
        {13, ccNone, 13, 0},
        {C('B'), ccNone, C('B'), 0}}},
      {"^Q table, letters in either case and as control keys", true, false,
       {{C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {'s', ccHome, 's', 0},
        {C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {C('D'), ccEnd, C('D'), 0},
        {C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {'Y', ccDelEol, 'Y', 0},
        {C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {'f', 457, 'f', 0},
        {C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {'a', 458, 'a', 0},
        {C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {'z', ccNone, 'z', 0}}},
      {"^J and ^K tables", true, false,
       {{C('J'), ccWaitSecondKey, C('J'), kWsPrefixJ},
        {'u', 312, 'u', 0},
        {C('J'), ccWaitSecondKey, C('J'), kWsPrefixJ},
        {'X', 328, 'X', 0},
        {C('J'), ccWaitSecondKey, C('J'), kWsPrefixJ},
        {C('Y'), 329, C('Y'), 0},
        {C('K'), ccWaitSecondKey, C('K'), kWsPrefixK},
        {'b', 314, 'b', 0},
        {C('K'), ccWaitSecondKey, C('K'), kWsPrefixK},
        {'k', 315, 'k', 0},
        {C('K'), ccWaitSecondKey, C('K'), kWsPrefixK},
        {'c', 316, 'c', 0},
        {C('K'), ccWaitSecondKey, C('K'), kWsPrefixK},
        {'y', 317, 'y', 0},
        {C('K'), ccWaitSecondKey, C('K'), kWsPrefixK},
        {'v', 318, 'v', 0},
        {C('K'), ccWaitSecondKey, C('K'), kWsPrefixK},
        {'r', 309, 'r', 0},
        {C('K'), ccWaitSecondKey, C('K'), kWsPrefixK},
        {'d', 310, 'd', 0},
        {C('K'), ccWaitSecondKey, C('K'), kWsPrefixK},
        {'s', 311, 's', 0}}},
      // ^Q T waits for its character: the waiting state outlives the T.
      {"^Q T x", true, false,
       {{C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {'T', ccWaitSecondKey, 'T', kWsGotoChar},
        {'x', kWsGotoChar, 'x', 0},
        {'x', ccChar, 'x', 0}}},
      {"Hebrew: control keys mirror, lone letters stay text", false, false,
       {{C('A'), ccWordRight, C('F'), 0},
        {C('F'), ccWordLeft, C('A'), 0},
        {C('S'), ccRight, C('D'), 0},
        {C('D'), ccLeft, C('S'), 0},
        {'s', ccChar, 's', 0},
        {'D', ccChar, 'D', 0}}},
      {"Hebrew: letters after a prefix mirror", false, false,
       {{C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {'s', ccEnd, C('D'), 0},
        {C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {'D', ccHome, C('S'), 0},
        {C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {C('D'), ccHome, C('S'), 0},
        // ^K S saves and ^K D closes in either direction.
        {C('K'), ccWaitSecondKey, C('K'), kWsPrefixK},
        {'S', 311, 'S', 0}}},
      {"Hebrew: the character after ^Q T is not exchanged", false, false,
       {{C('Q'), ccWaitSecondKey, C('Q'), kWsPrefixQ},
        {'t', ccWaitSecondKey, 't', kWsGotoChar},
        {'s', kWsGotoChar, 's', 0}}},
      {"SEng turns ^H into ^G", true, true, {{C('H'), ccDel, C('G'), 0}}},
      {"^P then ^A", true, false, {{C('P'), ccWaitSecondKey, C('P'), kWsPrefixP}, {C('A'), ccNone, C('A'), 0}},
       true},
      {"^P in Hebrew keeps the key", false, false,
       {{C('P'), ccWaitSecondKey, C('P'), kWsPrefixP}, {C('S'), ccNone, C('S'), 0}}, true},
  };
  for (const Case& c : cases) {
    uint16_t prefix = 0;
    uint8_t gotoChar = 7;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const Step& s = c.steps[i];
      const TWordStarKey k = TranslateWordStarKey(prefix, s.key, c.engm, c.seng, gotoChar);
      const std::string where = std::string(c.name) + ", step " + std::to_string(i);
      EXPECT_EQ(k.Command, s.command) << where;
      EXPECT_EQ(k.Key, s.keyAfter) << where;
      EXPECT_EQ(prefix, s.prefixAfter) << where;
      EXPECT_EQ(k.InsertLiteral, c.literal && i + 1 == c.steps.size()) << where;
      if (s.command == kWsGotoChar) {
        EXPECT_EQ(gotoChar, s.key) << where;
      }
    }
  }
}

}  // namespace
}  // namespace nuvel
