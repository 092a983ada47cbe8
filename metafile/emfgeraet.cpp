// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile/emfgeraet.h"

#include "metafile/bytes.h"
#include "metafile/gdiengine.h"

#include <cmath>

namespace zw {
namespace {

using namespace bytes;

using gdi::BLACK_PEN, gdi::NULL_BRUSH, gdi::NULL_PEN, gdi::SYSTEM_FONT, gdi::WHITE_BRUSH;
constexpr std::uint32_t kBestand = gdi::STOCK_BIT;

// The reference device: a 96-dpi screen whose size in pixels is an exact number of millimetres.
constexpr int kGeraetPx[2] = {1920, 1440};
constexpr int kGeraetMm[2] = {508, 381};
constexpr int kHeaderGroesse = 108;

bool passt16(const QPolygon& p)
{
    for (const QPoint& q : p)
        if (q.x() < -32768 || q.x() > 32767 || q.y() < -32768 || q.y() > 32767)
            return false;
    return true;
}

void rechteckL(QByteArray& b, const QRect& r)
{
    if (!r.isValid()) {
        // Nothing drawn: the empty rectangle of the format.
        i32(b, 0), i32(b, 0), i32(b, -1), i32(b, -1);
        return;
    }
    i32(b, r.left()), i32(b, r.top()), i32(b, r.right()), i32(b, r.bottom());
}

} // namespace

class EmfEngine : public TGdiEngine {
public:
    using TGdiEngine::TGdiEngine;

protected:
    int ersterIndex() const override { return 1; }

    std::optional<std::uint32_t> bestand(const TGdiObjekt& o) const override
    {
        if (const auto* s = std::get_if<TGdiStift>(&o); s && s->stil == gdi::PS_NULL)
            return kBestand | NULL_PEN;
        if (const auto* p = std::get_if<TGdiPinsel>(&o); p && p->leer)
            return kBestand | NULL_BRUSH;
        return std::nullopt;
    }

    void anfangen() override
    {
        rec_.clear();
        anzahl_ = 0;
        datei_.clear();
        einfach(EMR_SETBKMODE, gdi::TRANSPARENT);
        einfach(EMR_SETTEXTALIGN, gdi::TA_BASELINE);
    }

    void bestandWaehlen() override
    {
        waehlen(kBestand | BLACK_PEN);
        waehlen(kBestand | WHITE_BRUSH);
        waehlen(kBestand | SYSTEM_FONT);
    }

    void beenden() override
    {
        kopf(EMR_EOF, 20);
        u32(rec_, 0);  // no palette
        u32(rec_, 16); // where it would start
        u32(rec_, 20); // this record's size, repeated at its end

        const QSize nenn = flaeche() - QSize(1, 1);
        QByteArray h;
        u32(h, EMR_HEADER);
        u32(h, kHeaderGroesse);
        rechteckL(h, gezeichnet());
        // The frame in 0.01 mm at 96 dpi.
        i32(h, 0), i32(h, 0);
        i32(h, static_cast<std::int32_t>(std::lround(nenn.width() * 2540.0 / 96.0)));
        i32(h, static_cast<std::int32_t>(std::lround(nenn.height() * 2540.0 / 96.0)));
        u32(h, EMF_SIGNATUR);
        u32(h, 0x00010000);
        u32(h, static_cast<std::uint32_t>(kHeaderGroesse + rec_.size()));
        u32(h, static_cast<std::uint32_t>(anzahl_ + 1));
        u16(h, static_cast<std::uint16_t>(objektTabelle()));
        u16(h, 0);
        u32(h, 0), u32(h, 0); // no description
        u32(h, 0);            // no palette
        i32(h, kGeraetPx[0]), i32(h, kGeraetPx[1]);
        i32(h, kGeraetMm[0]), i32(h, kGeraetMm[1]);
        u32(h, 0), u32(h, 0), u32(h, 0); // no pixel format, no OpenGL
        i32(h, kGeraetMm[0] * 1000), i32(h, kGeraetMm[1] * 1000);
        datei_ = h + rec_;
        rec_.clear();
    }

    void erzeugen(int index, const TGdiObjekt& o) override
    {
        if (const auto* s = std::get_if<TGdiStift>(&o)) {
            kopf(EMR_CREATEPEN, 28);
            u32(rec_, static_cast<std::uint32_t>(index));
            u32(rec_, static_cast<std::uint32_t>(s->stil));
            i32(rec_, s->breite), i32(rec_, 0);
            u32(rec_, gdi::Colorref(QColor(s->farbe)));
        } else if (const auto* p = std::get_if<TGdiPinsel>(&o)) {
            kopf(EMR_CREATEBRUSHINDIRECT, 24);
            u32(rec_, static_cast<std::uint32_t>(index));
            u32(rec_, p->leer ? gdi::BS_NULL : gdi::BS_SOLID);
            u32(rec_, gdi::Colorref(QColor(p->farbe)));
            u32(rec_, 0);
        } else {
            const auto& f = std::get<TGdiSchrift>(o);
            // A LOGFONTW padded out to the fixed-size extended form every reader accepts.
            constexpr int kLogFontPanose = 320;
            kopf(EMR_EXTCREATEFONTINDIRECTW, 12 + kLogFontPanose);
            const qsizetype start = rec_.size();
            u32(rec_, static_cast<std::uint32_t>(index));
            i32(rec_, f.hoehe);
            i32(rec_, 0);
            i32(rec_, f.winkel), i32(rec_, f.winkel);
            i32(rec_, f.gewicht);
            u8(rec_, f.kursiv), u8(rec_, f.unterstrichen), u8(rec_, 0);
            u8(rec_, gdi::DEFAULT_CHARSET);
            u8(rec_, 0), u8(rec_, 0), u8(rec_, 0); // precision and quality: defaults
            u8(rec_, static_cast<std::uint8_t>(f.familie));
            for (int i = 0; i < 32; ++i)
                u16(rec_, i < f.name.size() ? f.name.at(i).unicode() : 0);
            rec_.append(QByteArray(start + 4 + kLogFontPanose - rec_.size(), '\0'));
        }
    }

    void waehlen(std::uint32_t handle) override { einfach(EMR_SELECTOBJECT, handle); }
    void loeschen(int index) override
    {
        einfach(EMR_DELETEOBJECT, static_cast<std::uint32_t>(index));
    }
    void textfarbe(QRgb farbe) override { einfach(EMR_SETTEXTCOLOR, gdi::Colorref(QColor(farbe))); }
    void fuellmodus(int modus) override
    {
        einfach(EMR_SETPOLYFILLMODE, static_cast<std::uint32_t>(modus));
    }

    void rechteck(int l, int o, int r, int u) override
    {
        kopf(EMR_RECTANGLE, 24);
        i32(rec_, l), i32(rec_, o), i32(rec_, r), i32(rec_, u);
    }

    void polygon(const QPolygon& p, const QRect& grenzen) override { punkte(p, grenzen, true); }
    void polylinie(const QPolygon& p, const QRect& grenzen) override { punkte(p, grenzen, false); }

    void linie(const QPoint& von, const QPoint& bis) override
    {
        kopf(EMR_MOVETOEX, 16);
        i32(rec_, von.x()), i32(rec_, von.y());
        kopf(EMR_LINETO, 16);
        i32(rec_, bis.x()), i32(rec_, bis.y());
    }

    void text(const QPoint& bezug, const QString& s, const std::vector<int>& dx,
              const QRect& grenzen) override
    {
        const int n = static_cast<int>(s.size());
        const int textBytes = (2 * n + 3) & ~3;
        constexpr int kFest = 76;
        kopf(EMR_EXTTEXTOUTW, static_cast<std::uint32_t>(kFest + textBytes + 4 * n));
        rechteckL(rec_, grenzen);
        u32(rec_, 1); // GM_COMPATIBLE
        f32(rec_, 1.0f), f32(rec_, 1.0f);
        i32(rec_, bezug.x()), i32(rec_, bezug.y());
        u32(rec_, static_cast<std::uint32_t>(n));
        u32(rec_, kFest);
        u32(rec_, 0); // neither clipped nor opaque
        i32(rec_, 0), i32(rec_, 0), i32(rec_, -1), i32(rec_, -1);
        u32(rec_, static_cast<std::uint32_t>(kFest + textBytes));
        for (const QChar c : s)
            u16(rec_, c.unicode());
        if (n % 2)
            u16(rec_, 0);
        for (const int d : dx)
            i32(rec_, d);
    }

private:
    void kopf(std::uint32_t typ, std::uint32_t groesse)
    {
        u32(rec_, typ);
        u32(rec_, groesse);
        ++anzahl_;
    }
    void einfach(std::uint32_t typ, std::uint32_t wert)
    {
        kopf(typ, 12);
        u32(rec_, wert);
    }
    void punkte(const QPolygon& p, const QRect& grenzen, bool geschlossen)
    {
        const bool kurz = passt16(p);
        const auto n = static_cast<std::uint32_t>(p.size());
        const std::uint32_t typ = geschlossen ? (kurz ? EMR_POLYGON16 : EMR_POLYGON)
                                              : (kurz ? EMR_POLYLINE16 : EMR_POLYLINE);
        kopf(typ, 28 + n * (kurz ? 4 : 8));
        rechteckL(rec_, grenzen);
        u32(rec_, n);
        for (const QPoint& q : p) {
            if (kurz)
                i16(rec_, static_cast<std::int16_t>(q.x())),
                    i16(rec_, static_cast<std::int16_t>(q.y()));
            else
                i32(rec_, q.x()), i32(rec_, q.y());
        }
    }

    QByteArray rec_;
    int anzahl_ = 0;
};

TEmfGeraet::TEmfGeraet(const QSize& zeichenflaeche)
    : TMetafileGeraet(std::make_unique<EmfEngine>(zeichenflaeche))
{}

} // namespace zw
