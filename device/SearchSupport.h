#pragma once
// What the search and reconnection jobs of the device thread share: the places they try, the
// streams they open there, the probe of one candidate and the texts they report.

#include <memory>
#include <vector>

#include "device/DeviceIdent.h"
#include "device/SearchRequest.h"
#include "device/streamio/IoStream.h"
#include "platform/base/String.h"

namespace Device {

class CCallback;
class CJvDevice;

// "Search %s device on %s..." with the device's display name and the place.
CString SearchLine(const CJvDevice& device, const CString& place);
// "Serial COMn:", "USB", "Ethernet host".
CString SerialPlace(int port);
CString UsbPlace();
CString IpPlace(const CString& host);
// The found text of an identified instrument: its name and serial number.
CString FoundText(const SDeviceIdent& ident);
// "\r\n" and the text of the string id.
CString NextLine(UINT stringId);

// The COM numbers a serial job tries, in order: the request's port alone, or when scanning
// every COM number the port layer has a device node for (1 to 256), without the port to skip.
std::vector<int> SerialPortsToTry(const SSearchRequest& request);
// The instruments' USB device paths for the type; false when the listing failed.
bool ListUsbPaths(int type, std::vector<CString>& paths);

// Open candidate streams, or none when opening failed or raised.
std::unique_ptr<StreamIO::CIoStream> OpenSerialPort(int port, CJvDevice& device);
std::unique_ptr<StreamIO::CIoStream> OpenUsbDevice(int type, const CString& path);
std::unique_ptr<StreamIO::CIoStream> OpenIpHost(const CString& host);

enum class EProbe {
  eNotAttached,    // the device refused the stream, which is deleted
  eNotIdentified,  // no instrument of the type answered; the stream is detached and deleted
  eIdentified,     // the device holds the stream and the identity is filled
};
// Attaches the stream to the device and identifies the instrument. The stream can be cancelled
// by an abort meanwhile.
EProbe Probe(CJvDevice& device, std::unique_ptr<StreamIO::CIoStream> stream, int portKind,
             SDeviceIdent& ident);

// A status text to the job's callback, unless the job is being aborted.
void ReportStatus(CCallback* callback, const CString& text);
// Hands the device to the callback, or deletes it when the job is being aborted.
void HandOver(CCallback* callback, std::unique_ptr<CJvDevice> device);
// The end notice, unless the job is being aborted.
void ReportEnd(CCallback* callback);

}  // namespace Device
