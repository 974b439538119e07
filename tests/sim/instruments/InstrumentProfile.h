#pragma once
// What a simulated instrument of one type says of itself out of the box: its identity line as
// the application and the boot loader report it, whether its boot loader echoes the switch
// string, and its readings where it streams them.

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Sim {

struct SInstrumentProfile {
  int type = -1;
  // The application's "@ID@" answer; empty for an instrument without one.
  std::string identity;
  // The "ID" answer (name, version, serial) where the identity is not laid out as name,
  // hardware, serial, signature, version; empty to take it from the identity.
  std::string idAnswer;
  // The boot loader answers the switch string "SC030000FC" with 'B'.
  bool switchEcho = false;
  // The rebound hammers: requests with more than one payload byte may come raw after 0xC1.
  bool rawLongRequests = false;
  // The Lumovet's block read: 0xC1 0xD0 '0' answered by 129 bytes.
  bool blockRead = false;
  // The Armivue's boot loader of two banks: "SX030000FC" with bank 1 selected leaves only
  // that bank, the application starts when it comes with bank 2.
  bool twoBanks = false;
  // The request code (and payload, if any) that sends the application to its boot loader;
  // -1 for none.
  int bootRequest = -1;
  std::vector<unsigned char> bootRequestPayload;
  // The Bluetooth module's own words ("RMInNa" ...) and their answers; empty for an instrument
  // without a module.
  std::vector<std::pair<std::string, std::string>> moduleWords;
  // Replies to requests selected by their first payload byte: (request code, sub-code) and
  // the reply, its count byte first.
  std::map<std::pair<int, int>, std::vector<unsigned char>> functionReplies;
  // A streaming instrument's readings, sent one after the other as LF, text, CR.
  std::vector<std::string> readings;

  // The profile of a type; one with type -1 for a type the simulator does not know.
  static SInstrumentProfile Of(int type);
};

}  // namespace Sim
