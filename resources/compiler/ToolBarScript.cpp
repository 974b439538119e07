#include "platform/base/ByteOrder.h"
#include "platform/res/ScriptLexer.h"
#include "resources/compiler/ResourceScript.h"

// Tool-bar script: "size W H" once, then one "button ID" or "separator" a line, in order.

namespace ResourceScript {

std::vector<std::uint8_t> CompileToolBar(std::string_view script) {
  unsigned width = 0, height = 0;
  std::vector<unsigned> buttons;
  for (const ScriptLine& line : SplitScript(script)) {
    const std::string& keyword = line.words[0].text;
    if (keyword == "size" && line.words.size() == 3) {
      width = ParseWord16(line, line.words[1]);
      height = ParseWord16(line, line.words[2]);
    } else if (keyword == "button" && line.words.size() == 2) {
      unsigned id = ParseWord16(line, line.words[1]);
      if (id == 0) Fail(line, "button id 0 is reserved for separators");
      buttons.push_back(id);
    } else if (keyword == "separator" && line.words.size() == 1) {
      buttons.push_back(0);
    } else {
      Fail(line, "expected size W H, button ID or separator");
    }
  }
  if (width == 0 || height == 0) throw ResourceScriptError("tool bar without size");
  std::vector<std::uint8_t> out;
  PutLe16(out, 1);
  PutLe16(out, width);
  PutLe16(out, height);
  PutLe16(out, unsigned(buttons.size()));
  for (unsigned id : buttons) PutLe16(out, id);
  return out;
}

}  // namespace ResourceScript
