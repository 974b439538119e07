// Reading, writing and reading back the calibration parameters in the instrument's
// information memory, selected by segment or by kind.

#include <functional>

#include "calibration/VexalonDoc.h"

namespace {

using SParams = Device::CVexalonDevice::SParams;
using Selector = std::function<bool(const SParams&)>;

Selector OfSegment(int segment) {
  return [segment](const SParams& param) { return param.segment == segment; };
}

Selector OfKind(int kind) {
  return [kind](const SParams& param) { return kind == CVexalonDoc::kAllKinds || param.kind == kind; };
}

// The lifetime counter must not change behind the program's back: a word of it that differs
// from the counter read at connection time means the memory is not what the program believes.
bool LifetimeWordMatches(const SParams& param, std::int64_t lifetimeCounter) {
  const auto counter = static_cast<std::uint64_t>(lifetimeCounter);
  if (param.name.CompareNoCase(u"LIFE_CNT_LB") == 0) return param.value == WORD(counter & 0xFFFF);
  if (param.name.CompareNoCase(u"LIFE_CNT_HB") == 0) return param.value == WORD((counter >> 16) & 0xFFFF);
  return true;
}

int ReadSelected(CVexalonDoc& doc, const Selector& selected) {
  for (SParams& param : doc.m_params) {
    if (!selected(param)) continue;
    WORD value = 0;
    if (!doc.m_device->ReadMemoryWord(param.address, value)) return CVexalonDoc::kErrorReadFailed;
    param.value = value;
    if (!LifetimeWordMatches(param, doc.m_lifetimeCounter)) return CVexalonDoc::kErrorReadFailed;
  }
  return 0;
}

int WriteSelected(CVexalonDoc& doc, const Selector& selected) {
  // The byte writes need the debug protocol, which the reads enter by themselves.
  if (!doc.m_device->EnterDebugProtocol()) return CVexalonDoc::kErrorWriteFailed;
  for (const SParams& param : doc.m_params) {
    if (!selected(param)) continue;
    const BYTE bytes[2] = {BYTE(param.value & 0xFF), BYTE(param.value >> 8)};
    if (!doc.m_device->WriteMemory(param.address, bytes, 2)) return CVexalonDoc::kErrorWriteFailed;
  }
  return 0;
}

int VerifySelected(CVexalonDoc& doc, const Selector& selected) {
  for (const SParams& param : doc.m_params) {
    if (!selected(param)) continue;
    WORD value = 0;
    if (!doc.m_device->ReadMemoryWord(param.address, value)) return CVexalonDoc::kErrorReadFailed;
    if (value != param.value) return CVexalonDoc::kErrorReadBackDiffers;
  }
  return 0;
}

}  // namespace

int CVexalonDoc::ReadParamsOfSegment(int segment) { return ReadSelected(*this, OfSegment(segment)); }
int CVexalonDoc::ReadParamsOfKind(int kind) { return ReadSelected(*this, OfKind(kind)); }
int CVexalonDoc::WriteParamsOfSegment(int segment) { return WriteSelected(*this, OfSegment(segment)); }
int CVexalonDoc::WriteParamsOfKind(int kind) { return WriteSelected(*this, OfKind(kind)); }
int CVexalonDoc::VerifyParamsOfSegment(int segment) { return VerifySelected(*this, OfSegment(segment)); }
int CVexalonDoc::VerifyParamsOfKind(int kind) { return VerifySelected(*this, OfKind(kind)); }
