#pragma once
// The external calibration report that the main frame writes when the calibration dialog asks
// for it: the report header, the instrument information block and the last test report, as
// a UTF-16 text file with CR LF line ends in the temporary log folder, named after the
// reference device, the instrument and the time.

#include "platform/base/LocalTime.h"
#include "platform/base/String.h"

// The calibration document's texts that make the report.
struct SExternCalTexts {
  CString deviceName;
  CString serialNumber;
  CString softwareVersion;
  CString hwRevision;
  CString signature;
  CString instrumentInfo;   // the instrument information block
  CString testReport;       // the last test report
  CString referenceSerial;  // the serial number of the reference device
};

class CExternCalReport {
 public:
  // The report text as it is stored and written: line ends "\n", a blank before a vertical
  // tab (the blocks' column separator) as a tab, the colour and size tags removed.
  static CString BuildText(const SExternCalTexts& texts);
  // "ExternCal_" + reference + "_" + instrument + "_" + the time + ".csv"; a "/" or a control
  // character in a serial number becomes "_", so that typed text cannot leave the folder.
  static CString FileName(const CString& referenceSerial, const CString& serialNumber, const SLocalTime& now);
  // Writes `text` to a new file of that name in `folder` (ending with "/") at the current
  // local time; the path, or empty after telling the user that the file could not be opened.
  static CString Write(const CString& text, const SExternCalTexts& texts, const CString& folder);
};
