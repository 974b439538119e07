#pragma once
// The device library's start-up and shut-down, open by port name and access by handle.

#include <memory>

#include "device/streamio/IoStream.h"

namespace StreamIO {

class CRamDisk;

// Called once at start-up, before any stream is made.
void InitStreamIO();
// Called once at exit: closes every registered stream (the objects stay with their owners),
// empties the stream table and frees the RAM disk with its files.
void ExitStreamIO();

// A new stream opened on the port name: "COMn:" a serial port, "RAM:..." a RAM file,
// "IP:..." a socket, anything else a disk file. Raises CFileException when the open fails.
std::unique_ptr<CIoStream> OpenStream(const CString& name, DWORD openFlags);
// The registered stream with the handle, or none.
CIoStream* FindStream(DWORD handle);
// DoClose of the stream with the handle (which may raise); 0, or 6 when no stream has it.
int CloseStream(DWORD handle);
// The library's RAM disk "RAM:"; none before InitStreamIO and after ExitStreamIO.
CRamDisk* GetRamDisk();
// The port number 1 to 256 of a name "COM" + one to three digits + ":" (any case), else 0.
int ParseComPortName(const CString& name);

}  // namespace StreamIO
