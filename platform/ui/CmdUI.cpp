#include "platform/ui/CmdUI.h"

#include "platform/ui/Menu.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/Wnd.h"

void CCmdUI::Enable(BOOL on) {
  m_bEnableChanged = true;
  if (m_pMenu) m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
  if (m_pToolBar) m_pToolBar->SetButtonEnabled(int(m_nIndex), on);
}

void CCmdUI::SetCheck(int check) {
  if (m_pMenu) m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
  if (m_pToolBar) m_pToolBar->SetButtonChecked(int(m_nIndex), check != 0);
}

void CCmdUI::SetText(LPCTSTR text) {
  if (!m_pMenu) return;
  const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
  m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, text);
}

bool CCmdUI::DoUpdate(CWnd* target) {
  if (!target) return false;
  const CMessageMap& map = target->GetMessageMap();
  if (const CMessageMap::Entry* entry = map.FindCommand(m_nID, CN_UPDATE_COMMAND_UI)) {
    m_bEnableChanged = false;
    entry->handler(*target, WPARAM(m_nID), reinterpret_cast<LPARAM>(this));
    if (!m_bEnableChanged) Enable(TRUE);
    return true;
  }
  if (map.FindCommand(m_nID, 0)) {
    Enable(TRUE);
    return true;
  }
  return false;
}
