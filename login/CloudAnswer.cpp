#include "login/CloudAnswer.h"

namespace {

// The quoted value after the first occurrence of the key.
bool FindValueAfter(const CString& answer, const char16_t* key, CString& value) {
  const int keyAt = answer.Find(key);
  if (keyAt < 0) return false;
  const int open = answer.Find(u":\"", keyAt);
  if (open < 0) return false;
  const int first = open + 2;
  const int close = answer.Find(u'"', first);
  if (close < 0) return false;
  value = answer.Mid(first, close - first);
  return true;
}

bool IsControlCharacter(char16_t ch) { return ch < u' ' || (ch >= u'\x7F' && ch <= u'\x9F'); }

int HexDigitValue(char16_t ch) {
  if (ch >= u'0' && ch <= u'9') return ch - u'0';
  if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
  if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
  return -1;
}

}  // namespace

bool FindAccessToken(const CString& answer, CString& token) {
  CString value;
  if (!FindValueAfter(answer, u"access_token", value)) return false;
  // The token goes into a request header, where a line break would start a header of its own.
  for (int i = 0; i < value.GetLength(); ++i)
    if (IsControlCharacter(value[i])) return false;
  token = value;
  return true;
}

bool IsErrorAnswer(const CString& answer) { return answer.Find(u"\"status\":\"error\",\"code\":") >= 0; }

CString FindErrorCode(const CString& answer) {
  CString code;
  FindValueAfter(answer, u"code", code);
  return code;
}

bool FindErrorDescription(const CString& answer, CString& description) {
  if (answer.Find(u"error_description") < 0) return false;
  CString raw;
  FindValueAfter(answer, u"error_description", raw);
  description = UnescapeDescription(raw);
  return true;
}

CString UnescapeDescription(const CString& text) {
  if (text.Left(2) != CString(u"\\u")) return text;
  CString result;
  const int length = text.GetLength();
  int i = 0;
  while (i < length) {
    if (i + 1 >= length || text[i] != u'\\' || text[i + 1] != u'u') {
      ++i;
      continue;
    }
    i += 2;
    int value = 0;
    int digits = 0;
    while (digits < 4 && i < length && HexDigitValue(text[i]) >= 0) {
      value = value * 16 + HexDigitValue(text[i]);
      ++digits;
      ++i;
    }
    if (digits > 0) result += char16_t(value);
  }
  return result;
}
