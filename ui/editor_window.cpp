#include "ui/editor_window.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "core/cp1252.h"
#include "core/ticket_file.h"
#include "eval/term_report.h"
#include "qtedge/cp1252_text.h"
#include "ui/controls.h"
#include "ui/platform.h"

namespace kw {

namespace {

// The fields take text of any length.
constexpr int kNoLimit = std::numeric_limits<int>::max();
// Room between a button's caption and its edges, on each side.
constexpr int kButtonPadding = 8;

// Places are given within the window; a control inside a group box is placed relative to it.
QRect Within(const QWidget* group, QRect inWindow) {
  return inWindow.translated(-group->geometry().topLeft());
}

// An edit field with its caption 3 pixels above it, as one control of the window.
QLineEdit* MakeLabeledEdit(QGroupBox* group, const char* name, const QString& caption,
                           const QString& accessibleName, QRect inWindow) {
  const QRect geometry = Within(group, inWindow);
  QLineEdit* edit = MakeEdit(group, name, accessibleName, kNoLimit, geometry);
  const std::string labelName = std::string(name) + "Label";
  QLabel* label =
      MakeLabel(group, labelName.c_str(), caption, {geometry.x(), 0, geometry.width(), 13});
  label->move(geometry.x(), geometry.y() - 3 - label->height());
  label->setBuddy(edit);
  return edit;
}

// A game's caption ends where its place ends, next to the game's first field; when the desktop's
// font needs more room than the place gives, the caption grows to the left.
QLabel* MakeGameLabel(QGroupBox* group, const char* name, const QString& caption, QRect inWindow) {
  const QRect place = Within(group, inWindow);
  QLabel* label = MakeLabel(group, name, caption, place);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->move(place.right() + 1 - label->width(), place.y());
  return label;
}

// A button as wide as its caption needs, growing evenly to both sides of its place.
QPushButton* MakeEditorButton(QWidget* parent, const char* name, const QString& caption,
                              QRect place) {
  QPushButton* button = MakeButton(parent, name, caption, {}, place);
  const int needed =
      button->fontMetrics().horizontalAdvance(QString(caption).remove(u'&')) + 2 * kButtonPadding;
  if (needed > place.width()) {
    button->setGeometry(
        place.adjusted(-(needed - place.width()) / 2, 0, (needed - place.width() + 1) / 2, 0));
  }
  // No default button: Enter in a field must not clear or save the ticket (see keyPressEvent).
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TForm2::TForm2(SettingsFile settings, Platform& platform, const Clock& clock, QWidget* parent)
    // A title bar without buttons: the editor's own way out is "&Zurück".
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      settings_(std::move(settings)),
      platform_(platform),
      clock_(clock) {
  CreateControls();
  for (const auto& [button, handler] :
       {std::pair{Button1, &TForm2::Button1Click}, std::pair{Button2, &TForm2::Button2Click},
        std::pair{Button3, &TForm2::Button3Click}}) {
    connect(button, &QPushButton::clicked, this,
            [this, handler] { RunHandler(platform_, [this, handler] { (this->*handler)(); }); });
  }
}

void TForm2::CreateControls() {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(QStringLiteral("Schein bearbeiten/erstellen"));
  setFont(WindowFont());
  setFixedSize(282, 465);
  setModal(true);

  GroupBox1 = MakeGroup(this, "GroupBox1", QStringLiteral("Spiele"), {}, {8, 8, 265, 321});
  for (int g = 0; g < kGameCount; ++g) {
    const std::string labelName = "Label" + std::to_string(g + 1);
    gameLabels_[g] =
        MakeGameLabel(GroupBox1, labelName.c_str(), GameCaption(g + 1), {24, 32 + 24 * g, 41, 13});
    for (int p = 0; p < kNumbersPerGame; ++p) {
      const int k = g * kNumbersPerGame + p;
      const std::string name = "Edit" + std::to_string(k + 1);
      numberEdits_[k] = MakeEdit(GroupBox1, name.c_str(),
                                 QStringLiteral("Spiel %1 Zahl %2").arg(g + 1).arg(p + 1), kNoLimit,
                                 Within(GroupBox1, {72 + 32 * p, 28 + 24 * g, 25, 21}));
    }
    gameLabels_[g]->setBuddy(numberEdits_[g * kNumbersPerGame]);
  }

  Button1 =
      MakeEditorButton(this, "Button1", QStringLiteral("Daten &l\u00f6schen"), {176, 344, 75, 25});
  Button2 = MakeEditorButton(this, "Button2", QStringLiteral("&Speichern als"), {176, 376, 75, 25});
  Button3 = MakeEditorButton(this, "Button3", QStringLiteral("&Zur\u00fcck"), {176, 432, 75, 25});

  GroupBox2 =
      MakeGroup(this, "GroupBox2", QStringLiteral("Sonstige Daten"), {}, {8, 336, 137, 121});
  LabeledEdit2 = MakeLabeledEdit(GroupBox2, "LabeledEdit2", QStringLiteral("Losnummer:"),
                                 QStringLiteral("Losnummer"), {16, 376, 121, 21});
  // In the gap between the field and the caption below it, so that every control keeps its
  // place; the tip holds the whole line, as the term check says it.
  QFont noteFont = WindowFont();
  noteFont.setPixelSize(9);
  LotNumberNote = MakeLabel(GroupBox2, "LotNumberNote", QString(),
                            Within(GroupBox2, {16, 397, 121, 11}), &noteFont);
  connect(LabeledEdit2, &QLineEdit::textChanged, this, [this] { ShowLotNumberNote(); });
  ShowLotNumberNote();
  LabeledEdit1 =
      MakeLabeledEdit(GroupBox2, "LabeledEdit1", QStringLiteral("G\u00fcltig bis (TT.MM.JJJJ):"),
                      QStringLiteral("G\u00fcltig bis"), {16, 424, 121, 21});

  CreateSystemPage();

  // As a person fills the slip: the games row by row (or the systems, whichever page shows), the
  // lot number, the expiry date below it, then the buttons.
  std::vector<QWidget*> chain(numberEdits_.begin(), numberEdits_.end());
  chain.insert(chain.end(), systemEdits_.begin(), systemEdits_.end());
  chain.insert(chain.end(), {LabeledEdit2, LabeledEdit1, Button1, Button2, SystemsButton, Button3});
  for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TForm2::CreateSystemPage() {
  // In the gap above "&Zurück", so that every control of the window keeps its place.
  SystemsButton = MakeEditorButton(this, "SystemsButton", QStringLiteral("S&ysteme \u00bb"),
                                   {176, 405, 75, 23});
  connect(SystemsButton, &QPushButton::clicked, this,
          [this] { ShowSystemPage(!GroupBox1->isHidden()); });

  SystemBox = MakeGroup(this, "SystemBox", QStringLiteral("Systeme"), {}, {8, 8, 265, 321});
  auto* hint = MakeLabel(SystemBox, "SystemHint",
                         QStringLiteral("Je Feld %1 bis %2 Zahlen von %3, durch Leerzeichen "
                                        "getrennt.")
                             .arg(kFewestSystemNumbers)
                             .arg(kMostSystemNumbers)
                             .arg(FromCp1252(NumberRangeText())),
                         Within(SystemBox, {16, 26, 249, 30}));
  hint->setWordWrap(true);
  hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  hint->setFixedSize(249, 30);
  for (int s = 0; s < kSystemCount; ++s) {
    const int top = 60 + 66 * s;
    const std::string number = std::to_string(s + 1);
    auto* caption =
        MakeLabel(SystemBox, ("SystemLabel" + number).c_str(),
                  QStringLiteral("System %1:").arg(s + 1), Within(SystemBox, {16, top, 100, 13}));
    systemEdits_[s] =
        MakeEdit(SystemBox, ("SystemEdit" + number).c_str(), QStringLiteral("System %1").arg(s + 1),
                 kNoLimit, Within(SystemBox, {16, top + 16, 249, 21}));
    caption->setBuddy(systemEdits_[s]);
    systemSummaries_[s] = MakeLabel(SystemBox, ("SystemInfo" + number).c_str(), QString(),
                                    Within(SystemBox, {16, top + 40, 249, 13}));
    systemSummaries_[s]->setFixedWidth(249);
    connect(systemEdits_[s], &QLineEdit::textChanged, this, [this] { ShowSystemSummaries(); });
  }
  SystemBox->hide();
}

void TForm2::ShowLotNumberNote() {
  const LotNumberReading reading = ReadLotNumber(FieldText(LabeledEdit2));
  LotNumberNote->setText(FromCp1252(reading.hint));
  LotNumberNote->setToolTip(FromCp1252(reading.line));
  // Without seven digits the ticket is checked without its Superzahl and add-on games.
  LotNumberNote->setStyleSheet(reading.Usable() ? QString() : ErrorTextStyle(LotNumberNote));
}

void TForm2::ShowSystemPage(bool systems) {
  const bool focusOnPage = GroupBox1->isAncestorOf(focusWidget()) ||
                           SystemBox->isAncestorOf(focusWidget()) || focusWidget() == SystemsButton;
  SystemBox->setVisible(systems);
  GroupBox1->setVisible(!systems);
  SystemsButton->setText(systems ? QStringLiteral("\u00ab Sp&iele")
                                 : QStringLiteral("S&ysteme \u00bb"));
  SystemsButton->setAccessibleName(SystemsButton->text().remove(u'&'));
  // The page's first field takes the typing, as the games' first field does on opening.
  if (focusOnPage) (systems ? systemEdits_[0] : numberEdits_[0])->setFocus();
}

void TForm2::ShowSystemSummaries() {
  SystemTexts texts;
  for (int s = 0; s < kSystemCount; ++s) texts[s] = FieldText(systemEdits_[s]);
  const TicketSystems systems = ReadSystems(texts);
  for (int s = 0; s < kSystemCount; ++s) {
    systemSummaries_[s]->setText(FromCp1252(SystemSummary(systems[s])));
    // A reason is a problem to mend before the ticket can be saved.
    systemSummaries_[s]->setStyleSheet(
        systems[s].problem.empty() ? QString() : ErrorTextStyle(this));
  }
}

void TForm2::ShowModal() {
  RunHandler(platform_, [this] { FormShow(); });
  // What the window opens with counts as saved, also after a failed load that left the fields
  // as they were shown last.
  savedFields_ = FieldTexts();
  // Every opening starts in the first field.
  ShowSystemPage(false);
  numberEdits_[0]->setFocus();
  CentreOnScreen(this);
  exec();
}

void TForm2::keyPressEvent(QKeyEvent* event) {
  // Enter clicks the focused button and nothing else. Escape, like the window manager's close,
  // rejects the dialog, which is what "&Zurück" does.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

// ---- Event handlers ----

void TForm2::FormShow() {
  // A failure here leaves the fields as they were shown last; the caller's guard reports it.
  LoadEditorTicket();
  ShowEditorTicket();
}

void TForm2::Button1Click() { ClearEditor(); }

void TForm2::Button2Click() { SaveTicketAs(); }

void TForm2::Button3Click() { reject(); }

// ---- Operations ----

void TForm2::LoadEditorTicket() {
  const std::string path = settings_.ReadTicketPath();
  ticketFilePath_.clear();
  if (path.empty()) {
    ClearEditor();
    return;
  }
  ReadEditorTicketFile(editorTicket_, path, CurrentYear());
  ticketFilePath_ = path;
}

void TForm2::ShowEditorTicket() {
  const EditorFields fields = EditorFieldsOf(editorTicket_);
  for (int k = 0; k < kEditorNumberFields; ++k) {
    numberEdits_[k]->setText(FromCp1252(fields.numbers[k]));
  }
  LabeledEdit2->setText(FromCp1252(fields.lotNumber));
  LabeledEdit1->setText(FromCp1252(fields.expiryDate));
  for (int s = 0; s < kSystemCount; ++s) systemEdits_[s]->setText(FromCp1252(fields.systems[s]));
}

QLineEdit* TForm2::FieldAt(int field) const {
  if (field == kEditorLotNumberField) return LabeledEdit2;
  if (field == kEditorExpiryField) return LabeledEdit1;
  if (field >= kEditorFirstSystemField) {
    return systemEdits_[static_cast<std::size_t>(field - kEditorFirstSystemField)];
  }
  return numberEdits_[static_cast<std::size_t>(field)];
}

void TForm2::reject() {
  // Whatever closes the window ("&Zurück", Escape, the title bar) asks before typed numbers are
  // dropped; "Nein" leaves every field as it is.
  if (FieldTexts() != savedFields_ &&
      !platform_.AskYesNo(QStringLiteral("\u00c4nderungen verwerfen?"))) {
    return;
  }
  QDialog::reject();
}

EditorFields TForm2::FieldTexts() const {
  EditorFields fields;
  for (int k = 0; k < kEditorNumberFields; ++k) fields.numbers[k] = FieldText(numberEdits_[k]);
  fields.lotNumber = FieldText(LabeledEdit2);
  fields.expiryDate = FieldText(LabeledEdit1);
  for (int s = 0; s < kSystemCount; ++s) fields.systems[s] = FieldText(systemEdits_[s]);
  return fields;
}

void TForm2::SaveTicketAs() {
  const EditorFields typed = FieldTexts();
  const std::vector<EditorProblem> problems =
      CheckEditorFields(typed, editorTicket_, CurrentYear());
  for (const EditorProblem& problem : problems) {
    platform_.ShowMessage(MessageKind::Plain, FromCp1252(problem.message));
  }
  // Nothing is written after a failed check; the fields keep what was typed, and the first field
  // named waits for the correction.
  if (!problems.empty()) {
    const int field = problems.front().field;
    if (field < kEditorNumberFields) ShowSystemPage(false);
    if (field >= kEditorFirstSystemField) ShowSystemPage(true);
    FieldAt(field)->setFocus();
    return;
  }

  if (const std::optional<QString> chosen = platform_.ChooseTicketSaveFile(saveFileName_)) {
    // A failed write ends here in the general error box, and the settings stay as they were. A
    // new file starts as a copy of the ticket's own keys, its term among them.
    const std::string path = TicketPathText(*chosen);
    // Another ticket in the chosen place is replaced only when the person says so, and then by
    // this ticket whole: a file that mixed both would be neither.
    std::error_code ec;
    const bool other = path != ticketFilePath_ && std::filesystem::exists(FsPath(path), ec);
    if (other && !platform_.AskYesNo(QStringLiteral("\u00bb%1\u00ab gibt es schon. Ersetzen?")
                                         .arg(QFileInfo(*chosen).fileName()))) {
      return;
    }
    WriteTicketFile(editorTicket_, path, ticketFilePath_, other);
    // Only a written file becomes the dialog's name: a later cancel records it as the current
    // ticket, and a file that was never written must not stand there.
    saveFileName_ = *chosen;
    ticketFilePath_ = path;
    savedFields_ = typed;
    // A saved ticket belongs to the household's list; the list is a help, and a ZW.INI that
    // cannot take it is reported by the line below.
    try {
      RememberTicket(settings_, path);
    } catch (const Error&) {
    }
  }
  RememberTicketPath();
}

void TForm2::RememberTicketPath() { settings_.WriteTicketPath(TicketPathText(saveFileName_)); }

void TForm2::ClearEditor() {
  // An emptied form is a new ticket: a later save carries nothing over from the one loaded.
  ticketFilePath_.clear();
  ClearEditorTicket(editorTicket_, clock_.Today());
  ShowEditorTicket();
  ShowSystemPage(false);
  numberEdits_[0]->setFocus();
}

int TForm2::CurrentYear() const { return clock_.Today().year(); }

}  // namespace kw
