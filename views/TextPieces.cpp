#include "views/TextPieces.h"

#include <algorithm>
#include <charconv>

namespace {

void AppendAscii(std::u16string& out, const char* first, const char* last) {
  const std::size_t at = out.size();
  out.resize(at + std::size_t(last - first));
  std::copy(first, last, out.begin() + std::ptrdiff_t(at));
}

}  // namespace

CTextPieces& CTextPieces::Text(const char16_t* text) {
  if (text) m_piece.append(text);
  return *this;
}

CTextPieces& CTextPieces::Integer(long long value, int width) {
  char digits[24];
  const auto [last, error] = std::to_chars(digits, digits + sizeof digits, value);
  const char* first = digits;
  if (value < 0) {
    m_piece.push_back(u'-');
    ++first;
  }
  for (int pad = width - int(last - first); pad > 0; --pad) m_piece.push_back(u'0');
  AppendAscii(m_piece, first, last);
  return *this;
}

CTextPieces& CTextPieces::Fixed(double value, int decimals) {
  // to_chars in fixed form with a precision writes what printf's "%.*f" writes in the C locale,
  // without its parsing of a format on every one of the many sample values.
  char digits[352];
  const auto [last, error] =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, std::max(decimals, 0));
  if (error == std::errc()) AppendAscii(m_piece, digits, last);
  return *this;
}

void CTextPieces::End() {
  const int length = int(m_piece.size());
  if (m_pBuffer && m_nLength + length <= m_nBufferLength)
    std::copy(m_piece.begin(), m_piece.end(), m_pBuffer + m_nLength);
  m_nLength += length;
  m_piece.clear();
}
