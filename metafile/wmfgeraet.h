// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// A paint device that records what is painted on it as a placeable Windows metafile (WMF).
#pragma once

#include "metafile/metafilegeraet.h"

#include <QSize>

namespace zw {

class TWmfGeraet final : public TMetafileGeraet {
public:
    // zeichenflaeche: the pixel rectangle painted into (e.g. 505 x 137); the placeable header's
    // bounding box is one less each way (504 x 136) at 96 units per inch.
    explicit TWmfGeraet(const QSize& zeichenflaeche);
};

} // namespace zw
