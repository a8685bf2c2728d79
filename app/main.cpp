// Entry of the editor: the application object, its title, the main window and the event loop.
#include <exception>

#include "editor/ui/Application.h"
#include "editor/ui/ficon.h"

int main(int argc, char** argv) {
  gw::TApplication app(argc, argv);
  try {
    gw::TForm1 form;
    if (!form.terminateRequested()) form.show();
    app.exec();
  } catch (const std::exception& e) {
    gw::TApplication::ShowException(e);
  }
  return 0;
}
