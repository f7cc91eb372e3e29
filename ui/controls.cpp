#include "ui/controls.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>
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

namespace {

double Luminance(const QColor& colour) {
  const auto channel = [](double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableColour(TextRole role, const QColor& background) {
  constexpr double kReadable = 4.5;
  const QColor wanted = role == TextRole::Link ? QColor(0x00, 0x00, 0xff) : QColor(0xb0, 0x00, 0x00);
  // Mixed towards white on a dark background, towards black on a light one, until it reads.
  const QColor towards = Luminance(background) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
  QColor colour = wanted;
  for (int step = 1; step <= 20 && ContrastRatio(colour, background) < kReadable; ++step) {
    const double share = step / 20.0;
    colour = QColor::fromRgbF(
        static_cast<float>(wanted.redF() * (1 - share) + towards.redF() * share),
        static_cast<float>(wanted.greenF() * (1 - share) + towards.greenF() * share),
        static_cast<float>(wanted.blueF() * (1 - share) + towards.blueF() * share));
  }
  return colour;
}

QString ErrorTextStyle(const QWidget* widget) {
  const QColor colour = ReadableColour(TextRole::Error, widget->palette().color(QPalette::Window));
  return QStringLiteral("color: %1").arg(colour.name());
}

QRect FittedInto(QRect wanted, const QRect& available) {
  wanted.setSize(wanted.size().boundedTo(available.size()));
  wanted.moveLeft(std::clamp(wanted.left(), available.left(), available.right() - wanted.width() + 1));
  wanted.moveTop(std::clamp(wanted.top(), available.top(), available.bottom() - wanted.height() + 1));
  return wanted;
}

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  QRect frame = window->geometry();
  frame.moveCenter(available.center());
  // A fixed size larger than the screen: the top left corner, title bar and menu, stay on it.
  frame.moveLeft(std::max(frame.left(), available.left()));
  frame.moveTop(std::max(frame.top(), available.top()));
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
