#pragma once
// CDialog: a window built from a dialog template of the resources (resources/dialogs), its
// controls reached by id. Modal dialogs (DoModal) go through the user-answer sink, so that
// tests script them; from a worker thread, DoModal runs on the user-interface thread and
// waits. Modeless dialogs are made with Create.

#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/Font.h"
#include "platform/res/DialogTemplateFormat.h"
#include "platform/ui/Wnd.h"

class CDataExchange;
class QEventLoop;

class CDialog : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  CDialog();
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Runs the dialog modally; the result given to EndDialog, or -1 when it cannot be made.
  virtual INT_PTR DoModal();
  // A modeless dialog.
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  void EndDialog(int result);
  // A modeless dialog tells the user-answer sink that it now waits for the user (a scripted
  // sink runs its next dialog script on it, here and now); call it on the UI thread.
  void AwaitUser();

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* dx);

  void SetDefID(UINT id) { m_defaultId = id; }
  // Dialog units of the template to pixels.
  void MapDialogRect(LPRECT rect) const;

  // A control made from the template, with the kind the template gave it.
  struct STemplateControl {
    std::uint16_t kind = DialogTemplateFormat::kCustom;
    std::unique_ptr<CWnd> window;
  };
  // The controls made from the template, in template order; empty while the dialog is not made.
  const std::vector<STemplateControl>& GetTemplateControls() const { return m_templateControls; }

  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;

 protected:
  UINT m_nIDTemplate = 0;
  int m_nModalResult = -1;

  // The template the window is made from: the dialog resource m_nIDTemplate, unless a dialog
  // lays itself out in code.
  virtual std::optional<DialogTemplateFormat::SDialog> GetDialogTemplate() const;

 private:
  void OnOkCommand() { OnOK(); }
  void OnCancelCommand() { OnCancel(); }
  // Makes the window and its controls from the template; false when it cannot be loaded.
  bool CreateFromTemplate(CWnd* parent);
  // Arrow-key movement within the focused button's group; false leaves the key to the control.
  bool MoveFocusInGroup(CWnd* focus, bool previous);
  std::unique_ptr<CWnd> CreateControl(const DialogTemplateFormat::SControl& control);

  std::vector<STemplateControl> m_templateControls;
  CFont m_templateFont;  // the template's font, which the dialog and its controls use
  QEventLoop* m_loop = nullptr;
  bool m_modal = false;
  bool m_ended = false;
  UINT m_defaultId = IDOK;
};

// The template of a dialog resource: first in the current resource module, then in the
// program's; nothing when there is none or it cannot be read.
std::optional<DialogTemplateFormat::SDialog> LoadDialogTemplate(UINT templateId);
