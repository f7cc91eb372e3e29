#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kw {

// What the program's windows share: their font and the way they make their controls.

// "MS Sans Serif", 11 pixels high, or the nearest sans serif font of the desktop.
QFont WindowFont();

// A label placed at its position; it grows to the right when the font needs more room than the
// given width, so that no caption is cut off.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                  const QFont* font = nullptr);

// Enter on the focused button clicks it, as on the Windows desktop.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint, QRect geometry);

// An edit field that takes only characters the program's files can hold.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& accessibleName, int maxLength,
                    QRect geometry);

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                     QRect geometry);

// The program's coloured texts: a link, and a text that says something is wrong.
enum class TextRole { Link, Error };

// The colour of such a text on the background given, readable as the WCAG's level AA asks (a
// contrast of at least 4.5:1): the familiar blue and dark red on a light theme, lighter shades of
// them on a dark one.
QColor ReadableColour(TextRole role, const QColor& background);

// The contrast of two colours by the WCAG's formula, from 1 (the same) to 21 (black and white).
double ContrastRatio(const QColor& a, const QColor& b);

// The style sheet that gives a label of that window the error colour.
QString ErrorTextStyle(const QWidget* widget);

// The place of a window fitted into the screen's free area: no larger than it, and moved so
// that every edge, the title bar first, lies on it.
QRect FittedInto(QRect wanted, const QRect& available);

// Puts the window in the middle of the screen, as every window of the program opens.
// A window larger than the screen (a high scale factor on a small screen) keeps its title bar on
// it.
void CentreOnScreen(QWidget* window);

// "Spiel 01:" to "Spiel 12:", the caption of a game's line in both windows.
QString GameCaption(int game);

// The field text as the program's files hold it. The validator lets nothing else in.
std::string FieldText(const QLineEdit* edit);

// A path chosen in a file dialog as the settings file keeps it (Windows-1252). Throws Error for a
// path holding a character that Windows-1252 cannot hold: no other file may stand in for it.
std::string TicketPathText(const QString& chosen);

}  // namespace kw
