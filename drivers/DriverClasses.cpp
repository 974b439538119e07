#include "drivers/DriverClasses.h"

#include <memory>

#include "device/DeviceFactory.h"
#include "drivers/ArmiSmartDevice.h"
#include "drivers/Calvera2Device.h"
#include "drivers/Durimo3SeDevice.h"
#include "drivers/DurimoDIDDevice.h"
#include "drivers/HallekDevice.h"
#include "drivers/HallekLiveDevice.h"
#include "drivers/HumiloDevice.h"
#include "drivers/LumovetDevice.h"
#include "drivers/OhmiraDevice.h"
#include "drivers/PaperHallekDevice.h"
#include "drivers/PlatformDevice.h"
#include "drivers/RockHallekDevice.h"
#include "drivers/SondrelLabDevice.h"
#include "drivers/TestBoxDevice.h"
#include "drivers/TintaraDevice.h"
#include "drivers/UCILiveDevice.h"
#include "drivers/UsMcDevice.h"

namespace Device {
namespace {

template <class T>
std::unique_ptr<CJvDevice> Make() {
  return std::make_unique<T>();
}

}  // namespace

bool RegisterDriverClasses() {
  bool ok = true;
  ok = RegisterDeviceClass(0, &Make<CDurimo3SeDevice>) && ok;
  ok = RegisterDeviceClass(1, &Make<CLumovetDevice>) && ok;
  ok = RegisterDeviceClass(2, &Make<CHallekDevice>) && ok;
  ok = RegisterDeviceClass(3, &Make<CArmiSmartDevice>) && ok;
  ok = RegisterDeviceClass(4, &Make<CPaperHallekDevice>) && ok;
  ok = RegisterDeviceClass(5, &Make<CCalvera2Device>) && ok;
  ok = RegisterDeviceClass(6, &Make<CSondrelLabDevice>) && ok;
  ok = RegisterDeviceClass(7, &Make<COhmiraDevice>) && ok;
  ok = RegisterDeviceClass(8, &Make<CTintaraDevice>) && ok;
  ok = RegisterDeviceClass(10, &Make<CPlatformDevice>) && ok;
  ok = RegisterDeviceClass(13, &Make<CTestBoxDevice>) && ok;
  ok = RegisterDeviceClass(14, &Make<CRockHallekDevice>) && ok;
  ok = RegisterDeviceClass(17, &Make<CDurimoDIDDevice>) && ok;
  ok = RegisterDeviceClass(18, &Make<CUsMcDevice>) && ok;
  ok = RegisterDeviceClass(20, &Make<CHallekLiveDevice>) && ok;
  ok = RegisterDeviceClass(21, &Make<CUCILiveDevice>) && ok;
  ok = RegisterDeviceClass(22, &Make<CHumiloDevice>) && ok;
  return ok;
}

}  // namespace Device
