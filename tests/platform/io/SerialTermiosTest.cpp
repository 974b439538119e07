#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include "platform/base/ErrorCodes.h"
#include "platform/io/SerialTermios.h"

namespace {

termios RawLine() {
  termios tio{};
  cfmakeraw(&tio);
  return tio;
}

}  // namespace

TEST(SerialTermios, FrameFormatsTranslateBothWays) {
  struct Case {
    BYTE byteSize;
    BYTE parity;
    BYTE stopBits;
    tcflag_t cflag;  // the frame bits expected in c_cflag
  };
  const Case cases[] = {
      {8, NOPARITY, ONESTOPBIT, CS8},
      {7, EVENPARITY, ONESTOPBIT, CS7 | PARENB},
      {7, ODDPARITY, TWOSTOPBITS, CS7 | PARENB | PARODD | CSTOPB},
      {8, MARKPARITY, ONESTOPBIT, CS8 | PARENB | PARODD | CMSPAR},
      {8, SPACEPARITY, ONESTOPBIT, CS8 | PARENB | CMSPAR},
      {6, NOPARITY, TWOSTOPBITS, CS6 | CSTOPB},
      // One and a half stop bits are what the UART sends for two with 5-bit words.
      {5, NOPARITY, ONE5STOPBITS, CS5 | CSTOPB},
  };
  const tcflag_t frameBits = CSIZE | CSTOPB | PARENB | PARODD | CMSPAR;
  for (const auto& c : cases) {
    DCB dcb;
    dcb.BaudRate = 19200;
    dcb.ByteSize = c.byteSize;
    dcb.Parity = c.parity;
    dcb.StopBits = c.stopBits;
    termios tio = RawLine();
    ASSERT_EQ(DcbToTermios(dcb, tio), 0) << int(c.byteSize) << int(c.parity) << int(c.stopBits);
    EXPECT_EQ(tio.c_cflag & frameBits, c.cflag) << int(c.byteSize) << int(c.parity) << int(c.stopBits);
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B19200));
    DCB back;
    TermiosToDcb(tio, TIOCM_DTR | TIOCM_RTS, back);
    EXPECT_EQ(back.ByteSize, c.byteSize);
    EXPECT_EQ(back.Parity, c.parity);
    EXPECT_EQ(back.StopBits, c.stopBits);
    EXPECT_EQ(back.BaudRate, 19200u);
  }
}

TEST(SerialTermios, HandshakeTranslatesBothWays) {
  DCB dcb;
  dcb.BaudRate = 38400;
  dcb.fOutX = dcb.fInX = true;
  dcb.fOutxCtsFlow = true;
  dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
  dcb.fParity = true;
  termios tio = RawLine();
  ASSERT_EQ(DcbToTermios(dcb, tio), 0);
  EXPECT_TRUE(tio.c_iflag & IXON);
  EXPECT_TRUE(tio.c_iflag & IXOFF);
  EXPECT_TRUE(tio.c_iflag & INPCK);
  EXPECT_TRUE(tio.c_cflag & CRTSCTS);
  EXPECT_EQ(tio.c_cc[VSTART], 0x11);
  EXPECT_EQ(tio.c_cc[VSTOP], 0x13);
  DCB back;
  TermiosToDcb(tio, TIOCM_DTR, back);
  EXPECT_TRUE(back.fOutX && back.fInX && back.fOutxCtsFlow && back.fParity);
  EXPECT_EQ(back.fRtsControl, RTS_CONTROL_HANDSHAKE);
  EXPECT_EQ(back.fDtrControl, DTR_CONTROL_ENABLE);

  TermiosToDcb(RawLine(), 0, back);
  EXPECT_FALSE(back.fOutX || back.fInX || back.fOutxCtsFlow);
  EXPECT_EQ(back.fRtsControl, RTS_CONTROL_DISABLE);
  EXPECT_EQ(back.fDtrControl, DTR_CONTROL_DISABLE);
}

TEST(SerialTermios, SettingsTheLineCannotTakeAreRefused) {
  struct Case {
    DWORD baud;
    BYTE byteSize;
    BYTE parity;
    BYTE stopBits;
  };
  const Case cases[] = {
      {12345, 8, NOPARITY, ONESTOPBIT}, {9600, 9, NOPARITY, ONESTOPBIT}, {9600, 4, NOPARITY, ONESTOPBIT},
      {9600, 8, 5, ONESTOPBIT},         {9600, 8, NOPARITY, 3},          {9600, 8, NOPARITY, ONE5STOPBITS},
  };
  for (const auto& c : cases) {
    DCB dcb;
    dcb.BaudRate = c.baud;
    dcb.ByteSize = c.byteSize;
    dcb.Parity = c.parity;
    dcb.StopBits = c.stopBits;
    termios tio = RawLine();
    EXPECT_EQ(DcbToTermios(dcb, tio), ERROR_INVALID_PARAMETER) << c.baud << " " << int(c.byteSize);
  }
}

TEST(SerialTermios, RawModeKeepsTheLineAndDropsTerminalProcessing) {
  termios tio{};
  tio.c_iflag = ICRNL | IXON | IXOFF;
  tio.c_oflag = OPOST | ONLCR;
  tio.c_lflag = ICANON | ECHO | ISIG;
  tio.c_cflag = CS7 | PARENB | CSTOPB | CRTSCTS;
  cfsetospeed(&tio, B57600);
  cfsetispeed(&tio, B57600);
  MakeRawKeepingLine(tio);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
  EXPECT_EQ(tio.c_iflag & (ICRNL | IXON | IXOFF), 0u);
  EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS7 | PARENB | CSTOPB | CRTSCTS));
  EXPECT_TRUE(tio.c_cflag & CLOCAL);
  EXPECT_EQ(cfgetospeed(&tio), speed_t(B57600));
}
