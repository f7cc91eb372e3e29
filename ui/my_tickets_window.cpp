#include "ui/my_tickets_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/cp1252.h"
#include "core/error.h"
#include "core/money.h"
#include "core/text.h"
#include "core/ticket_file.h"
#include "eval/today_report.h"
#include "qtedge/cp1252_text.h"
#include "ui/controls.h"
#include "ui/drawings_bar.h"
#include "ui/drawings_session.h"
#include "ui/platform.h"
#include "ui/term_panel.h"

namespace kw {

namespace {

enum Column { kName, kKind, kTerm, kDays, kState, kStake, kWon, kOpen, kColumns };

const QSize kSmallest(800, 500);
const QSize kFirstSize(1000, 640);

// The file's name, as a person knows the ticket. Windows separates folders by "\\" as well.
QString FileName(const std::string& path) {
  return QString::fromStdU16String(FsPath(path).filename().u16string());
}

// The cells are short, so that at the smallest size every column shows its value whole; the
// tip of each holds the long form.

QString TermText(const TicketCheck& check, bool shortYears) {
  if (check.days.empty()) return {};
  const auto date = [shortYears](Date day) {
    const QString text = FromCp1252(FormatShortDate(day));
    return shortYears ? text.left(6) + text.right(2) : text;
  };
  return date(check.days.front()) + QStringLiteral(" \u2013 ") + date(check.days.back());
}

// "3 Spiele", "3 Spiele, System 008", "3 Spiele, 2 Systeme".
QString KindCell(const TicketPlay& play) {
  const auto games = std::count_if(play.games.begin(), play.games.end(),
                                   [](const Game& game) { return !IsEmptyGame(game); });
  const auto systems = std::count_if(play.systems.begin(), play.systems.end(),
                                     [](const TicketSystem& system) { return system.IsSystem(); });
  if (systems < 2) return FromCp1252(KindText(play));
  QString text = games > 0 ? FromCp1252(CountText(games, "Spiel", "Spiele")) + QStringLiteral(", ")
                           : QString();
  return text + QStringLiteral("%1 Systeme").arg(systems);
}

// "läuft", "abgelaufen", "beginnt 05.12.", "ohne Losnummer" (what the person must mend first).
QString StateCell(const TicketCheck& check, Date today) {
  if (WithoutLotNumber(check)) return FromCp1252(kWithoutLotNumber);
  if (!check.days.empty() && today < check.days.front()) {
    return QStringLiteral("beginnt ") + FromCp1252(FormatShortDate(check.days.front())).left(6);
  }
  if (!check.days.empty() && check.days.back() < today) return QStringLiteral("abgelaufen");
  return FromCp1252(StateText(check, today));
}

// "12 34 56": numbers parted by blanks; nothing when the text is no such list.
std::vector<int> Numbers(const std::string& text) {
  std::vector<int> numbers;
  for (const QString& part : FromCp1252(text).split(u' ', Qt::SkipEmptyParts)) {
    bool ok = false;
    const int value = part.toInt(&ok);
    if (!ok) return {};
    numbers.push_back(value);
  }
  return numbers;
}

}  // namespace

MyTicketsWindow::MyTicketsWindow(const std::filesystem::path& settingsDirectory,
                                 DrawingsSession& drawings, Platform& platform, const Clock& clock,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window),
      settings_(settingsDirectory),
      drawings_(drawings),
      platform_(platform),
      clock_(clock) {
  setObjectName(QStringLiteral("MyTicketsWindow"));
  setWindowTitle(QStringLiteral("Meine Scheine"));
  setMinimumSize(kSmallest);
  CreateControls();
}

MyTicketsWindow::~MyTicketsWindow() {
  for (QObject* control : findChildren<QObject*>()) control->disconnect(this);
}

void MyTicketsWindow::CreateControls() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, 8, 8, 8);
  outer->setSpacing(6);

  splitter_ = new QSplitter(Qt::Vertical, this);
  splitter_->setChildrenCollapsible(false);
  outer->addWidget(splitter_, 1);

  auto* top = new QWidget(splitter_);
  auto* topColumn = new QVBoxLayout(top);
  topColumn->setContentsMargins(0, 0, 0, 0);
  TicketsList = new QTreeWidget(top);
  TicketsList->setObjectName(QStringLiteral("TicketsList"));
  TicketsList->setAccessibleName(QStringLiteral("Spielscheine"));
  TicketsList->setRootIsDecorated(false);
  TicketsList->setUniformRowHeights(true);
  TicketsList->setAllColumnsShowFocus(true);
  TicketsList->setHeaderLabels({QStringLiteral("Schein"), QStringLiteral("Art"),
                                QStringLiteral("Laufzeit"), QStringLiteral("Tage"),
                                QStringLiteral("Stand"), QStringLiteral("Einsatz"),
                                QStringLiteral("Gewinn"), QStringLiteral("Offen")});
  for (int column : {kDays, kStake, kWon}) {
    TicketsList->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
  }
  TicketsList->header()->setStretchLastSection(true);
  TicketsList->header()->setSectionResizeMode(QHeaderView::Interactive);
  topColumn->addWidget(TicketsList, 1);

  auto* buttons = new QHBoxLayout;
  TicketsAdd = TermButton(this, QStringLiteral("TicketsAdd"),
                          QStringLiteral("Schein &hinzuf\u00fcgen \u2026"),
                          QStringLiteral("Eine Schein-Datei in die Liste aufnehmen"));
  TicketsRemove = TermButton(this, QStringLiteral("TicketsRemove"), QStringLiteral("&Entfernen"),
                             QStringLiteral("Den gew\u00e4hlten Schein aus der Liste nehmen; die "
                                            "Datei bleibt, wo sie ist"));
  bar_ = new DrawingsBar(drawings_, platform_, QStringLiteral("Tickets"),
                         QStringLiteral("Die Ziehungen, die den Scheinen fehlen, von lotto.de "
                                        "holen"),
                         DrawingsBar::StatusPlace::Beside, this);
  buttons->addWidget(TicketsAdd);
  buttons->addWidget(TicketsRemove);
  buttons->addSpacing(16);
  buttons->addWidget(bar_, 1);

  auto* bottom = new QWidget(splitter_);
  auto* bottomColumn = new QVBoxLayout(bottom);
  bottomColumn->setContentsMargins(0, 0, 0, 0);
  TicketsNote = new QLabel(bottom);
  TicketsNote->setObjectName(QStringLiteral("TicketsNote"));
  TicketsNote->setTextFormat(Qt::PlainText);
  TicketsNote->setWordWrap(true);
  TicketsNote->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  bottomColumn->addWidget(TicketsNote);
  panel_ = new TermPanel(TermPanel::Room::Roomy, platform_, bottom);
  bottomColumn->addWidget(panel_, 1);
  splitter_->setStretchFactor(0, 2);
  splitter_->setStretchFactor(1, 3);
  splitter_->setSizes({180, 300});

  TicketsSum = new QLabel(this);
  TicketsSum->setObjectName(QStringLiteral("TicketsSum"));
  TicketsSum->setTextFormat(Qt::PlainText);
  TicketsSum->setWordWrap(true);
  TicketsSum->setAccessibleName(QStringLiteral("Summe aller Scheine"));
  TicketsSum->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = TicketsSum->font();
  bold.setBold(true);
  TicketsSum->setFont(bold);
  outer->addWidget(TicketsSum);
  outer->addLayout(buttons);

  const auto refresh = [this] { RunHandler(platform_, [this] { Refresh(); }); };
  connect(&drawings_, &DrawingsSession::drawingsChanged, this, refresh);
  connect(&drawings_, &DrawingsSession::fetchEnded, this, refresh);
  connect(panel_, &TermPanel::ticketChanged, this, [this] {
    RunHandler(platform_, [this] {
      const int index = SelectedRow();
      if (index < 0) return;
      CheckRow(rows_[static_cast<std::size_t>(index)]);
      stamps_ = Stamps();
      ShowRow(index);
      ShowSelected();
      ShowSum();
    });
  });
  connect(TicketsList, &QTreeWidget::currentItemChanged, this,
          [this] { RunHandler(platform_, [this] { ShowSelected(); }); });
  connect(TicketsAdd, &QPushButton::clicked, this,
          [this] { RunHandler(platform_, [this] { AddClicked(); }); });
  connect(TicketsRemove, &QPushButton::clicked, this,
          [this] { RunHandler(platform_, [this] { RemoveClicked(); }); });
  connect(bar_, &DrawingsBar::fetchRequested, this,
          [this] { RunHandler(platform_, [this] { FetchClicked(); }); });

  QWidget* const chain[] = {
      TicketsList,          TicketsAdd,           TicketsRemove, bar_->fetchButton(),
      bar_->cancelButton(), bar_->importButton(), panel_};
  for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void MyTicketsWindow::ShowAndRaise() {
  if (isVisible()) {
    RunHandler(platform_, [this] { Refresh(); });
  } else {
    show();
  }
  raise();
  activateWindow();
}

void MyTicketsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  if (!placed_) {
    RestorePlace();
    placed_ = true;
  }
  RunHandler(platform_, [this] { Refresh(); });
}

void MyTicketsWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) KeepPlace();
}

void MyTicketsWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Back from another program, where a file may have been moved, changed or unplugged.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !stamps_.empty() &&
      Stamps() != stamps_) {
    RunHandler(platform_, [this] { Refresh(); });
  }
}

std::vector<std::string> MyTicketsWindow::Stamps() const {
  std::vector<std::string> stamps;
  for (const TicketFileCheck& row : rows_) {
    std::error_code sizeError;
    std::error_code timeError;
    const std::filesystem::path file = FsPath(row.path);
    const auto size = std::filesystem::file_size(file, sizeError);
    const auto time = std::filesystem::last_write_time(file, timeError);
    stamps.push_back(sizeError || timeError ? std::string("-")
                                            : std::to_string(size) + " " +
                                                  std::to_string(time.time_since_epoch().count()));
  }
  return stamps;
}

void MyTicketsWindow::Refresh() {
  const int selected = SelectedRow();
  const std::string selectedPath =
      selected >= 0 ? rows_[static_cast<std::size_t>(selected)].path : std::string();
  std::vector<std::string> paths = settings_.ReadTicketList();
  // A list that was never kept starts with the ticket the main window shows, loaded before
  // Kreuzwart kept the list; once the window has been opened, the list is the person's own.
  if (!startedList_) {
    startedList_ = true;
    if (paths.empty()) {
      RememberTicket(settings_, settings_.ReadTicketPath());
      paths = settings_.ReadTicketList();
    }
  }
  rows_.clear();
  for (const std::string& path : paths) {
    TicketFileCheck& row = rows_.emplace_back();
    row.path = path;
    CheckRow(row);
  }
  stamps_ = Stamps();
  ShowRows();
  int select = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].path == selectedPath) select = static_cast<int>(i);
  }
  if (!rows_.empty()) TicketsList->setCurrentItem(TicketsList->topLevelItem(select));
  ShowSelected();
  ShowSum();
}

void MyTicketsWindow::CheckRow(TicketFileCheck& row) {
  row = CheckTicketFile(
      row.path, [this](Date first, Date last) { return drawings_.ReadRange(first, last); },
      clock_.Today());
}

void MyTicketsWindow::ShowRows() {
  const QSignalBlocker block(TicketsList);
  TicketsList->clear();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    new QTreeWidgetItem(TicketsList);
    ShowRow(static_cast<int>(i));
  }
  // Every column at least as wide as its content, so that nothing a person must read is cut;
  // wider where the person made it so.
  for (int column = 0; column < kColumns - 1; ++column) {
    const int kept = TicketsList->columnWidth(column);
    TicketsList->resizeColumnToContents(column);
    if (keptWidths_ && kept > TicketsList->columnWidth(column)) {
      TicketsList->setColumnWidth(column, kept);
    }
  }
  keptWidths_ = true;
  FitColumns();
  // Where no ticket names a day to fetch, "Ziehungen holen" brings the archive up to today.
  bar_->SetFetchable(true);
  TicketsRemove->setEnabled(!rows_.empty());
}

void MyTicketsWindow::ShowRow(int index) {
  const TicketFileCheck& row = rows_[static_cast<std::size_t>(index)];
  QTreeWidgetItem* item = TicketsList->topLevelItem(index);
  if (!item) return;
  for (int column = 0; column < kColumns; ++column) item->setText(column, {});
  item->setText(kName, FileName(row.path));
  item->setToolTip(kName, FromCp1252(row.path));
  for (int column : {kDays, kStake, kWon}) {
    item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
  }
  if (!row.check) {
    item->setText(kState,
                  row.missing ? FromCp1252(kTicketFileMissing) : QStringLiteral("nicht lesbar"));
    item->setToolTip(kState, FromCp1252(row.RefusalText()));
    item->setForeground(
        kState, ReadableColour(TextRole::Error, TicketsList->palette().color(QPalette::Base)));
    return;
  }
  const TicketCheck& check = *row.check;
  item->setText(kKind, KindCell(check.play));
  item->setToolTip(kKind, FromCp1252(KindText(check.play)));
  item->setText(kTerm, TermText(check, true));
  item->setToolTip(kTerm, TermText(check, false));
  item->setText(kDays, QString::number(check.days.size()));
  // Checked without its Losnummer the ticket wins less than it may have: the state says so, the
  // tip names why.
  item->setText(kState, StateCell(check, clock_.Today()));
  std::string stateTip = StateText(check, clock_.Today());
  if (const std::string lotNumber = ReadLotNumber(check.ticket.ticket.lotNumber).line;
      !lotNumber.empty()) {
    stateTip += "; " + lotNumber;
  }
  item->setToolTip(kState, FromCp1252(stateTip));
  item->setForeground(kState, palette().color(QPalette::Text));
  item->setText(kStake, FromCp1252(StakeText(check.stake)));
  item->setText(kWon, FromCp1252(EuroText(check.term.totals.cents)));
  // What is still open, counted: wins without an amount yet and days the archive lacks. The tip
  // names it whole, as the total below does.
  const CheckTotals& totals = check.term.totals;
  QStringList open, openTip;
  if (const int wins = totals.WithoutAmount(); wins > 0) {
    open << FromCp1252(CountText(wins, "Gewinn", "Gewinne"));
    openTip << FromCp1252(OpenAmountsText(totals));
  }
  if (const int days = totals.drawingsMissing; days > 0) {
    // Beside the wins the days are counted in a word, so that the cell stays whole.
    open << FromCp1252(open.isEmpty() ? DrawingsText(days) + (days == 1 ? " fehlt" : " fehlen")
                                      : CountText(days, "Tag", "Tage"));
    openTip << FromCp1252(MissingDrawingsText(days));
  }
  item->setText(kOpen, open.join(QStringLiteral(", ")));
  item->setToolTip(kOpen, openTip.join(QStringLiteral("; ")));
}

void MyTicketsWindow::FitColumns() {
  // The name is the person's own and may be of any length: where the row is wider than the list,
  // it gives way (its tip holds the whole path), so that every figure and state stays whole.
  const auto contentWidth = [this](int column) {
    const int margin =
        2 *
        (TicketsList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, TicketsList) + 1);
    int width = TicketsList->header()->sectionSizeHint(column);
    for (int row = 0; row < TicketsList->topLevelItemCount(); ++row) {
      width = std::max(width, TicketsList->fontMetrics().horizontalAdvance(
                                  TicketsList->topLevelItem(row)->text(column)) +
                                  margin);
    }
    return width;
  };
  int others = 0;
  for (int column = kName + 1; column < kColumns - 1; ++column) {
    others += TicketsList->columnWidth(column);
  }
  const int room = TicketsList->viewport()->width() - others - contentWidth(kOpen);
  if (TicketsList->columnWidth(kName) > room) {
    const int least = TicketsList->header()->sectionSizeHint(kName);
    TicketsList->setColumnWidth(kName,
                                std::clamp(room, least, std::max(least, contentWidth(kName))));
  }
}

void MyTicketsWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (keptWidths_) FitColumns();
}

int MyTicketsWindow::SelectedRow() const {
  QTreeWidgetItem* item = TicketsList ? TicketsList->currentItem() : nullptr;
  const int index = item ? TicketsList->indexOfTopLevelItem(item) : -1;
  return index >= 0 && static_cast<std::size_t>(index) < rows_.size() ? index : -1;
}

void MyTicketsWindow::ShowSelected() {
  const int index = SelectedRow();
  if (index < 0) {
    panel_->hide();
    TicketsNote->setText(QStringLiteral(
        "Noch kein Schein in der Liste. \u201ESchein hinzuf\u00fcgen \u2026\u201C nimmt einen auf; "
        "jeder Schein, der geladen oder gespeichert wird, kommt von selbst dazu."));
    TicketsNote->show();
    return;
  }
  const TicketFileCheck& row = rows_[static_cast<std::size_t>(index)];
  if (!row.check) {
    panel_->hide();
    QString note = FromCp1252(row.RefusalText());
    if (row.missing) {
      note += QStringLiteral(
          ". \u201EEntfernen\u201C nimmt den Schein aus der Liste; eine Datei "
          "wird dabei nie gel\u00f6scht.");
    }
    TicketsNote->setText(note);
    TicketsNote->show();
    return;
  }
  TicketsNote->hide();
  panel_->show();
  panel_->Show(*row.check, row.path);
}

void MyTicketsWindow::ShowSum() { TicketsSum->setText(FromCp1252(AllTicketsLine(SumOf(rows_)))); }

void MyTicketsWindow::AddClicked() {
  const std::optional<QString> chosen = platform_.ChooseTicketFile();
  if (!chosen) return;
  const std::string path = TicketPathText(*chosen);
  RememberTicket(settings_, path);
  Refresh();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].path == path)
      TicketsList->setCurrentItem(TicketsList->topLevelItem(static_cast<int>(i)));
  }
}

void MyTicketsWindow::RemoveClicked() {
  const int index = SelectedRow();
  if (index < 0) return;
  // Only the list changes: the file stays wherever the person keeps it.
  ForgetTicket(settings_, rows_[static_cast<std::size_t>(index)].path);
  Refresh();
  if (!rows_.empty()) {
    TicketsList->setCurrentItem(
        TicketsList->topLevelItem(std::min(index, static_cast<int>(rows_.size()) - 1)));
  }
}

void MyTicketsWindow::FetchClicked() {
  if (const auto range = FetchRange(rows_, clock_.Today())) {
    drawings_.Fetch(range->first, range->second);
  } else {
    drawings_.FetchUpTo(clock_.Today());
  }
}

void MyTicketsWindow::RestorePlace() {
  const std::vector<int> place = Numbers(settings_.ReadWindowValue(SettingsFile::kWindowPlaceKey));
  const QRect wanted = place.size() == 4 ? QRect(place[0], place[1], place[2], place[3]) : QRect();
  // The screen the place was on, if it is still there; a place from a screen that is gone, or
  // larger than the screen now is, is fitted into what there is.
  const QScreen* screen = wanted.isValid() ? QGuiApplication::screenAt(wanted.center()) : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
  if (wanted.isValid()) {
    // The place is that of the window's inside; its frame and title bar must fit too. Before the
    // window manager has framed it, a title bar's height is room enough.
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                   outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame.isNull()) frame.setTop(style()->pixelMetric(QStyle::PM_TitleBarHeight));
    setGeometry(FittedInto(QRect(wanted.topLeft(), wanted.size().expandedTo(kSmallest)),
                           available - frame));
  } else {
    resize(kFirstSize.boundedTo(available.size()).expandedTo(kSmallest));
    CentreOnScreen(this);
  }
  const std::vector<int> widths =
      Numbers(settings_.ReadWindowValue(SettingsFile::kWindowColumnsKey));
  keptWidths_ = !widths.empty();
  for (int column = 0; column < static_cast<int>(widths.size()) && column < kColumns - 1;
       ++column) {
    if (widths[static_cast<std::size_t>(column)] > 0) {
      TicketsList->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    }
  }
}

void MyTicketsWindow::KeepPlace() {
  const QRect place = geometry();
  QStringList widths;
  for (int column = 0; column < kColumns - 1; ++column) {
    widths << QString::number(TicketsList->columnWidth(column));
  }
  // The place is a help: a ZW.INI that cannot take it is reported by the settings' own saves.
  try {
    settings_.WriteWindowValue(SettingsFile::kWindowPlaceKey, QStringLiteral("%1 %2 %3 %4")
                                                                  .arg(place.x())
                                                                  .arg(place.y())
                                                                  .arg(place.width())
                                                                  .arg(place.height())
                                                                  .toStdString());
    settings_.WriteWindowValue(SettingsFile::kWindowColumnsKey, widths.join(u' ').toStdString());
  } catch (const Error&) {
  }
}

}  // namespace kw
