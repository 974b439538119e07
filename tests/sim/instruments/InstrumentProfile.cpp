#include "tests/sim/instruments/InstrumentProfile.h"

namespace Sim {
namespace {

std::vector<std::pair<std::string, std::string>> ModuleWords(const std::string& serial) {
  return {{"RMInNa", "ZD_BLE"},     {"RMSeNu", serial}, {"RMFWVe", "2.1.0"},  {"RMHWVe", "B2"},
          {"RDSeDa", "2026-01-15"}, {"BBS", "ok"},      {"RDCoVe", "1.4.2.7"}};
}

// The probes' request 201: the status word (bit 0x40 set), the four parameter words, the two
// word triples, the 16-byte version block and the 8-byte hardware id.
std::map<std::pair<int, int>, std::vector<unsigned char>> ProbeRequests() {
  constexpr int kProbeRequest = 201;
  std::vector<unsigned char> versionBlock{16};
  for (unsigned char i = 0; i < 16; ++i) versionBlock.push_back(static_cast<unsigned char>(0xA0 + i));
  return {{{kProbeRequest, 52}, {2, 0x40, 0x01}},
          {{kProbeRequest, 17}, {2, 0x01, 0x11}},
          {{kProbeRequest, 18}, {2, 0x01, 0x12}},
          {{kProbeRequest, 19}, {2, 0x01, 0x13}},
          {{kProbeRequest, 20}, {2, 0x01, 0x14}},
          {{kProbeRequest, 33}, {6, 0x00, 0x21, 0x01, 0x22, 0xFF, 0x23}},
          {{kProbeRequest, 34}, {6, 0x00, 0x31, 0x02, 0x32, 0x80, 0x33}},
          {{kProbeRequest, 35}, versionBlock},
          {{kProbeRequest, 65}, {8, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}}};
}

}  // namespace

SInstrumentProfile SInstrumentProfile::Of(int type) {
  SInstrumentProfile profile;
  profile.type = type;
  switch (type) {
    case 0:
      profile.identity = "Durimo 3;H1;D300-000-0000;03000102;1.0.0;2.0.1;de-DE;W. Europe Standard Time";
      break;
    case 1:
      profile.identity = "LUMOVET;A1;LV01-000-0001;04000102;1.2.3;0.9.1";
      profile.rawLongRequests = true;
      profile.blockRead = true;
      break;
    case 2:
      profile.identity = "SilverHallek;B2;SH02-000-0002;05000102;2.1.0;1.0.4";
      profile.rawLongRequests = true;
      break;
    case 3:
      profile.identity = "Armivue;A1;AV03-000-0003;06000102;1.0.0";
      profile.bootRequest = 210;
      profile.bootRequestPayload = {1};
      profile.twoBanks = true;
      break;
    case 4:
      profile.identity = "PaperHallek;B1;PH04-000-0004;07000102;2.0.5;1.0.2";
      profile.rawLongRequests = true;
      break;
    case 5:
      profile.identity = "Calvera 3;1.0.0;CV05-000-0005;08000102;A1";
      profile.idAnswer = "Calvera 3;1.0.0;CV05-000-0005";
      break;
    case 6:
      profile.identity = "Sondrel Lab;A2;SL06-000-0006;09000102;3.0.1;X1";
      profile.bootRequest = 1;
      break;
    case 7:
      profile.identity = "Ohmira;A1;OM07-000-0007;0A000102;1.3.0";
      profile.bootRequest = 210;
      profile.bootRequestPayload = {1};
      break;
    case 8:
      profile.identity = "Tintara;A1;TN08-000-0008;0B000102;1.1.2";
      profile.bootRequest = 210;
      profile.bootRequestPayload = {1};
      break;
    case 10:
      profile.identity = "Platform;P1;PL10-000-0010;0D000102;1.0.0;2.0.0;1.0.0;1.0.0;en-US;UTC";
      break;
    case 13:
      profile.identity = "TestBox;A1;TB13-000-0013;10000102;1.0.7";
      profile.bootRequest = 206;
      break;
    case 14:
      profile.identity = "RockHallek;C3;RH14-000-0014;11000102;1.4.0;1.1.0";
      profile.rawLongRequests = true;
      break;
    case 17:
      profile.identity = "Durimo Live Leeb Probe;A1;LP17-000-0017;16000102;1.0.0";
      profile.switchEcho = true;
      profile.moduleWords = ModuleWords("BM17-0017");
      profile.functionReplies = ProbeRequests();
      profile.bootRequest = 201;
      profile.bootRequestPayload = {1};
      break;
    case 18:
      // The instrument acknowledges before its identity.
      profile.identity = "\x10OK! Sondrel Array;A1;SA18-000-0018;17000102;1.2.0";
      break;
    case 20:
      profile.identity = "Hallek Live;A1;HL20-000-0020;1A000102;1.0.0";
      profile.switchEcho = true;
      profile.moduleWords = ModuleWords("BM20-0020");
      profile.functionReplies = ProbeRequests();
      profile.bootRequest = 201;
      profile.bootRequestPayload = {1};
      break;
    case 21:
      profile.identity = "Durimo Live UCI Probe;A1;UC21-000-0021;1B000102;1.0.0";
      profile.switchEcho = true;
      profile.moduleWords = ModuleWords("BM21-0021");
      profile.functionReplies = ProbeRequests();
      profile.bootRequest = 201;
      profile.bootRequestPayload = {1};
      break;
    case 22:
      profile.readings = {"12.5", "13.0", "12.8", "12.9"};
      break;
    default:
      profile.type = -1;
      break;
  }
  return profile;
}

}  // namespace Sim
