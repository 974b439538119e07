#pragma once
// The translation between the communications API's device control block and a tty's termios
// record, kept apart from the port so that it can be checked without a device. Platform code
// only: it brings in the system's termios header.

#include <termios.h>

#include "platform/io/SerialPort.h"

// Raw mode as the communications API's ports always are: no line editing, echo, signals,
// translation or software flow control; speed, frame format and hardware flow control stay.
void MakeRawKeepingLine(termios& tio);
// Fills the line settings of the record into `tio`; 0, or ERROR_INVALID_PARAMETER for a
// speed, frame or stop-bit setting that the tty cannot take.
int DcbToTermios(const DCB& dcb, termios& tio);
// The record of a tty's settings; `modemLines` are the TIOCM_ bits of DTR and RTS.
void TermiosToDcb(const termios& tio, int modemLines, DCB& dcb);
