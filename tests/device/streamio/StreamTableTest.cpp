#include <unistd.h>

#include <memory>
#include <vector>

#include "device/streamio/FileStream.h"
#include "device/streamio/RamStream.h"
#include "platform/base/ErrorCodes.h"
#include "tests/device/streamio/StreamIOFixture.h"
#include "tests/support/TestEnvironment.h"

using namespace StreamIO;

namespace {

// A stream whose transport fails to close and whose kept error a test can set.
class CStubStream : public CIoStream {
 public:
  void DoClose() override {
    m_open = false;
    Raise(ERROR_ACCESS_DENIED);
  }
  bool IsOpen() override { return m_open; }
  int Read(void*, int) override { return 0; }
  int Write(const void*, int count) override { return count; }
  bool Open(const CString& name, DWORD openFlags) override {
    if (!BeginOpen(name, openFlags)) return false;
    m_open = true;
    return true;
  }
  void SetError(int code) { KeepError(code); }

 private:
  bool m_open = false;
};

TEST_F(StreamIOTest, HandlesCarryGenerationSoStaleHandlesFindNothing) {
  auto first = std::make_unique<CRamStream>();
  auto second = std::make_unique<CRamStream>();
  EXPECT_EQ(first->GetHandle(), 1024u);
  EXPECT_EQ(second->GetHandle(), 2049u);

  first.reset();
  auto third = std::make_unique<CRamStream>();
  EXPECT_EQ(third->GetHandle(), 3072u) << "entry 0 is reused with the next generation";
  EXPECT_EQ(FindStream(1024), nullptr);
  EXPECT_EQ(FindStream(3072), third.get());
  EXPECT_EQ(FindStream(2049), second.get());
  EXPECT_EQ(FindStream(0), nullptr);
}

TEST_F(StreamIOTest, StreamBeyondTheTableWorksWithHandleZero) {
  std::vector<std::unique_ptr<CRamStream>> streams;
  for (int i = 0; i < 1024; ++i) streams.push_back(std::make_unique<CRamStream>());
  EXPECT_EQ(streams.back()->GetHandle() & 0x3FF, 1023u);

  CRamStream extra(u"RAM:extra", OPEN_READ | OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE);
  EXPECT_EQ(extra.GetHandle(), 0u);
  EXPECT_EQ(FindStream(0), nullptr);
  EXPECT_EQ(extra.Write("xy", 2), 2);
  EXPECT_EQ(extra.GetLength(), 2);

  streams[5].reset();
  CRamStream again;
  EXPECT_EQ(again.GetHandle() & 0x3FF, 5u) << "a freed entry is taken again";
}

TEST_F(StreamIOTest, CloseSwallowsTheFailureAndKeepsItsCode) {
  CStubStream stream;
  stream.Open(u"stub", OPEN_READ);
  EXPECT_NO_THROW(stream.Close());
  EXPECT_EQ(stream.GetError(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(stream.IsOpen());
}

TEST_F(StreamIOTest, CloseStreamByHandle) {
  CStubStream stub;
  stub.Open(u"stub", OPEN_READ);
  EXPECT_EQ(RaisedCode([&] { CloseStream(stub.GetHandle()); }), ERROR_ACCESS_DENIED)
      << "CloseStream lets the transport's failure through";

  CRamStream ram(u"RAM:x", OPEN_READ | OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE);
  const DWORD handle = ram.GetHandle();
  EXPECT_EQ(CloseStream(handle), 0);
  EXPECT_FALSE(ram.IsOpen());
  EXPECT_EQ(FindStream(handle), &ram) << "closing keeps the stream in the table";

  const DWORD stale = handle + 1024 * 7;
  EXPECT_EQ(CloseStream(stale), ERROR_INVALID_HANDLE);
  EXPECT_EQ(CloseStream(0), ERROR_INVALID_HANDLE);
}

TEST_F(StreamIOTest, OpenOnAnOpenStreamKeeps50) {
  CStubStream stream;
  EXPECT_TRUE(stream.Open(u"one", OPEN_READ));
  EXPECT_FALSE(stream.Open(u"two", OPEN_WRITE));
  EXPECT_EQ(stream.GetError(), ERROR_NOT_SUPPORTED);
  EXPECT_EQ(stream.GetName(), CString(u"one"));
}

TEST_F(StreamIOTest, IsTimeoutMeansNothingMoreCame) {
  CStubStream stream;
  const struct {
    int error;
    bool timeout;
  } cases[] = {{0, false}, {ERROR_HANDLE_EOF, true}, {ERROR_TIMEOUT, true}, {ERROR_WRITE_FAULT, false}};
  for (const auto& c : cases) {
    stream.SetError(c.error);
    EXPECT_EQ(stream.IsTimeout(), c.timeout) << "error " << c.error;
    EXPECT_EQ(stream.HasError(), c.error != 0) << "error " << c.error;
  }
}

TEST_F(StreamIOTest, ReopenUsesTheStoredNameAndFlags) {
  CRamStream keeper(u"RAM:kept", OPEN_READ | OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE | OPEN_SHARE_READ);
  keeper.Write("abc", 3);
  CRamStream reader(u"kept", OPEN_READ);
  EXPECT_EQ(reader.GetName(), CString(u"RAM:kept"));
  reader.DoClose();
  EXPECT_TRUE(reader.Reopen());
  char bytes[3] = {};
  EXPECT_EQ(reader.Read(bytes, 3), 3);
  EXPECT_EQ(std::string(bytes, 3), "abc");

  CRamStream unnamed;
  EXPECT_FALSE(unnamed.Reopen());
}

TEST(ComPortName, GrammarOfSerialPortNames) {
  const struct {
    const char16_t* name;
    int port;
  } cases[] = {
      {u"COM1:", 1},  {u"com7:", 7},   {u"COM007:", 7},  {u"Com256:", 256}, {u"COM3:rest", 3},
      {u"COM0:", 0},  {u"COM257:", 0}, {u"COM1234:", 0}, {u"COM0001:", 0},  {u"COM3", 0},
      {u"COM:", 0},   {u"COMx:", 0},   {u"XCOM3:", 0},   {u"COM 3:", 0},    {u"", 0},
      {u"COM-1:", 0}, {u"COM999:", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseComPortName(c.name), c.port) << CString(c.name).ToUtf8();
}

TEST_F(StreamIOTest, OpenStreamChoosesTheTransportByName) {
  ASSERT_EQ(chdir(TestTempDir().c_str()), 0);
  const DWORD create = OPEN_READ | OPEN_WRITE | OPEN_CREATE_OR_TRUNCATE;

  auto ram = OpenStream(u"ram:x", create);
  EXPECT_NE(dynamic_cast<CRamStream*>(ram.get()), nullptr);
  EXPECT_TRUE(ram->IsOpen());

  for (const char16_t* name : {u"COM3", u"COM0:", u"COM257:", u"COM1234:", u"plain.bin"}) {
    auto file = OpenStream(name, create);
    EXPECT_NE(dynamic_cast<CFileStream*>(file.get()), nullptr) << CString(name).ToUtf8();
    EXPECT_EQ(access(CString(name).ToUtf8().c_str(), F_OK), 0)
        << "a disk file named " << CString(name).ToUtf8();
  }

  // Port and socket names never reach the disk, whether or not their transport can open.
  for (const char16_t* name : {u"com7:", u"COM007:", u"IP:", u"ip:127.0.0.1:1"}) {
    try {
      OpenStream(name, OPEN_READ | OPEN_WRITE | OPEN_OR_CREATE);
    } catch (const CFileException& e) {
      EXPECT_NE(e.m_lOsError, 0) << CString(name).ToUtf8();
    }
    EXPECT_NE(access(CString(name).ToUtf8().c_str(), F_OK), 0) << "no disk file " << CString(name).ToUtf8();
  }

  EXPECT_EQ(RaisedCode([] { OpenStream(u"missing.bin", OPEN_READ); }), ERROR_FILE_NOT_FOUND);
}

TEST(StreamIOShutdown, ExitClosesRegisteredStreamsAndLaterDestructionIsHarmless) {
  InitStreamIO();
  auto registered = std::make_unique<CRamStream>(u"RAM:a", OPEN_READ | OPEN_WRITE | OPEN_OR_CREATE);
  std::vector<std::unique_ptr<CRamStream>> filler;
  while (filler.size() < 1023) filler.push_back(std::make_unique<CRamStream>());
  auto unregistered = std::make_unique<CRamStream>(u"RAM:b", OPEN_READ | OPEN_WRITE | OPEN_OR_CREATE);
  ASSERT_EQ(unregistered->GetHandle(), 0u);
  unregistered->Write("data", 4);
  const DWORD oldHandle = registered->GetHandle();

  ExitStreamIO();
  EXPECT_FALSE(registered->IsOpen());
  EXPECT_TRUE(unregistered->IsOpen()) << "a stream outside the table stays with its owner";
  EXPECT_EQ(FindStream(oldHandle), nullptr);

  InitStreamIO();
  CRamStream fresh;
  EXPECT_EQ(fresh.GetHandle(), 1024u);
  // Destroying old streams must neither touch the new table nor the new disk.
  registered.reset();
  filler.clear();
  unregistered.reset();
  EXPECT_EQ(FindStream(1024), &fresh);
  EXPECT_EQ(RaisedCode([] { CRamStream(u"RAM:b", OPEN_READ); }), ERROR_FILE_NOT_FOUND);
  ExitStreamIO();
}

TEST(StreamIOShutdown, StreamsOutsideTheLibrarySpanAreUnregistered) {
  CRamStream before;
  EXPECT_EQ(before.GetHandle(), 0u);
  EXPECT_EQ(RaisedCode([] { CRamStream(u"RAM:x", OPEN_READ | OPEN_WRITE | OPEN_OR_CREATE); }),
            ERROR_OUTOFMEMORY)
      << "no RAM disk before start-up";
}

}  // namespace
