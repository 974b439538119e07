#include <vector>

#include "app/VexaZedoApp.h"
#include "platform/ui/ResourceBitmaps.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"

int main(int argc, char** argv) {
  CUiApplication ui(argc, argv);
  RegisterProgramResources(nullptr);
  UseResourceBitmaps();
  std::vector<CString> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(CString::FromUtf8(argv[i]));
  CVexaZedoApp app;
  app.SetCommandLine(std::move(arguments));
  if (!app.InitInstance()) {
    app.ExitInstance();
    return 1;
  }
  const int code = ui.Run();
  app.ExitInstance();
  return code;
}
