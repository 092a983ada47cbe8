// A paint device that records what is painted on it as an enhanced metafile (EMF).
#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

namespace zw {

class EmfEngine;

class EmfGeraet : public QPaintDevice {
public:
    // zeichenflaeche: the pixel rectangle painted into (e.g. the chart's 505 x 137). The
    // picture's nominal size, written into the header, is one less each way (504 x 136).
    explicit EmfGeraet(const QSize& zeichenflaeche);
    ~EmfGeraet() override;

    // The complete file, valid once the painter has ended.
    QByteArray daten() const;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize flaeche_;
    std::unique_ptr<EmfEngine> engine_;
};

} // namespace zw
