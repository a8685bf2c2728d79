#pragma once
// The application object: title, and the standard error box for a failure that escapes a command.

#include <QApplication>

namespace gw {

class IMessageBoxes;

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
  // Shows the standard error box for a failure.
  static void ShowException(const std::exception& e);
};

}  // namespace gw
