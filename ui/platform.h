#pragma once

#include <QString>
#include <QUrl>
#include <exception>
#include <functional>
#include <optional>

namespace kw {

// The kinds of message box the program shows. Each is modal, centred, with one OK button.
enum class MessageKind {
  Plain,        // no icon, the application title as caption
  Warning,      // exclamation icon, caption "Warning"
  Information,  // information icon, caption "Information"
  Error,        // the general error box: stop icon, the application title as caption
};

// What the windows ask of the desktop: message boxes, the ticket file dialogs, opening a link.
// The program uses QtPlatform; tests put a scripted fake in its place.
class Platform {
 public:
  virtual ~Platform() = default;

  // Shows the text and waits until the user closes the box.
  virtual void ShowMessage(MessageKind kind, const QString& text) = 0;

  // A question with the buttons "Ja" and "Nein", in a box like the plain one with a question
  // icon: true for "Ja". Closing the box counts as "Nein".
  virtual bool AskYesNo(const QString& question) = 0;

  // The open dialog of "Schein laden": the chosen full path, or nothing on cancel.
  virtual std::optional<QString> ChooseTicketFile() = 0;

  // The save dialog of "Speichern als", proposing the name given: the chosen full path, or
  // nothing on cancel. An existing file is taken without a question.
  virtual std::optional<QString> ChooseTicketSaveFile(const QString& proposedName) = 0;

  // The open dialog of "Ziehungen importieren …": a file of drawings (CSV or JSON), or nothing on
  // cancel.
  virtual std::optional<QString> ChooseDrawingsFile() = 0;

  // Opens the address with the desktop's default handler.
  virtual void OpenUrl(const QUrl& url) = 0;
};

// The general error box's text: a full stop is added when the last character's code is higher
// than the full stop's, so "abc" ends in "abc." while "abc!" and "(abc)" stay as they are.
QString ErrorBoxText(const QString& text);

// Shows a failure that no operation caught in the general error box.
void ShowException(Platform& platform, const std::exception& failure);
void ShowUnknownException(Platform& platform);

// Runs an event handler so that no exception leaves it: a failure goes to the general error box
// and the program goes on.
void RunHandler(Platform& platform, const std::function<void()>& handler) noexcept;

}  // namespace kw
