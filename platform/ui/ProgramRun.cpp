#include "platform/ui/ProgramRun.h"

#include <QProcess>
#include <QStringList>

#include "platform/gdi/QtString.h"

std::vector<CString> SplitCommandLine(const CString& parameters) {
  std::vector<CString> arguments;
  CString current;
  bool inArgument = false;
  bool quoted = false;
  const int length = parameters.GetLength();
  for (int i = 0; i < length; ++i) {
    const char16_t ch = parameters[i];
    if ((ch == u' ' || ch == u'\t') && !quoted) {
      if (inArgument) arguments.push_back(current);
      current.Empty();
      inArgument = false;
      continue;
    }
    inArgument = true;
    if (ch == u'\\') {
      int backslashes = 0;
      while (i < length && parameters[i] == u'\\') {
        ++backslashes;
        ++i;
      }
      if (i < length && parameters[i] == u'"') {
        for (int k = 0; k < backslashes / 2; ++k) current += u'\\';
        if (backslashes % 2) {
          current += u'"';
        } else {
          --i;  // the quote acts on the next round
        }
      } else {
        for (int k = 0; k < backslashes; ++k) current += u'\\';
        --i;
      }
      continue;
    }
    if (ch == u'"') {
      if (quoted && i + 1 < length && parameters[i + 1] == u'"') {
        current += u'"';
        ++i;
      } else {
        quoted = !quoted;
      }
      continue;
    }
    current += ch;
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

namespace {

SProgramRunTap& Tap() {
  static SProgramRunTap tap;
  return tap;
}

}  // namespace

SProgramRunTap SetProgramRunTap(SProgramRunTap tap) {
  SProgramRunTap previous = std::move(Tap());
  Tap() = std::move(tap);
  return previous;
}

bool RunProgramAndWait(const CString& path, const CString& parameters, DWORD& exitCode) {
  const std::vector<CString> split = SplitCommandLine(parameters);
  QStringList arguments;
  for (const CString& argument : split) arguments << ToQString(argument);
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  process.start(ToQString(path), arguments);
  if (!process.waitForStarted(-1)) return false;
  if (Tap().started) Tap().started(path, split);
  process.waitForFinished(-1);
  exitCode = process.exitStatus() == QProcess::NormalExit ? DWORD(process.exitCode()) : DWORD(-1);
  if (Tap().ended) Tap().ended(exitCode);
  return true;
}
