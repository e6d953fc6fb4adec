#include "ui/interface_texts.h"

#include <algorithm>
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

TextAssignment Slot(std::string component, TextSlot slot, uint16_t id) {
  TextAssignment a;
  a.component = std::move(component);
  a.slot = slot;
  a.id = id;
  return a;
}

TextAssignment Literal(std::string component, std::string bytes) {
  TextAssignment a;
  a.component = std::move(component);
  a.prefix = std::move(bytes);
  a.literal = true;
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
    const bool noText = a.literal || a.slot == TextSlot::ClearLines || (a.slot == TextSlot::Line && a.id == 0);
    std::string library = noText ? std::string() : lookup(a.id);
    if (a.dropFirst > 0) library.erase(0, std::min(library.size(), static_cast<size_t>(a.dropFirst)));
    const std::string text = a.prefix + library + a.suffix;
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
    if (a.literal || a.slot == TextSlot::ClearLines || (a.slot == TextSlot::Line && a.id == 0)) continue;
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
           "Bookmark1 40587; SendtoPalm1 40777; AddPDB 43700; Update1 43701; Rename1 43702; Delete2 43703; "
           "MoreBookmarks1 43704; Nakdan1 40687+; Sort1 40689+; "
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

const std::vector<TextRoutine>& TextRoutines() {
  static const std::vector<TextRoutine> routines = [] {
    std::vector<TextRoutine> r;
    r.push_back({"SetHebCaps_MainForm", "MainForm", true, MainFormTexts()});
    r.push_back({"SetHebCaps_MDIChild", "MDIChild", false, MdiChildTexts()});
    {
      TextRoutine p{"SetHebCaps_PreferencesDlg", "PreferencesDlg", true, {}};
      Append(p.texts,
             "form 41299; Preferences1 [0] 41299; Preferences1 [1] 41300; Preferences1 [2] 41301; "
             "Preferences1 [3] 41407; Preferences1 [4] 41302; TxtConvRadio1 41309; "
             "TxtConvRadio1 [0] 41310; TxtConvRadio1 [1] 41311; TxtConvRadio1 [2] 41312; "
             "TxtConvRadio1 [3] 41313; TxtConvRadio1 [4] 41314; TxtConvRadio1 [5] 41315; "
             "TxtConvRadio1 [6] 41316; TxtConvRadio1 [7] 41317; TxtConvRadio1 [9] 41319; Label2 41320; Label1 41321; "
             "EditConfig 41385; EditConfig [0] 41386; EditConfig [1] 41387; EditConfig [2] 41388; "
             "EditConfig [3] 41389; EditConfig [4] 41390; EditConfig [5] 41396; "
             "Disk_Conv_List1 [0] 41322; Disk_Conv_List1 [1] 41323; Disk_Conv_List1 [2] 41324; "
             "Disk_Conv_List1 [3] 41325; Disk_Conv_List1 [4] 41326; Disk_Conv_List1 [5] 41327; "
             "SmartLoadChkBox 41329+; Header1 [0] 41332; Header1 [1] 41333; LangRadio1 41384; "
             "LangRadio1 [0] 41334; LangRadio1 [1] 41335; PushCheck2 41336; Label12 41391; "
             "GroupBox4 41392; Label9 41393; Label10 41394; Label11 41395; Label15 41413; "
             "GroupBox1 41340; ClWDefault 41341; SuggestBtn 41342; ClDos 41343; NormPnl 41344; "
             "HighPnl 41344; ClNormFont 41345; ClNrmBack 41346; ClHighFnt 41347; ClHighBack 41348; "
             "AppearanceGp 41349; ToolBarChk 41350; ToolBarWrap 41359; ShowFileTabs1 41355; "
             "Ctrlchar 41351; Ctrlchar [0] 41352; Ctrlchar [1] 41353; ShowTime1 41354; "
             "GroupBox5 41356; Label13 41357; ChgFilFnt 41358; WordWrapBox 41364; Label4 41365; "
             "WordWrapCheckBox 41366; WraptoWindow 41367+; WrapColEdit hint 41369; FindGroup 41370; "
             "FindCrsrWord 41371+; RepWoDlg1 41373+; Miscellaneous 41375; UseTabsChkBox 41376; "
             "CreateBkup1 41378; AutoIndnt1 41379; GroupBox2 41381; AutoSave1 41382; Label3 41383; "
             "NuvCmptBox 41397; FullNuvBox 41398; NuvDlgBox 41399; WordStar1 41377; "
             "FontFixBtn 41139; WinTabFullFl 41138; GroupBox3 41401");
      for (int n = 1; n <= 4; ++n)
        p.texts.push_back(Joined("Button" + std::to_string(n), TextSlot::Caption, 41103, "...", ""));
      Append(p.texts,
             "Label5 41402; Label6 41403; Label7 41404; Label8 41405; RtfBox 41412; "
             "HebSheimProt 41406; EngSheimProt 41411; MinBox 41408; MinCheck 41409; Label14 41410; "
             "OKBtn 41100; CancelBtn 41101");
      r.push_back(std::move(p));
    }
    r.push_back({"SetHebCaps_FontCDlg", "FontCDlg", false,
                 ParseTextAssignments("form 41459; RadioGroup1 41460; RadioGroup1 [0] 41461; "
                                      "RadioGroup1 [1] 41462; RadioGroup1 [2] 41463; RadioGroup1 [3] 41464; "
                                      "Label1 41465; FontFixBtn 41139; OKBtn 41100; CancelBtn 41101")});
    r.push_back({"SetHebCaps_RuleForm", "RuleForm", false,
                 ParseTextAssignments("form 41649; BitBtn4 41650; BitBtn5 41651; BkupBox1 41652; "
                                      "RadioGroup1 [0] 41653; RadioGroup1 [1] 41654; BitBtn1 41100; BitBtn2 41101")});
    r.push_back({"SetHebCaps_Key_Form", "Key_Form", false, ParseTextAssignments("form 41466")});
    r.push_back({"SetHebCaps_MacroDialogN", "MacroDialogN", false,
                 ParseTextAssignments("form 41659; Descrpt1 41661; Label2 41661; Label11 41661; Label4 41661; "
                                      "Label5 41661; Label6 41661; Label8 41661; Label10 41661; Label13 41661; "
                                      "Label15 41661; GroupBox1 41664; NewFileBtn 41665; OKBtn 41100; "
                                      "CancelBtn 41101")});
    r.push_back({"SetHebCaps_FMForm", "FMForm", false,
                 ParseTextAssignments(
                     "form 41669; File1 40499+; NewWin 41670; Open1 40503+; Open2 40503+; "
                     "OpenSpecial1 40505+; OpenSpecial2 40505+; OpenNuvelWin1 40899+; OpenNuvelWin2 40899+; "
                     "OpenNuvelDos1 40901+; OpenNuvelDos2 40901+; OpenDosText1 40903+; OpenDosText2 40903+; "
                     "Move1 41672; Move2 41672; Copy1 41673; Copy2 41673; Delete1 41674; Delete2 41674; "
                     "Rename1 41675; Rename2 41675; Properties1 41676; Properties2 41676; Compress1 41677; "
                     "Compress2 41677; Decompress1 41678; Decompress2 41678; MakeDir1 41679; MakeDir2 41679; "
                     "SelectAll1 41680; SelectAll2 41680; Exit1 40907+; Exit2 40907+; View1 41682+; "
                     "View2 41682+; ChgBtn 41681")});
    r.push_back({"SetHebCaps_HebFindDlg", "HebFindDlg", false,
                 ParseTextAssignments("form 41695; FindNxtBtn 41696; CheckBox1 41697; CheckBox2 41698; "
                                      "RadioGroup1 41699; RadioGroup1 [0] 41700; RadioGroup1 [1] 41701; "
                                      "Label1 41702; CancelBtn 41101; HelpBtn 40719; CheckChoseir 42021")});
    r.push_back({"SetHebCaps_HebReplDlg", "HebReplDlg", false,
                 ParseTextAssignments("form 41705; FindNxtBtn 41696; CheckBox1 41697; CheckBox2 41698; "
                                      "RadioGroup1 41699; RadioGroup1 [0] 41700; RadioGroup1 [1] 41701; "
                                      "Label1 41702; ReplaceBtn 41706; ReplaceAllBtn 41707; Label2 42020; "
                                      "CancelBtn 41101; HelpBtn 40719")});
    r.push_back({"SetHebCaps_MacroForm", "MacroForm", false,
                 ParseTextAssignments("form 41667; SaveMac 41668; OKBtn 41100; CancelBtn 41101")});
    r.push_back({"SetHebCaps_ChrEntryDlg", "ChrEntryDlg", false,
                 ParseTextAssignments("Label1 41123; CharLabel 41124; Label2 41125; AsciiLabel 41126; "
                                      "OKBtn 41100; CancelBtn 41101")});
    {
      TextRoutine w{"SetHebCaps_WizrdFrm", "WizrdFrm", false, {}};
      Append(w.texts, "form 41715; Label1 41731; Label2 41732; Label3 41733; LabelFG1 41734");
      const struct { const char* name; uint16_t id; } keepRight[] = {
          {"LabelFG2", 41735}, {"LabelFG4", 41736}, {"LabelFG6", 41737}, {"LabelFG8", 41738}};
      for (const auto& k : keepRight) w.texts.push_back(Slot(k.name, TextSlot::CaptionKeepRight, k.id));
      w.texts.push_back(Slot("Memo3", TextSlot::ClearLines, 0));
      for (uint16_t id : {41739, 0, 41740, 0, 41741}) w.texts.push_back(Slot("Memo3", TextSlot::Line, id));
      Append(w.texts,
             "RadioGroup1 41742; RadioGroup1 [0] 41758; RadioGroup1 [1] 41743; RadioGroup1 [2] 41745; "
             "RadioGroup1 [3] 41744; RadioGroup1 [4] 41746; RadioGroup1 [5] 41747; RadioGroup1 [6] 41759; "
             "RadDest_Type 41750; RadDest_Type [0] 41748; RadDest_Type [1] 41749; RadDest_Type [2] 41745; "
             "RadDest_Type [3] 41743; RadDest_Type [4] 41746; RadioGroup3 41309; RadioGroup3 [0] 41312; "
             "RadioGroup3 [1] 41314; RadioGroup3 [2] 41311; RadioGroup3 [3] 41310; RadioGroup4 41751; "
             "RadioGroup4 [0] 41743; RadioGroup4 [1] 41748; RadioGroup4 [2] 41744; btn_ok 41728+; "
             "Abort_Btn 41101; Abort_Btn hint 41752; Next_Btn 41753+; Prev_Btn 41755+; BitBtn1 41103; "
             "BitBtn2 41103; Label4 41757; Label5 41757");
      r.push_back(std::move(w));
    }
    {
      TextRoutine f{"SetHebCaps_FontFixDlg", "FontFixDlg", false, {}};
      Append(f.texts, "form 41139; NuvDosBox 41461; NuvDvBox 41462; NuvFrBox 41463; NuvChBox 41464");
      f.texts.push_back(Slot("Memo1", TextSlot::ClearLines, 0));
      for (uint16_t id : {41140, 41141, 41142, 41143, 41144}) f.texts.push_back(Slot("Memo1", TextSlot::Line, id));
      Append(f.texts, "OKBtn 41100; CancelBtn 41101");
      r.push_back(std::move(f));
    }
    {
      TextRoutine v{"SetHebCaps_ViewForm", "ViewForm", false, {}};
      Append(v.texts,
             "Header1 [1] 41766; Header1 [2] 41767; Header1 [3] 41768; File1 40499+; Open1 40503+; "
             "Exit1 40515+; Clipboard1 41769+; Copy1 40525+; SelectAll1 40531+; Search1 40589+; "
             "Find1 40591+; FindNext1 40595+; GotoLine1 40597+; Options1 40629+; HexMode1 41771+; "
             "TabExpansion1 41773+; TabSize1 40647+");
      v.texts.push_back(Slot("Hebrew", TextSlot::CaptionIfChecked, 41151));
      v.texts.push_back(Slot("Hebrew", TextSlot::CaptionIfUnchecked, 41152));
      r.push_back(std::move(v));
    }
    r.push_back({"SetHebCaps_CalcltDlg", "CalcltDlg", false,
                 ParseTextAssignments("form 41157; BitBtn2 40525; BitBtn3 40527; OkBtn 41100")});
    {
      // The main window's about box; the second line is the maker's name.
      TextRoutine a{"SetHebCaps_MdiAbout", "MdiAbout", false, {}};
      TextAssignment caption = Slot("", TextSlot::Caption, 40725);
      caption.dropFirst = 1;
      a.texts.push_back(caption);
      Append(a.texts,
             "ShadowLabel 41820; NuvelLabel 41820; Label3 41821; Label1 41822; PhysMemLabel 41823; "
             "FreeResLabel 41824; OKButton 41100");
      r.push_back(std::move(a));
    }
    {
      TextRoutine a{"SetHebCaps_TextAboutBox", "TextAboutBox", false, {}};
      TextAssignment caption = Slot("", TextSlot::Caption, 40725);
      caption.dropFirst = 1;
      a.texts.push_back(caption);
      Append(a.texts, "OKButton 41100; ProductName 41786; Version 41787; Label1 41788; Label2 41789; Label3 41790");
      r.push_back(std::move(a));
    }
    {
      TextRoutine t{"SetHebCaps_TextSearch", "TextSearch", false, {}};
      // "טקסטים" in the system's bytes.
      t.texts.push_back(Literal("NvcLabel1", "\xE8\xF7\xF1\xE8\xE9\xED"));
      Append(t.texts,
             "form 41785; StaticText1 41792; GoBtn 41793; GoBtn hint 41797; HistBtn hint 41798; "
             "NvcSpinner1 hint 41799; File1 40499; Close1 40907; CloseAll1 40565; Exit1 40515; "
             "Edit1 40517; Copy1 40525; SelectAll1 40531; FindAgain1 40595");
      t.texts.push_back(Joined("FindAgain1", TextSlot::Hint, 40596, "Ctrl+L ", ""));
      t.texts.push_back(Joined("FNextBtn", TextSlot::Hint, 40596, "Ctrl+L ", ""));
      Append(t.texts,
             "WordWrap1 41366; Help1 40719; About1 40725; WrdBeg hint 41794; WrdWhole hint 41795; "
             "WrdEnd hint 41796; ClearSearchText1 41800; SearchTanach1 41801; SearchOnlyBavli1 41802; "
             "CheckChoseir1 41803");
      r.push_back(std::move(t));
    }
    r.push_back({"SetHebCaps_hebf", "hebf", false,
                 ParseTextAssignments("form 41810; Label4 41811; MonthLabel 41812; year 41813; LabelDa 41811; "
                                      "LabelDt 41814; LabelM 41812; LabelY 41813; CancelBtn 41816; GtoH 41819; "
                                      "CopyBtn 40525; hlbtn 40506")});
    r.push_back({"SetHebCaps_grgf", "grgf", false,
                 ParseTextAssignments("form 41810; day 41811; MonthLabel 41812; year 41813; LabelY 41813; "
                                      "LabelM 41812; LabelDt 41814; LabelDa 41811; CancelBtn 41816; HtoG 41815; "
                                      "CopyBtn 40525; hlbtn 40506")});
    return r;
  }();
  return routines;
}

const TextRoutine* FindTextRoutine(std::string_view name) {
  for (const auto& r : TextRoutines())
    if (r.name == name) return &r;
  return nullptr;
}

}  // namespace nuvel
