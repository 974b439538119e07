#include "app/VexaZedoApp.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <system_error>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "appbase/DiagnosticMode.h"
#include "appbase/ProgramFolder.h"
#include "appbase/Registry.h"
#include "device/DeviceThread.h"
#include "device/ShowMessage.h"
#include "device/streamio/StreamIO.h"
#include "document/Units.h"
#include "drivers/DriverClasses.h"
#include "platform/base/FileException.h"
#include "platform/registry/RegistryStore.h"
#include "platform/res/LanguageModule.h"
#include "platform/res/ResourceLookup.h"
#include "platform/res/StringTable.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ResourceBitmaps.h"
#include "platform/ui/ResourceIcons.h"
#include "resources/ResourceIds.h"

namespace {

CVexaZedoApp* g_app = nullptr;

constexpr const char16_t* kLanguageFileValue = u"LanguageFile";
constexpr const char16_t* kDataFolderValue = u"DataFolder";
constexpr const char16_t* kDateTimeFormatValue = u"DTFormat";
constexpr const char16_t* kDiagnosticMarker = u"debug_info.txt";
constexpr int kMaxErrorText = 128;

void ShowWriteFailure() {
  MessageBox(nullptr, ResString(IDS_REGISTRY_WRITE_FAILED), u"", MB_OK | MB_ICONERROR);
}

bool IsFolder(const CString& path) {
  std::error_code error;
  return std::filesystem::is_directory(std::filesystem::path(path.ToUtf8()), error);
}

bool MakeFolder(const CString& path) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path.ToUtf8()), error);
  return IsFolder(path);
}

bool FileExists(const CString& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(path.ToUtf8()), error);
}

// The folder that takes the temporary logs when the program folder is not writable.
CString UserDataFolder() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return CString::FromUtf8(data);
  if (const char* home = std::getenv("HOME"); home && *home)
    return CString::FromUtf8(home) + u"/.local/share";
  return CString();
}

}  // namespace

CVexaZedoApp* GetZedoApp() { return g_app; }

CVexaZedoApp::CVexaZedoApp() : CVexaZedoApp(GetModuleFileName(nullptr)) {}

CVexaZedoApp::CVexaZedoApp(const CString& programPath) : m_strProgramPath(programPath) {
  g_app = this;
  m_programVersion.CreateFromModule(nullptr);
  m_languageVersion.CreateFromModule(m_hLanguageModule);
}

CVexaZedoApp::~CVexaZedoApp() {
  m_mainFrame.reset();
  if (g_app == this) {
    g_app = nullptr;
    SetProgramFolder(CString());
    SetDiagnosticMode(false);
  }
}

bool CVexaZedoApp::InitInstance() {
  try {
    return StartUp();
  } catch (const CFileException& error) {
    CString detail;
    detail.Format(u"%s (%d)", error.m_strFileName.GetString(), int(error.m_lOsError));
    CString text = ResString(IDS_UNHANDLED_EXCEPTION);
    text.Replace(u"%1", detail.Left(kMaxErrorText));
    ShowMessage(3, text, nullptr, "ZD-Zedo", 273);
  } catch (const std::exception& error) {
    CString text = ResString(IDS_UNHANDLED_EXCEPTION);
    text.Replace(u"%1", CString::FromUtf8(error.what()).Left(kMaxErrorText));
    ShowMessage(3, text, nullptr, "ZD-Zedo", 273);
  }
  return false;
}

bool CVexaZedoApp::StartUp() {
  m_hOwnModule = AfxGetResourceHandle();
  m_bOwnModuleKnown = true;
  UseResourceBitmaps();
  const int separator = m_strProgramPath.ReverseFind(u'/');
  m_strProgramFolder = separator >= 0 ? m_strProgramPath.Left(separator) : CString();
  SetProgramFolder(m_strProgramFolder);
  PrepareTempLogFolder();
  LoadSettings();
  LoadLanguageDll();
  StreamIO::InitStreamIO();
  Device::RegisterDriverClasses();
  m_bDeviceLibraryStarted = true;
  Device::StartDeviceThread();

  m_mainFrame = std::make_unique<CMainFrame>();
  AfxSetMainWnd(m_mainFrame.get());
  if (!m_mainFrame->LoadFrame(IDR_MAINFRAME)) return false;
  m_mainFrame->SetIcon(LoadAppIcon(IDR_MAINFRAME), TRUE);
  m_mainFrame->DragAcceptFiles(TRUE);
  m_bDiagnostic = FileExists(m_strProgramFolder + u"/" + kDiagnosticMarker);
  SetDiagnosticMode(m_bDiagnostic);
  m_mainFrame->ShowWindow(SW_SHOW);
  m_mainFrame->UpdateWindow();
  return true;
}

void CVexaZedoApp::PrepareTempLogFolder() {
  // The program folder may not be writable for the user; the user's data folder takes the logs
  // then.
  CString folder = m_strProgramFolder + u"/TempLog/";
  if (!MakeFolder(folder)) {
    const CString userData = UserDataFolder();
    folder = userData + u"/ZD-Zedo/TempLog/";
    if (userData.IsEmpty() || !MakeFolder(folder)) folder.Empty();
  }
  SetTempLogFolder(folder);
}

int CVexaZedoApp::ExitInstance() {
  m_mainFrame.reset();
  AfxSetMainWnd(nullptr);
  if (m_bDeviceLibraryStarted) {
    Device::StopDeviceThread();
    StreamIO::ExitStreamIO();
  }
  m_bDeviceLibraryStarted = false;
  return 0;
}

void CVexaZedoApp::LoadSettings() {
  // Each value that cannot be written is reported on its own; start-up goes on with defaults.
  auto written = [](bool ok) {
    if (!ok) ShowWriteFailure();
  };
  RegCreateKey(kSettingsKey);
  CString text;
  if (RegGetString(kSettingsKey, kLanguageFileValue, text) && text.GetLength() <= CRegistry::kMaxString) {
    m_strLanguageFile = text;
  } else {
    m_strLanguageFile = m_strProgramPath;
    written(RegSetString(kSettingsKey, kLanguageFileValue, m_strLanguageFile));
  }
  text.Empty();
  if (RegGetString(kSettingsKey, kDataFolderValue, text) && text.GetLength() <= CRegistry::kMaxString) {
    m_strDataFolder = text;
  } else {
    m_strDataFolder.Empty();
    written(RegSetString(kSettingsKey, kDataFolderValue, m_strDataFolder));
  }
  DWORD format = 0;
  if (RegGetDword(kSettingsKey, kDateTimeFormatValue, format)) {
    m_dwDateTimeFormat = format;
  } else {
    m_dwDateTimeFormat = 0;
    written(RegSetDword(kSettingsKey, kDateTimeFormatValue, 0));
  }
  SetDateTimeFormatSetting(m_dwDateTimeFormat);
}

void CVexaZedoApp::LoadLanguageDll() {
  m_languageVersion.CreateFromModule(nullptr);
  if (m_strLanguageFile.Find(kLanguageModuleExtension) > 0) {
    CFileVersionInfo program;
    CFileVersionInfo module;
    if (program.CreateFromModule(nullptr) && module.CreateFromFile(m_strLanguageFile) &&
        program.GetProductVersionPart(3) == module.GetProductVersionPart(3) &&
        program.GetProductVersionPart(2) == module.GetProductVersionPart(2)) {
      if (HMODULE loaded = LoadLibrary(m_strLanguageFile)) {
        m_hLanguageModule = loaded;
        AfxSetResourceHandle(loaded);
        m_languageVersion = module;
        return;
      }
    }
  }
  // A module loaded before stays loaded: texts handed out from it may still be in use.
  m_hLanguageModule = nullptr;
  if (m_bOwnModuleKnown) AfxSetResourceHandle(m_hOwnModule);
}

bool CVexaZedoApp::SaveDateTimeFormat(DWORD value) {
  m_dwDateTimeFormat = value;
  SetDateTimeFormatSetting(value);
  if (!RegKeyExists(kSettingsKey) || !RegSetDword(kSettingsKey, kDateTimeFormatValue, value)) {
    ShowWriteFailure();
    return false;
  }
  return true;
}

bool CVexaZedoApp::SaveLanguageFile(const CString& path) {
  m_strLanguageFile = path;
  bool written = RegKeyExists(kSettingsKey) && RegSetString(kSettingsKey, kLanguageFileValue, path);
  if (!written) ShowWriteFailure();
  LoadLanguageDll();
  return written;
}

CString CVexaZedoApp::GetLanguageFile(bool fullPath) {
  if (m_strLanguageFile.IsEmpty()) SaveLanguageFile(m_strProgramPath);
  if (fullPath) return m_strLanguageFile;
  const int separator = m_strLanguageFile.ReverseFind(u'/');
  return separator >= 0 ? m_strLanguageFile.Left(separator + 1) : m_strLanguageFile;
}

void CVexaZedoApp::OnAppAbout() {
  CAboutDlg about;
  about.DoModal();
}
