#include "ui/term_panel.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "core/cp1252.h"
#include "core/error.h"
#include "core/money.h"
#include "eval/today_report.h"
#include "ui/controls.h"
#include "ui/platform.h"
#include "qtedge/cp1252_text.h"

namespace kw {

namespace {

enum Column { kDayColumn, kNumbersColumn, kResultColumn, kAmountColumn };

QDate ToQDate(Date date) { return QDate(date.year(), date.month(), date.day()); }
Date FromQDate(QDate date) { return Date::FromYmd(date.year(), date.month(), date.day()); }

QString NumbersOf(const TermDayResult& result) {
  const Drawing* drawing = result.day.drawing();
  if (!drawing) return {};
  QString text = FromCp1252(NumbersText(*drawing));
  if (drawing->superzahl) text += QStringLiteral(", SZ %1").arg(*drawing->superzahl);
  return text;
}

// The result column: the best class, or what the day is; the amount has a column of its own.
// The compact list names the add-on games' classes in short, so that its column is not cut; the
// tip says it whole.
QString ResultOf(const DaySummary& summary, TermPanel::Room room) {
  return FromCp1252(SummaryCellText(summary, room == TermPanel::Room::Compact));
}

QString AmountOf(const DaySummary& summary) {
  if (summary.kind != DaySummary::Kind::Won) return {};
  QString amount;
  if (summary.totals.cents > 0 || summary.totals.WithoutAmount() == 0) {
    amount = FromCp1252(EuroText(summary.totals.cents));
  }
  if (summary.totals.WithoutAmount() > 0) {
    amount += amount.isEmpty() ? QStringLiteral("offen") : QStringLiteral(" + offen");
  }
  return amount;
}

// A date field where a whole date can be typed over the one shown: Qt's own field takes typing
// section by section only, so the first digit over a whole selection starts at the day, and a
// full stop right after a section filled itself is the one the person typed, not the next.
class DateField : public QDateEdit {
 public:
  using QDateEdit::QDateEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QString typed = event->text();
    const bool digit = !typed.isEmpty() && typed[0].isDigit();
    const bool separator = typed == QStringLiteral(".") || typed == QStringLiteral(",");
    if (digit && lineEdit()->hasSelectedText() &&
        lineEdit()->selectedText() == lineEdit()->text()) {
      setSelectedSection(DaySection);
    }
    if (separator && advanced_) {
      advanced_ = false;
      return;
    }
    const Section before = currentSection();
    QDateEdit::keyPressEvent(event);
    advanced_ = digit && currentSection() != before;
  }

 private:
  bool advanced_ = false;  // the last digit filled its section and moved on to the next
};

QLabel* Note(QWidget* parent, const char* name) {
  auto* note = new QLabel(parent);
  note->setObjectName(QString::fromLatin1(name));
  note->setTextFormat(Qt::PlainText);
  return note;
}

// "angenommen" beside a setting the file does not give, "ungültig" beside one it gives wrongly.
template <class T>
void ShowNote(QLabel* note, QWidget* field, const TermSetting<T>& setting) {
  const bool wrong = !setting.problem.empty();
  note->setText(wrong             ? QStringLiteral("ung\u00fcltig, angenommen")
                : setting.assumed ? QStringLiteral("angenommen")
                                  : QString());
  note->setToolTip(FromCp1252(setting.problem));
  note->setStyleSheet(wrong ? ErrorTextStyle(note) : QString());
  field->setAccessibleDescription(wrong ? FromCp1252(setting.problem) : note->text());
}

}  // namespace

void UseGermanCalendar(QDateEdit* field) {
  const QLocale german(QLocale::German, QLocale::Germany);
  field->setLocale(german);
  if (QCalendarWidget* calendar = field->calendarWidget()) {
    calendar->setLocale(german);
    calendar->setFirstDayOfWeek(Qt::Monday);
  }
}

TermPanel::TermPanel(Room room, Platform& platform, QWidget* parent)
    : QWidget(parent), room_(room), platform_(platform) {
  setObjectName(QStringLiteral("TermPanel"));
  CreateControls();
  ConnectHandlers();
}

TermPanel::~TermPanel() {
  // The date field reports the end of its editing when it loses the focus, and it loses it while
  // the panel's children are destroyed, after the panel itself: nothing of the panel may run then.
  for (QObject* control : findChildren<QObject*>()) control->disconnect(this);
}

void TermPanel::CreateControls() {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);

  auto* settings = new QGridLayout;
  settings->setHorizontalSpacing(6);
  settings->setVerticalSpacing(3);
  auto* firstLabel = new QLabel(QStringLiteral("&Erste Ziehung:"), this);
  TermFirstDay = new DateField(this);
  TermFirstDay->setObjectName(QStringLiteral("TermFirstDay"));
  TermFirstDay->setAccessibleName(QStringLiteral("Erste Ziehung"));
  TermFirstDay->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  TermFirstDay->setCalendarPopup(true);
  UseGermanCalendar(TermFirstDay);
  firstLabel->setBuddy(TermFirstDay);
  firstDayNote_ = Note(this, "TermFirstDayNote");

  auto* daysLabel = new QLabel(QStringLiteral("Ziehungs&tage:"), this);
  TermDrawDays = new QComboBox(this);
  TermDrawDays->setObjectName(QStringLiteral("TermDrawDays"));
  TermDrawDays->setAccessibleName(QStringLiteral("Ziehungstage"));
  for (DrawDays days : {DrawDays::Wednesday, DrawDays::Saturday, DrawDays::Both}) {
    TermDrawDays->addItem(FromCp1252(DrawDaysText(days)), static_cast<int>(days));
  }
  daysLabel->setBuddy(TermDrawDays);
  drawDaysNote_ = Note(this, "TermDrawDaysNote");

  TermSpiel77 = new QCheckBox(QStringLiteral("Spiel &77"), this);
  TermSpiel77->setObjectName(QStringLiteral("TermSpiel77"));
  TermSpiel77->setAccessibleName(QStringLiteral("Spiel 77 gespielt"));
  spiel77Note_ = Note(this, "TermSpiel77Note");
  TermSuper6 = new QCheckBox(QStringLiteral("Super &6"), this);
  TermSuper6->setObjectName(QStringLiteral("TermSuper6"));
  TermSuper6->setAccessibleName(QStringLiteral("Super 6 gespielt"));
  super6Note_ = Note(this, "TermSuper6Note");

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

  problems_ = Note(this, "TermProblems");
  problems_->setWordWrap(true);
  problems_->setStyleSheet(ErrorTextStyle(this));
  column->addWidget(problems_);

  TermDrawings = new QTreeWidget(this);
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

  TermReport = new QPlainTextEdit(this);
  TermReport->setObjectName(QStringLiteral("TermReport"));
  TermReport->setAccessibleName(QStringLiteral("Auswertung der Ziehung"));
  TermReport->setReadOnly(true);
  TermReport->setTabChangesFocus(true);
  if (room_ == Room::Compact) {
    TermReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Room for a day's header and two lines, more by scrolling; the list takes the rest.
    TermReport->setMaximumHeight(TermReport->fontMetrics().lineSpacing() * 3 + 12);
  } else {
    TermReport->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    TermReport->setMinimumHeight(TermReport->fontMetrics().lineSpacing() * 3 + 12);
  }
  column->addWidget(TermReport, 1);

  TermTotal = Note(this, "TermTotal");
  QFont bold = TermTotal->font();
  bold.setBold(true);
  TermTotal->setFont(bold);
  TermTotal->setAccessibleName(QStringLiteral("Gewinn der Laufzeit"));
  TermTotal->setWordWrap(true);
  TermTotal->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(TermTotal);

  QWidget* const chain[] = {TermFirstDay, TermDrawDays, TermSpiel77,
                            TermSuper6,   TermDrawings, TermReport};
  for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TermPanel::ConnectHandlers() {
  auto handle = [this](void (TermPanel::*handler)()) {
    return [this, handler] { RunHandler(platform_, [this, handler] { (this->*handler)(); }); };
  };
  // Typing ends with the end of editing; a day picked in the calendar counts at once.
  connect(TermFirstDay, &QDateEdit::editingFinished, this, handle(&TermPanel::FirstDayChosen));
  if (QCalendarWidget* calendar = TermFirstDay->calendarWidget()) {
    connect(calendar, &QCalendarWidget::clicked, this, [this](QDate picked) {
      TermFirstDay->setDate(picked);
      RunHandler(platform_, [this] { FirstDayChosen(); });
    });
  }
  connect(TermDrawDays, &QComboBox::activated, this, handle(&TermPanel::DrawDaysChosen));
  connect(TermSpiel77, &QCheckBox::clicked, this, handle(&TermPanel::Spiel77Toggled));
  connect(TermSuper6, &QCheckBox::clicked, this, handle(&TermPanel::Super6Toggled));
  connect(TermDrawings, &QTreeWidget::currentItemChanged, this,
          handle(&TermPanel::ShowSelectedDay));
}

void TermPanel::Show(const TicketCheck& check, const std::string& ticketPath) {
  check_ = check;
  ticketPath_ = ticketPath;
  ShowSettings();
  ShowList();
  ShowTotal();
}

void TermPanel::ShowSettings() {
  const TicketTerm& term = check_->ticket.term;
  {
    const QSignalBlocker blockDate(TermFirstDay), blockDays(TermDrawDays), block77(TermSpiel77),
        block6(TermSuper6);
    TermFirstDay->setMaximumDate(ToQDate(term.lastDay));
    TermFirstDay->setDate(ToQDate(term.firstDay.value));
    TermDrawDays->setCurrentIndex(TermDrawDays->findData(static_cast<int>(term.drawDays.value)));
    TermSpiel77->setChecked(term.spiel77.value);
    TermSuper6->setChecked(term.super6.value);
  }
  ShowNote(firstDayNote_, TermFirstDay, term.firstDay);
  ShowNote(drawDaysNote_, TermDrawDays, term.drawDays);
  ShowNote(spiel77Note_, TermSpiel77, term.spiel77);
  ShowNote(super6Note_, TermSuper6, term.super6);
  QStringList problems;
  for (const std::string& line : ProblemLines(*check_)) problems << FromCp1252(line);
  problems_->setText(problems.join(u'\n'));
  problems_->setVisible(!problems.isEmpty());
}

void TermPanel::ShowList() {
  // Keep the day selected across a refresh, so that a fetch does not move the person's place.
  const QVariant selected =
      TermDrawings->currentItem() ? TermDrawings->currentItem()->data(0, Qt::UserRole) : QVariant();
  const QSignalBlocker block(TermDrawings);
  TermDrawings->clear();
  QTreeWidgetItem* select = nullptr;
  QTreeWidgetItem* lastDrawn = nullptr;
  for (const TermDayResult& result : check_->term.days) {
    auto* item = new QTreeWidgetItem(TermDrawings);
    item->setText(kDayColumn, FromCp1252(WeekdayDateText(result.day.date())));
    item->setText(kNumbersColumn, NumbersOf(result));
    item->setText(kResultColumn, ResultOf(result.summary, room_));
    item->setToolTip(kResultColumn, FromCp1252(SummaryText(result.summary)));
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

void TermPanel::ShowSelectedDay() {
  TermReport->clear();
  QTreeWidgetItem* item = TermDrawings->currentItem();
  if (!item || !check_) return;
  const int index = TermDrawings->indexOfTopLevelItem(item);
  const std::vector<TermDayResult>& days = check_->term.days;
  if (index < 0 || static_cast<std::size_t>(index) >= days.size()) return;
  std::vector<std::string> lines;
  AppendDayLines(days[static_cast<std::size_t>(index)], lines);
  QStringList texts;
  for (const std::string& line : lines) texts << FromCp1252(line);
  TermReport->setPlainText(texts.join(u'\n'));
}

void TermPanel::ShowTotal() {
  QString total = FromCp1252(TotalLine(check_->term.totals)) + u'\n' + FromCp1252(StakeLine(check_->stake));
  if (check_->term.firstQuotaToFetch) {
    total += QStringLiteral("\nDie fehlenden Quoten holt \u201EZiehungen holen\u201C.");
  }
  TermTotal->setText(total);
}

bool TermPanel::FileIsTheTicketShown() const {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(FsPath(ticketPath_), ec)) return false;
  try {
    const TermTicket now = ReadTermTicket(ticketPath_, check_->checkedOn.year());
    const EditorTicket& shown = check_->ticket.ticket;
    return now.ticket.games == shown.games && now.ticket.lotNumber == shown.lotNumber &&
           now.ticket.expiryDate == shown.expiryDate;
  } catch (const Error&) {
    return false;
  }
}

void TermPanel::SaveSetting(const std::function<void()>& write) {
  // A file gone since it was shown (a stick pulled out) is not made anew with one key, and another
  // ticket saved in its place does not take this one's settings: the owner shows what is there.
  if (!FileIsTheTicketShown()) {
    ShowSettings();
    emit ticketChanged();
    return;
  }
  try {
    write();
  } catch (...) {
    ShowSettings();  // the fields show again what the file still holds
    throw;
  }
  emit ticketChanged();
}

void TermPanel::FirstDayChosen() {
  if (!check_) return;
  const Date chosen = FromQDate(TermFirstDay->date());
  if (chosen == check_->ticket.term.firstDay.value) return;
  SaveSetting([&] { WriteTermFirstDay(ticketPath_, chosen); });
}

void TermPanel::DrawDaysChosen() {
  if (!check_) return;
  const auto days = static_cast<DrawDays>(TermDrawDays->currentData().toInt());
  SaveSetting([&] { WriteTermDrawDays(ticketPath_, days); });
}

void TermPanel::Spiel77Toggled() {
  if (!check_) return;
  const bool played = TermSpiel77->isChecked();
  SaveSetting([&] { WriteTermSpiel77(ticketPath_, played); });
}

void TermPanel::Super6Toggled() {
  if (!check_) return;
  const bool played = TermSuper6->isChecked();
  SaveSetting([&] { WriteTermSuper6(ticketPath_, played); });
}

}  // namespace kw
