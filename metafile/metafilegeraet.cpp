// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile/metafilegeraet.h"

#include "metafile/gdiengine.h"

namespace zw {

TMetafileGeraet::TMetafileGeraet(std::unique_ptr<TGdiEngine> engine) : engine_(std::move(engine)) {}

TMetafileGeraet::~TMetafileGeraet() = default;

QByteArray TMetafileGeraet::daten() const { return engine_->datei(); }

QPaintEngine* TMetafileGeraet::paintEngine() const { return engine_.get(); }

int TMetafileGeraet::metric(PaintDeviceMetric m) const
{
    if (const auto v = GeraeteMetrik(m, engine_->flaeche()))
        return *v;
    return QPaintDevice::metric(m);
}

} // namespace zw
