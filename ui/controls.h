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

// The colour of a text that says something is wrong, and the style sheet that gives it a label.
QColor ErrorTextColour();
QString ErrorTextStyle();

// Puts the window in the middle of the screen, as every window of the program opens.
void CentreOnScreen(QWidget* window);

// "Spiel 01:" to "Spiel 12:", the caption of a game's line in both windows.
QString GameCaption(int game);

// The field text as the program's files hold it. The validator lets nothing else in.
std::string FieldText(const QLineEdit* edit);

// A path chosen in a file dialog as the settings file keeps it (Windows-1252). Throws Error for a
// path holding a character that Windows-1252 cannot hold: no other file may stand in for it.
std::string TicketPathText(const QString& chosen);

}  // namespace kw
