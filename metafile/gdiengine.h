// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The part both metafile writers share: it follows the painter's state and turns Qt's drawing
// calls into device-pixel GDI primitives, with GDI's pixel rules applied, so that a GDI player
// shows the same pixels QPainter puts on screen. The formats only encode the records.
#pragma once

#include "metafile/gdikonstanten.h"

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTransform>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace zw {

struct TGdiStift {
    int stil = gdi::PS_SOLID;
    int breite = 1; // device pixels
    QRgb farbe = 0;
    bool operator==(const TGdiStift&) const = default;
};

struct TGdiPinsel {
    bool leer = false;
    QRgb farbe = 0;
    bool operator==(const TGdiPinsel&) const = default;
};

struct TGdiSchrift {
    QString name;  // face name, at most 31 characters
    int hoehe = 0; // negative: character height in device pixels
    int gewicht = gdi::FW_NORMAL;
    bool kursiv = false;
    bool unterstrichen = false;
    int winkel = 0; // escapement and orientation, tenths of a degree counter-clockwise
    int familie = gdi::FF_SWISS | gdi::VARIABLE_PITCH;
    bool operator==(const TGdiSchrift&) const = default;
};

using TGdiObjekt = std::variant<TGdiStift, TGdiPinsel, TGdiSchrift>;

// Both devices behave like a 96-dpi true-colour screen of the given size.
std::optional<int> GeraeteMetrik(QPaintDevice::PaintDeviceMetric m, const QSize& flaeche);

class TGdiEngine : public QPaintEngine {
public:
    explicit TGdiEngine(const QSize& flaeche);

    bool begin(QPaintDevice* geraet) override;
    bool end() override;
    void updateState(const QPaintEngineState& zustand) override;
    Type type() const override { return QPaintEngine::User; }

    void drawRects(const QRect* rects, int anzahl) override;
    void drawRects(const QRectF* rects, int anzahl) override;
    void drawLines(const QLine* linien, int anzahl) override;
    void drawLines(const QLineF* linien, int anzahl) override;
    void drawPolygon(const QPointF* punkte, int anzahl, PolygonDrawMode modus) override;
    void drawPolygon(const QPoint* punkte, int anzahl, PolygonDrawMode modus) override;
    void drawPath(const QPainterPath& pfad) override;
    void drawTextItem(const QPointF& p, const QTextItem& stueck) override;
    // Pictures are not part of what these files carry.
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {}

    // Highest object slot in use at any time + 1.
    int objektTabelle() const { return tabellenSpitze_; }
    // Inclusive pixel bounds of everything drawn; empty when nothing was.
    QRect gezeichnet() const { return bereich_; }
    QSize flaeche() const { return flaeche_; }
    // The finished file, once end() has run.
    const QByteArray& datei() const { return datei_; }

protected:
    // Index of the first object slot (EMF reserves 0 for the file itself).
    virtual int ersterIndex() const = 0;
    // A stock object that stands for o, if the format has one.
    virtual std::optional<std::uint32_t> bestand(const TGdiObjekt& o) const = 0;

    virtual void anfangen() = 0;
    virtual void beenden() = 0; // after every created object has been deselected and deleted
    // Called before the created objects are deleted at the end: select stock objects where the
    // format has them.
    virtual void bestandWaehlen() = 0;

    virtual void erzeugen(int index, const TGdiObjekt& o) = 0;
    virtual void waehlen(std::uint32_t handle) = 0;
    virtual void loeschen(int index) = 0;
    virtual void textfarbe(QRgb farbe) = 0;
    virtual void fuellmodus(int modus) = 0;

    // GDI coordinates: Rectangle's right and bottom are exclusive; LineTo leaves out its end
    // point; bounds are inclusive pixel rectangles.
    virtual void rechteck(int links, int oben, int rechts, int unten) = 0;
    virtual void polygon(const QPolygon& punkte, const QRect& grenzen) = 0;
    virtual void polylinie(const QPolygon& punkte, const QRect& grenzen) = 0;
    virtual void linie(const QPoint& von, const QPoint& bis) = 0;
    virtual void text(const QPoint& bezug, const QString& text, const std::vector<int>& dx,
                      const QRect& grenzen) = 0;

    QPaintDevice* geraet() const { return geraet_; }

    QByteArray datei_;

private:
    struct Auswahl {
        std::optional<TGdiObjekt> objekt;
        std::uint32_t handle = 0;
        bool erzeugt = false;
    };

    std::optional<TGdiStift> stiftFuerZeichnung() const;
    TGdiPinsel pinselFuerZeichnung() const;
    TGdiSchrift schriftFuer(const QFont& f) const;
    void sorgeFuer(Auswahl& a, const TGdiObjekt& o);
    int freierIndex();
    void merke(const QRect& gezeichnet);
    void zeichneLinie(QPointF a, QPointF b);
    void zeichnePolygon(const QPolygonF& geraetepunkte, bool geschlossen, Qt::FillRule regel);
    void alleFreigeben();

    QSize flaeche_;
    QPaintDevice* geraet_ = nullptr;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    QTransform xf_;
    Auswahl stift_, pinsel_, schrift_;
    std::vector<bool> belegt_;
    int tabellenSpitze_ = 0;
    std::optional<QRgb> textfarbe_;
    int fuellmodus_ = gdi::ALTERNATE;
    QRect bereich_;
};

} // namespace zw
