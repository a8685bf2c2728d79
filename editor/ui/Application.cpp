#include "editor/ui/Application.h"

#include <exception>

#include "editor/ui/Dialogs.h"

namespace gw {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Glyphwerk 3.0"));
}

void TApplication::ShowException(const std::exception& e) {
  DefaultMessageBoxes().error(QString::fromLocal8Bit(e.what()));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  // A failure inside one command is reported and the program goes on with the next event.
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowException(e);
  }
  return false;
}

}  // namespace gw
