// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// How a failure reaches the user: one message box per failure. Handlers never throw through Qt;
// they catch what our code throws and hand the text to a TFehlerMelder.
#pragma once

#include <QSize>
#include <QString>

#include <functional>

class QFontMetrics;
class QWidget;

namespace zw {

// Shows (or, in tests, records) one failure text.
using TFehlerMelder = std::function<void(const QString& text)>;

// The text as the message box shows it: a full stop is appended when the last character sorts
// after the full stop ("… value" gets one, "… (x)" and "…!" do not). The isolation that closes
// a text the user typed does not count as its last character.
QString Fehlermeldungstext(const QString& text);

// The text, or as much of its beginning as fits into platz when laid out in lines as a message
// box lays it out, followed by an ellipsis.
QString GekuerzterText(const QString& text, const QFontMetrics& metrik, QSize platz);

// A modal error box with one OK button and the title "Zechwaage 3.3a". A text too long for the
// screen is shortened in the box and shown whole in its details.
void ZeigeFehler(QWidget* parent, const QString& text);

// A melder that shows message boxes over parent.
TFehlerMelder StandardFehlerMelder(QWidget* parent);

} // namespace zw
