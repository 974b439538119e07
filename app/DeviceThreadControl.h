#pragma once
// Start and stop of the device library's search thread, as the application's start-up and
// shut-down call them. The search thread belongs to the device library; the application
// reaches it only through these two calls.

void StartDeviceSearchThread();
void StopDeviceSearchThread();
