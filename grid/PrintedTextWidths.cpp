#include "grid/PrintedTextWidths.h"

#include <algorithm>

namespace {

// A run of each digit long enough that a difference of a fraction of a unit per digit shows.
constexpr int kDigitRun = 20;

std::u16string DigitsAsZeros(const CString& text) {
  std::u16string key = text.str();
  std::replace_if(key.begin(), key.end(), [](char16_t c) { return c >= u'1' && c <= u'9'; }, u'0');
  return key;
}

}  // namespace

CPrintedTextWidths::CPrintedTextWidths(CDC* dc) : m_dc(dc) {
  const int zeros = dc->GetTextExtent(CString(std::u16string(kDigitRun, u'0'))).cx;
  m_equalDigits = true;
  for (char16_t digit = u'1'; digit <= u'9' && m_equalDigits; ++digit)
    m_equalDigits = dc->GetTextExtent(CString(std::u16string(kDigitRun, digit))).cx == zeros;
}

int CPrintedTextWidths::Width(const CString& text, UINT format) {
  if (text.IsEmpty()) return 0;
  std::u16string key = m_equalDigits ? DigitsAsZeros(text) : text.str();
  key += char16_t(format & DT_EXPANDTABS ? 1 : 0);
  const auto found = m_widths.find(key);
  if (found != m_widths.end()) return found->second;
  const int width = Measure(text, format);
  m_widths.emplace(std::move(key), width);
  return width;
}

int CPrintedTextWidths::Measure(const CString& text, UINT format) const {
  // One line measures faster on its own.
  if (text.FindOneOf(u"\r\n\t") < 0) return m_dc->GetTextExtent(text).cx;
  constexpr UINT kFitting = DT_WORDBREAK | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS;
  CRect box(0, 0, 0, 0);
  m_dc->DrawText(text, box, (format & ~kFitting) | DT_CALCRECT | DT_NOPREFIX);
  return box.Width();
}
