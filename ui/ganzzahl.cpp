// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ganzzahl.h"

#include <QtGlobal>

#include <climits>

namespace zw {

std::optional<int> GanzzahlAusText(QStringView text)
{
    qsizetype i = 0;
    bool negativ = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negativ = text[0] == u'-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 betrag = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        betrag = betrag * 10 + (c - u'0');
        if (betrag > qint64(INT_MAX) + 1) // stops growth long before qint64 could overflow
            return std::nullopt;
    }
    const qint64 wert = negativ ? -betrag : betrag;
    if (wert < INT_MIN || wert > INT_MAX)
        return std::nullopt;
    return int(wert);
}

} // namespace zw
