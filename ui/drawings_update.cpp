#include "ui/drawings_update.h"

#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "archive/archive.h"
#include "archive/drawings_file.h"
#include "core/error.h"
#include "service/service_fetch.h"
#include "ui/platform.h"
#include "ui/text_edge.h"

namespace kw {

namespace {

QString DrawingsCount(int count) { return FromCp1252(DrawingsText(count)); }

// A fetch's progress as a person reads it: "3 von 10 Ziehungen".
QString ProgressText(int done, int total) {
  if (total == 0) return QStringLiteral("Die Ziehungstage werden abgefragt");
  return QStringLiteral("%1 von %2").arg(done).arg(DrawingsCount(total));
}

}  // namespace

DrawingsUpdate::DrawingsUpdate(std::filesystem::path archive, QUrl serviceBase,
                               Platform& platform, QPushButton* fetch, QPushButton* cancel,
                               QPushButton* import, QLabel* status, QObject* parent)
    : QObject(parent),
      archivePath_(std::move(archive)),
      serviceBase_(std::move(serviceBase)),
      platform_(platform),
      fetch_(fetch),
      cancel_(cancel),
      import_(import),
      status_(status) {
  cancel_->setEnabled(false);
  fetch_->setEnabled(false);
  import_->setEnabled(false);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    if (service_ && service_->IsRunning()) service_->Cancel();
  });
  connect(import_, &QPushButton::clicked, this,
          [this] { RunHandler(platform_, [this] { Import(); }); });
}

DrawingsUpdate::~DrawingsUpdate() = default;

bool DrawingsUpdate::OpenArchive() {
  if (archive_) return true;
  try {
    archive_ = std::make_unique<DrawingArchive>(archivePath_);
  } catch (const Error& failure) {
    // Told once; the owner says it on every showing, and the next one tries again.
    const bool told = archiveProblem_ == failure.what();
    archiveProblem_ = failure.what();
    if (!told) ShowException(platform_, failure);
    return false;
  }
  archiveProblem_.clear();
  service_ = std::make_unique<ServiceFetch>(*archive_);
  if (serviceBase_.isValid()) service_->SetBase(serviceBase_);
  connect(service_.get(), &ServiceFetch::progress, this,
          [this](int done, int total) { status_->setText(ProgressText(done, total)); });
  connect(service_.get(), &ServiceFetch::waiting, this,
          [this](int seconds) { status_->setText(WaitingText(seconds)); });
  connect(service_.get(), &ServiceFetch::drawingStored, this, &DrawingsUpdate::drawingsChanged);
  connect(service_.get(), &ServiceFetch::finished, this, [this](int stored) {
    Ended(stored == 0 ? QStringLiteral("Keine neuen Ziehungen")
                      : DrawingsCount(stored) + QStringLiteral(" geholt"));
  });
  connect(service_.get(), &ServiceFetch::cancelled, this, [this](int stored) {
    Ended(QStringLiteral("Abgebrochen, ") + DrawingsCount(stored) + QStringLiteral(" geholt"));
  });
  connect(service_.get(), &ServiceFetch::failed, this, [this](const QString& message) {
    Ended(QStringLiteral("Holen gescheitert"));
    platform_.ShowMessage(MessageKind::Plain, message);
  });
  SetRunning(false);
  return true;
}

std::vector<Drawing> DrawingsUpdate::ReadRange(Date first, Date last) {
  return OpenArchive() ? archive_->ReadRange(first, last) : std::vector<Drawing>{};
}

bool DrawingsUpdate::IsRunning() const { return service_ && service_->IsRunning(); }

void DrawingsUpdate::SetFetchable(bool fetchable) {
  fetchable_ = fetchable;
  if (!IsRunning()) fetch_->setEnabled(archive_ && fetchable_);
}

void DrawingsUpdate::Fetch(Date first, Date last) {
  if (!OpenArchive() || IsRunning() || first > last) return;
  SetRunning(true);
  status_->setText(ProgressText(0, 0));
  service_->Start(first, last);
}

void DrawingsUpdate::Ended(const QString& status) {
  SetRunning(false);
  emit fetchEnded();
  status_->setText(status);
}

void DrawingsUpdate::SetRunning(bool running) {
  fetch_->setEnabled(!running && archive_ && fetchable_);
  import_->setEnabled(!running && archive_);
  cancel_->setEnabled(running);
}

void DrawingsUpdate::Import() {
  if (!OpenArchive()) return;
  const std::optional<QString> chosen = platform_.ChooseDrawingsFile();
  if (!chosen) return;
  const std::string result =
      ImportDrawingsFile(*archive_, std::filesystem::path(chosen->toStdU16String()));
  emit drawingsChanged();
  platform_.ShowMessage(MessageKind::Plain, FromCp1252(result));
}

}  // namespace kw
