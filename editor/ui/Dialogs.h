#pragma once
// The message boxes the editor shows, behind one interface so that tests can answer them, and the common
// open and save dialogs with properties that stay as set from one run to the next.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace gw {

class IMessageBoxes {
 public:
  enum class Answer { Yes, No, Cancel };
  virtual ~IMessageBoxes() = default;

  // A question with a question icon and the buttons Yes, No and Cancel, owned by `owner`.
  virtual Answer question(QWidget* owner, const QString& text, const QString& caption) = 0;
  // The application's message box: a text, a caption and an OK button only.
  virtual void message(const QString& text, const QString& caption) = 0;
  // The standard box for a failure that escaped a command.
  virtual void error(const QString& text) = 0;
};

// The real boxes, shown modally.
class QtMessageBoxes : public IMessageBoxes {
 public:
  Answer question(QWidget* owner, const QString& text, const QString& caption) override;
  void message(const QString& text, const QString& caption) override;
  void error(const QString& text) override;
};

// The boxes the application uses when nobody has installed others.
IMessageBoxes& DefaultMessageBoxes();

// An open or save dialog. Every property keeps its value between runs; Execute shows the dialog and, when
// the user confirms, takes the chosen file name, filter index and folder back.
class TFileDialog {
 public:
  enum class Kind { Open, Save };
  explicit TFileDialog(Kind kind) : kind_(kind) {}

  Kind kind() const { return kind_; }
  QString Title;
  QString DefaultExt;
  QString Filter;          // "description|pattern|description|pattern..."
  int FilterIndex = 1;     // 1-based
  QString FileName;
  QString InitialDir;
  bool OverwritePrompt = false;
  bool HideReadOnly = false;

  // Returns whether the user confirmed. Tests replace the runner to answer without a window. A save dialog's
  // name chosen without an extension gets the chosen filter's (FilterExtension).
  bool Execute(QWidget* owner);
  std::function<bool(TFileDialog&)> Runner;

  // The extension of the chosen filter's first pattern ("*.cur" gives "cur"; the first filter when the index
  // is out of range), or DefaultExt when that pattern names none ("*.*").
  QString FilterExtension() const;

 private:
  // One entry of the filter: its listed text, "description (pattern pattern ...)", and its patterns. A
  // pattern list that ends the description already ("Icon File (*.ico)") is replaced by the entry's
  // patterns, not shown twice; patterns are separated by blanks and empty ones ("*.jpg;") are dropped.
  struct FilterEntry {
    QString shown;
    QStringList patterns;
  };
  std::vector<FilterEntry> FilterEntries() const;
  bool RunQtDialog(QWidget* owner);
  Kind kind_;
};

}  // namespace gw
