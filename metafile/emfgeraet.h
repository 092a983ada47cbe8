// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// A paint device that records what is painted on it as an enhanced metafile (EMF).
#pragma once

#include "metafile/metafilegeraet.h"

#include <QSize>

namespace zw {

class TEmfGeraet final : public TMetafileGeraet {
public:
    // zeichenflaeche: the pixel rectangle painted into (e.g. the chart's 505 x 137). The
    // picture's nominal size, written into the header, is one less each way (504 x 136).
    explicit TEmfGeraet(const QSize& zeichenflaeche);
};

} // namespace zw
