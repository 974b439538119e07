#include "platform/ui/PlaySound.h"

#include <QGuiApplication>
#include <QProcess>
#include <mutex>

#include "platform/gdi/QtString.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/ShellExecute.h"

namespace {

std::mutex g_requestsLock;
std::vector<CString> g_requests;

CString BesideTheProgram(const CString& name) {
  if (name.Find(u'/') >= 0) return name;
  const CString program = GetModuleFileName(nullptr);
  return program.Left(program.ReverseFind(u'/') + 1) + name;
}

bool HasScreen() {
  const QString platform = QGuiApplication::platformName();
  return !platform.isEmpty() && platform != QStringLiteral("offscreen") &&
         platform != QStringLiteral("minimal");
}

}  // namespace

BOOL PlaySound(LPCTSTR sound, HMODULE, DWORD flags) {
  if (!sound || !*sound || !(flags & SND_ASYNC)) return FALSE;
  {
    std::lock_guard lock(g_requestsLock);
    g_requests.emplace_back(sound);
  }
  if (!HasScreen()) return TRUE;
  CString player = u"aplay";
  RegGetString(kShellSettingsKey, kPlaySoundCommandValue, player);
  // A detached player never holds up the caller, however long the sound or the audio device.
  return QProcess::startDetached(ToQString(player), {ToQString(BesideTheProgram(sound))}) ? TRUE : FALSE;
}

std::vector<CString> GetSoundRequests() {
  std::lock_guard lock(g_requestsLock);
  return g_requests;
}

void ClearSoundRequests() {
  std::lock_guard lock(g_requestsLock);
  g_requests.clear();
}
