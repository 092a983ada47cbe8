// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile/wmfgeraet.h"

#include "metafile/bytes.h"
#include "metafile/gdiengine.h"
#include "metafile/windows1252.h"

#include <algorithm>

namespace zw {
namespace {

using namespace bytes;

// Longest text one record carries; the 16-bit counts allow more, no picture of ours needs it.
constexpr int kMaxText = 8192;

std::int16_t s16(int v) { return static_cast<std::int16_t>(std::clamp(v, -32768, 32767)); }

} // namespace

class WmfEngine : public TGdiEngine {
public:
    using TGdiEngine::TGdiEngine;

protected:
    int ersterIndex() const override { return 0; }
    std::optional<std::uint32_t> bestand(const TGdiObjekt&) const override { return std::nullopt; }

    void anfangen() override
    {
        rec_.clear();
        groessterSatz_ = 3;
        datei_.clear();
        const QSize nenn = flaeche() - QSize(1, 1);
        // Window parameters go y first.
        kopf(META_SETWINDOWORG, 5), i16(rec_, 0), i16(rec_, 0);
        kopf(META_SETWINDOWEXT, 5), i16(rec_, s16(nenn.height())), i16(rec_, s16(nenn.width()));
        kopf(META_SETBKMODE, 4), u16(rec_, gdi::TRANSPARENT);
        kopf(META_SETTEXTALIGN, 4), u16(rec_, gdi::TA_BASELINE);
    }

    void bestandWaehlen() override {} // a metafile has no stock objects to fall back on

    void beenden() override
    {
        kopf(META_EOF, 3);
        const QSize nenn = flaeche() - QSize(1, 1);
        QByteArray h;
        u32(h, WMF_PLATZIERBAR);
        u16(h, 0);
        i16(h, 0), i16(h, 0), i16(h, s16(nenn.width())), i16(h, s16(nenn.height()));
        u16(h, 96);
        u32(h, 0);
        u16(h, WmfPlatzierbarPruefsumme(h.constData()));

        u16(h, 1);      // in memory
        u16(h, 9);      // header words
        u16(h, 0x0300); // version
        u32(h, static_cast<std::uint32_t>(9 + rec_.size() / 2));
        u16(h, static_cast<std::uint16_t>(objektTabelle()));
        u32(h, groessterSatz_);
        u16(h, 0);
        datei_ = h + rec_;
        rec_.clear();
    }

    void erzeugen(int, const TGdiObjekt& o) override
    {
        // The slot is implied: playback puts each new object into the lowest free one.
        if (const auto* s = std::get_if<TGdiStift>(&o)) {
            kopf(META_CREATEPENINDIRECT, 8);
            u16(rec_, static_cast<std::uint16_t>(s->stil));
            i16(rec_, s16(s->breite)), i16(rec_, 0);
            u32(rec_, gdi::Colorref(QColor(s->farbe)));
        } else if (const auto* p = std::get_if<TGdiPinsel>(&o)) {
            kopf(META_CREATEBRUSHINDIRECT, 7);
            u16(rec_, p->leer ? gdi::BS_NULL : gdi::BS_SOLID);
            u32(rec_, gdi::Colorref(QColor(p->farbe)));
            u16(rec_, 0);
        } else {
            const auto& f = std::get<TGdiSchrift>(o);
            kopf(META_CREATEFONTINDIRECT, 3 + 25);
            i16(rec_, s16(f.hoehe)), i16(rec_, 0);
            i16(rec_, s16(f.winkel)), i16(rec_, s16(f.winkel));
            i16(rec_, s16(f.gewicht));
            u8(rec_, f.kursiv), u8(rec_, f.unterstrichen), u8(rec_, 0);
            u8(rec_, gdi::DEFAULT_CHARSET);
            u8(rec_, 0), u8(rec_, 0), u8(rec_, 0);
            u8(rec_, static_cast<std::uint8_t>(f.familie));
            QByteArray name = NachWindows1252(f.name).left(31);
            name.append(QByteArray(32 - name.size(), '\0'));
            rec_.append(name);
        }
    }

    void waehlen(std::uint32_t handle) override
    {
        kopf(META_SELECTOBJECT, 4), u16(rec_, static_cast<std::uint16_t>(handle));
    }
    void loeschen(int index) override
    {
        kopf(META_DELETEOBJECT, 4), u16(rec_, static_cast<std::uint16_t>(index));
    }
    void textfarbe(QRgb farbe) override
    {
        kopf(META_SETTEXTCOLOR, 5), u32(rec_, gdi::Colorref(QColor(farbe)));
    }
    void fuellmodus(int modus) override
    {
        kopf(META_SETPOLYFILLMODE, 4), u16(rec_, static_cast<std::uint16_t>(modus));
    }

    void rechteck(int l, int o, int r, int u) override
    {
        kopf(META_RECTANGLE, 7);
        i16(rec_, s16(u)), i16(rec_, s16(r)), i16(rec_, s16(o)), i16(rec_, s16(l));
    }

    void polygon(const QPolygon& p, const QRect&) override { punkte(p, META_POLYGON); }
    void polylinie(const QPolygon& p, const QRect&) override { punkte(p, META_POLYLINE); }

    void linie(const QPoint& von, const QPoint& bis) override
    {
        kopf(META_MOVETO, 5), i16(rec_, s16(von.y())), i16(rec_, s16(von.x()));
        kopf(META_LINETO, 5), i16(rec_, s16(bis.y())), i16(rec_, s16(bis.x()));
    }

    void text(const QPoint& bezug, const QString& s, const std::vector<int>& dx,
              const QRect&) override
    {
        std::vector<int> anfaenge;
        QByteArray b = NachWindows1252(s, &anfaenge);
        const int n = static_cast<int>(std::min<qsizetype>(b.size(), kMaxText));
        b.truncate(n);
        const int textWorte = (n + 1) / 2;
        kopf(META_EXTTEXTOUT, static_cast<std::uint32_t>(3 + 4 + textWorte + n));
        i16(rec_, s16(bezug.y())), i16(rec_, s16(bezug.x()));
        i16(rec_, static_cast<std::int16_t>(n));
        u16(rec_, 0); // neither clipped nor opaque, so no rectangle follows
        rec_.append(b);
        if (n % 2)
            u8(rec_, 0);
        // Each byte advances by what its whole character did in the UTF-16 text.
        for (int i = 0; i < n; ++i) {
            const int ende = i + 1 < static_cast<int>(anfaenge.size()) ? anfaenge[i + 1]
                                                                       : static_cast<int>(s.size());
            int summe = 0;
            for (int k = anfaenge[i]; k < ende; ++k)
                summe += dx[static_cast<std::size_t>(k)];
            i16(rec_, s16(summe));
        }
    }

private:
    void kopf(std::uint16_t funktion, std::uint32_t worte)
    {
        u32(rec_, worte);
        u16(rec_, funktion);
        groessterSatz_ = std::max(groessterSatz_, worte);
    }
    void punkte(const QPolygon& p, std::uint16_t funktion)
    {
        const int n = static_cast<int>(std::min<qsizetype>(p.size(), 16380));
        kopf(funktion, static_cast<std::uint32_t>(4 + 2 * n));
        i16(rec_, static_cast<std::int16_t>(n));
        for (int i = 0; i < n; ++i)
            i16(rec_, s16(p[i].x())), i16(rec_, s16(p[i].y()));
    }

    QByteArray rec_;
    std::uint32_t groessterSatz_ = 3;
};

TWmfGeraet::TWmfGeraet(const QSize& zeichenflaeche)
    : TMetafileGeraet(std::make_unique<WmfEngine>(zeichenflaeche))
{}

} // namespace zw
