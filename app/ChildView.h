#pragma once
// The window that fills the main frame's client area. It hosts the tab sheet of the
// measurement pages, keeps the frame's title in step with the project, handles the project
// file commands through the document and opens the help files. The frame routes every
// command to it first.

#include <memory>

#include "app/data/ZedoDoc.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/TabCtrl.h"
#include "platform/ui/Wnd.h"

class CCmdUI;

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
  CTabCtrl& GetTabSheet() { return m_tabSheet; }

 private:
  int OnCreate(LPCREATESTRUCT create);
  void OnSize(UINT type, int cx, int cy);
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

  CImageList m_imageList;
  CTabCtrl m_tabSheet;
  CZedoDoc& m_doc;
};
