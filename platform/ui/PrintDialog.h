#pragma once
// CPrintDialog: asks the user for a printer through the user-answer sink (UserAnswers.h), so
// that tests answer it with a printer context of their own, for example a memory printer. The
// setup variant is not offered. The system's dialog offers the printers and a PDF file; the
// string setting "PdfFile" under kPrintSettingsKey names a PDF file that takes every printout
// instead, without asking (for machines without a printer).

#include "platform/base/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

class CWnd;

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000;

constexpr char16_t kPrintSettingsKey[] = u"Software\\Jovant\\ZD-Zedo\\Printing";

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
  // Deletes the printer context when the dialog made it itself, and forgets it either way; a
  // context that a scripted answer lent stays its owner's.
  void DeletePrinterDC();
  // After IDOK: the user chose to print only the selection (PD_SELECTION).
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) ? TRUE : FALSE; }

  PRINTDLG m_pd;

 private:
  CWnd* m_pParent;
  HDC m_ownedDC = nullptr;  // made by the system dialog, deleted with this object
};
