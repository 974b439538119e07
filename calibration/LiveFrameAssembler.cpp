#include "calibration/LiveFrameAssembler.h"

#include <cstring>

#include "device/VexalonDevice.h"

void CLiveFrameAssembler::Restart() {
  m_index = 0;
  std::memset(m_buffer, 0, sizeof m_buffer);
}

bool CLiveFrameAssembler::Feed(BYTE byte) {
  const char ch = char(byte);
  const bool tag = Device::IsLiveValueTag(ch);
  if (!m_synchronised) {
    if (tag) {
      m_synchronised = true;
      Restart();
    }
    return false;
  }
  m_buffer[m_index++] = ch;
  if (tag) {
    const bool complete = m_index == kFrameLength;
    if (complete) std::memcpy(m_frame, m_buffer, sizeof m_frame);
    // A short frame drops its ending tag letter with it: the frame that letter began is lost.
    if (!complete) m_synchronised = false;
    Restart();
    return complete;
  }
  if (m_index >= kFrameLength) {
    m_synchronised = false;
    Restart();
  }
  return false;
}

bool CLiveFrameAssembler::GetFrameBytes(BYTE bytes[4]) const {
  for (int i = 0; i < 4; ++i) {
    const int value = Device::HexPairToByte(m_frame[2 * i], m_frame[2 * i + 1]);
    if (value < 0) return false;
    bytes[i] = BYTE(value);
  }
  return true;
}

std::string CLiveFrameAssembler::GetFrameText() const { return std::string(m_frame, kFrameLength); }
