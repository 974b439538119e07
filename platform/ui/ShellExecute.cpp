#include "platform/ui/ShellExecute.h"

#include <QProcess>

#include "platform/gdi/QtString.h"
#include "platform/registry/RegistryStore.h"

namespace {

constexpr INT_PTR kStarted = 33;
constexpr INT_PTR kNotStarted = 2;

}  // namespace

INT_PTR ShellExecute(HWND, LPCTSTR verb, LPCTSTR file, LPCTSTR, LPCTSTR directory, int) {
  if (!file || !*file) return kNotStarted;
  if (verb && CString(verb) != CString(u"open")) return kNotStarted;
  CString opener = u"xdg-open";
  RegGetString(kShellSettingsKey, kShellOpenCommandValue, opener);
  const QString workingDirectory = directory ? ToQString(directory) : QString();
  if (!QProcess::startDetached(ToQString(opener), {ToQString(file)}, workingDirectory)) return kNotStarted;
  return kStarted;
}
