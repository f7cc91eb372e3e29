#include "ui/platform.h"

#include "qtedge/cp1252_text.h"

namespace kw {

QString ErrorBoxText(const QString& text) {
  if (!text.isEmpty() && text.back() > QChar(u'.')) return text + u'.';
  return text;
}

void ShowException(Platform& platform, const std::exception& failure) {
  // Our failures carry Windows-1252 text; library ones are plain ASCII, which reads the same.
  platform.ShowMessage(MessageKind::Error, ErrorBoxText(FromCp1252(failure.what())));
}

void ShowUnknownException(Platform& platform) {
  platform.ShowMessage(MessageKind::Error, ErrorBoxText(QStringLiteral("Unbekannter Fehler")));
}

void RunHandler(Platform& platform, const std::function<void()>& handler) noexcept {
  try {
    try {
      handler();
    } catch (const std::exception& failure) {
      ShowException(platform, failure);
    } catch (...) {
      ShowUnknownException(platform);
    }
  } catch (...) {
    // Showing the box itself failed (out of memory, say); there is nobody left to tell.
  }
}

}  // namespace kw
