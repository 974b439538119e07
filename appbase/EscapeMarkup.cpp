#include "appbase/EscapeMarkup.h"

CString EscapeMarkup(const CString& text, bool escape) {
  CString out = text;
  if (escape) {
    out.Replace(u"&", u"&amp");
    out.Replace(u"\r\n", u"&#13");
    out.Replace(u"\n", u"&#13");
    out.Replace(u"\"", u"&quot");
    out.Replace(u"\t", u"&#9");
  } else {
    out.Replace(u"&#9", u"\t");
    out.Replace(u"&quot", u"\"");
    out.Replace(u"&#13", u"\r\n");
    out.Replace(u"&amp", u"&");
  }
  return out;
}
