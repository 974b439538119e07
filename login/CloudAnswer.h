#pragma once
// What the sign-in reads from the cloud service's answers. They are JSON texts written without
// blanks, and they are read by looking for marks in the text: a key, then the first colon
// directly followed by a double quote after it, and the value up to the next double quote.

#include "platform/base/String.h"

// The value of "access_token"; false when the key, the colon and quote or the closing quote is
// missing, or when the value holds a control character.
bool FindAccessToken(const CString& answer, CString& token);
// True when the answer holds "status":"error","code": exactly so, which marks an error answer.
bool IsErrorAnswer(const CString& answer);
// The value after the first occurrence of "code"; empty when there is none.
CString FindErrorCode(const CString& answer);
// The value of "error_description", unescaped; false when the answer has none.
bool FindErrorDescription(const CString& answer, CString& description);
// A description that begins with "\u" is rebuilt from its escapes alone: each "\u" and up to
// four hexadecimal digits after it give one character, a "\u" without a digit gives nothing,
// and every other character is dropped. Any other description stays as it is.
CString UnescapeDescription(const CString& text);
