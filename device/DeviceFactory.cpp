#include "device/DeviceFactory.h"

#include <iterator>

#include "device/VexalonDevice.h"

namespace Device {
namespace {

struct STypeEntry {
  int type;
  const char16_t* name;
  DeviceCreator create;
};

std::unique_ptr<CJvDevice> CreateVexalon() { return std::make_unique<CVexalonDevice>(); }

// Written at start-up, before any thread makes devices, and only read afterwards.
STypeEntry g_types[] = {
    {0, u"Durimo 3", nullptr},
    {1, u"Durimo Lumovet / Durimo Korrest", nullptr},
    {2, u"SilverHallek", nullptr},
    {3, u"Armivue", nullptr},
    {4, u"PaperHallek", nullptr},
    {5, u"Calvera 3", nullptr},
    {6, u"Sondrel Lab", nullptr},
    {7, u"Ohmira", nullptr},
    {8, u"Tintara", nullptr},
    {9, u"ZD-2", &CreateVexalon},
    {10, u"Platform", nullptr},
    {13, u"Testbox", nullptr},  // the type name is spelled so; the class's display name is "TestBox"
    {14, u"RockHallek", nullptr},
    {17, u"Durimo Live Leeb Probe", nullptr},
    {18, u"Sondrel Array", nullptr},
    {20, u"Hallek Live", nullptr},
    {21, u"Durimo Live UCI Probe", nullptr},
    {22, u"Humilo", nullptr},
};

STypeEntry* FindType(int type) {
  for (auto& entry : g_types) {
    if (entry.type == type) return &entry;
  }
  return nullptr;
}

const char16_t* const kInfoKeys[] = {
    u"device_name",        u"app_version",   u"serial_number", u"signature", u"hw_rev", u"module_name",
    u"module_app_version", u"module_serial", u"module_hw_rev", u"=",         u"&",
};

}  // namespace

std::unique_ptr<CJvDevice> CreateDevice(int type) {
  const STypeEntry* entry = FindType(type);
  if (!entry || !entry->create) return nullptr;
  return entry->create();
}

const char16_t* GetDeviceTypeName(int type) {
  const STypeEntry* entry = FindType(type);
  return entry ? entry->name : nullptr;
}

const char16_t* GetDeviceInfoKeyName(int key) {
  if (key < 0 || key >= int(std::size(kInfoKeys))) return u"unknown_key";
  return kInfoKeys[key];
}

bool RegisterDeviceClass(int type, DeviceCreator create) {
  STypeEntry* entry = FindType(type);
  if (!entry || !create) return false;
  entry->create = create;
  return true;
}

}  // namespace Device
