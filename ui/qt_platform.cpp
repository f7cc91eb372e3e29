#include "ui/qt_platform.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace kw {

namespace {

// A lone carriage return breaks the line in a Windows message box; Qt wants a line feed.
QString WithLineFeeds(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  return text;
}

}  // namespace

QtPlatform::QtPlatform(QString applicationTitle) : applicationTitle_(std::move(applicationTitle)) {}

void QtPlatform::ShowMessage(MessageKind kind, const QString& text) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString caption = applicationTitle_;
  switch (kind) {
    case MessageKind::Plain:
      break;
    case MessageKind::Warning:
      icon = QMessageBox::Warning;
      caption = QStringLiteral("Warning");
      break;
    case MessageKind::Information:
      icon = QMessageBox::Information;
      caption = QStringLiteral("Information");
      break;
    case MessageKind::Error:
      icon = QMessageBox::Critical;
      break;
  }
  // No parent: the box is centred on the screen and blocks the whole program.
  QMessageBox box(icon, caption, WithLineFeeds(text), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool QtPlatform::AskYesNo(const QString& question) {
  QMessageBox box(QMessageBox::Question, applicationTitle_, WithLineFeeds(question),
                  QMessageBox::Yes | QMessageBox::No);
  box.setTextFormat(Qt::PlainText);
  // "Nein" is what Enter and Escape choose: a slip of the key must not drop the typing.
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPlatform::ChooseTicketFile() {
  QFileDialog dialog(nullptr, QStringLiteral("Schein w\u00e4hlen"), lastDirectory_);
  dialog.setNameFilter(QStringLiteral("Schein-Dateien (*.sch)"));
  dialog.setDefaultSuffix(QStringLiteral("sch"));
  // A name that does not exist is accepted; loading it then tells what is missing.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().constFirst();
  lastDirectory_ = QFileInfo(chosen).absolutePath();
  return QDir::toNativeSeparators(chosen);
}

std::optional<QString> QtPlatform::ChooseTicketSaveFile(const QString& proposedName) {
  // No title of its own: the desktop's "Save As".
  QFileDialog dialog(nullptr, QString(), lastDirectory_);
  dialog.setNameFilter(QStringLiteral("Schein-Dateien (*.sch)"));
  dialog.setDefaultSuffix(QStringLiteral("sch"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // Saving over a ticket is the usual way to change it.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!proposedName.isEmpty()) dialog.selectFile(proposedName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().constFirst();
  lastDirectory_ = QFileInfo(chosen).absolutePath();
  return QDir::toNativeSeparators(chosen);
}

std::optional<QString> QtPlatform::ChooseDrawingsFile() {
  QFileDialog dialog(nullptr, QStringLiteral("Ziehungen importieren"), lastDirectory_);
  dialog.setNameFilters(
      {QStringLiteral("Ziehungsdateien (*.csv *.json)"), QStringLiteral("Alle Dateien (*)")});
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().constFirst();
  lastDirectory_ = QFileInfo(chosen).absolutePath();
  return chosen;
}

void QtPlatform::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace kw
