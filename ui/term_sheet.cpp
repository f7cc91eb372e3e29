#include "ui/term_sheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "qtedge/cp1252_text.h"
#include "ui/drawings_bar.h"
#include "ui/drawings_session.h"
#include "ui/platform.h"
#include "ui/term_panel.h"

namespace kw {

namespace {

const QString kTermFetchHint =
    QStringLiteral("Die fehlenden Ziehungen der Laufzeit von lotto.de holen");
// Without a ticket the archive is brought up to today, so that a new user can fill it first.
const QString kArchiveFetchHint =
    QStringLiteral("Die Ziehungen seit der neuesten im Archiv von lotto.de holen");

}  // namespace

TermSheet::TermSheet(DrawingsSession& drawings, Platform& platform, const Clock& clock,
                     QWidget* parent)
    : QWidget(parent), drawings_(drawings), platform_(platform), clock_(clock) {
  // The controls come with the first showing: the program's start stays as quick as it was.
  setObjectName(QStringLiteral("TermSheet"));
}

TermSheet::~TermSheet() {
  for (QObject* control : findChildren<QObject*>()) control->disconnect(this);
}

void TermSheet::CreateControls() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 6);
  outer->setSpacing(4);

  noTicket_ = new QLabel(this);
  noTicket_->setObjectName(QStringLiteral("TermNoTicket"));
  noTicket_->setTextFormat(Qt::PlainText);
  noTicket_->setWordWrap(true);
  noTicket_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  outer->addWidget(noTicket_);

  content_ = new QWidget(this);
  outer->addWidget(content_, 1);
  auto* column = new QVBoxLayout(content_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);
  panel_ = new TermPanel(TermPanel::Room::Compact, platform_, content_);
  column->addWidget(panel_, 1);

  bar_ = new DrawingsBar(drawings_, platform_, QStringLiteral("Term"), kTermFetchHint,
                         DrawingsBar::StatusPlace::Above, this);
  // Every ticket of the household, in a window of its own.
  TermAllTickets =
      TermButton(this, QStringLiteral("TermAllTickets"), QStringLiteral("Alle &Scheine \u2026"),
                 QStringLiteral("Alle Spielscheine mit Einsatz und Gewinn zeigen"));
  bar_->AddToRow(TermAllTickets);
  // Below the content: the way to every ticket stays also when no ticket is loaded.
  outer->addWidget(bar_);

  const auto refresh = [this] { RunHandler(platform_, [this] { Refresh(); }); };
  connect(&drawings_, &DrawingsSession::drawingsChanged, this, refresh);
  connect(&drawings_, &DrawingsSession::fetchEnded, this, refresh);
  connect(panel_, &TermPanel::ticketChanged, this, refresh);
  connect(bar_, &DrawingsBar::fetchRequested, this,
          [this] { RunHandler(platform_, [this] { FetchClicked(); }); });
  connect(TermAllTickets, &QPushButton::clicked, this, &TermSheet::allTicketsRequested);

  setTabOrder(panel_, bar_->fetchButton());
  setTabOrder(bar_->fetchButton(), bar_->cancelButton());
  setTabOrder(bar_->cancelButton(), bar_->importButton());
  setTabOrder(bar_->importButton(), TermAllTickets);
}
void TermSheet::SetTicketSource(std::function<std::string()> currentTicket) {
  currentTicket_ = std::move(currentTicket);
}

void TermSheet::Reload() {
  if (content_ && isVisible()) RunHandler(platform_, [this] { Refresh(); });
}

void TermSheet::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Coming back from a minimised window is no new showing.
  if (event->spontaneous()) return;
  if (!content_) CreateControls();
  RunHandler(platform_, [this] { Refresh(); });
}

void TermSheet::Refresh() {
  std::string path = currentTicket_ ? currentTicket_() : ticket_.path;
  ticket_ = TicketFileCheck{};
  ticket_.path = std::move(path);
  if (ticket_.path.empty()) {
    ShowNoTicket(QStringLiteral(
        "Es ist kein Spielschein geladen. Laden Sie einen auf der Seite \u201eSpielschein\u201c, "
        "dann zeigt diese Seite jede Ziehung seiner Laufzeit mit ihrem Gewinn."));
    return;
  }
  ticket_ = CheckTicketFile(
      ticket_.path, [this](Date first, Date last) { return drawings_.ReadRange(first, last); },
      clock_.Today());
  if (!ticket_.check) {
    ShowNoTicket(FromCp1252(ticket_.RefusalText()));
    return;
  }
  noTicket_->hide();
  content_->show();
  bar_->fetchButton()->setToolTip(kTermFetchHint);
  panel_->Show(*ticket_.check, ticket_.path);
  ShowStatus();
}

void TermSheet::ShowNoTicket(const QString& why) {
  noTicket_->setText(why);
  noTicket_->show();
  content_->hide();
  bar_->fetchButton()->setToolTip(kArchiveFetchHint);
  bar_->SetFetchable(true);
  bar_->SetNote(FromCp1252(drawings_.ArchiveProblem()));
}

void TermSheet::ShowStatus() {
  const Date today = clock_.Today();
  const std::vector<Date>& days = ticket_.check->days;
  bar_->SetFetchable(!days.empty() && days.front() <= today);
  if (!drawings_.ArchiveProblem().empty()) {
    bar_->SetNote(QStringLiteral("Das Archiv ist nicht verf\u00fcgbar"),
                  FromCp1252(drawings_.ArchiveProblem()));
  } else if (days.empty()) {
    bar_->SetNote(QStringLiteral("Die Laufzeit hat keinen Ziehungstag"));
  } else if (days.front() > today) {
    bar_->SetNote(QStringLiteral("Die erste Ziehung ist am ") +
                  FromCp1252(WeekdayDateText(days.front())));
  } else if (ticket_.check->term.totals.drawingsMissing > 0) {
    // The total counts them; the note says what brings them.
    bar_->SetNote(QStringLiteral("Die fehlenden Ziehungen holt \u201EZiehungen holen\u201C"));
  } else {
    bar_->SetNote({});
  }
}

void TermSheet::FetchClicked() {
  if (!ticket_.check) return drawings_.FetchUpTo(clock_.Today());
  if (const auto range = FetchRange(std::span(&ticket_, 1), clock_.Today())) {
    drawings_.Fetch(range->first, range->second);
  }
}

}  // namespace kw
