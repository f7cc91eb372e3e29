#pragma once

#include <QString>
#include <QUrl>
#include <fstream>
#include <optional>
#include <string>

#include "ui/platform.h"

namespace bench {

// Answers every box and dialog at once so that a measurement does not wait for a person.
class SilentPlatform : public kw::Platform {
 public:
  void ShowMessage(kw::MessageKind, const QString&) override {}
  bool AskYesNo(const QString&) override { return false; }
  std::optional<QString> ChooseTicketFile() override { return std::nullopt; }
  std::optional<QString> ChooseTicketSaveFile(const QString&) override { return std::nullopt; }
  std::optional<QString> ChooseDrawingsFile() override { return std::nullopt; }
  void OpenUrl(const QUrl&) override {}
};

inline void Write(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

}  // namespace bench
