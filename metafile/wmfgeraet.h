// A paint device that records what is painted on it as a placeable Windows metafile (WMF).
#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

namespace zw {

class WmfEngine;

class WmfGeraet : public QPaintDevice {
public:
    // zeichenflaeche: the pixel rectangle painted into (e.g. 505 x 137); the placeable header's
    // bounding box is one less each way (504 x 136) at 96 units per inch.
    explicit WmfGeraet(const QSize& zeichenflaeche);
    ~WmfGeraet() override;

    // The complete file (placeable header + metafile), valid once the painter has ended.
    QByteArray daten() const;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize flaeche_;
    std::unique_ptr<WmfEngine> engine_;
};

} // namespace zw
