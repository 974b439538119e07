#pragma once
// CPrintDialog: asks the user for a printer through the user-answer sink (UserAnswers.h), so
// that tests answer it with a printer context of their own, for example a memory printer. The
// setup variant is not offered.

#include "platform/base/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

class CWnd;

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;

// The settings a caller may read after DoModal.
struct PRINTDLG {
  DWORD Flags = 0;
  HDC hDC = nullptr;
};

class CPrintDialog {
 public:
  explicit CPrintDialog(BOOL printSetupOnly, DWORD flags = PD_ALLPAGES, CWnd* parent = nullptr);
  ~CPrintDialog();
  CPrintDialog(const CPrintDialog&) = delete;
  CPrintDialog& operator=(const CPrintDialog&) = delete;

  // IDOK with a printer context, IDCANCEL when the user cancelled or no printer is there.
  INT_PTR DoModal();
  // The chosen printer's context; it stays valid while the dialog lives.
  HDC GetPrinterDC() const { return m_pd.hDC; }

  PRINTDLG m_pd;

 private:
  CWnd* m_pParent;
  HDC m_ownedDC = nullptr;  // made by the system dialog, deleted with this object
};
