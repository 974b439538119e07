#include "views/CommentToken.h"

namespace {

bool IsDelimiter(char16_t c) { return c == u' ' || c == u'.' || c == u'\n'; }

}  // namespace

CString NextCommentToken(const CString& text, int& position) {
  CString token;
  while (position < text.GetLength()) {
    const char16_t c = text[position];
    ++position;
    if (c == u'\r') continue;
    if (!IsDelimiter(c)) {
      token += c;
      continue;
    }
    if (token.IsEmpty()) {
      token += c;
    } else {
      --position;
    }
    break;
  }
  return token;
}
