#pragma once
// Instrument type numbers and port kinds of the device library.

namespace Device {

// Numbers without a class (11, 12, 15, 16, 19, 23 and above) make no device.
enum NTypes : int {
  eTypeDurimo3Se = 0,
  eTypeLumovet = 1,
  eTypeHallek = 2,
  eTypeArmiSmart = 3,
  eTypePaperHallek = 4,
  eTypeCalvera2 = 5,
  eTypeSondrelLab = 6,
  eTypeOhmira = 7,
  eTypeTintara = 8,
  eTypeVexalon = 9,
  eTypePlatform = 10,
  eTypeTestBox = 13,
  eTypeRockHallek = 14,
  eTypeDurimoDID = 17,
  eTypeUsMc = 18,
  eTypeHallekLive = 20,
  eTypeUCILive = 21,
  eTypeHumilo = 22,
  eTypeNone = 23,
};

// Port kinds; a port mask is an OR of these.
enum NPorts : int {
  ePortNone = 0,
  ePortSerial = 1,
  ePortUsb = 2,
  ePortIp = 4,
};

}  // namespace Device
