#include "ui/term_sheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "archive/archive.h"
#include "core/error.h"
#include "ui/drawings_update.h"
#include "ui/platform.h"
#include "ui/term_panel.h"
#include "ui/text_edge.h"

namespace kw {

namespace {

QString Text(const std::string& cp1252) { return FromCp1252(cp1252); }

}  // namespace

QPushButton* TermButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(hint);
  button->setAccessibleName(QString(caption).remove(u'&'));
  button->setAutoDefault(true);
  return button;
}

TermSheet::TermSheet(TermSheetSetup setup, Platform& platform, const Clock& clock, QWidget* parent)
    : QWidget(parent), setup_(std::move(setup)), platform_(platform), clock_(clock) {
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

  TermStatus = new QLabel(content_);
  TermStatus->setObjectName(QStringLiteral("TermStatus"));
  TermStatus->setTextFormat(Qt::PlainText);
  TermStatus->setAccessibleName(QStringLiteral("Stand"));
  TermStatus->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  column->addWidget(TermStatus);

  TermFetch = TermButton(this, "TermFetch", QStringLiteral("Ziehungen &holen"),
                         QStringLiteral("Die fehlenden Ziehungen der Laufzeit von lotto.de holen"));
  TermCancel = TermButton(this, "TermCancel", QStringLiteral("Abb&rechen"),
                          QStringLiteral("Das Holen der Ziehungen abbrechen"));
  TermImport =
      TermButton(this, "TermImport", QStringLiteral("Ziehungen i&mportieren \u2026"),
                 QStringLiteral("Ziehungen aus einer Datei (CSV oder JSON) ins Archiv "
                                "\u00fcbernehmen"));
  // Every ticket of the household, in a window of its own.
  TermAllTickets = TermButton(this, "TermAllTickets", QStringLiteral("Alle &Scheine \u2026"),
                              QStringLiteral("Alle Spielscheine mit Einsatz und Gewinn zeigen"));
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  buttons->addWidget(TermFetch);
  buttons->addWidget(TermCancel);
  buttons->addWidget(TermImport);
  buttons->addStretch(1);
  buttons->addWidget(TermAllTickets);
  // Below the content: the way to every ticket stays also when no ticket is loaded.
  outer->addLayout(buttons);

  update_ = new DrawingsUpdate(setup_.archive, setup_.serviceBase, platform_, TermFetch,
                               TermCancel, TermImport, TermStatus, this);
  connect(update_, &DrawingsUpdate::drawingsChanged, this,
          [this] { RunHandler(platform_, [this] { Refresh(); }); });
  connect(update_, &DrawingsUpdate::fetchEnded, this, [this] {
    const QString status = TermStatus->text();
    RunHandler(platform_, [this] { Refresh(); });
    TermStatus->setText(status);
  });
  connect(panel_, &TermPanel::settingWritten, this,
          [this] { RunHandler(platform_, [this] { Refresh(); }); });
  connect(TermFetch, &QPushButton::clicked, this,
          [this] { RunHandler(platform_, [this] { FetchClicked(); }); });
  connect(TermAllTickets, &QPushButton::clicked, this, &TermSheet::allTicketsRequested);

  setTabOrder(panel_, TermFetch);
  setTabOrder(TermFetch, TermCancel);
  setTabOrder(TermCancel, TermImport);
  setTabOrder(TermImport, TermAllTickets);
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
  if (currentTicket_) ticketPath_ = currentTicket_();
  check_.reset();
  if (ticketPath_.empty()) {
    ShowNoTicket(QStringLiteral(
        "Es ist kein Spielschein geladen. Laden Sie einen auf der Seite \u201eSpielschein\u201c, "
        "dann zeigt diese Seite jede Ziehung seiner Laufzeit mit ihrem Gewinn."));
    return;
  }
  std::optional<TermTicket> ticket;
  try {
    ticket = ReadTermTicket(ticketPath_, clock_.Today().year());
  } catch (const Error& failure) {
    ShowNoTicket(QStringLiteral("Der Spielschein kann nicht gelesen werden: ") +
                 Text(failure.what()));
    return;
  }
  check_ = CheckTicket(
      std::move(*ticket),
      [this](Date first, Date last) { return update_->ReadRange(first, last); },
      clock_.Today());
  noTicket_->hide();
  content_->show();
  for (QWidget* button : {TermFetch, TermCancel, TermImport}) button->show();
  panel_->Show(*check_, ticketPath_);
  ShowStatus();
}

void TermSheet::ShowNoTicket(const QString& why) {
  noTicket_->setText(why);
  noTicket_->show();
  content_->hide();
  for (QWidget* button : {TermFetch, TermCancel, TermImport}) button->hide();
}

void TermSheet::ShowStatus() {
  const Date today = clock_.Today();
  const std::vector<Date>& days = check_->days;
  update_->SetFetchable(!days.empty() && days.front() <= today);
  if (update_->IsRunning()) return;  // the fetch's progress stands there
  TermStatus->setToolTip({});
  if (!update_->ArchiveProblem().empty()) {
    TermStatus->setText(QStringLiteral("Das Archiv ist nicht verf\u00fcgbar"));
    TermStatus->setToolTip(Text(update_->ArchiveProblem()));
  } else if (days.empty()) {
    TermStatus->setText(QStringLiteral("Die Laufzeit hat keinen Ziehungstag"));
  } else if (days.front() > today) {
    TermStatus->setText(QStringLiteral("Die erste Ziehung ist am ") +
                        Text(WeekdayDateText(days.front())));
  } else if (check_->term.missing > 0) {
    const int missing = check_->term.missing;
    TermStatus->setText(Text(DrawingsText(missing)) + (missing == 1
                                                           ? QStringLiteral(" fehlt im Archiv")
                                                           : QStringLiteral(" fehlen im Archiv")));
  } else {
    TermStatus->clear();
  }
}

void TermSheet::FetchClicked() {
  if (!check_) return;
  const std::vector<Date>& days = check_->days;
  const Date today = clock_.Today();
  if (days.empty() || days.front() > today) return;
  update_->Fetch(days.front(), std::min(days.back(), today));
}

}  // namespace kw
