#pragma once
// The window that fills the main frame's client area. It hosts the tab sheet of the
// measurement pages, keeps the frame's title in step with the project, handles the project
// file commands through the document and opens the help files. The frame routes every
// command to it first.

#include <memory>

#include "document/ZedoDoc.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/Wnd.h"

class CCmdUI;
class CTabGrid;
class CTabSheet;
class CTabSummary;

class CChildView : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CChildView(CZedoDoc& doc);
  ~CChildView() override;

  // Creates the window as the frame's view (id AFX_IDW_PANE_FIRST).
  BOOL Create(CWnd* frame, UINT id);
  // The styles of the view's window: a sunken client edge instead of a border.
  static void PreCreateWindow(CREATESTRUCT& create);

  // "Jovant ZD-Zedo", followed by " - " and the project's title when it has one; it becomes
  // the frame's title.
  CString BuildTitle() const;
  void UpdateTitle();
  // Opens a document of the program folder with the desktop's handler; nothing for an empty
  // name.
  void OpenHelpFile(const CString& name);
  // Null before the window is made and after it is destroyed.
  CTabSheet* GetTabSheet() const { return m_pTabSheet.get(); }
  CTabGrid* GetGridPage() const { return m_pGridPage.get(); }
  CTabSummary* GetSummaryPage() const { return m_pSummaryPage.get(); }

 private:
  int OnCreate(LPCREATESTRUCT create);
  void OnSize(UINT type, int cx, int cy);
  void OnDestroy();
  BOOL OnEraseBkgnd(CDC* dc);
  LRESULT OnDocChanged(WPARAM wParam, LPARAM lParam);
  void OnFileOpen();
  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();
  void OnHelp();
  void OnHelpCalibration();
  void OnHelpFirmwareUpdate();
  void OnUpdateNeedsMeasurements(CCmdUI* cmdUI);
  void OnUpdateFileSave(CCmdUI* cmdUI);
  // The edit, export and print commands go to the tab sheet's active page.
  void OnEditCopy();
  void OnExportGraphic();
  void OnEditDelete();
  void OnEditSelectAll();
  void OnExportCsv();
  void OnEditPaste();
  void OnFilePrint();
  void OnUpdatePaste(CCmdUI* cmdUI);
  void OnUpdateDelete(CCmdUI* cmdUI);
  void OnUpdateSelectAll(CCmdUI* cmdUI);

  CImageList m_imageList;
  std::unique_ptr<CTabGrid> m_pGridPage;
  std::unique_ptr<CTabSummary> m_pSummaryPage;
  std::unique_ptr<CTabSheet> m_pTabSheet;
  CZedoDoc& m_doc;
};
