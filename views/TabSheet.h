#pragma once
// CTabSheet: the property sheet that fills the main view with the measurement pages, the grid
// page first and the summary page second. It draws nothing and holds no data: it keeps the
// active page sized to itself, sets the tab texts again on every change notice of the
// document (so they follow the language module), and hands the view's edit, export and print
// commands and the Delete and Select all enable queries to the active page, which alone
// decides what they mean. The pages belong to the view that made them.

#include "platform/ui/PropertySheet.h"

class CCmdUI;
class CZedoDoc;

class CTabSheet : public CPropertySheet {
  DECLARE_MESSAGE_MAP()

 public:
  // Registers the sheet with the document as one of its views.
  CTabSheet(LPCTSTR caption, CWnd* parent, UINT selectPage, CZedoDoc* doc);
  // Leaves the document's views, so that no notice reaches a sheet that is gone.
  ~CTabSheet() override;

  // Each sends its command to the active page and returns the page's answer (0 without one).
  LRESULT Copy();
  LRESULT ExportGraphic();
  LRESULT DeleteSelected();
  LRESULT SelectAll();
  LRESULT ExportCsv();
  LRESULT Paste();
  LRESULT Print();
  // Enable the command exactly when the active page answers 1.
  void OnUpdateDelete(CCmdUI* cmdUI);
  void OnUpdateSelectAll(CCmdUI* cmdUI);

  LRESULT OnDocumentChanged(WPARAM wParam, LPARAM lParam);

 private:
  void OnSize(UINT type, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* dc);
  LRESULT SendToActivePage(UINT message);

  CZedoDoc* m_pDoc;
};
