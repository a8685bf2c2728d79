#pragma once
// Message boxes for tests: questions are answered from a script, and every box is recorded.

#include <QString>
#include <QStringList>
#include <deque>

#include "editor/ui/Dialogs.h"

namespace gw::test {

class ScriptedMessageBoxes : public IMessageBoxes {
 public:
  struct Shown {
    QString text, caption;
  };

  void answerNext(Answer a) { answers_.push_back(a); }

  Answer question(QWidget*, const QString& text, const QString& caption) override {
    questions.push_back({text, caption});
    if (answers_.empty()) return Answer::Cancel;  // an unscripted question keeps everything as it is
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  void message(const QString& text, const QString& caption) override { messages.push_back({text, caption}); }
  void error(const QString& text) override { errors.push_back(text); }

  std::vector<Shown> questions;
  std::vector<Shown> messages;
  QStringList errors;

 private:
  std::deque<Answer> answers_;
};

}  // namespace gw::test
