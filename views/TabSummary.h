#pragma once
// CTabSummary: the summary page of the main view's tab sheet. It keeps the summary view as
// large as itself, performs the commands the sheet forwards to the active page (print, copy,
// the picture and text exports) and, as a registered view of the document, recomputes the
// summary on every change notice before the view repaints.

#include "platform/ui/PropertyPage.h"
#include "views/PageMessages.h"

class CSummaryView;
class CZedoDoc;

class CTabSummary : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  CTabSummary(CWnd* owner, CZedoDoc* doc);
  ~CTabSummary() override;

  BOOL OnInitDialog() override;
  // Asks for a picture file; path and type (IMAGE_TYPE_) are set when the answer is true.
  bool AskImageFile(CString& path, DWORD& type);
  CSummaryView* GetView() const { return m_pView; }
  // The file the last export wrote, empty before one did.
  CString GetLastExportPath() const { return m_strLastExport; }

  LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
  LRESULT OnCopy(WPARAM wParam, LPARAM lParam);
  LRESULT OnExportGraphic(WPARAM wParam, LPARAM lParam);
  LRESULT OnDocumentChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnExportCsv(WPARAM wParam, LPARAM lParam);

 protected:
  void OnSize(UINT type, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* dc);

 private:
  // Keeps the folder of the chosen path for the next export.
  static void RememberExportFolder(const CString& path);
  static CString ExportFolder();

  CWnd* m_pOwner;
  CSummaryView* m_pView = nullptr;  // deletes itself with its window
  CZedoDoc* m_pDoc;
  CString m_strLastExport;
};
