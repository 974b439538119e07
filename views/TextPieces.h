#pragma once
// CTextPieces: builds an export text piece by piece for a caller that first asks for the length
// (no buffer) and then for the text (a buffer of that length). Each piece is made apart and is
// copied into the buffer only when it ends inside it; the running length grows by every piece
// either way. So both calls return the same length, and a shorter buffer receives exactly the
// pieces that end within it, each at its own place. No terminating zero is written.

#include <string>

#include "platform/base/String.h"

class CTextPieces {
 public:
  static constexpr char16_t kTab = u'\t';

  // buffer may be null (length 0): then only the length is counted.
  CTextPieces(WCHAR* buffer, int bufferLength) : m_pBuffer(buffer), m_nBufferLength(bufferLength) {}

  // Parts of the piece in the making.
  CTextPieces& Text(const char16_t* text);
  CTextPieces& Text(const CString& text) {
    m_piece.append(text.str());
    return *this;
  }
  CTextPieces& Char(char16_t ch) {
    m_piece.push_back(ch);
    return *this;
  }
  // A field's end: the separator of the export's columns.
  CTextPieces& Tab() { return Char(kTab); }
  CTextPieces& LineEnd() { return Text(u"\r\n"); }
  // Decimal digits, zero-padded to at least `width` of them ("%d", "%02d").
  CTextPieces& Integer(long long value, int width = 0);
  // The value with that many decimals, in the C locale ("%0.*lf").
  CTextPieces& Fixed(double value, int decimals);

  // Ends the piece in the making: copies it when it ends inside the buffer.
  void End();
  // The length of all pieces ended so far.
  int GetLength() const { return m_nLength; }

 private:
  WCHAR* m_pBuffer;
  int m_nBufferLength;
  int m_nLength = 0;
  std::u16string m_piece;
};
