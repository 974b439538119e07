#include "platform/ui/TextBlocks.h"

#include <cstring>

std::vector<BYTE> MakeTextBlock(UINT format, const CString& text) {
  if (format == CF_TEXT) {
    const std::string ansi = text.ToAnsi();
    std::vector<BYTE> block(ansi.begin(), ansi.end());
    block.push_back(0);
    return block;
  }
  // Filled straight from the text, then closed by a zero unit: a large copy is written once.
  const auto* units = reinterpret_cast<const BYTE*>(text.GetString());
  std::vector<BYTE> block;
  block.reserve((std::size_t(text.GetLength()) + 1) * sizeof(char16_t));
  block.assign(units, units + std::size_t(text.GetLength()) * sizeof(char16_t));
  block.insert(block.end(), sizeof(char16_t), 0);
  return block;
}

CString ReadTextBlock(UINT format, const std::vector<BYTE>& block) {
  if (format == CF_TEXT) {
    std::size_t length = 0;
    while (length < block.size() && block[length] != 0) ++length;
    return CString::FromAnsi(std::string_view(reinterpret_cast<const char*>(block.data()), length));
  }
  std::u16string units(block.size() / sizeof(char16_t), u'\0');
  std::memcpy(units.data(), block.data(), units.size() * sizeof(char16_t));
  const std::size_t end = units.find(u'\0');
  if (end != std::u16string::npos) units.resize(end);
  return CString(std::move(units));
}
