#include <cstdlib>
#include <map>

#include "platform/base/String.h"
#include "platform/res/ControlStyles.h"
#include "platform/res/DialogTemplateFormat.h"
#include "platform/res/ResourceScript.h"
#include "platform/res/ScriptLexer.h"

// Dialog script (see resources/README.md):
//   dialog X Y CX CY "Caption"
//   style WORD...               (optional)
//   font POINTS "Face"          (optional)
//   control KIND ID X Y CX CY "Text" WORD...

namespace ResourceScript {

namespace {

using namespace DialogTemplateFormat;

constexpr std::uint32_t kChild = 0x40000000, kVisible = 0x10000000, kDisabled = 0x08000000;
constexpr std::uint32_t kPopup = 0x80000000, kCaption = 0x00C00000, kSysMenu = 0x00080000;
constexpr std::uint32_t kBorder = 0x00800000, kVScroll = 0x00200000, kHScroll = 0x00100000;
constexpr std::uint32_t kThickFrame = 0x00040000, kGroup = 0x00020000, kTabStop = 0x00010000;
constexpr std::uint32_t kClientEdge = 0x00000200;

struct SKind {
  std::uint16_t kind;
  std::uint32_t style;
};

const std::map<std::string, SKind>& Kinds() {
  static const std::map<std::string, SKind> kinds = {
      {"button", {kButton, BS_PUSHBUTTON}},
      {"checkbox", {kButton, BS_AUTOCHECKBOX}},
      {"radiobutton", {kButton, BS_AUTORADIOBUTTON}},
      {"groupbox", {kButton, BS_GROUPBOX}},
      {"edit", {kEdit, ES_LEFT}},
      {"static", {kStatic, SS_LEFT}},
      {"listbox", {kListBox, 0}},
      {"scrollbar", {kScrollBar, 0}},
      {"combobox", {kComboBox, 0}},
      {"progress", {kProgress, 0}},
      {"richedit", {kRichEdit, 0}},
      {"custom", {kCustom, 0}},
      {"ipaddress", {kIpAddress, 0}},
  };
  return kinds;
}

// Style words that mean the same for every kind, then those that depend on the kind.
bool ApplyCommonWord(const std::string& word, std::uint32_t& style, std::uint32_t& exStyle) {
  static const std::map<std::string, std::uint32_t> common = {
      {"tabstop", kTabStop}, {"group", kGroup},     {"disabled", kDisabled},
      {"border", kBorder},   {"vscroll", kVScroll}, {"hscroll", kHScroll},
  };
  if (word == "hidden") {
    style &= ~kVisible;
    return true;
  }
  if (word == "clientedge") {
    exStyle |= kClientEdge;
    return true;
  }
  auto it = common.find(word);
  if (it == common.end()) return false;
  style |= it->second;
  return true;
}

bool ApplyKindWord(std::uint16_t kind, const std::string& word, std::uint32_t& style) {
  static const std::map<std::uint16_t, std::map<std::string, std::uint32_t>> words = {
      {kButton,
       {{"default", BS_DEFPUSHBUTTON},
        {"ownerdraw", BS_OWNERDRAW},
        {"bitmap", BS_BITMAP},
        {"lefttext", BS_LEFTTEXT},
        {"pushlike", BS_PUSHLIKE},
        {"multiline", BS_MULTILINE},
        {"notify", BS_NOTIFY},
        {"flat", BS_FLAT}}},
      {kEdit,
       {{"multiline", ES_MULTILINE},
        {"readonly", ES_READONLY},
        {"password", ES_PASSWORD},
        {"number", ES_NUMBER},
        {"autohscroll", ES_AUTOHSCROLL},
        {"autovscroll", ES_AUTOVSCROLL},
        {"wantreturn", ES_WANTRETURN},
        {"center", ES_CENTER},
        {"right", ES_RIGHT},
        {"uppercase", ES_UPPERCASE},
        {"nohidesel", ES_NOHIDESEL}}},
      {kStatic,
       {{"center", SS_CENTER},
        {"right", SS_RIGHT},
        {"notify", SS_NOTIFY},
        {"sunken", SS_SUNKEN},
        {"noprefix", SS_NOPREFIX},
        {"ownerdraw", SS_OWNERDRAW},
        {"bitmap", SS_BITMAP},
        {"nowordwrap", SS_LEFTNOWORDWRAP},
        {"etchedhorz", SS_ETCHEDHORZ},
        {"centerimage", SS_CENTERIMAGE}}},
      {kComboBox,
       {{"simple", CBS_SIMPLE},
        {"dropdown", CBS_DROPDOWN},
        {"dropdownlist", CBS_DROPDOWNLIST},
        {"sort", CBS_SORT},
        {"autohscroll", CBS_AUTOHSCROLL}}},
      {kListBox,
       {{"notify", LBS_NOTIFY},
        {"sort", LBS_SORT},
        {"multiplesel", LBS_MULTIPLESEL},
        {"extendedsel", LBS_EXTENDEDSEL},
        {"nointegralheight", LBS_NOINTEGRALHEIGHT}}},
      {kProgress, {{"smooth", PBS_SMOOTH}, {"vertical", PBS_VERTICAL}}},
      {kRichEdit,
       {{"multiline", ES_MULTILINE},
        {"readonly", ES_READONLY},
        {"autovscroll", ES_AUTOVSCROLL},
        {"wantreturn", ES_WANTRETURN},
        {"nohidesel", ES_NOHIDESEL}}},
  };
  auto kindWords = words.find(kind);
  if (kindWords == words.end()) return false;
  auto it = kindWords->second.find(word);
  if (it == kindWords->second.end()) return false;
  style |= it->second;
  return true;
}

bool ApplyNumber(const std::string& word, std::uint32_t& style) {
  if (word.size() < 3 || word[0] != '0' || (word[1] != 'x' && word[1] != 'X')) return false;
  char* end = nullptr;
  unsigned long value = std::strtoul(word.c_str(), &end, 16);
  if (*end != 0 || value > 0xFFFFFFFFul) return false;
  style |= std::uint32_t(value);
  return true;
}

int ParseCoordinate(const ScriptLine& line, const ScriptWord& word) {
  if (word.quoted || word.text.empty()) Fail(line, "number expected");
  char* end = nullptr;
  long value = std::strtol(word.text.c_str(), &end, 10);
  if (*end != 0 || value < -32768 || value > 32767) Fail(line, "not a 16-bit coordinate: " + word.text);
  return int(value);
}

const std::string& Text(const ScriptLine& line, std::size_t index) {
  if (index >= line.words.size() || !line.words[index].quoted) Fail(line, "quoted text expected");
  return line.words[index].text;
}

std::u16string Utf16(const std::string& utf8) { return CString::FromUtf8(utf8).str(); }

SDialog ParseDialogLine(const ScriptLine& line) {
  if (line.words.size() != 6) Fail(line, "expected dialog X Y CX CY \"Caption\"");
  SDialog dialog;
  dialog.x = ParseCoordinate(line, line.words[1]);
  dialog.y = ParseCoordinate(line, line.words[2]);
  dialog.cx = ParseCoordinate(line, line.words[3]);
  dialog.cy = ParseCoordinate(line, line.words[4]);
  dialog.caption = Utf16(Text(line, 5));
  dialog.style = kPopup | kCaption | kSysMenu | DS_MODALFRAME;
  return dialog;
}

void ParseStyleLine(const ScriptLine& line, SDialog& dialog) {
  static const std::map<std::string, std::uint32_t> words = {
      {"popup", kPopup},
      {"child", kChild},
      {"caption", kCaption},
      {"sysmenu", kSysMenu},
      {"visible", kVisible},
      {"thickframe", kThickFrame},
      {"modalframe", DS_MODALFRAME},
      {"center", DS_CENTER},
      {"control", DS_CONTROL},
      {"border", kBorder},
  };
  dialog.style = 0;
  for (std::size_t i = 1; i < line.words.size(); ++i) {
    const std::string& word = line.words[i].text;
    auto it = words.find(word);
    if (it != words.end()) {
      dialog.style |= it->second;
    } else if (!ApplyNumber(word, dialog.style)) {
      Fail(line, "unknown dialog style " + word);
    }
  }
}

SControl ParseControlLine(const ScriptLine& line) {
  if (line.words.size() < 8) Fail(line, "expected control KIND ID X Y CX CY \"Text\" [STYLE...]");
  auto kind = Kinds().find(line.words[1].text);
  if (line.words[1].quoted || kind == Kinds().end()) Fail(line, "unknown control kind " + line.words[1].text);
  SControl control;
  control.kind = kind->second.kind;
  control.style = kChild | kVisible | kind->second.style;
  const std::string& id = line.words[2].text;
  control.id = id == "-1" ? 0xFFFF : std::uint16_t(ParseWord16(line, line.words[2]));
  control.x = ParseCoordinate(line, line.words[3]);
  control.y = ParseCoordinate(line, line.words[4]);
  control.cx = ParseCoordinate(line, line.words[5]);
  control.cy = ParseCoordinate(line, line.words[6]);
  control.text = Utf16(Text(line, 7));
  for (std::size_t i = 8; i < line.words.size(); ++i) {
    const std::string& word = line.words[i].text;
    if (line.words[i].quoted) Fail(line, "style word expected");
    if (!ApplyCommonWord(word, control.style, control.exStyle) &&
        !ApplyKindWord(control.kind, word, control.style) && !ApplyNumber(word, control.style))
      Fail(line, "unknown style " + word + " for this control");
  }
  return control;
}

}  // namespace

std::vector<std::uint8_t> CompileDialog(std::string_view script) {
  std::vector<ScriptLine> lines = SplitScript(script);
  if (lines.empty() || lines[0].words[0].text != "dialog")
    throw ResourceScriptError("dialog line expected first");
  SDialog dialog = ParseDialogLine(lines[0]);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const ScriptLine& line = lines[i];
    const std::string& keyword = line.words[0].text;
    if (keyword == "style") {
      ParseStyleLine(line, dialog);
    } else if (keyword == "font") {
      if (line.words.size() != 3) Fail(line, "expected font POINTS \"Face\"");
      dialog.pointSize = std::uint16_t(ParseWord16(line, line.words[1]));
      dialog.face = Utf16(Text(line, 2));
    } else if (keyword == "control") {
      dialog.controls.push_back(ParseControlLine(line));
    } else {
      Fail(line, "expected style, font or control");
    }
  }
  return Write(dialog);
}

}  // namespace ResourceScript
