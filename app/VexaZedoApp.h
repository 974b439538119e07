#pragma once
// The program's application object: start-up prepares the program's folders, reads the
// settings, chooses the language module, starts the device library and shows the main frame;
// shut-down stops the device library again. It also keeps the settings that the rest of the
// program reads (language file, data folder, date and time format) and shows the About box.

#include <memory>
#include <vector>

#include "appbase/ProgramFolder.h"
#include "device/FileVersionInfo.h"
#include "platform/base/String.h"
#include "platform/res/ResourceModule.h"

class CMainFrame;

class CVexaZedoApp {
 public:
  // The program file defaults to the running program; tests place it in their own folder.
  CVexaZedoApp();
  explicit CVexaZedoApp(const CString& programPath);
  ~CVexaZedoApp();
  CVexaZedoApp(const CVexaZedoApp&) = delete;
  CVexaZedoApp& operator=(const CVexaZedoApp&) = delete;

  // The arguments after the program name.
  void SetCommandLine(std::vector<CString> arguments) { m_arguments = std::move(arguments); }
  const std::vector<CString>& GetCommandLine() const { return m_arguments; }

  // True when the main frame is shown.
  bool InitInstance();
  int ExitInstance();
  void LoadSettings();
  void LoadLanguageDll();
  // Both store the value and write it under the settings key, which must exist; false (after
  // the message) when it could not be written.
  bool SaveDateTimeFormat(DWORD value);
  bool SaveLanguageFile(const CString& path);
  void OnAppAbout();

  CMainFrame* GetMainFrame() const { return m_mainFrame.get(); }
  const CString& GetProgramPath() const { return m_strProgramPath; }
  const CString& GetProgramFolder() const { return m_strProgramFolder; }
  const CString& GetTempLogFolder() const { return ::GetTempLogFolder(); }
  const CString& GetDataFolder() const { return m_strDataFolder; }
  DWORD GetDateTimeFormat() const { return m_dwDateTimeFormat; }
  bool IsDiagnosticMode() const { return m_bDiagnostic; }
  HMODULE GetLanguageModule() const { return m_hLanguageModule; }
  // The language file; an empty one first becomes the program file and is saved. Without
  // fullPath only its folder with the trailing separator.
  CString GetLanguageFile(bool fullPath);
  const CFileVersionInfo& GetProgramVersion() const { return m_programVersion; }
  // The loaded language module's version record, or the program's own.
  const CFileVersionInfo& GetLanguageVersion() const { return m_languageVersion; }

 private:
  void PrepareTempLogFolder();
  bool StartUp();

  CString m_strProgramPath;
  CString m_strProgramFolder;
  CString m_strLanguageFile;
  CString m_strDataFolder;
  DWORD m_dwDateTimeFormat = 0;
  HMODULE m_hOwnModule = nullptr;
  bool m_bOwnModuleKnown = false;
  HMODULE m_hLanguageModule = nullptr;
  bool m_bDiagnostic = false;
  CFileVersionInfo m_programVersion;
  CFileVersionInfo m_languageVersion;
  std::vector<CString> m_arguments;
  std::unique_ptr<CMainFrame> m_mainFrame;
  bool m_bDeviceLibraryStarted = false;
};

// The application object of the run (the last one made), or null.
CVexaZedoApp* GetZedoApp();
