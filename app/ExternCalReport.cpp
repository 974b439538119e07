#include "app/ExternCalReport.h"

#include <cstdio>
#include <string>

#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/SafeFileName.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"
#include "update/AppHelper.h"

namespace {

const char16_t* const kTags[] = {u"<red>", u"</red>", u"<grn>", u"</grn>", u"<big>", u"</big>"};

// UTF-16LE with a byte-order mark, each "\n" written as CR LF, as a Unicode text stream does.
std::string Utf16Bytes(const CString& text) {
  std::string bytes = "\xFF\xFE";
  auto put = [&bytes](char16_t unit) {
    bytes += char(unit & 0xFF);
    bytes += char(unit >> 8);
  };
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] == u'\n') put(u'\r');
    put(text[i]);
  }
  return bytes;
}

}  // namespace

CString CExternCalReport::BuildText(const SExternCalTexts& texts) {
  CAppHelper::SetReportInfo(texts.deviceName, texts.serialNumber, texts.softwareVersion, texts.hwRevision,
                            texts.signature);
  CString text;
  CAppHelper().WriteReportHeader(text, u"Calibration Test", u"Format Version: 1000", u"");
  text += texts.instrumentInfo + texts.testReport;
  text.Replace(u"\r\n", u"\n");
  text.Replace(u" \v", u"\t");
  for (const char16_t* tag : kTags) text.Replace(tag, u"");
  return text;
}

CString CExternCalReport::FileName(const CString& referenceSerial, const CString& serialNumber,
                                   const SLocalTime& now) {
  CString name;
  name.Format(u"ExternCal_%s_%s_%04d_%02d_%02d_%02d_%02d_%02d.csv",
              SafeForFileName(referenceSerial).GetString(), SafeForFileName(serialNumber).GetString(),
              now.year, now.month, now.day, now.hour, now.minute, now.second);
  return name;
}

CString CExternCalReport::Write(const CString& text, const SExternCalTexts& texts, const CString& folder) {
  SLocalTime now;
  StampToLocalTime(CurrentTimeStamp(), now);
  const CString path = folder + FileName(texts.referenceSerial, texts.serialNumber, now);
  std::FILE* file = std::fopen(path.ToUtf8().c_str(), "wb");
  const std::string bytes = Utf16Bytes(text);
  bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file && std::fclose(file) != 0) written = false;
  if (!written) {
    CString message;
    message.Format(u"Failed to open file %s.\nMeasurement data will not be saved.", path.GetString());
    MessageBox(nullptr, message, LoadStringOrPlaceholder(IDS_MAIN_TITLE), MB_OK | MB_ICONERROR);
    return CString();
  }
  return path;
}
