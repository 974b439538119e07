#include "device/streamio/StreamIO.h"

#include "device/streamio/StreamTable.h"
#include "platform/base/ErrorCodes.h"

namespace StreamIO {

namespace {

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

}  // namespace

void InitStreamIO() { CStreamTable::Instance().Start(); }

void ExitStreamIO() { CStreamTable::Instance().Stop(); }

CIoStream* FindStream(DWORD handle) { return CStreamTable::Instance().Find(handle); }

int CloseStream(DWORD handle) {
  CIoStream* stream = FindStream(handle);
  if (!stream) return ERROR_INVALID_HANDLE;
  stream->DoClose();
  return 0;
}

int ParseComPortName(const CString& name) {
  if (name.GetLength() < 5 || name.Left(3).CompareNoCase(u"COM") != 0) return 0;
  int port = 0;
  int pos = 3;
  while (pos < name.GetLength() && IsDigit(name[pos])) {
    if (pos == 6) return 0;
    port = port * 10 + (name[pos] - u'0');
    ++pos;
  }
  if (pos == 3 || pos == name.GetLength() || name[pos] != u':') return 0;
  return port >= 1 && port <= 256 ? port : 0;
}

}  // namespace StreamIO
