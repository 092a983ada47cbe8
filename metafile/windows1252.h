// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252, the code page the 16-bit metafile records carry their text in.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace zw {

// One byte per character of s; characters outside the code page (a surrogate pair counts as one
// character) become '?'. anfaenge, when given, receives for every byte the index in s where its
// character starts, so that advances measured on s can be given to the bytes.
QByteArray NachWindows1252(const QString& s, std::vector<int>* anfaenge = nullptr);
QString AusWindows1252(const char* bytes, int laenge);

} // namespace zw
