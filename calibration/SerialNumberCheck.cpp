#include "calibration/SerialNumberCheck.h"

namespace {

// Positions from 0 of the template's characters after the prefix.
constexpr int kZeroPosition = 2;
constexpr int kModelPosition = 3;

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

}  // namespace

CSerialNumberCheck::CSerialNumberCheck(CWnd* dialog)
    : m_dialog(dialog), m_template(u"VNXX-XXX-XXXX"), m_prefix(u"VN") {}

void CSerialNumberCheck::Enable() { m_enabled = true; }

// Position by position; a text that ends early fails at its first missing position.
bool CSerialNumberCheck::Check(const CString& text) const {
  if (!m_enabled) return true;
  if (text.Left(m_prefix.GetLength()) != m_prefix) return false;
  for (int position = m_prefix.GetLength(); position < m_template.GetLength(); ++position) {
    if (position >= text.GetLength()) return false;
    const char16_t ch = text[position];
    const char16_t pattern = m_template[position];
    if (position == kZeroPosition) {
      if (ch != u'0') return false;
    } else if (position == kModelPosition) {
      if (ch < u'1' || ch > u'3') return false;
    } else if (pattern == u'-') {
      if (ch != u'-') return false;
    } else if (!IsDigit(ch)) {
      return false;
    }
  }
  return text.GetLength() <= m_template.GetLength();
}
