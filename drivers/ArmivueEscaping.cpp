#include "drivers/ArmivueEscaping.h"

namespace Device {

CString CArmivueEscaping::Escape(const CString& text) {
  CString out = text;
  // "&" first, so that the entities made below are not escaped again.
  out.Replace(u"&", u"&amp");
  out.Replace(u"\r\n", u"&#13");
  out.Replace(u"\n", u"&#13");
  out.Replace(u"\"", u"&quot");
  out.Replace(u"\t", u"&#9");
  return out;
}

CString CArmivueEscaping::Unescape(const CString& text) {
  CString out = text;
  out.Replace(u"&#9", u"\t");
  out.Replace(u"&quot", u"\"");
  out.Replace(u"&#13", u"\r\n");
  out.Replace(u"&amp", u"&");
  return out;
}

}  // namespace Device
