// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// What the EMF and WMF devices share: a paint device of a fixed pixel size that records the
// painting through its format's engine and hands out the finished file.
#pragma once

#include <QByteArray>
#include <QPaintDevice>

#include <memory>

namespace zw {

class TGdiEngine;

class TMetafileGeraet : public QPaintDevice {
public:
    ~TMetafileGeraet() override;

    // The complete file, valid once the painter has ended.
    QByteArray daten() const;

    QPaintEngine* paintEngine() const override;

protected:
    explicit TMetafileGeraet(std::unique_ptr<TGdiEngine> engine);
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<TGdiEngine> engine_;
};

} // namespace zw
