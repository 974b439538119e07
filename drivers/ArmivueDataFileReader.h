#pragma once
// Reads an Armivue data-file text back into a measurement object. The reading is tolerant:
// fields are found by their keys in order, line ends, TABs and runs of semicolons all separate
// the same way (an empty value still keeps its place), and the table ends quietly at its first
// unreadable row.

#include <vector>

#include "drivers/ArmivueMeasurement.h"

namespace Device {

class CArmivueDataFileReader {
 public:
  explicit CArmivueDataFileReader(const CString& text);
  // True when the text was read; the object's fields are overwritten as far as the reading got.
  bool Read(SArmivueMeasurement& meas);

 private:
  struct SToken {
    int start;
    int end;
    CString text;
  };

  void Tokenize();
  // The piece from `start` to `end`; `semicolonsBefore` counts the semicolons right before it
  // and `atLineEnd` says whether a line end, a TAB (which reads the same) or the text's end
  // follows it.
  void AddToken(int start, int end, int semicolonsBefore, bool atLineEnd);
  // The index of the token that follows the next occurrence of the key, -1 when there is
  // none; the search goes on after that token.
  int FindValue(const char16_t* key);
  bool ReadHeader(SArmivueMeasurement& meas);
  bool ReadSettings(SArmivueMeasurement& meas);
  void ReadComment(SArmivueMeasurement& meas);
  bool ReadObject(SArmivueMeasurement& meas);
  void ReadDate(SArmivueMeasurement& meas);
  // False only for a cover that cannot be read at all; any other unreadable row ends the table.
  bool ReadTable(SArmivueMeasurement& meas);
  enum class ERow { kRead, kEnd, kBad };
  ERow ReadRow(BYTE regional, size_t first, SArmivueReading& reading);
  // The text between the next two double quotes after a position; false when they are missing.
  bool QuotedText(int from, CString& text);

  CString m_text;
  std::vector<SToken> m_tokens;
  int m_cursor = 0;
};

}  // namespace Device
