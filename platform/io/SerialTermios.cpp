#include "platform/io/SerialTermios.h"

#include <sys/ioctl.h>

#include "platform/base/ErrorCodes.h"

namespace {

struct SBaud {
  DWORD rate;
  speed_t code;
};

constexpr SBaud kBauds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

bool BaudToCode(DWORD rate, speed_t& code) {
  for (const auto& baud : kBauds) {
    if (baud.rate == rate) {
      code = baud.code;
      return true;
    }
  }
  return false;
}

DWORD CodeToBaud(speed_t code) {
  for (const auto& baud : kBauds)
    if (baud.code == code) return baud.rate;
  return 0;
}

}  // namespace

void MakeRawKeepingLine(termios& tio) {
  const tcflag_t line = tio.c_cflag & (CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
  const speed_t speed = cfgetospeed(&tio);
  cfmakeraw(&tio);
  tio.c_cflag =
      (tio.c_cflag & ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS)) | line | CLOCAL | CREAD;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
}

int DcbToTermios(const DCB& dcb, termios& tio) {
  speed_t speed;
  if (!BaudToCode(dcb.BaudRate, speed)) return ERROR_INVALID_PARAMETER;
  tcflag_t size;
  switch (dcb.ByteSize) {
    case 5:
      size = CS5;
      break;
    case 6:
      size = CS6;
      break;
    case 7:
      size = CS7;
      break;
    case 8:
      size = CS8;
      break;
    default:
      return ERROR_INVALID_PARAMETER;
  }
  tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
  tio.c_cflag |= size | CLOCAL | CREAD;
  switch (dcb.Parity) {
    case NOPARITY:
      break;
    case ODDPARITY:
      tio.c_cflag |= PARENB | PARODD;
      break;
    case EVENPARITY:
      tio.c_cflag |= PARENB;
      break;
    case MARKPARITY:
      tio.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case SPACEPARITY:
      tio.c_cflag |= PARENB | CMSPAR;
      break;
    default:
      return ERROR_INVALID_PARAMETER;
  }
  switch (dcb.StopBits) {
    case ONESTOPBIT:
      break;
    case ONE5STOPBITS:
      // The UART sends one and a half stop bits for the two-stop-bit setting of 5-bit words,
      // and can give them no other way.
      if (dcb.ByteSize != 5) return ERROR_INVALID_PARAMETER;
      tio.c_cflag |= CSTOPB;
      break;
    case TWOSTOPBITS:
      tio.c_cflag |= CSTOPB;
      break;
    default:
      return ERROR_INVALID_PARAMETER;
  }
  if (dcb.fOutxCtsFlow || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE) tio.c_cflag |= CRTSCTS;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | IGNPAR | PARMRK | ISTRIP);
  if (dcb.fParity) tio.c_iflag |= INPCK;
  if (dcb.fOutX) tio.c_iflag |= IXON;
  if (dcb.fInX) tio.c_iflag |= IXOFF;
  tio.c_cc[VSTART] = cc_t(dcb.XonChar);
  tio.c_cc[VSTOP] = cc_t(dcb.XoffChar);
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
  return ERROR_SUCCESS;
}

void TermiosToDcb(const termios& tio, int modemLines, DCB& dcb) {
  dcb = DCB{};
  dcb.BaudRate = CodeToBaud(cfgetospeed(&tio));
  switch (tio.c_cflag & CSIZE) {
    case CS5:
      dcb.ByteSize = 5;
      break;
    case CS6:
      dcb.ByteSize = 6;
      break;
    case CS7:
      dcb.ByteSize = 7;
      break;
    default:
      dcb.ByteSize = 8;
      break;
  }
  if (!(tio.c_cflag & PARENB))
    dcb.Parity = NOPARITY;
  else if (tio.c_cflag & CMSPAR)
    dcb.Parity = (tio.c_cflag & PARODD) ? MARKPARITY : SPACEPARITY;
  else
    dcb.Parity = (tio.c_cflag & PARODD) ? ODDPARITY : EVENPARITY;
  if (tio.c_cflag & CSTOPB) dcb.StopBits = dcb.ByteSize == 5 ? ONE5STOPBITS : TWOSTOPBITS;
  dcb.fParity = (tio.c_iflag & INPCK) != 0;
  dcb.fOutX = (tio.c_iflag & IXON) != 0;
  dcb.fInX = (tio.c_iflag & IXOFF) != 0;
  dcb.XonChar = char(tio.c_cc[VSTART]);
  dcb.XoffChar = char(tio.c_cc[VSTOP]);
  dcb.fOutxCtsFlow = (tio.c_cflag & CRTSCTS) != 0;
  dcb.fDtrControl = (modemLines & TIOCM_DTR) ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
  if (dcb.fOutxCtsFlow)
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
  else
    dcb.fRtsControl = (modemLines & TIOCM_RTS) ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
}
