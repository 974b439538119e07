#pragma once
// The "Application Settings" dialog: the language of the user interface (the program's own or
// a language module of the program's major and minor version beside it) and the date and time
// formats. OK stores what changed through the application; the main frame asks afterwards
// whether the language changed, to load its menu again.

#include <vector>

#include "device/FileVersionInfo.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

class CAppSettings : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CAppSettings(CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

  bool IsChanged() const { return m_bChanged; }
  bool IsDateTimeChanged() const { return m_bDateTimeChanged; }
  bool IsLanguageChanged() const { return m_bLanguageChanged; }

  // first + "/" + second + "/", with a leading "/" when first holds no ":", every doubled
  // separator reduced to one.
  static CString JoinPath(const CString& first, const CString& second);

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void FillLanguageList();
  // The language file the entry stands for: the program for entry 0, else the module's file
  // in the program folder.
  CString EntryPath(int index) const;
  void UpdatePreview();
  void OnFormatChanged();
  void OnReset();

  std::vector<CFileVersionInfo> m_languages;
  CComboBox m_languageCombo;
  CComboBox m_dateCombo;
  CComboBox m_timeCombo;
  bool m_bChanged = false;
  bool m_bDateTimeChanged = false;
  bool m_bLanguageChanged = false;
};
