#pragma once

#include "ui/platform.h"

namespace kw {

// The desktop itself: QMessageBox, QFileDialog, QDesktopServices.
class QtPlatform : public Platform {
 public:
  // applicationTitle captions the plain and the error box.
  explicit QtPlatform(QString applicationTitle);

  void ShowMessage(MessageKind kind, const QString& text) override;
  bool AskYesNo(const QString& question) override;
  std::optional<QString> ChooseTicketFile() override;
  std::optional<QString> ChooseTicketSaveFile(const QString& proposedName) override;
  std::optional<QString> ChooseDrawingsFile() override;
  void OpenUrl(const QUrl& url) override;

 private:
  QString applicationTitle_;
  QString lastDirectory_;  // the dialogs start where one was last used during this run
};

}  // namespace kw
