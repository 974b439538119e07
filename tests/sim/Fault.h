#pragma once
// A fault that a peer works into the next reply it sends.

namespace Sim {

struct SFault {
  enum Kind {
    eNone,
    eCorruptByte,  // the byte at `offset` goes out with its bits inverted
    eDropByte,     // the byte at `offset` is left out
    eSilence,      // the whole reply is left out
    eStall,        // the bytes before `offset` go out, then a pause of `stallMs`, then the rest
    eHangup,       // the bytes before `offset` go out, then the connection ends
  };

  Kind kind = eNone;
  // Index into the reply; a negative one counts from its end (-1 is the last byte, where
  // the check of a framed reply sits).
  int offset = 0;
  int stallMs = 0;

  static SFault CorruptByte(int offset) { return {eCorruptByte, offset, 0}; }
  static SFault DropByte(int offset) { return {eDropByte, offset, 0}; }
  static SFault Silence() { return {eSilence, 0, 0}; }
  static SFault Stall(int offset, int ms) { return {eStall, offset, ms}; }
  static SFault Hangup(int offset = 0) { return {eHangup, offset, 0}; }
};

}  // namespace Sim
