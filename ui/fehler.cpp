// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fehler.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>

#include <algorithm>

namespace zw {

namespace {

constexpr QChar kPdi(0x2069);
constexpr QChar kEllipse(0x2026);

// LEFT-TO-RIGHT, RIGHT-TO-LEFT or FIRST STRONG ISOLATE.
bool OeffnetIsolat(QChar c) { return c.unicode() >= 0x2066 && c.unicode() <= 0x2068; }

// Never more than this is laid out to find how much of a text fits: far more than a box can hold.
constexpr qsizetype kMaxGemessen = 4000;

bool Passt(const QFontMetrics& metrik, const QString& text, QSize platz)
{
    const QRect noetig =
        metrik.boundingRect(QRect(0, 0, platz.width(), 1 << 24), Qt::TextWordWrap, text);
    return noetig.width() <= platz.width() && noetig.height() <= platz.height();
}

} // namespace

QString Fehlermeldungstext(const QString& text)
{
    // The isolation around a text the user typed is no character of the message's own.
    QStringView sichtbar(text);
    while (sichtbar.endsWith(kPdi))
        sichtbar.chop(1);
    if (!sichtbar.isEmpty() && sichtbar.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

QString GekuerzterText(const QString& text, const QFontMetrics& metrik, QSize platz)
{
    if (text.size() <= kMaxGemessen && Passt(metrik, text, platz))
        return text;
    // The longest beginning that fits with the ellipsis after it.
    qsizetype passt = 0;
    qsizetype zuViel = std::min(text.size(), kMaxGemessen) + 1;
    const auto kurz = [&](qsizetype laenge) {
        QString anfang = text.left(laenge);
        // An isolation cut open is closed again, so that the ellipsis is not inside it.
        const qsizetype offen =
            std::count_if(anfang.begin(), anfang.end(), OeffnetIsolat) - anfang.count(kPdi);
        for (qsizetype i = 0; i < offen; ++i)
            anfang += kPdi;
        return anfang + kEllipse;
    };
    while (zuViel - passt > 1) {
        const qsizetype mitte = (passt + zuViel) / 2;
        if (Passt(metrik, kurz(mitte), platz))
            passt = mitte;
        else
            zuViel = mitte;
    }
    return kurz(passt);
}

void ZeigeFehler(QWidget* parent, const QString& text)
{
    const QString meldung = Fehlermeldungstext(text);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Zechwaage 3.3a"), meldung,
                    QMessageBox::Ok, parent);
    // The box stays on the screen, however long the text: it shows as much as half the screen
    // holds, at the width the box wraps its text at, and keeps the whole text in its details,
    // from where it can be read and copied.
    const QScreen* bildschirm = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const QSize frei = bildschirm ? bildschirm->availableGeometry().size() : QSize(800, 600);
    const QSize platz(std::min(frei.width() / 2, 500), frei.height() / 2);
    const QString gezeigt = GekuerzterText(meldung, QFontMetrics(box.font()), platz);
    if (gezeigt != meldung) {
        box.setText(gezeigt);
        box.setDetailedText(meldung);
    }
    box.exec();
}

TFehlerMelder StandardFehlerMelder(QWidget* parent)
{
    return [ziel = QPointer<QWidget>(parent)](const QString& text) { ZeigeFehler(ziel, text); };
}

} // namespace zw
