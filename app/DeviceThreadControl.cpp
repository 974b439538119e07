#include "app/DeviceThreadControl.h"

// The device library has no search thread of its own yet: searches run on the caller's thread,
// so there is nothing to start or stop.
void StartDeviceSearchThread() {}
void StopDeviceSearchThread() {}
