// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The clipboard as the program uses it: one call puts a whole set of formats there, or
// nothing at all. Kept behind an interface so that a clipboard that cannot be opened can be
// simulated.
#pragma once

#include <QString>

#include <memory>

class QClipboard;
class QMimeData;

namespace zw {

// The failure text for a clipboard that cannot be opened (a false setzeDaten).
inline QString KeineZwischenablageText() { return QStringLiteral("Cannot open clipboard"); }

class TZwischenablage {
public:
    virtual ~TZwischenablage();

    // Replaces the clipboard's content with daten in one step. false when the clipboard
    // cannot be opened; the clipboard then keeps what it had and daten is discarded.
    virtual bool setzeDaten(std::unique_ptr<QMimeData> daten) = 0;
    // The clipboard's plain text, empty when there is none.
    virtual QString text() const = 0;
};

// The desktop's clipboard (QGuiApplication::clipboard()).
class TSystemZwischenablage final : public TZwischenablage {
public:
    // Uses the application's clipboard; without a QGuiApplication there is none, and every
    // setzeDaten fails.
    TSystemZwischenablage();
    // For a given clipboard object (nullptr: none).
    explicit TSystemZwischenablage(QClipboard* clipboard);

    bool setzeDaten(std::unique_ptr<QMimeData> daten) override;
    QString text() const override;

private:
    QClipboard* clipboard_;
};

} // namespace zw
