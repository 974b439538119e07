#include "platform/ui/UiApplication.h"

int main(int argc, char** argv) {
  CUiApplication application(argc, argv);
  application.ShowMainWindow(u"Jovant ZD-Zedo");
  return application.Run();
}
