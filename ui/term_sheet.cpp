#include "ui/term_sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "archive/archive.h"
#include "archive/drawings_file.h"
#include "core/error.h"
#include "core/money.h"
#include "eval/prize_plan.h"
#include "eval/today_report.h"
#include "service/service_fetch.h"
#include "ui/platform.h"
#include "ui/text_edge.h"

namespace kw {

namespace {

enum Column { kDayColumn, kNumbersColumn, kResultColumn, kAmountColumn };

QString Text(const std::string& cp1252) { return FromCp1252(cp1252); }

QDate ToQDate(Date date) { return QDate(date.year(), date.month(), date.day()); }
Date FromQDate(QDate date) { return Date::FromYmd(date.year(), date.month(), date.day()); }

QString DayText(Date date) { return Text(WeekdayDateText(date)); }

QString DrawingsCount(int count) { return Text(DrawingsText(count)); }

// A fetch's progress as the tab words it: "3 von 10 Ziehungen".
QString ProgressText(int done, int total) {
  if (total == 0) return QStringLiteral("Die Ziehungstage werden abgefragt");
  return QStringLiteral("%1 von %2").arg(done).arg(DrawingsCount(total));
}

QString NumbersOf(const TermDayResult& result) {
  const Drawing* drawing = result.day.drawing();
  if (!drawing) return {};
  QString text = Text(NumbersText(*drawing));
  if (drawing->superzahl) text += QStringLiteral(", SZ %1").arg(*drawing->superzahl);
  return text;
}

// The result column: the best class or what the day is; the amount stands in a column of its own.
QString ResultOf(const DaySummary& summary) {
  if (summary.kind != DaySummary::Kind::Won) return Text(SummaryText(summary));
  // The add-on games' classes in short, so that the column is not cut; the tooltip says it whole.
  std::string text = summary.bestGame == PrizeGame::Spiel77  ? "Spiel 77, Kl. "
                     : summary.bestGame == PrizeGame::Super6 ? "Super 6, Kl. "
                                                             : "Gewinnklasse ";
  text += RomanClass(summary.bestClass);
  return Text(text);
}

QString AmountOf(const DaySummary& summary) {
  if (summary.kind != DaySummary::Kind::Won) return {};
  QString amount;
  if (summary.totals.cents > 0 || summary.totals.WithoutAmount() == 0) {
    amount = Text(EuroText(summary.totals.cents));
  }
  if (summary.totals.WithoutAmount() > 0) {
    amount += amount.isEmpty() ? QStringLiteral("offen") : QStringLiteral(" + offen");
  }
  return amount;
}

QLabel* Note(QWidget* parent, const char* name) {
  auto* note = new QLabel(parent);
  note->setObjectName(QString::fromLatin1(name));
  note->setTextFormat(Qt::PlainText);
  return note;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QString& hint) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(hint);
  button->setAccessibleName(QString(caption).remove(u'&'));
  button->setAutoDefault(true);
  return button;
}

// "angenommen" beside a setting the file does not give, "ungültig" beside one it gives wrongly.
template <class T>
void ShowNote(QLabel* note, QWidget* field, const TermSetting<T>& setting) {
  const bool wrong = !setting.problem.empty();
  note->setText(wrong             ? QStringLiteral("ung\u00fcltig, angenommen")
                : setting.assumed ? QStringLiteral("angenommen")
                                  : QString());
  note->setToolTip(Text(setting.problem));
  note->setStyleSheet(wrong ? QStringLiteral("color: #b00000") : QString());
  field->setAccessibleDescription(wrong ? Text(setting.problem) : note->text());
}

}  // namespace

TermSheet::TermSheet(TermSheetSetup setup, Platform& platform, const Clock& clock, QWidget* parent)
    : QWidget(parent), setup_(std::move(setup)), platform_(platform), clock_(clock) {
  // The controls come with the first showing: the program's start stays as quick as it was.
  setObjectName(QStringLiteral("TermSheet"));
}

TermSheet::~TermSheet() {
  // The date field reports the end of its editing when it loses the focus, and it loses it while
  // the page's children are destroyed, after the page itself: nothing of the page may run then.
  for (QObject* control : findChildren<QObject*>()) control->disconnect(this);
}

void TermSheet::CreateControls() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 6);
  outer->setSpacing(4);

  noTicket_ = Note(this, "TermNoTicket");
  noTicket_->setWordWrap(true);
  noTicket_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  outer->addWidget(noTicket_);

  content_ = new QWidget(this);
  outer->addWidget(content_, 1);
  auto* column = new QVBoxLayout(content_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);

  auto* settings = new QGridLayout;
  settings->setHorizontalSpacing(6);
  settings->setVerticalSpacing(3);
  auto* firstLabel = new QLabel(QStringLiteral("&Erste Ziehung:"), content_);
  TermFirstDay = new QDateEdit(content_);
  TermFirstDay->setObjectName(QStringLiteral("TermFirstDay"));
  TermFirstDay->setAccessibleName(QStringLiteral("Erste Ziehung"));
  TermFirstDay->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  TermFirstDay->setCalendarPopup(true);
  firstLabel->setBuddy(TermFirstDay);
  firstDayNote_ = Note(content_, "TermFirstDayNote");

  auto* daysLabel = new QLabel(QStringLiteral("Ziehungs&tage:"), content_);
  TermDrawDays = new QComboBox(content_);
  TermDrawDays->setObjectName(QStringLiteral("TermDrawDays"));
  TermDrawDays->setAccessibleName(QStringLiteral("Ziehungstage"));
  for (DrawDays days : {DrawDays::Wednesday, DrawDays::Saturday, DrawDays::Both}) {
    TermDrawDays->addItem(Text(DrawDaysText(days)), static_cast<int>(days));
  }
  daysLabel->setBuddy(TermDrawDays);
  drawDaysNote_ = Note(content_, "TermDrawDaysNote");

  TermSpiel77 = new QCheckBox(QStringLiteral("Spiel &77"), content_);
  TermSpiel77->setObjectName(QStringLiteral("TermSpiel77"));
  TermSpiel77->setAccessibleName(QStringLiteral("Spiel 77 gespielt"));
  spiel77Note_ = Note(content_, "TermSpiel77Note");
  TermSuper6 = new QCheckBox(QStringLiteral("Super &6"), content_);
  TermSuper6->setObjectName(QStringLiteral("TermSuper6"));
  TermSuper6->setAccessibleName(QStringLiteral("Super 6 gespielt"));
  super6Note_ = Note(content_, "TermSuper6Note");

  // Three rows, each setting with its note beside it: the page is only as wide as the window.
  settings->addWidget(firstLabel, 0, 0);
  settings->addWidget(TermFirstDay, 0, 1);
  settings->addWidget(firstDayNote_, 0, 2);
  settings->addWidget(daysLabel, 1, 0);
  settings->addWidget(TermDrawDays, 1, 1);
  settings->addWidget(drawDaysNote_, 1, 2);
  auto* addOns = new QHBoxLayout;
  addOns->addWidget(TermSpiel77);
  addOns->addWidget(spiel77Note_);
  addOns->addSpacing(16);
  addOns->addWidget(TermSuper6);
  addOns->addWidget(super6Note_);
  addOns->addStretch(1);
  settings->addLayout(addOns, 2, 1, 1, 2);
  settings->setColumnStretch(2, 1);
  column->addLayout(settings);

  problems_ = Note(content_, "TermProblems");
  problems_->setWordWrap(true);
  problems_->setStyleSheet(QStringLiteral("color: #b00000"));
  column->addWidget(problems_);

  TermDrawings = new QTreeWidget(content_);
  TermDrawings->setObjectName(QStringLiteral("TermDrawings"));
  TermDrawings->setAccessibleName(QStringLiteral("Ziehungen der Laufzeit"));
  TermDrawings->setRootIsDecorated(false);
  TermDrawings->setUniformRowHeights(true);
  TermDrawings->setAllColumnsShowFocus(true);
  TermDrawings->setHeaderLabels({QStringLiteral("Ziehung"), QStringLiteral("Zahlen"),
                                 QStringLiteral("Ergebnis"), QStringLiteral("Betrag")});
  TermDrawings->headerItem()->setTextAlignment(kAmountColumn, Qt::AlignRight | Qt::AlignVCenter);
  QHeaderView* header = TermDrawings->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(kDayColumn, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(kNumbersColumn, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(kResultColumn, QHeaderView::Stretch);
  header->setSectionResizeMode(kAmountColumn, QHeaderView::ResizeToContents);
  column->addWidget(TermDrawings, 3);

  TermReport = new QPlainTextEdit(content_);
  TermReport->setObjectName(QStringLiteral("TermReport"));
  TermReport->setAccessibleName(QStringLiteral("Auswertung der Ziehung"));
  TermReport->setReadOnly(true);
  TermReport->setTabChangesFocus(true);
  TermReport->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Room for a day's header and two lines, more by scrolling; the list takes the rest.
  TermReport->setMaximumHeight(TermReport->fontMetrics().lineSpacing() * 3 + 12);
  column->addWidget(TermReport, 1);

  TermTotal = Note(content_, "TermTotal");
  QFont bold = TermTotal->font();
  bold.setBold(true);
  TermTotal->setFont(bold);
  TermTotal->setAccessibleName(QStringLiteral("Gewinn der Laufzeit"));
  TermTotal->setWordWrap(true);

  auto* buttons = new QHBoxLayout;
  TermFetch = Button(content_, "TermFetch", QStringLiteral("Ziehungen &holen"),
                     QStringLiteral("Die fehlenden Ziehungen der Laufzeit von lotto.de holen"));
  TermCancel = Button(content_, "TermCancel", QStringLiteral("Abb&rechen"),
                      QStringLiteral("Das Holen der Ziehungen abbrechen"));
  TermCancel->setEnabled(false);
  TermImport = Button(content_, "TermImport", QStringLiteral("Ziehungen i&mportieren \u2026"),
                      QStringLiteral("Ziehungen aus einer Datei (CSV oder JSON) ins Archiv \u00fcbernehmen"));
  TermStatus = Note(content_, "TermStatus");
  TermStatus->setAccessibleName(QStringLiteral("Stand"));
  TermStatus->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* totalRow = new QHBoxLayout;
  totalRow->addWidget(TermTotal, 1);
  totalRow->addWidget(TermStatus);
  column->addLayout(totalRow);
  buttons->addWidget(TermFetch);
  buttons->addWidget(TermCancel);
  buttons->addWidget(TermImport);
  buttons->addStretch(1);
  column->addLayout(buttons);

  QWidget* const chain[] = {TermFirstDay, TermDrawDays, TermSpiel77, TermSuper6, TermDrawings,
                            TermReport,   TermFetch,    TermCancel,  TermImport};
  for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TermSheet::ConnectHandlers() {
  auto handle = [this](void (TermSheet::*handler)()) {
    return [this, handler] { RunHandler(platform_, [this, handler] { (this->*handler)(); }); };
  };
  connect(TermFirstDay, &QDateEdit::editingFinished, this, handle(&TermSheet::FirstDayEdited));
  connect(TermDrawDays, &QComboBox::activated, this, handle(&TermSheet::DrawDaysChosen));
  connect(TermSpiel77, &QCheckBox::clicked, this, handle(&TermSheet::Spiel77Toggled));
  connect(TermSuper6, &QCheckBox::clicked, this, handle(&TermSheet::Super6Toggled));
  connect(TermDrawings, &QTreeWidget::currentItemChanged, this,
          handle(&TermSheet::ShowSelectedDay));
  connect(TermFetch, &QPushButton::clicked, this, handle(&TermSheet::FetchClicked));
  connect(TermCancel, &QPushButton::clicked, this, handle(&TermSheet::CancelClicked));
  connect(TermImport, &QPushButton::clicked, this, handle(&TermSheet::ImportClicked));
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
  if (!content_) {
    CreateControls();
    ConnectHandlers();
  }
  RunHandler(platform_, [this] { Refresh(); });
}

bool TermSheet::OpenArchive() {
  if (archive_) return true;
  try {
    archive_ = std::make_unique<DrawingArchive>(setup_.archive);
  } catch (const Error& failure) {
    // Told once; the tab says it on every showing, and the next one tries again.
    const bool told = archiveProblem_ == failure.what();
    archiveProblem_ = failure.what();
    if (!told) ShowException(platform_, failure);
    return false;
  }
  archiveProblem_.clear();
  fetch_ = std::make_unique<ServiceFetch>(*archive_);
  if (setup_.serviceBase.isValid()) fetch_->SetBase(setup_.serviceBase);
  connect(fetch_.get(), &ServiceFetch::progress, this, [this](int done, int total) {
    TermStatus->setText(ProgressText(done, total));
  });
  connect(fetch_.get(), &ServiceFetch::waiting, this,
          [this](int seconds) { TermStatus->setText(WaitingText(seconds)); });
  connect(fetch_.get(), &ServiceFetch::drawingStored, this,
          [this] { RunHandler(platform_, [this] { Refresh(); }); });
  connect(fetch_.get(), &ServiceFetch::finished, this, [this](int stored) {
    FetchEnded(stored == 0 ? QStringLiteral("Keine neuen Ziehungen")
                           : DrawingsCount(stored) + QStringLiteral(" geholt"));
  });
  connect(fetch_.get(), &ServiceFetch::cancelled, this, [this](int stored) {
    FetchEnded(QStringLiteral("Abgebrochen, ") + DrawingsCount(stored) +
               QStringLiteral(" geholt"));
  });
  connect(fetch_.get(), &ServiceFetch::failed, this, [this](const QString& message) {
    FetchEnded(QStringLiteral("Holen gescheitert"));
    platform_.ShowMessage(MessageKind::Plain, message);
  });
  return true;
}

void TermSheet::Refresh() {
  if (currentTicket_) ticketPath_ = currentTicket_();
  check_.reset();
  ticket_.reset();
  if (ticketPath_.empty()) {
    ShowNoTicket(QStringLiteral(
        "Es ist kein Spielschein geladen. Laden Sie einen auf der Seite \u201eSpielschein\u201c, "
        "dann zeigt diese Seite jede Ziehung seiner Laufzeit mit ihrem Gewinn."));
    return;
  }
  try {
    ticket_ = ReadTermTicket(ticketPath_, clock_.Today().year());
  } catch (const Error& failure) {
    ShowNoTicket(QStringLiteral("Der Spielschein kann nicht gelesen werden: ") +
                 Text(failure.what()));
    return;
  }
  const std::vector<Date> days = TermDrawingDays(ticket_->term);
  std::vector<Drawing> stored;
  if (!days.empty() && OpenArchive()) stored = archive_->ReadRange(days.front(), days.back());
  const Date today = clock_.Today();
  check_ = CheckTerm(PlayOf(ticket_->ticket, ticket_->term), TermDaysOf(days, stored, today),
                     today);
  ShowTerm();
}

void TermSheet::ShowNoTicket(const QString& why) {
  noTicket_->setText(why);
  noTicket_->show();
  content_->hide();
}

void TermSheet::ShowTerm() {
  noTicket_->hide();
  content_->show();
  const TicketTerm& term = ticket_->term;
  {
    const QSignalBlocker blockDate(TermFirstDay), blockDays(TermDrawDays), block77(TermSpiel77),
        block6(TermSuper6);
    TermFirstDay->setMaximumDate(ToQDate(term.lastDay));
    TermFirstDay->setDate(ToQDate(term.firstDay.value));
    TermDrawDays->setCurrentIndex(TermDrawDays->findData(static_cast<int>(term.drawDays.value)));
    TermSpiel77->setChecked(term.spiel77.value);
    TermSuper6->setChecked(term.super6.value);
  }
  ShowSettingNotes();
  ShowList();

  QString total = Text(TotalLine(check_->totals));
  if (check_->firstQuotaToFetch) {
    total += QStringLiteral("\nDie fehlenden Quoten holt \u201EZiehungen holen\u201C.");
  }
  TermTotal->setText(total);
  if (fetch_ && fetch_->IsRunning()) return;  // the fetch's progress stands there
  const Date today = clock_.Today();
  const std::vector<Date> days = TermDrawingDays(term);
  if (!archiveProblem_.empty()) {
    TermStatus->setText(QStringLiteral("Das Archiv ist nicht verf\u00fcgbar"));
    TermStatus->setToolTip(Text(archiveProblem_));
  } else if (days.empty()) {
    TermStatus->setText(QStringLiteral("Die Laufzeit hat keinen Ziehungstag"));
  } else if (days.front() > today) {
    TermStatus->setText(QStringLiteral("Die erste Ziehung ist am ") + DayText(days.front()));
  } else if (check_->missing > 0) {
    TermStatus->setText(DrawingsCount(check_->missing) +
                        (check_->missing == 1 ? QStringLiteral(" fehlt im Archiv")
                                              : QStringLiteral(" fehlen im Archiv")));
  } else {
    TermStatus->clear();
  }
  if (archiveProblem_.empty()) TermStatus->setToolTip({});
  TermFetch->setEnabled(archive_ && !days.empty() && days.front() <= today);
  TermImport->setEnabled(archive_ != nullptr);
}

void TermSheet::ShowSettingNotes() {
  const TicketTerm& term = ticket_->term;
  ShowNote(firstDayNote_, TermFirstDay, term.firstDay);
  ShowNote(drawDaysNote_, TermDrawDays, term.drawDays);
  ShowNote(spiel77Note_, TermSpiel77, term.spiel77);
  ShowNote(super6Note_, TermSuper6, term.super6);
  QStringList problems;
  for (const auto& [name, problem] : {std::pair{"Erste Ziehung", &term.firstDay.problem},
                                      {"Ziehungstage", &term.drawDays.problem},
                                      {"Spiel 77", &term.spiel77.problem},
                                      {"Super 6", &term.super6.problem}}) {
    if (!problem->empty())
      problems << QString::fromLatin1(name) + QStringLiteral(": ") + Text(*problem);
  }
  problems_->setText(problems.join(u'\n'));
  problems_->setVisible(!problems.isEmpty());
}

void TermSheet::ShowList() {
  // Keep the day selected across a refresh, so that a fetch does not move the person's place.
  const QVariant selected =
      TermDrawings->currentItem() ? TermDrawings->currentItem()->data(0, Qt::UserRole) : QVariant();
  const QSignalBlocker block(TermDrawings);
  TermDrawings->clear();
  QTreeWidgetItem* select = nullptr;
  QTreeWidgetItem* lastDrawn = nullptr;
  for (const TermDayResult& result : check_->days) {
    auto* item = new QTreeWidgetItem(TermDrawings);
    item->setText(kDayColumn, DayText(result.day.date()));
    item->setText(kNumbersColumn, NumbersOf(result));
    item->setText(kResultColumn, ResultOf(result.summary));
    item->setToolTip(kResultColumn, Text(SummaryText(result.summary)));
    item->setText(kAmountColumn, AmountOf(result.summary));
    item->setTextAlignment(kAmountColumn, Qt::AlignRight | Qt::AlignVCenter);
    item->setData(0, Qt::UserRole, result.day.date().dayCount);
    if (result.summary.kind == DaySummary::Kind::Won) {
      QFont font = item->font(kResultColumn);
      font.setBold(true);
      item->setFont(kResultColumn, font);
      item->setFont(kAmountColumn, font);
    }
    if (result.day.drawing()) lastDrawn = item;
    if (selected.isValid() && selected.toInt() == result.day.date().dayCount) select = item;
  }
  if (!select) select = lastDrawn ? lastDrawn : TermDrawings->topLevelItem(0);
  if (select) TermDrawings->setCurrentItem(select);
  ShowSelectedDay();
}

void TermSheet::ShowSelectedDay() {
  TermReport->clear();
  QTreeWidgetItem* item = TermDrawings->currentItem();
  if (!item || !check_) return;
  const int index = TermDrawings->indexOfTopLevelItem(item);
  if (index < 0 || static_cast<std::size_t>(index) >= check_->days.size()) return;
  std::vector<std::string> lines;
  AppendDayLines(check_->days[static_cast<std::size_t>(index)], lines);
  QStringList texts;
  for (const std::string& line : lines) texts << Text(line);
  TermReport->setPlainText(texts.join(u'\n'));
}

void TermSheet::SaveSetting(const std::function<void()>& write) {
  try {
    write();
  } catch (...) {
    ShowTerm();  // the fields show again what the file still holds
    throw;
  }
  Refresh();
}

void TermSheet::FirstDayEdited() {
  if (!ticket_) return;
  const Date chosen = FromQDate(TermFirstDay->date());
  if (chosen == ticket_->term.firstDay.value) return;
  SaveSetting([&] { WriteTermFirstDay(ticketPath_, chosen); });
}

void TermSheet::DrawDaysChosen() {
  if (!ticket_) return;
  const auto days = static_cast<DrawDays>(TermDrawDays->currentData().toInt());
  SaveSetting([&] { WriteTermDrawDays(ticketPath_, days); });
}

void TermSheet::Spiel77Toggled() {
  if (!ticket_) return;
  const bool played = TermSpiel77->isChecked();
  SaveSetting([&] { WriteTermSpiel77(ticketPath_, played); });
}

void TermSheet::Super6Toggled() {
  if (!ticket_) return;
  const bool played = TermSuper6->isChecked();
  SaveSetting([&] { WriteTermSuper6(ticketPath_, played); });
}

void TermSheet::FetchClicked() {
  if (!ticket_ || !OpenArchive()) return;
  const std::vector<Date> days = TermDrawingDays(ticket_->term);
  const Date today = clock_.Today();
  if (days.empty() || days.front() > today) return;
  SetFetching(true);
  fetch_->Start(days.front(), std::min(days.back(), today));
}

void TermSheet::CancelClicked() {
  if (fetch_ && fetch_->IsRunning()) fetch_->Cancel();
}

void TermSheet::FetchEnded(const QString& status) {
  SetFetching(false);
  RunHandler(platform_, [this] { Refresh(); });
  TermStatus->setText(status);
}

void TermSheet::SetFetching(bool fetching) {
  TermFetch->setEnabled(!fetching);
  TermImport->setEnabled(!fetching);
  TermCancel->setEnabled(fetching);
  if (fetching) TermStatus->setText(ProgressText(0, 0));
}

void TermSheet::ImportClicked() {
  if (!OpenArchive()) return;
  const std::optional<QString> chosen = platform_.ChooseDrawingsFile();
  if (!chosen) return;
  const std::string result =
      ImportDrawingsFile(*archive_, std::filesystem::path(chosen->toStdU16String()));
  Refresh();
  platform_.ShowMessage(MessageKind::Plain, Text(result));
}

}  // namespace kw
