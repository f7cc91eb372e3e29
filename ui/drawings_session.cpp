#include "ui/drawings_session.h"

#include <algorithm>

#include "archive/archive.h"
#include "archive/drawings_file.h"
#include "core/error.h"
#include "eval/ticket_check.h"
#include "qtedge/cp1252_text.h"
#include "service/service_fetch.h"
#include "ui/platform.h"

namespace kw {

namespace {

QString DrawingsCount(int count) { return FromCp1252(DrawingsText(count)); }

// A fetch's progress as a person reads it: "3 von 10 Ziehungen".
QString ProgressText(int done, int total) {
  if (total == 0) return QStringLiteral("Die Ziehungstage werden abgefragt");
  return QStringLiteral("%1 von %2").arg(done).arg(DrawingsCount(total));
}

}  // namespace

DrawingsSession::DrawingsSession(std::filesystem::path archive, QUrl serviceBase,
                                 Platform& platform, QObject* parent)
    : QObject(parent),
      archivePath_(std::move(archive)),
      serviceBase_(std::move(serviceBase)),
      platform_(platform) {}

DrawingsSession::~DrawingsSession() = default;

bool DrawingsSession::OpenArchive() {
  if (archive_) return true;
  try {
    archive_ = std::make_unique<DrawingArchive>(archivePath_);
  } catch (const Error& failure) {
    // Told once; the views say it on every showing, and the next one tries again.
    const bool told = archiveProblem_ == failure.what();
    archiveProblem_ = failure.what();
    if (!told) ShowException(platform_, failure);
    return false;
  }
  archiveProblem_.clear();
  service_ = std::make_unique<ServiceFetch>(*archive_);
  if (serviceBase_.isValid()) service_->SetBase(serviceBase_);
  connect(service_.get(), &ServiceFetch::progress, this,
          [this](int done, int total) { SetStatus(ProgressText(done, total)); });
  connect(service_.get(), &ServiceFetch::waiting, this,
          [this](int seconds) { SetStatus(WaitingText(seconds)); });
  connect(service_.get(), &ServiceFetch::drawingStored, this, &DrawingsSession::drawingsChanged);
  connect(service_.get(), &ServiceFetch::finished, this, [this](int stored) {
    storedBefore_ += stored;
    if (queued_) return StartNext();
    Ended(storedBefore_ == 0 ? QStringLiteral("Keine neuen Ziehungen")
                             : DrawingsCount(storedBefore_) + QStringLiteral(" geholt"));
  });
  connect(service_.get(), &ServiceFetch::cancelled, this, [this](int stored) {
    Ended(QStringLiteral("Abgebrochen, ") + DrawingsCount(storedBefore_ + stored) +
          QStringLiteral(" geholt"));
  });
  connect(service_.get(), &ServiceFetch::failed, this, [this](const QString& message) {
    Ended(QStringLiteral("Holen gescheitert"));
    platform_.ShowMessage(MessageKind::Plain, message);
  });
  emit runningChanged(false);  // the buttons that need the archive may be used now
  return true;
}

std::vector<Drawing> DrawingsSession::ReadRange(Date first, Date last) {
  return OpenArchive() ? archive_->ReadRange(first, last) : std::vector<Drawing>{};
}

std::optional<Date> DrawingsSession::NewestStored() {
  if (!OpenArchive()) return std::nullopt;
  const std::optional<Drawing> newest = archive_->Latest();
  return newest ? std::optional(newest->date) : std::nullopt;
}

void DrawingsSession::FetchUpTo(Date today) {
  if (!OpenArchive()) return;
  if (const auto range = ArchiveFetchRange(NewestStored(), today)) {
    Fetch(range->first, range->second);
  } else {
    SetStatus(QStringLiteral("Keine neuen Ziehungen"));
  }
}

bool DrawingsSession::IsRunning() const { return service_ && service_->IsRunning(); }

void DrawingsSession::Fetch(Date first, Date last) {
  if (first > last || !OpenArchive()) return;
  if (queued_) {
    queued_->first = std::min(queued_->first, first);
    queued_->second = std::max(queued_->second, last);
  } else {
    queued_.emplace(first, last);
  }
  if (IsRunning()) return;  // the running fetch takes the days when it has ended
  storedBefore_ = 0;
  StartNext();
  emit runningChanged(true);
}

void DrawingsSession::StartNext() {
  const auto [first, last] = *queued_;
  queued_.reset();
  SetStatus(ProgressText(0, 0));
  service_->Start(first, last);
}

void DrawingsSession::Cancel() {
  // A cancel stops everything asked for, the days waiting their turn too.
  queued_.reset();
  if (IsRunning()) service_->Cancel();
}

void DrawingsSession::Ended(const QString& status) {
  queued_.reset();
  emit runningChanged(false);
  emit fetchEnded();
  SetStatus(status);
}

void DrawingsSession::SetStatus(const QString& status) {
  status_ = status;
  emit statusChanged(status_);
}

void DrawingsSession::Import() {
  if (!OpenArchive()) return;
  const std::optional<QString> chosen = platform_.ChooseDrawingsFile();
  if (!chosen) return;
  const std::string result =
      ImportDrawingsFile(*archive_, std::filesystem::path(chosen->toStdU16String()));
  emit drawingsChanged();
  platform_.ShowMessage(MessageKind::Plain, FromCp1252(result));
}

}  // namespace kw
