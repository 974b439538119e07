#pragma once
// The network transport: a byte stream over TCP (or UDP with OPEN_UDP) named "IP:" + host
// + ":" + port. With a host it is a client; without one ("IP::3728") it serves one client at
// a time on the port. When the peer resets the connection the stream connects again by
// itself and keeps its time-outs.

#include <memory>

#include "device/streamio/IoStream.h"
#include "platform/io/WakeSignal.h"

namespace StreamIO {

class CIpSocket;

class CIpStream : public CIoStream {
 public:
  CIpStream();
  // Opens at once; raises CFileException when the open fails.
  CIpStream(const CString& name, DWORD openFlags);
  ~CIpStream() override;

  void DoClose() override;
  void Purge() override;
  int GetBytesWaiting() override;
  bool GetTimeouts(int& readTimeout, int& writeTimeout) override;
  bool SetTimeouts(int readTimeout, int writeTimeout) override;
  // Ends a wait of a read, write or connect in progress at once, also from another thread;
  // the connection stays.
  bool Cancel() override;
  bool IsOpen() override { return m_socket != nullptr; }
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  bool Open(const CString& name, DWORD openFlags) override;

  // 27
  virtual bool IsConnected();

  // The host ("" for a server) and port of a stream name.
  static void SplitName(const CString& name, CString& host, CString& port);

 private:
  void RequireSocket();
  // Handles a socket result: raises what is not a time-out or a lost connection, and
  // connects again after a lost one. False when the connection is lost for good (the error
  // stays kept and the stream is closed).
  bool TakeResult(int error);
  bool Reconnect();

  std::unique_ptr<CIpSocket> m_socket;
  CWakeSignal m_wake;
};

}  // namespace StreamIO
