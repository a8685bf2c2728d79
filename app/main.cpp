// Entry of the editor.
#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Glyphwerk 3.0"));
  return 0;
}
