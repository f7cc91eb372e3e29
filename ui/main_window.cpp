#include "ui/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <string>

#include "core/cp1252.h"
#include "core/error.h"
#include "core/profile.h"
#include "core/text.h"
#include "core/ticket_file.h"
#include "core/ticket_term.h"
#include "core/version.h"
#include "eval/evaluation.h"
#include "eval/ticket_check.h"
#include "eval/typed_drawing.h"
#include "eval/validity.h"
#include "qtedge/cp1252_text.h"
#include "ui/controls.h"
#include "ui/platform.h"

namespace kw {

namespace {

const QString kShowWednesday = QStringLiteral("Mittwoch anzeigen");  // Saturday is shown
const QString kShowSaturday = QStringLiteral("Samstag anzeigen");    // Wednesday is shown
const QString kHomePage = QStringLiteral("www.lotto.de");
constexpr int kNumberFieldLimit = 2;
constexpr int kSpiel77FieldLimit = kSpiel77Digits;
constexpr int kSuper6FieldLimit = kSuper6Digits;

// The ticket lines need a fixed pitch so that their number columns line up: every number takes
// four cells and a full game line of 33 characters must end before the right-hand column at x 280.
QFont TicketFont() {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Consolas"),
                    QStringLiteral("Courier New")});
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setBold(true);
  font.setPixelSize(12);
  return font;
}

QString NumberText(uint8_t number) { return QString::number(number); }

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  QFont font = this->font();
  font.setUnderline(true);
  setFont(font);
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText,
                   ReadableColour(TextRole::Link, palette.color(QPalette::Window)));
  setPalette(palette);
  setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

TForm1::TForm1(SettingsFile settings, Platform& platform, const Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      settings_(std::move(settings)),
      platform_(platform),
      clock_(clock) {
  CreateControls();
  ConnectHandlers();
  RunHandler(platform_, [this] { FormCreate(); });
}

TForm1::~TForm1() {
  RunHandler(platform_, [this] { FormDestroy(); });
}

void TForm1::KeepForEnd() {
  RunHandler(platform_, [this] { FormDestroy(); });
}

void TForm1::CreateControls() {
  setObjectName(QStringLiteral("TForm1"));
  // The version of the project; the application title keeps its own (kApplicationTitle).
  const QString caption = QStringLiteral("Kreuzwart v") + QString::fromLatin1(kVersion);
  setWindowTitle(caption);
  setFont(WindowFont());
  setFixedSize(449, 373);
  const QFont ticketFont = TicketFont();

  Button1 = MakeButton(this, "Button1", QStringLiteral("&Beenden"),
                       QStringLiteral("Programm beenden"), {168, 344, 113, 25});

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setGeometry(0, 0, 449, 337);
  TabSheet1 = new QWidget(PageControl1);
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  TabSheet2 = new QWidget(PageControl1);
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  TabSheet3 = new QWidget(PageControl1);
  TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
  PageControl1->addTab(TabSheet1, QStringLiteral("Spielschein"));
  PageControl1->addTab(TabSheet2, QStringLiteral("Zahlen"));
  PageControl1->addTab(TabSheet3, QStringLiteral("Programminfos"));

  // "Spielschein": the ticket as text, games on the left, lot number and expiry on the right.
  GroupBox1 =
      MakeGroup(TabSheet1, "GroupBox1", QStringLiteral("Spielschein"),
                QStringLiteral("Informationen \u00fcber Ihren Spielschein"), {0, 4, 441, 221});
  for (int g = 0; g < kGameCount; ++g) {
    const std::string name = "Label" + std::to_string(g + 1);
    // Wide enough for a full game line; the next column starts at 280.
    gameLabels_[g] = MakeLabel(GroupBox1, name.c_str(), GameCaption(g + 1),
                               {8, 24 + 16 * g, 268, 14}, &ticketFont);
  }
  Label13 =
      MakeLabel(GroupBox1, "Label13", QStringLiteral("Spiel77:"), {280, 24, 153, 14}, &ticketFont);
  Label14 =
      MakeLabel(GroupBox1, "Label14", QStringLiteral("Super6 :"), {280, 40, 153, 14}, &ticketFont);
  Label17 =
      MakeLabel(GroupBox1, "Label17", QStringLiteral("Ablauf :"), {280, 72, 153, 14}, &ticketFont);
  Button2 = MakeButton(TabSheet1, "Button2", QStringLiteral("&Schein laden"),
                       QStringLiteral("Laden eines Spielscheins"), {112, 228, 105, 25});
  Button4 =
      MakeButton(TabSheet1, "Button4", QStringLiteral("&Neu/Bearbeiten"),
                 QStringLiteral("Erstellen/Bearbeiten eines Spielscheins"), {224, 228, 105, 25});

  // "Zahlen": the drawing of the day shown, the evaluation and its report.
  GroupBox2 = MakeGroup(TabSheet2, "GroupBox2", QStringLiteral("Aktuelle Zahlen (Samstag)"),
                        QStringLiteral("Aktuelle Ziehungszahlen"), {0, 4, 441, 121});
  auto* label20 = MakeLabel(GroupBox2, "Label20", QStringLiteral("Spielzahlen:"), {8, 24, 57, 13});
  for (int n = 0; n < 6; ++n) {
    const std::string name = "Edit" + std::to_string(n + 1);
    numberEdits_[n] = MakeEdit(GroupBox2, name.c_str(), QStringLiteral("Spielzahl %1").arg(n + 1),
                               kNumberFieldLimit, {80 + 32 * n, 24, 25, 21});
  }
  auto* label19 = MakeLabel(GroupBox2, "Label19", QStringLiteral("Zusatzzahl:"), {9, 60, 54, 13});
  numberEdits_[6] = MakeEdit(GroupBox2, "Edit7", QStringLiteral("Zusatzzahl"), kNumberFieldLimit,
                             {80, 56, 25, 21});
  auto* label18 = MakeLabel(GroupBox2, "Label18", QStringLiteral("Superzahl:"), {11, 92, 50, 13});
  numberEdits_[7] = MakeEdit(GroupBox2, "Edit10", QStringLiteral("Superzahl"), kNumberFieldLimit,
                             {80, 88, 25, 21});
  auto* label15 = MakeLabel(GroupBox2, "Label15", QStringLiteral("Spiel77:"), {120, 60, 38, 13});
  Edit8 = MakeEdit(GroupBox2, "Edit8", QStringLiteral("Spiel77"), kSpiel77FieldLimit,
                   {176, 56, 89, 21});
  auto* label16 = MakeLabel(GroupBox2, "Label16", QStringLiteral("Super 6:"), {120, 92, 40, 13});
  Edit9 =
      MakeEdit(GroupBox2, "Edit9", QStringLiteral("Super 6"), kSuper6FieldLimit, {176, 88, 89, 21});
  label20->setBuddy(numberEdits_[0]);
  label19->setBuddy(numberEdits_[6]);
  label18->setBuddy(numberEdits_[7]);
  label15->setBuddy(Edit8);
  label16->setBuddy(Edit9);
  Button7 = MakeButton(GroupBox2, "Button7", kShowWednesday,
                       QStringLiteral("Umschalten zwischen den Ziehungstagen"), {288, 24, 129, 25});
  Button3 = MakeButton(GroupBox2, "Button3", QStringLiteral("&Zahlen vergleichen"),
                       QStringLiteral("\u00dcberpr\u00fcfen des Spielscheins auf Treffer"),
                       {288, 56, 129, 25});
  Button3->setDefault(true);
  Button5 =
      MakeButton(TabSheet2, "Button5", QStringLiteral("WWW &Import"),
                 QStringLiteral("Aktuelle Zahlen aus dem Internet laden"), {288, 92, 129, 25});
  Memo1 = new QPlainTextEdit(TabSheet2);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setAccessibleName(QStringLiteral("Auswertung"));
  Memo1->setGeometry(0, 132, 441, 173);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setTabChangesFocus(true);
  Memo1->hide();  // until the first report

  // "Programminfos": the product and the lottery's home page.
  Label28 = MakeLabel(TabSheet3, "Label28", caption, {122, 24, 199, 20});
  QFont titleFont = WindowFont();
  titleFont.setBold(true);
  titleFont.setPixelSize(16);
  Label28->setFont(titleFont);
  Label28->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  auto* about = MakeLabel(TabSheet3, "Label27",
                          QStringLiteral("Pr\u00fcft Spielscheine f\u00fcr Lotto 6 aus 49, "
                                         "Spiel 77 und Super 6."),
                          {8, 56, 425, 13});
  about->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  auto* linkCaption =
      MakeLabel(TabSheet3, "Label29", QStringLiteral("Gewinnzahlen und Quoten:"), {8, 80, 425, 13});
  linkCaption->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  Label26 = new LinkLabel(kHomePage, TabSheet3);
  Label26->setObjectName(QStringLiteral("Label26"));
  Label26->setTextFormat(Qt::PlainText);
  Label26->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  Label26->setGeometry(155, 96, 123, std::max(13, Label26->sizeHint().height()));

  // Without the window behind it, a button has nothing to open.
  Button4->setEnabled(false);
  Button5->setEnabled(false);

  // Tab order within each parent, as one chain through the window. The buttons and the tab bar
  // come first by creation; setTabOrder is left out of the tab control's proxied focus.
  QWidget* const chain[] = {Button2,         Button4,         numberEdits_[0], numberEdits_[1],
                            numberEdits_[2], numberEdits_[3], numberEdits_[4], numberEdits_[5],
                            numberEdits_[6], numberEdits_[7], Edit8,           Edit9,
                            Button7,         Button3,         Button5,         Memo1};
  for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TForm1::OnClick(QPushButton* button, void (TForm1::*handler)()) {
  connect(button, &QPushButton::clicked, this,
          [this, handler] { RunHandler(platform_, [this, handler] { (this->*handler)(); }); });
}

void TForm1::ConnectHandlers() {
  OnClick(Button1, &TForm1::Button1Click);
  OnClick(Button2, &TForm1::Button2Click);
  OnClick(Button3, &TForm1::Button3Click);
  OnClick(Button4, &TForm1::Button4Click);
  OnClick(Button5, &TForm1::Button5Click);
  OnClick(Button7, &TForm1::Button7Click);
  connect(Label26, &LinkLabel::clicked, this,
          [this] { RunHandler(platform_, [this] { Label26Click(); }); });
}

void TForm1::SetTicketEditor(std::function<void()> showModal) {
  showTicketEditor_ = std::move(showModal);
  Button4->setEnabled(static_cast<bool>(showTicketEditor_));
}

void TForm1::SetDownloadWindow(std::function<void()> showModal) {
  showDownloadWindow_ = std::move(showModal);
  Button5->setEnabled(static_cast<bool>(showDownloadWindow_));
}

void TForm1::AddPage(QWidget* page, const QString& caption) { PageControl1->addTab(page, caption); }

void TForm1::Start(const std::optional<std::string>& ticketFile) {
  if (!ticketFile) RunHandler(platform_, [this] { FormShow(); });
  show();
  activateWindow();
  FormActivate();
  if (!ticketFile) return;
  // After the first activation, which loads the ticket ZW.INI names. A file that cannot be
  // loaded is reported as "&Schein laden" reports it, and says nothing about validity.
  // A ticket of the command line that cannot be read does not make ZW.INI forget the one it
  // named: the person asked to see a file, not to drop the ticket they had.
  const std::string named = ticket_.path.empty() ? rememberedTicketPath_ : ticket_.path;
  RunHandler(platform_, [this, &ticketFile, &named] {
    try {
      OpenOutsideTicket(*ticketFile);
    } catch (const Error&) {
      rememberedTicketPath_ = named;
      throw;
    }
    PageControl1->setCurrentWidget(TabSheet1);
    FormShow();
  });
}

void TForm1::OpenOutsideTicket(const std::string& utf8Path) {
  const std::string path = TicketPathFromUtf8(utf8Path);
  try {
    OpenTicket(path);
  } catch (const ConversionError&) {
    // A file given from outside (the command line, a double click) is named with the reason in
    // the words of the tab and --check, not in the conversion's own.
    const std::string refusal = TicketRefusal(path, CurrentYear());
    if (refusal.empty()) throw;
    throw Error(refusal);
  }
}

void TForm1::TakeHandedTicket(const std::optional<std::string>& ticketFile) {
  if (isMinimized()) showNormal();
  QWidget* front = QApplication::activeModalWidget();
  if (!front) front = this;
  front->raise();
  front->activateWindow();
  OpenHandedTicket(ticketFile);
}

void TForm1::OpenHandedTicket(const std::optional<std::string>& ticketFile) {
  if (!ticketFile) return;
  // A box or the editor waits for the person: the ticket comes after it, as if chosen then.
  if (QApplication::activeModalWidget()) {
    QTimer::singleShot(200, this, [this, ticketFile] { OpenHandedTicket(ticketFile); });
    return;
  }
  RunHandler(platform_, [this, &ticketFile] {
    OpenOutsideTicket(*ticketFile);
    PageControl1->setCurrentWidget(TabSheet1);
  });
}

void TForm1::FormActivate() {
  RunHandler(platform_, [this] { LoadSettings(); });
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  // Button3 is the default button: Enter clicks it wherever the focus is, unless the focused
  // control used the key itself. Like the Windows desktop, only while the button can be seen.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (enter && modifiers == Qt::NoModifier && Button3->isVisible() && Button3->isEnabled()) {
    Button3->click();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

// ---- Event handlers ----

void TForm1::FormCreate() {
  LoadSettings();
  SetDrawCaption(DrawDay::Saturday);
  PageControl1->setCurrentWidget(TabSheet3);
}

void TForm1::FormShow() {
  const ValidityNotice notice = ShowValidity(ticket_, clock_.Today());
  if (notice.kind == ValidityNotice::Kind::None) return;
  platform_.ShowMessage(
      notice.box == ValidityNotice::Box::Warning ? MessageKind::Warning : MessageKind::Information,
      FromCp1252(notice.text));
}

void TForm1::FormDestroy() {
  StoreDrawingForEnd();
  if (endSaveReported_) return;  // "&Beenden" already said that ZW.INI cannot be written
  SaveSettings();
}

void TForm1::closeEvent(QCloseEvent* event) {
  // The title bar, Alt+F4, the end of the session or of the program: whatever closes the window
  // ends the program, and what was typed is kept as "&Beenden" keeps it. FormDestroy saves.
  RunHandler(platform_, [this] { StoreDrawingForEnd(); });
  QWidget::closeEvent(event);
}

void TForm1::Button1Click() {
  // The drawing typed into the fields is stored into the day shown before it is saved, and not
  // once more when the window then closes.
  ShowDrawDay();
  drawingStoredForEnd_ = true;
  try {
    SaveSettings();
  } catch (const WriteError& failure) {
    if (SettingsFileReplaceable()) {
      // The window stays open: the next end stores the fields again.
      drawingStoredForEnd_ = false;
      throw;
    }
    // A folder, a device or an oversized file in the place of ZW.INI is refused by every save:
    // once that has been said the program ends all the same, or it could not be left at all.
    ShowException(platform_, failure);
    endSaveReported_ = true;
  }
  emit endRequested();
}

void TForm1::Button2Click() {
  const std::optional<QString> chosen = platform_.ChooseTicketFile();
  if (!chosen) return;
  OpenTicket(TicketPathText(*chosen));
}

void TForm1::OpenTicket(const std::string& path) {
  // Another ticket was chosen: the one that could not be read at start is no longer kept.
  rememberedTicketPath_.clear();
  // The load clears the ticket before anything can fail.
  ClearTicketDisplay(true);
  LoadTicket(ticket_, path, CurrentYear());
  ShowTicket(ticket_);
  RememberLoadedTicket(path);
}

void TForm1::RememberLoadedTicket(const std::string& path) {
  // The household's list is a help, not the ticket: a ZW.INI that cannot take it says so at the
  // next save of the settings, not here after a load that worked.
  try {
    RememberTicket(settings_, path);
  } catch (const Error&) {
  }
}

void TForm1::Button3Click() {
  DrawEntry entry;
  for (std::size_t i = 0; i < numberEdits_.size(); ++i) {
    entry.numberTexts[i] = FieldText(numberEdits_[i]);
  }
  entry.spiel77Text = FieldText(Edit8);
  entry.super6Text = FieldText(Edit9);

  // Without a Zusatzzahl the drawing is one of today's, checked by the plan of its day; with one,
  // it gets the report of the years of the Zusatzzahl.
  const bool todaysDrawing = ZusatzzahlMissing(entry);
  const EvaluationOutcome outcome =
      todaysDrawing
          ? EvaluateByDrawingDay(TodaysPlay(), entry, PlanDateOf(ShownDrawDate(), clock_.Today()))
          : EvaluateTicket(ticket_, entry);
  if (outcome.kind == EvaluationOutcome::Kind::Refused) {
    platform_.ShowMessage(MessageKind::Plain, FromCp1252(outcome.message));
    return;
  }
  // EvaluateTicket reset the counts of the old report and filled them; today's check has none.
  if (todaysDrawing) ClearTicket(ticket_, false);
  ClearTicketDisplay(false);
  if (outcome.kind == EvaluationOutcome::Kind::ConversionFailed) {
    platform_.ShowMessage(MessageKind::Plain, FromCp1252(outcome.message));
    return;
  }
  QStringList lines;
  for (const std::string& line : outcome.lines) lines << FromCp1252(line);
  // One memo line per report line; an empty report line stays an empty memo line.
  Memo1->setPlainText(lines.join(u'\n'));
  Memo1->show();
}

TicketPlay TForm1::TodaysPlay() const {
  // The add-on games are played as the ticket's term says, read as the term check reads it; a
  // ticket file without the keys, or none at all, plays both.
  const Profile file = ticket_.path.empty() ? Profile{} : Profile::Load(FsPath(ticket_.path));
  const TicketTerm term = ReadTicketTerm(file, ticket_.expiryDate);
  return TicketPlay{.games = ticket_.games,
                    .lotNumber = ticket_.lotNumber.str(),
                    .spiel77 = term.spiel77.value,
                    .super6 = term.super6.value};
}

std::optional<Date> TForm1::ShownDrawDate() const {
  try {
    return ParseDate(Trim(draws_[shownDay_].drawDate.str()), CurrentYear());
  } catch (const ConversionError&) {
    return std::nullopt;  // "???" or nothing: a drawing without its date
  }
}

void TForm1::Button4Click() {
  if (!showTicketEditor_) return;
  // The editor finds the current ticket's path in the settings file and leaves the path of the
  // ticket it saved there.
  SaveSettings();
  showTicketEditor_();
  LoadSettings();
}

void TForm1::Button5Click() {
  if (showDownloadWindow_) showDownloadWindow_();
}

void TForm1::Button7Click() { ShowDrawDay(); }

void TForm1::Label26Click() {
  platform_.OpenUrl(QUrl(QStringLiteral("https://") + Label26->text()));
}

// ---- Operations ----

void TForm1::ShowTicket(const Ticket& ticket) {
  for (int g = 0; g < kGameCount; ++g) {
    QLabel* label = gameLabels_[g];
    const Game& game = ticket.games[g];
    if (IsEmptyGame(game)) {
      label->setText(g == 0 ? QStringLiteral("Der Schein ist leer")
                            : label->text() + QStringLiteral(" -"));
      continue;
    }
    // Four cells per number: a blank, the number right-aligned in two cells, a blank.
    QString line = label->text();
    for (uint8_t number : game) {
      line += u' ';
      if (number < 10) line += u' ';
      line += NumberText(number) + u' ';
    }
    label->setText(line);
  }
  Label13->setText(Label13->text() + u' ' + FromCp1252(ticket.lotNumber.str()));
  Label14->setText(Label14->text() + u' ' + FromCp1252(ticket.super6Number.str()));
  Label17->setText(Label17->text() + u' ' + FromCp1252(FormatShortDate(ticket.expiryDate)));
}

// The window's part of ClearTicket; the record's part is done by the ticket load and by the
// evaluation themselves.
void TForm1::ClearTicketDisplay(bool resetTicket) {
  Memo1->clear();
  if (!resetTicket) return;
  for (int g = 0; g < kGameCount; ++g) gameLabels_[g]->setText(GameCaption(g + 1));
  Label13->setText(QStringLiteral("Spiel77:"));
  Label14->setText(QStringLiteral("Super6 :"));
  Label17->setText(QStringLiteral("Ablauf :"));
}

void TForm1::StoreDrawingForEnd() {
  if (drawingStoredForEnd_) return;
  drawingStoredForEnd_ = true;
  ShowDrawDay();  // the display switches too, which no longer matters
}

bool TForm1::SettingsFileReplaceable() const {
  try {
    ReadProfileFile(settings_.path());
    return true;
  } catch (const ReadError&) {
    return false;
  }
}

void TForm1::ShowDrawDay() {
  const DrawDay other = shownDay_ == DrawDay::Saturday ? DrawDay::Wednesday : DrawDay::Saturday;
  DrawResult& stored = draws_[shownDay_];

  // Field by field; the first field that is no number from 0 to 99 ends the whole operation
  // silently, keeping what was stored before it. A stored line has two columns per number, so
  // a wider value would shift every later column of the settings file.
  for (std::size_t i = 0; i < numberEdits_.size(); ++i) {
    int32_t value = 0;
    if (!TryStrToInt(FieldText(numberEdits_[i]), value) || value < 0 || value > 99) return;
    stored.numbers[i] = LowByte(value);
  }
  stored.spiel77 = FieldText(Edit8);
  stored.super6 = FieldText(Edit9);

  ShowDrawResult(draws_[other]);
  shownDay_ = other;
  Button7->setText(other == DrawDay::Wednesday ? kShowSaturday : kShowWednesday);
  SetDrawCaption(other);
}

void TForm1::ShowDrawResult(const DrawResult& draw) {
  // Stored numbers are 0 to 99 and stored texts fit their columns, so nothing is cut here.
  for (std::size_t i = 0; i < numberEdits_.size(); ++i) {
    numberEdits_[i]->setText(NumberText(draw.numbers[i]));
  }
  Edit8->setText(FromCp1252(draw.spiel77));
  Edit9->setText(FromCp1252(draw.super6));
}

// The display step of LoadSettings: the stored Saturday drawing, shown as Saturday.
void TForm1::ShowSaturday(const DrawResult& draw) {
  ShowDrawResult(draw);
  shownDay_ = DrawDay::Saturday;
  Button7->setText(kShowWednesday);
  SetDrawCaption(DrawDay::Saturday);
}

void TForm1::SetDrawCaption(DrawDay day) {
  const QString dayName =
      day == DrawDay::Saturday ? QStringLiteral("Samstag") : QStringLiteral("Mittwoch");
  GroupBox2->setTitle(QStringLiteral("Aktuelle Zahlen (%1, den %2)")
                          .arg(dayName, FromCp1252(draws_[day].drawDate.str())));
}

void TForm1::LoadSettings() {
  const SettingsLoad load = kw::LoadSettings(settings_, ticket_, draws_, CurrentYear());
  using TicketLoad = SettingsLoad::TicketLoad;
  if (load.ticket != TicketLoad::NotNamed) ClearTicketDisplay(true);
  if (load.ticket == TicketLoad::Loaded) {
    ShowTicket(ticket_);
    rememberedTicketPath_.clear();
  } else if (load.ticket == TicketLoad::Failed) {
    // A ticket out of reach for now (a stick not plugged in, a network folder down) stays the
    // one ZW.INI names until another is loaded or saved.
    rememberedTicketPath_ = load.ticketPath;
  }
  if (load.saturdayRead) ShowSaturday(draws_[DrawDay::Saturday]);
}

void TForm1::SaveSettings() {
  kw::SaveSettings(settings_, ticket_.path.empty() ? rememberedTicketPath_ : ticket_.path, draws_);
}

int TForm1::CurrentYear() const { return clock_.Today().year(); }

}  // namespace kw
