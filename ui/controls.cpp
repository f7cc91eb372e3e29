#include "ui/controls.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <optional>

#include "core/cp1252.h"
#include "core/error.h"
#include "qtedge/cp1252_text.h"
#include "ui/cp1252_validator.h"

namespace kw {

QFont WindowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->geometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                  const QFont* font) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  if (font) label->setFont(*font);
  geometry.setWidth(std::max(geometry.width(), label->sizeHint().width()));
  geometry.setHeight(std::max(geometry.height(), label->sizeHint().height()));
  label->setGeometry(geometry);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint, QRect geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(hint);
  button->setAccessibleName(QString(caption).remove(u'&'));
  button->setGeometry(geometry);
  button->setAutoDefault(true);
  return button;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& accessibleName, int maxLength,
                    QRect geometry) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(accessibleName);
  edit->setMaxLength(maxLength);
  edit->setValidator(new Cp1252Validator(edit));
  edit->setGeometry(geometry);
  return edit;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                     QRect geometry) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(QString::fromLatin1(name));
  group->setToolTip(hint);
  group->setGeometry(geometry);
  return group;
}

QString GameCaption(int game) {
  return QStringLiteral("Spiel %1:").arg(game, 2, 10, QLatin1Char('0'));
}

std::string FieldText(const QLineEdit* edit) { return ToCp1252(edit->text()).value_or(""); }

std::string TicketPathText(const QString& chosen) {
  const std::optional<std::string> path = ToCp1252(chosen);
  if (!path) {
    throw Error("Der Dateiname '" + Utf8ToCp1252Lossy(chosen.toStdString()) +
                "' enth\xE4lt Zeichen, die Kreuzwart nicht speichern kann");
  }
  return *path;
}

}  // namespace kw
