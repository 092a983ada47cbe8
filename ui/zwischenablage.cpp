// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zwischenablage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace zw {

TZwischenablage::~TZwischenablage() = default;

namespace {

QClipboard* Anwendungszwischenablage()
{
    // QGuiApplication::clipboard() with a mere QCoreApplication would create a clipboard
    // without a platform behind it; treat that as "no clipboard".
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    return QGuiApplication::clipboard();
}

} // namespace

TSystemZwischenablage::TSystemZwischenablage() : clipboard_(Anwendungszwischenablage()) {}

TSystemZwischenablage::TSystemZwischenablage(QClipboard* clipboard) : clipboard_(clipboard) {}

bool TSystemZwischenablage::setzeDaten(std::unique_ptr<QMimeData> daten)
{
    if (clipboard_ == nullptr || daten == nullptr)
        return false;
    // The clipboard takes ownership of the data.
    clipboard_->setMimeData(daten.release(), QClipboard::Clipboard);
    return true;
}

QString TSystemZwischenablage::text() const
{
    return clipboard_ != nullptr ? clipboard_->text(QClipboard::Clipboard) : QString();
}

} // namespace zw
