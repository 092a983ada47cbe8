// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile/metafileleser.h"

#include "metafile/formatleser.h"

namespace zw {

struct TMetafileBild::Daten : leser::TBildDaten {};

TMetafileBild::TMetafileBild(std::unique_ptr<Daten> d) : d_(std::move(d)) {}
TMetafileBild::~TMetafileBild() = default;
TMetafileBild::TMetafileBild(TMetafileBild&&) noexcept = default;
TMetafileBild& TMetafileBild::operator=(TMetafileBild&&) noexcept = default;

std::optional<TMetafileBild> TMetafileBild::lesen(const QByteArray& daten)
{
    std::optional<leser::TBildDaten> d =
        leser::IstEmf(daten) ? leser::EmfLesen(daten) : leser::WmfLesen(daten);
    if (!d)
        return std::nullopt;
    auto daten_ = std::make_unique<Daten>();
    static_cast<leser::TBildDaten&>(*daten_) = std::move(*d);
    return TMetafileBild(std::move(daten_));
}

QSize TMetafileBild::groesse() const { return d_->groesse; }

bool TMetafileBild::zeichne(QPainter& p, const QRectF& ziel, QDeadlineTimer frist) const
{
    return leser::zeichne(*d_, p, ziel, frist);
}

} // namespace zw
