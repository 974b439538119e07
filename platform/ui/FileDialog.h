#pragma once
// The platform's file-open and file-save dialogs. The dialog goes through the user-answer sink
// (UserAnswers.h), so that tests answer it with a scripted path.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CWnd;

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

// The settings of the dialog a caller may change before DoModal; the texts are borrowed.
struct OPENFILENAME {
  LPCTSTR lpstrInitialDir = nullptr;
  LPCTSTR lpstrTitle = nullptr;
  DWORD Flags = 0;
};

class CFileDialog {
 public:
  // filter: pairs of a name and its patterns, each ended by '|', the whole ended by "||"
  // ("Projects (*.jvd)|*.jvd|All Files (*.*)|*.*||").
  explicit CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt = nullptr, LPCTSTR fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                       CWnd* parent = nullptr);
  virtual ~CFileDialog() = default;

  // IDOK with the chosen path, IDCANCEL when the user cancelled. A chosen name without an
  // extension gets the default extension.
  INT_PTR DoModal();
  CString GetPathName() const { return m_strPath; }
  // The name after the last '/'.
  CString GetFileName() const;

  OPENFILENAME m_ofn;

 private:
  bool m_bOpen;
  CString m_strDefaultExt;
  CString m_strFileName;
  CString m_strFilter;
  CWnd* m_pParent;
  CString m_strPath;
};

// The filter of a file dialog in the toolkit's form: "Name (*.a *.b);;Other (*)"; the
// patterns "*.*" become "*".
CString FileDialogFilterText(const CString& filter);
