#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <optional>
#include <utility>
#include <vector>

#include "ui/platform.h"

namespace kw::test {

// Records every box, dialog and link, and answers the file dialogs from a script.
class FakePlatform : public Platform {
 public:
  struct Message {
    MessageKind kind;
    QString text;
  };

  void ShowMessage(MessageKind kind, const QString& text) override {
    messages.push_back({kind, text});
  }

  bool AskYesNo(const QString& question) override {
    questions << question;
    return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();  // unscripted: "Nein"
  }

  std::optional<QString> ChooseTicketFile() override {
    ++fileDialogs;
    if (fileAnswers.isEmpty()) return std::nullopt;  // unscripted: the user cancels
    return fileAnswers.takeFirst();
  }

  std::optional<QString> ChooseTicketSaveFile(const QString& proposedName) override {
    proposedSaveNames << proposedName;
    if (saveAnswers.isEmpty()) return std::nullopt;  // unscripted: the user cancels
    return saveAnswers.takeFirst();
  }

  std::optional<QString> ChooseDrawingsFile() override {
    ++drawingsDialogs;
    if (drawingsAnswers.isEmpty()) return std::nullopt;  // unscripted: the user cancels
    return drawingsAnswers.takeFirst();
  }

  void OpenUrl(const QUrl& url) override { openedUrls.push_back(url); }

  // The texts of all boxes so far, for a one-line comparison.
  QStringList texts() const {
    QStringList all;
    for (const Message& m : messages) all << m.text;
    return all;
  }

  std::vector<Message> messages;
  QStringList questions;                      // every yes/no question asked
  QList<bool> yesNoAnswers;                   // next answers, true for "Ja"
  QList<std::optional<QString>> fileAnswers;  // next answers of the open dialog; nullopt cancels
  int fileDialogs = 0;
  QList<std::optional<QString>> saveAnswers;  // next answers of the save dialog; nullopt cancels
  QStringList proposedSaveNames;              // what each save dialog proposed
  QList<std::optional<QString>> drawingsAnswers;  // next answers of the CSV open dialog
  int drawingsDialogs = 0;
  QList<QUrl> openedUrls;
};

}  // namespace kw::test
