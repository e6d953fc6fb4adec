#include "ui/interface_texts.h"

#include <charconv>
#include <stdexcept>

namespace nuvel {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\n')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\n')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    const size_t start = i;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

int Number(std::string_view s, std::string_view entry) {
  int value = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size())
    throw std::invalid_argument("bad number in text entry: " + std::string(entry));
  return value;
}

TextAssignment ParseEntry(std::string_view entry) {
  const auto words = Words(entry);
  if (words.size() < 2 || words.size() > 3)
    throw std::invalid_argument("bad text entry: " + std::string(entry));
  TextAssignment a;
  a.component = words[0] == "form" ? std::string() : std::string(words[0]);
  std::string_view last = words.back();
  if (last.ends_with('+')) {
    a.slot = TextSlot::CaptionAndHint;
    last.remove_suffix(1);
  }
  a.id = static_cast<uint16_t>(Number(last, entry));
  if (words.size() == 3) {
    std::string_view middle = words[1];
    if (middle == "hint") {
      if (a.slot == TextSlot::CaptionAndHint) throw std::invalid_argument("hint with +: " + std::string(entry));
      a.slot = TextSlot::Hint;
    } else if (middle.size() > 2 && middle.front() == '[' && middle.back() == ']') {
      a.slot = TextSlot::Item;
      a.index = Number(middle.substr(1, middle.size() - 2), entry);
    } else {
      throw std::invalid_argument("bad text entry: " + std::string(entry));
    }
  }
  return a;
}

TextAssignment Joined(std::string component, TextSlot slot, uint16_t id, std::string prefix,
                      std::string suffix) {
  TextAssignment a;
  a.component = std::move(component);
  a.slot = slot;
  a.id = id;
  a.prefix = std::move(prefix);
  a.suffix = std::move(suffix);
  return a;
}

void Append(std::vector<TextAssignment>& list, std::string_view notation) {
  for (auto& a : ParseTextAssignments(notation)) list.push_back(std::move(a));
}

}  // namespace

std::vector<TextAssignment> ParseTextAssignments(std::string_view notation) {
  std::vector<TextAssignment> list;
  while (!notation.empty()) {
    const size_t end = notation.find(';');
    const std::string_view entry = Trim(notation.substr(0, end));
    if (!entry.empty()) list.push_back(ParseEntry(entry));
    if (end == std::string_view::npos) break;
    notation.remove_prefix(end + 1);
  }
  return list;
}

std::vector<ResolvedText> ResolveTexts(const std::vector<TextAssignment>& list,
                                       const std::function<std::string(uint16_t)>& lookup) {
  std::vector<ResolvedText> out;
  out.reserve(list.size());
  for (const auto& a : list) {
    const std::string text = a.prefix + lookup(a.id) + a.suffix;
    if (a.slot == TextSlot::CaptionAndHint) {
      out.push_back({a.component, TextSlot::Caption, -1, text});
      out.push_back({a.component, TextSlot::Hint, -1, a.prefix + lookup(static_cast<uint16_t>(a.id + 1)) + a.suffix});
    } else {
      out.push_back({a.component, a.slot, a.index, text});
    }
  }
  return out;
}

std::vector<uint16_t> TextIdsOf(const std::vector<TextAssignment>& list) {
  std::vector<uint16_t> ids;
  for (const auto& a : list) {
    ids.push_back(a.id);
    if (a.slot == TextSlot::CaptionAndHint) ids.push_back(static_cast<uint16_t>(a.id + 1));
  }
  return ids;
}

const std::vector<TextAssignment>& MainFormTexts() {
  static const std::vector<TextAssignment> list = [] {
    std::vector<TextAssignment> l;
    Append(l,
           "File1 40499+; New1 40501+; Open1 40503+; Openfile1 40503+; Reopen1 40905+; "
           "Favorites1 40909+; AddCurrentFilePath1 40911+; AddCurrentFile1 40913+; "
           "RemoveItem1 40915+; ClearList1 40917+; OpenSpecial1 40505+; OpenNuvelWin1 40899+; "
           "OpenNuvelDos1 40901+; OpenDosText1 40903+; OpenNuvelWin2 40899+; OpenNuvelDos2 40901+; "
           "OpenDosText2 40903+; OpenWithSheimProtection1 40924; Close1 40907+; CloseAll1 40565+; "
           "Save1 40507+; SaveAs1 40509+; Print1 40511+; PrintSetup1 40513+; Send1 41127+; "
           "Exit1 40515+; Edit1 40517+; Undo1 40519+; Redo1 40521+; Cut1 40523+; Copy1 40525+; "
           "Paste1 40527+; Delete1 40529+; CollectAll1 40567+; SelectAll1 40531+; "
           "BlockChanges1 40533+; SelFill1 40535+; SelUpperCase1 40537+; BlockLowerCase1 40539+; "
           "UpandDown1 40763+; BlockFlipCase1 40541+; ReverseBlock1 40543+; "
           "RemoveDoubleSpaces1 40919+; EnterByASCII1 40573+; Counters 40547+; Counter1 40549+; "
           "HebrewCounter1 40551+; ZeroCounter1 40553+; Zeroallcounters1 40555+; "
           "Replacewithnumbers1 40557+; Insertnumbers1 40559+; NuvelCommands1 40561+; "
           "ReformatParagraph1 40563+; CutaWord1 40575+; Commands1 40577+; SpecialEd 40765+; "
           "RemDups1 40767+; RevParen1 40769+; RevFile1 40771+; MergeParsTxt1 40773+; "
           "AddParLines1 40775+; DeleteWordCtrlY1 40579; DeleteLineCtrlY1 40581; "
           "DeletetoEndofLineCtrlQY1 40583; DeletetoBeginofLineCtrlQT1 40585; "
           "FindAgainCtrlL1 40595");
    l.push_back(Joined("FindAgainCtrlL1", TextSlot::Hint, 40596, "Ctrl+L ", ""));
    Append(l, "FlipCaseCtrlJU1 40545");
    l.push_back(Joined("FlipCaseCtrlJU1", TextSlot::Hint, 40546, "Ctrl+J,U ", ""));
    Append(l, "Bookmarks1 40587+");
    for (int n = 1; n <= 10; ++n) {
      const std::string digit(1, static_cast<char>('0' + n % 10));
      l.push_back(Joined("SetMark" + digit, TextSlot::Caption, 40749, "", digit));
    }
    for (int n = 1; n <= 10; ++n) {
      const std::string digit(1, static_cast<char>('0' + n % 10));
      l.push_back(Joined("GoTo" + digit, TextSlot::Caption, 40751, "", "&" + digit));
    }
    Append(l,
           "PermanentBlockBegin1 40753; PermanentBlockEndCtrlKK1 40755; "
           "PermanentBlockCopyCtrlKP1 40757; PermanentBlockDelCtrlKY1 40759; "
           "PermanentBlockMoveCtrlKU1 40761; Search1 40589+; Find1 40591+; Replace1 40593+; "
           "Findnext1 40595+; FindHighlight1 40569+; Gotoline1 40597+; GotoChar1 40599+; "
           "NextParagraph1 40601+; PreviousParagraph1 40603+; FindaFile1 41222+; "
           "Languages1 40609+; Engm1 40611+; SecondLanguage1 40613+; EnglishKeyboard1 40621+; "
           "HebrewKeyboard1 40623+; NikudKeyboard1 40615+; PhoneticKbd 40617+; "
           "HebrewMenus1 40619+; NikudCursor1 40625+; Options1 40629+; Properties1 40631+; "
           "Preferences2 40631+; Font1 40633+; HebrewFont1 40635+; FileInfo1 40637+; "
           "Tabs1 40639+; Fixedtabs1 40641+; Realtabs1 40643+; Smarttabs1 40645+; "
           "TabSize1 40647+; ChangeMacros1 40649+; Record1 41129+; PlayMacro1 41131+; "
           "OnscreenKeyboard1 40651+; ReadOnly1 40653+; SheimHashemProtection1 41406; "
           "RestoreFactorySettings1 40571+; Tools1 40679+; ConversionWizard1 41716; "
           "ConversionWizard1 hint 40922; SuperFind1 40681+; Compare1 40683+; Spell1 40685+; "
           "Calculator1 41157; Palm1 41161; Properties2 40631; Install1 40779; Settings1 40780; "
           "Bookmark1 40587; SendtoPalm1 40777; Nakdan1 40687+; Sort1 40689+; "
           "PhraseDictionary1 40691+; MailMerge1 40693+; FileManager1 40695+; "
           "SearchTexts1 40923; RemoveHTML1 40697+; Window1 40699+; NextWindow1 40701+; "
           "Cascade1 40703+; TileVertical1 40705+; TileH1 40707+; ArrangeIcons1 40709+; "
           "MinimizeAll1 40711+; RestoreAll1 40925; Split1 40713+; Help1 40719+; "
           "Contents1 40721+; TopicSearch1 40723+; About1 40725+; form 41099; "
           "NewBtn hint 41199; OpenBtn hint 41200; SaveBtn hint 41201; CutBtn hint 41202; "
           "CopyBtn hint 41203; PasteBtn hint 41204; SuperFindButton hint 41205; "
           "CompareButton hint 41206; EngmButton hint 41207; FindButton hint 41208; "
           "Kbd_Lang hint 41209; CascadeBtn1 hint 41210; WVerticalBtn hint 41211; "
           "WHorizontalBtn hint 41212; ExitBtn hint 41213; PrintBtn1 hint 41214; "
           "Undobtn hint 41215; redobtn hint 41216; SaveAsBtn hint 41217; NuvDosBtn hint 41218; "
           "NuvWinBtn hint 41219; DosTextBtn hint 41220; SpellButton1 hint 41221; "
           "FindFileButton1 hint 41222; SheimPrtBtn hint 40924");
    return l;
  }();
  return list;
}

const std::vector<TextAssignment>& MdiChildTexts() {
  static const std::vector<TextAssignment> list = ParseTextAssignments(
      "Save2 40507+; Find2 40591+; Replace2 40593+; FindAgain2 40595+; CheckPalm1 40778; "
      "InstallonPalm1 40777; Bookmark2 40587; CutS1 40523+; CopyS1 40525+; Delete1 40529+; "
      "SelFill1 40535+; SelUpperCase1 40537+; BlockLowerCase1 40539+; UpandDown1 40763+");
  return list;
}

}  // namespace nuvel
