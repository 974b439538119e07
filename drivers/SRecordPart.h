#pragma once
// The data step of a firmware update for the instruments whose boot loaders take S-records:
// a part of S-record data starts with a data-block header (its length L at bytes 4-5, from 16
// to 512, and the payload length at bytes 12-15, which must be the part's length minus L),
// whose rest is skipped; the payload then goes out record by record, each acknowledged with
// "P". Parts of other kinds are passed over.

#include "platform/base/String.h"

namespace StreamIO {
class CIoStream;
}

namespace Device {

class CCallback;
class CJvCommands;
struct SBlockRecord;

class CSRecordPart {
 public:
  static constexpr int kHeaderSize = 16;
  static constexpr int kMaxHeaderSize = 512;

  // An update result code.
  static int Write(CJvCommands* commands, StreamIO::CIoStream* package, const SBlockRecord& record,
                   CCallback* callback, const CString& stepSuffix);
};

}  // namespace Device
