#pragma once
// Puts the live frames of the ZD-2 together from the bytes of its continuous mode: a tag
// letter 'a' to 'd', then eight characters, the hexadecimal digits of four bytes. Nothing else
// delimits a frame: the next tag letter ends it and begins the next one. A frame cut short by
// a tag letter costs the frame that letter begins as well; nine characters without a tag
// letter lose the synchronisation until the next tag letter.
//
//   CLiveFrameAssembler assembler;
//   for (BYTE b : received)
//     if (assembler.Feed(b)) { BYTE bytes[4]; if (assembler.GetFrameBytes(bytes)) ... }

#include <string>

#include "platform/base/WinTypes.h"

class CLiveFrameAssembler {
 public:
  static constexpr int kDigits = 8;
  static constexpr int kFrameLength = kDigits + 1;  // the digits and the tag letter that ends them

  // Takes the next received byte; true when it completed a frame, which stays available until
  // the next call.
  bool Feed(BYTE byte);
  // The four bytes of the completed frame. False when one of its eight characters is not a
  // hexadecimal digit: such a frame is damaged and must be neither decoded nor counted.
  bool GetFrameBytes(BYTE bytes[4]) const;
  // The nine characters of the completed frame: its eight digits and the tag letter that ended it.
  std::string GetFrameText() const;

 private:
  void Restart();

  bool m_synchronised = false;
  int m_index = 0;
  char m_buffer[kFrameLength + 1] = {};
  char m_frame[kFrameLength + 1] = {};
};
