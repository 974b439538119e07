#include <memory>
#include <string>

#include "platform/base/ByteOrder.h"
#include "platform/base/String.h"
#include "platform/res/ResourceScript.h"
#include "platform/res/ScriptLexer.h"

// Menu script, one entry a line, levels closed by "end":
//   popup "&File"                 opens a popup; its items follow until "end"
//   item 57601 "&Open project..." a command item (id, text; "\t" separates the accelerator text)
//   separator
//   end
// Items and popups may carry the words grayed, disabled, checked, menubreak, menubarbreak.

namespace ResourceScript {

namespace {

constexpr unsigned MF_GRAYED = 0x0001;
constexpr unsigned MF_DISABLED = 0x0002;
constexpr unsigned MF_CHECKED = 0x0008;
constexpr unsigned MF_POPUP = 0x0010;
constexpr unsigned MF_MENUBARBREAK = 0x0020;
constexpr unsigned MF_MENUBREAK = 0x0040;
constexpr unsigned MF_END = 0x0080;

struct MenuEntry {
  unsigned option = 0;
  unsigned id = 0;
  std::u16string text;
  std::vector<std::unique_ptr<MenuEntry>> items;  // a popup's items
};

unsigned ParseFlags(const ScriptLine& line, std::size_t first) {
  unsigned flags = 0;
  for (std::size_t i = first; i < line.words.size(); ++i) {
    const ScriptWord& word = line.words[i];
    if (word.quoted) Fail(line, "unexpected text");
    if (word.text == "grayed")
      flags |= MF_GRAYED;
    else if (word.text == "disabled")
      flags |= MF_DISABLED;
    else if (word.text == "checked")
      flags |= MF_CHECKED;
    else if (word.text == "menubreak")
      flags |= MF_MENUBREAK;
    else if (word.text == "menubarbreak")
      flags |= MF_MENUBARBREAK;
    else
      Fail(line, "unknown word " + word.text);
  }
  return flags;
}

std::u16string TextAt(const ScriptLine& line, std::size_t index) {
  if (index >= line.words.size() || !line.words[index].quoted) Fail(line, "quoted text expected");
  return CString::FromUtf8(line.words[index].text).str();
}

void Emit(std::vector<std::uint8_t>& out, const std::vector<std::unique_ptr<MenuEntry>>& level) {
  for (std::size_t i = 0; i < level.size(); ++i) {
    const MenuEntry& entry = *level[i];
    unsigned option = entry.option | (i + 1 == level.size() ? MF_END : 0);
    PutLe16(out, option);
    if (!(option & MF_POPUP)) PutLe16(out, entry.id);
    for (char16_t ch : entry.text) PutLe16(out, ch);
    PutLe16(out, 0);
    if (option & MF_POPUP) Emit(out, entry.items);
  }
}

}  // namespace

std::vector<std::uint8_t> CompileMenu(std::string_view script) {
  MenuEntry root;
  std::vector<MenuEntry*> open{&root};
  std::vector<int> openedAt{0};
  for (const ScriptLine& line : SplitScript(script)) {
    const ScriptWord& keyword = line.words[0];
    if (keyword.quoted) Fail(line, "keyword expected");
    auto& level = open.back()->items;
    if (keyword.text == "popup") {
      auto popup = std::make_unique<MenuEntry>();
      popup->text = TextAt(line, 1);
      popup->option = MF_POPUP | ParseFlags(line, 2);
      open.push_back(popup.get());
      openedAt.push_back(line.number);
      level.push_back(std::move(popup));
    } else if (keyword.text == "item") {
      if (line.words.size() < 3) Fail(line, "item needs an id and a text");
      auto item = std::make_unique<MenuEntry>();
      item->id = ParseWord16(line, line.words[1]);
      item->text = TextAt(line, 2);
      item->option = ParseFlags(line, 3);
      level.push_back(std::move(item));
    } else if (keyword.text == "separator") {
      if (line.words.size() != 1) Fail(line, "separator takes nothing");
      level.push_back(std::make_unique<MenuEntry>());
    } else if (keyword.text == "end") {
      if (open.size() == 1) Fail(line, "end without popup");
      if (level.empty()) Fail(line, "empty popup");
      open.pop_back();
      openedAt.pop_back();
    } else {
      Fail(line, "unknown keyword " + keyword.text);
    }
  }
  if (open.size() > 1) Fail(ScriptLine{openedAt.back(), {}}, "popup without end");
  if (root.items.empty()) throw ResourceScriptError("empty menu");
  std::vector<std::uint8_t> out;
  PutLe16(out, 0);  // version
  PutLe16(out, 0);  // header size
  Emit(out, root.items);
  return out;
}

}  // namespace ResourceScript
