#pragma once
// Gives the device factory the classes of the instruments other than the ZD-2. Called once at
// start-up, before any device is made; true when every class found its type.

namespace Device {

bool RegisterDriverClasses();

}  // namespace Device
