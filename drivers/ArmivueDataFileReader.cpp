#include "drivers/ArmivueDataFileReader.h"

#include <cstdio>

#include "drivers/ArmivueEscaping.h"
#include "platform/base/LocalTime.h"

namespace Device {
namespace {

constexpr const char16_t* kHeader = u"Armivue+ Data File Version";
constexpr const char16_t* kSeparatorLine = u"------------------";
// A label and its value stand three semicolons apart.
constexpr int kLabelSemicolons = 3;
constexpr int kMaxRows = 99;
constexpr int kMaxRowNumber = 99;
constexpr int kMaxRawDiameter = 60;
constexpr int kMaxCover = 255;
constexpr int kMaxRawDefault = 100;
constexpr int kMaxCorrection = 150;
constexpr int kMaxObjectNumber = 500;
constexpr float kMaxInchCover = 10.04f;
constexpr float kMaxInchCorrection = 5.2f;
constexpr float kSmallestInchCorrection = 2.0f;
constexpr float kCorrectionFactor = 25.0f;
// 255 marks a cover as "n/a"; the largest real cover stays below it.
constexpr int kLargestRealCover = 254;
// The years of four digits at most.
constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

// A decimal number from 0 to the limit at the token's start; negative numbers are out of range.
bool ReadInteger(const CString& token, int limit, int& value) {
  int read = 0;
  if (std::sscanf(token.ToUtf8().c_str(), "%d", &read) != 1 || read < 0 || read > limit) return false;
  value = read;
  return true;
}

bool ReadSingle(const CString& token, float& value) {
  return std::sscanf(token.ToUtf8().c_str(), "%f", &value) == 1;
}

bool IsNotAvailable(const CString& token) { return token.Find(u"n/a") >= 0; }

// The instrument's clock gives every field within the calendar (a day past its month's end
// still goes on into the next month); numbers beyond it are no date, and far beyond it they
// would overflow the conversion.
bool IsCalendarTime(const SLocalTime& local) {
  return local.year >= kFirstYear && local.year <= kLastYear && local.month >= 1 && local.month <= 12 &&
         local.day >= 1 && local.day <= 31 && local.hour >= 0 && local.hour <= 23 && local.minute >= 0 &&
         local.minute <= 59 && local.second >= 0 && local.second <= 59;
}

}  // namespace

CArmivueDataFileReader::CArmivueDataFileReader(const CString& text) : m_text(text) { Tokenize(); }

void CArmivueDataFileReader::Tokenize() {
  // CR LF, LF, TAB and ';' all separate, and a run of them separates once.
  const int length = m_text.GetLength();
  int start = 0;
  int semicolonsBefore = 0;
  for (int i = 0; i < length;) {
    const char16_t ch = m_text[i];
    const bool crLf = ch == u'\r' && i + 1 < length && m_text[i + 1] == u'\n';
    if (ch != u';' && ch != u'\n' && ch != u'\t' && !crLf) {
      ++i;
      continue;
    }
    const bool semicolon = ch == u';';
    AddToken(start, i, semicolonsBefore, !semicolon);
    semicolonsBefore = !semicolon ? 0 : (i == start ? semicolonsBefore + 1 : 1);
    i += crLf ? 2 : 1;
    start = i;
  }
  AddToken(start, length, semicolonsBefore, true);
}

void CArmivueDataFileReader::AddToken(int start, int end, int semicolonsBefore, bool atLineEnd) {
  SToken token{start, end, m_text.Mid(start, end - start)};
  // An apostrophe that opens a piece only marks its value as text.
  const bool marked = start > 0 && !token.text.IsEmpty() && token.text[0] == u'\'';
  if (marked) {
    token.text.Delete(0);
    ++token.start;
  }
  // An empty value keeps its place when its apostrophe or its label's semicolons show it: a
  // missing value would make the next line's label the value.
  const bool emptyLabelValue = atLineEnd && semicolonsBefore >= kLabelSemicolons;
  if (token.text.IsEmpty() && !marked && !emptyLabelValue) return;
  m_tokens.push_back(token);
}

int CArmivueDataFileReader::FindValue(const char16_t* key) {
  const int found = m_text.Find(key, m_cursor);
  if (found < 0) return -1;
  for (size_t i = 0; i < m_tokens.size(); ++i) {
    if (m_tokens[i].end <= found) continue;
    if (i + 1 >= m_tokens.size()) return -1;
    m_cursor = m_tokens[i + 1].end;
    return int(i + 1);
  }
  return -1;
}

bool CArmivueDataFileReader::Read(SArmivueMeasurement& meas) {
  if (!ReadHeader(meas) || !ReadSettings(meas)) return false;
  ReadComment(meas);
  if (!ReadObject(meas)) return false;
  return ReadTable(meas);
}

bool CArmivueDataFileReader::ReadHeader(SArmivueMeasurement& meas) {
  if (m_tokens.size() < 2 || m_tokens[0].text.Find(kHeader) != 0) return false;
  meas.version = CVersion(m_tokens[1].text);
  m_cursor = m_tokens[1].end;
  if (meas.version.GetValue() >> 32 != 1) return false;
  const struct {
    const char16_t* key;
    CString* field;
  } texts[] = {{u"Name", &meas.name},
               {u"Serial Number", &meas.serialNumber},
               {u"Software Version", &meas.softwareVersion},
               {u"Hardware Index", &meas.hardwareIndex},
               {u"Signature", &meas.signature}};
  for (const auto& text : texts) {
    const int value = FindValue(text.key);
    if (value < 0) return false;
    *text.field = m_tokens[size_t(value)].text;
  }
  return true;
}

bool CArmivueDataFileReader::ReadSettings(SArmivueMeasurement& meas) {
  int value = FindValue(u"Regional");
  if (value < 0) return false;
  const CString& regional = m_tokens[size_t(value)].text;
  if (regional == u"Metric")
    meas.regional = SArmivueMeasurement::kMetric;
  else if (regional == u"ASTM inch" || regional == u"ASTM in")
    meas.regional = SArmivueMeasurement::kAstmInch;
  else if (regional == u"ASTM mm")
    meas.regional = SArmivueMeasurement::kAstmMm;
  else if (regional == u"Japanese")
    meas.regional = SArmivueMeasurement::kJapanese;

  if ((value = FindValue(u"Data Storage Mode")) < 0) return false;
  const CString& mode = m_tokens[size_t(value)].text;
  meas.storageMode = SArmivueMeasurement::kUnknown;
  if (mode == u"M" || mode == u"Manual") meas.storageMode = SArmivueMeasurement::kManualStorage;
  if (mode == u"A" || mode == u"Auto") meas.storageMode = SArmivueMeasurement::kAutoStorage;

  if ((value = FindValue(u"Raw Default Bar Diameter")) < 0) return false;
  int number = 0;
  meas.rawDefaultDiameter =
      BYTE(ReadInteger(m_tokens[size_t(value)].text, kMaxRawDefault, number) ? number : 0);

  if ((value = FindValue(u"Neighboring Bar Correction")) < 0) return false;
  const CString& correction = m_tokens[size_t(value)].text;
  if (correction.Find(u'-') >= 0) {
    meas.correction = 0;
  } else if (meas.regional == SArmivueMeasurement::kAstmInch) {
    float inches = 0;
    if (!ReadSingle(correction, inches) || inches < 0 || inches > kMaxInchCorrection) return false;
    const float millimetres = inches * kCorrectionFactor;
    meas.correction = BYTE(inches < kSmallestInchCorrection ? 0 : int(millimetres));
  } else {
    if (!ReadInteger(correction, kMaxCorrection, number)) return false;
    meas.correction = BYTE(number);
  }
  return true;
}

bool CArmivueDataFileReader::QuotedText(int from, CString& text) {
  const int open = m_text.Find(u'"', from);
  if (open < 0) return false;
  const int close = m_text.Find(u'"', open + 1);
  if (close < 0) return false;
  text = CArmivueEscaping::Unescape(m_text.Mid(open + 1, close - open - 1));
  m_cursor = close + 1;
  return true;
}

void CArmivueDataFileReader::ReadComment(SArmivueMeasurement& meas) {
  meas.comment.Empty();
  const int key = m_text.Find(u"Comment", m_cursor);
  if (key < 0) return;
  CString comment;
  if (QuotedText(key, comment)) meas.comment = comment;
}

bool CArmivueDataFileReader::ReadObject(SArmivueMeasurement& meas) {
  const int value = FindValue(u"Object Number");
  if (value < 0) return false;
  int number = 0;
  meas.objectNumber =
      short(ReadInteger(m_tokens[size_t(value)].text, kMaxObjectNumber, number) ? number : -1);

  meas.objectName.Empty();
  const int nameValue = FindValue(u"Object Name");
  if (nameValue >= 0) {
    const SToken& token = m_tokens[size_t(nameValue)];
    CString name;
    // The name stands between its double quotes and may hold separators of its own.
    if (!token.text.IsEmpty() && token.text[0] == u'"' && QuotedText(token.start, name)) {
      meas.objectName = name;
    } else {
      meas.objectName = CArmivueEscaping::Unescape(token.text);
      meas.objectName.Remove(u'"');
    }
  }
  ReadDate(meas);
  return true;
}

void CArmivueDataFileReader::ReadDate(SArmivueMeasurement& meas) {
  const int value = FindValue(u"Date");
  if (value < 0) {
    meas.date = 0;
    return;
  }
  SLocalTime local;
  if (std::sscanf(m_tokens[size_t(value)].text.ToUtf8().c_str(), "%d.%d.%d  %d:%d:%d", &local.day,
                  &local.month, &local.year, &local.hour, &local.minute, &local.second) != 6 ||
      !IsCalendarTime(local))
    return;
  meas.date = LocalTimeToStamp(local);
}

bool CArmivueDataFileReader::ReadTable(SArmivueMeasurement& meas) {
  meas.readings.clear();
  const int found = m_text.Find(kSeparatorLine, m_cursor);
  if (found < 0) return true;
  size_t index = 0;
  while (index < m_tokens.size() && m_tokens[index].end <= found) ++index;
  while (index < m_tokens.size() && m_tokens[index].text == kSeparatorLine) ++index;
  for (int row = 0; row < kMaxRows; ++row, index += 4) {
    SArmivueReading reading;
    const ERow result = ReadRow(meas.regional, index, reading);
    if (result == ERow::kBad) return false;
    if (result == ERow::kEnd) return true;
    meas.readings.push_back(reading);
  }
  return true;
}

CArmivueDataFileReader::ERow CArmivueDataFileReader::ReadRow(BYTE regional, size_t first,
                                                             SArmivueReading& reading) {
  if (first + 4 > m_tokens.size()) return ERow::kEnd;
  int number = 0;
  if (!ReadInteger(m_tokens[first].text, kMaxRowNumber, number)) return ERow::kEnd;
  reading.number = BYTE(number);

  const CString& cover = m_tokens[first + 1].text;
  if (IsNotAvailable(cover)) {
    reading.cover = 255;
  } else if (regional == SArmivueMeasurement::kAstmInch) {
    float inches = 0;
    if (!ReadSingle(cover, inches) || inches < 0 || inches > kMaxInchCover) return ERow::kBad;
    const int millimetres = int(double(inches) * kMillimetresPerInch + 0.5);
    reading.cover = BYTE(millimetres > kLargestRealCover ? kLargestRealCover : millimetres);
  } else {
    int millimetres = 0;
    if (!ReadInteger(cover, kMaxCover, millimetres)) return ERow::kBad;
    reading.cover = BYTE(millimetres);
  }

  const CString& raw = m_tokens[first + 3].text;
  if (IsNotAvailable(raw)) {
    reading.rawDiameter = 0;
    return ERow::kRead;
  }
  int rawDiameter = 0;
  if (!ReadInteger(raw, kMaxRawDiameter, rawDiameter)) return ERow::kEnd;
  reading.rawDiameter = BYTE(rawDiameter);
  return ERow::kRead;
}

}  // namespace Device
