#include "app/settings_location.h"

#include <QString>
#include <string>

#include "core/error.h"
#include "core/file_io.h"
#include "core/profile.h"
#include "core/settings_file.h"
#include "qtedge/cp1252_text.h"
#include "ui/platform.h"

namespace kw {

namespace {

QString Shown(const std::filesystem::path& directory) {
  return QString::fromStdU16String(directory.u16string());
}

}  // namespace

std::optional<std::filesystem::path> ChooseSettingsDirectory(
    const std::filesystem::path& programDirectory, const std::filesystem::path& userDirectory) {
  if (CanCreateFileIn(programDirectory)) return programDirectory;
  std::error_code ec;
  std::filesystem::create_directories(userDirectory, ec);
  if (!userDirectory.empty() && CanCreateFileIn(userDirectory)) return userDirectory;
  return std::nullopt;
}

std::filesystem::path SettingsDirectory(Platform& platform,
                                        const std::filesystem::path& programDirectory,
                                        const std::filesystem::path& userDirectory) {
  if (auto chosen = ChooseSettingsDirectory(programDirectory, userDirectory)) {
    try {
      ReadProfileFile(*chosen / SettingsFile::kFileName);
    } catch (const ReadError& refusal) {
      platform.ShowMessage(
          MessageKind::Warning,
          QStringLiteral("Kreuzwart kann seine Einstellungsdatei nicht lesen: %1. Gespeichert "
                         "werden kann erst, wenn an ihrer Stelle eine gew\u00f6hnliche Datei "
                         "steht oder keine.")
              .arg(FromCp1252(refusal.what())));
    }
    return *chosen;
  }
  platform.ShowMessage(
      MessageKind::Warning,
      QStringLiteral("Kreuzwart kann seine Einstellungsdatei ZW.INI weder in \"%1\" noch in "
                     "\"%2\" anlegen. Gespeichert werden kann erst, wenn einer der beiden Ordner "
                     "beschreibbar ist.")
          .arg(Shown(programDirectory), Shown(userDirectory)));
  return programDirectory;
}

}  // namespace kw
