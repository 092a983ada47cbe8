// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bilder.h"

#include "ui/symbol.h"

#include <QBuffer>
#include <QDataStream>
#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QResource>
#include <QSvgGenerator>
#include <QtEndian>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>

namespace zw {
namespace {

qreal wirksamesVerhaeltnis(qreal dpr)
{
    if (dpr > 0)
        return dpr;
    // Drawn for the sharpest screen; a lower one shows it scaled down smoothly enough.
    return qGuiApp ? std::max<qreal>(1.0, std::ceil(qGuiApp->devicePixelRatio())) : 1.0;
}

// Draws with logical coordinates into a pixmap of the given logical size.
QPixmap zeichne(QSize groesse, qreal dpr, const QColor& grund,
                const std::function<void(QPainter&)>& maler)
{
    QPixmap bild(groesse * dpr);
    bild.setDevicePixelRatio(dpr);
    bild.fill(grund);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    maler(p);
    return bild;
}

// A small linear congruential generator: the same bubbles on every run and every machine.
class Zufall {
public:
    explicit Zufall(std::uint32_t start) : zustand_(start) {}
    double naechste() // 0 <= x < 1
    {
        zustand_ = zustand_ * 1664525u + 1013904223u;
        return double(zustand_ >> 8) / double(1u << 24);
    }
    double zwischen(double a, double b) { return a + (b - a) * naechste(); }

private:
    std::uint32_t zustand_;
};

// ---- the beer glass -------------------------------------------------------------------------

QPainterPath kelch()
{
    // A tulip-shaped bowl: widest at the rim, narrowing into the stem.
    QPainterPath p;
    p.moveTo(9, 18);
    p.cubicTo(5, 58, 11, 96, 24, 117);
    p.quadTo(29, 124, 34, 117);
    p.cubicTo(47, 96, 53, 58, 49, 18);
    p.closeSubpath();
    return p;
}

// Where the glass goes, the beer and the foam inside it are cut to the bowl. A painter that
// records vectors (the SVG icon) may not keep a clip, so there the shapes are cut themselves;
// on pixels the clip gives the edges the window has always shown.
enum class Ziel : std::uint8_t { Pixel, Vektor };

void maleBierglas(QPainter& p, Ziel ziel)
{
    const QPainterPath schale = kelch();
    const auto imGlas = [&](const QRectF& flaeche, const QBrush& pinsel) {
        if (ziel == Ziel::Pixel) {
            p.fillRect(flaeche, pinsel);
            return;
        }
        QPainterPath rechteck;
        rechteck.addRect(flaeche);
        p.fillPath(schale.intersected(rechteck), pinsel);
    };

    // Foot and stem first, so the bowl covers the joint.
    QLinearGradient glasGrau(0, 0, 58, 0);
    glasGrau.setColorAt(0.0, QColor(150, 160, 170, 150));
    glasGrau.setColorAt(0.35, QColor(235, 240, 245, 220));
    glasGrau.setColorAt(0.6, QColor(170, 180, 190, 170));
    glasGrau.setColorAt(1.0, QColor(120, 130, 140, 150));
    p.setPen(QPen(QColor(210, 215, 220, 230), 0.8));
    p.setBrush(glasGrau);
    p.drawEllipse(QRectF(10, 168, 38, 10));
    QPainterPath stiel;
    stiel.moveTo(26.5, 119);
    stiel.cubicTo(27.5, 140, 27, 160, 24, 171);
    stiel.lineTo(34, 171);
    stiel.cubicTo(31, 160, 30.5, 140, 31.5, 119);
    stiel.closeSubpath();
    p.drawPath(stiel);
    p.drawEllipse(QRectF(25.5, 140, 7, 6)); // a knob halfway down the stem

    // Beer: golden, darker towards the walls and the bottom.
    p.save();
    if (ziel == Ziel::Pixel)
        p.setClipPath(schale);
    QLinearGradient quer(9, 0, 49, 0);
    quer.setColorAt(0.0, QColor(150, 85, 5));
    quer.setColorAt(0.3, QColor(245, 185, 30));
    quer.setColorAt(0.45, QColor(255, 215, 80));
    quer.setColorAt(0.75, QColor(225, 150, 20));
    quer.setColorAt(1.0, QColor(140, 75, 5));
    imGlas(QRectF(0, 28, 58, 100), quer);
    QLinearGradient laengs(0, 28, 0, 122);
    laengs.setColorAt(0.0, QColor(255, 240, 160, 60));
    laengs.setColorAt(0.7, QColor(0, 0, 0, 0));
    laengs.setColorAt(1.0, QColor(90, 40, 0, 120));
    imGlas(QRectF(0, 28, 58, 100), laengs);

    // Rising bubbles, always the same ones.
    Zufall z(0x5eed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 26; ++i) {
        const double y = z.zwischen(34, 112);
        const double halbeBreite = 18 - (y - 34) * 0.14; // the bowl narrows downwards
        const double x = 29 + z.zwischen(-halbeBreite, halbeBreite);
        const double r = z.zwischen(0.5, 1.3);
        p.setBrush(QColor(255, 245, 190, 170));
        p.drawEllipse(QPointF(x, y), r, r);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QPointF(x - r * 0.3, y - r * 0.3), r * 0.35, r * 0.35);
    }

    // Foam inside the glass, down to the beer.
    QLinearGradient schaumInnen(0, 16, 0, 31);
    schaumInnen.setColorAt(0.0, QColor(255, 255, 250));
    schaumInnen.setColorAt(1.0, QColor(235, 225, 200));
    imGlas(QRectF(0, 16, 58, 13), schaumInnen);
    p.restore();

    // The crown of foam over the rim: overlapping puffs, lit from the upper left.
    QPainterPath krone;
    krone.setFillRule(Qt::WindingFill); // overlapping puffs add up instead of cutting holes
    const std::array<QPointF, 7> puffs = {QPointF(11, 16), QPointF(17, 11), QPointF(24, 9),
                                          QPointF(31, 8),  QPointF(38, 9),  QPointF(44, 11),
                                          QPointF(48, 16)};
    const std::array<qreal, 7> radien = {5.5, 6.5, 7, 7.5, 7, 6.5, 5.5};
    for (std::size_t i = 0; i < puffs.size(); ++i)
        krone.addEllipse(puffs[i], radien[i], radien[i]);
    krone.addRect(QRectF(7.5, 14, 43, 6));
    krone = krone.simplified();
    QRadialGradient schaum(QPointF(22, 6), 30);
    schaum.setColorAt(0.0, QColor(255, 255, 255));
    schaum.setColorAt(0.6, QColor(250, 248, 238));
    schaum.setColorAt(1.0, QColor(215, 205, 180));
    p.setPen(QPen(QColor(225, 215, 190), 0.5));
    p.setBrush(schaum);
    p.drawPath(krone);

    // The glass itself: a faint body, a bright outline and two highlights.
    p.setPen(QPen(QColor(225, 230, 235, 235), 1.1));
    p.setBrush(QColor(200, 220, 235, 28));
    p.drawPath(schale);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 190), 2.0, Qt::SolidLine, Qt::RoundCap));
    QPainterPath licht;
    licht.moveTo(13.5, 34);
    licht.cubicTo(11.5, 62, 14.5, 88, 21, 106);
    p.drawPath(licht);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.0, Qt::SolidLine, Qt::RoundCap));
    QPainterPath licht2;
    licht2.moveTo(44.5, 40);
    licht2.cubicTo(45.5, 60, 43.5, 80, 39.5, 96);
    p.drawPath(licht2);
    p.setPen(QPen(QColor(255, 255, 255, 160), 1.0));
    p.drawLine(QPointF(27, 150), QPointF(27, 164)); // a glint on the stem
}

// ---- bubbles --------------------------------------------------------------------------------

void maleBlase(QPainter& p, QPointF m, qreal r, int helligkeit)
{
    QRadialGradient g(m, r);
    g.setColorAt(0.0, QColor(120, 70, 0, 60));
    // Four shades only: every distinct gradient costs Qt a colour table it keeps for good.
    g.setColorAt(0.7, QColor(230, 160, 20, 140 + (helligkeit / 64) * 21));
    g.setColorAt(0.92, QColor(255, 205, 60, 230));
    g.setColorAt(1.0, QColor(255, 220, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(m, r, r);
    QRadialGradient glanz(m + QPointF(-r * 0.4, -r * 0.4), r * 0.45);
    glanz.setColorAt(0.0, QColor(255, 250, 220, 230));
    glanz.setColorAt(1.0, QColor(255, 250, 220, 0));
    p.setBrush(glanz);
    p.drawEllipse(m + QPointF(-r * 0.4, -r * 0.4), r * 0.45, r * 0.45);
}

void maleBlasen(QPainter& p)
{
    // A warm glow from below, as if through a glass of beer.
    QRadialGradient schein(QPointF(42, 130), 95);
    schein.setColorAt(0.0, QColor(110, 60, 0));
    schein.setColorAt(1.0, QColor(0, 0, 0));
    p.fillRect(QRectF(0, 0, 84, 112), schein);

    // One draw per statement: the order in which a call's arguments are evaluated is left open
    // by C++, and GCC and Clang pick differently.
    Zufall z(0xb1a5e);
    // Small ones first, so the big ones sit in front.
    for (int i = 0; i < 60; ++i) {
        const qreal r = z.zwischen(0.8, 2.2);
        const qreal x = z.zwischen(0, 84);
        const qreal y = z.zwischen(0, 112);
        maleBlase(p, QPointF(x, y), r, int(z.zwischen(0, 255)));
    }
    for (int i = 0; i < 14; ++i) {
        const qreal r = z.zwischen(3.0, 8.0);
        const qreal x = z.zwischen(4, 80);
        const qreal y = z.zwischen(4, 108);
        maleBlase(p, QPointF(x, y), r, int(z.zwischen(0, 255)));
    }
}

// ---- tool images ----------------------------------------------------------------------------
// Each is drawn on a 16 x 16 grid and scaled, so the 32 x 32 version is the same design.

void maleKopieren(QPainter& p)
{
    p.setPen(QPen(QColor(60, 60, 70), 1));
    for (const QPointF ecke : {QPointF(1.5, 1.5), QPointF(6.5, 5.5)}) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(ecke, QSizeF(8, 10)));
        for (int z = 0; z < 3; ++z)
            p.drawLine(ecke + QPointF(2, 3 + 2 * z), ecke + QPointF(6, 3 + 2 * z));
    }
}

void maleZurueck(QPainter& p)
{
    QPen pen(QColor(30, 90, 180), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath bogen;
    bogen.moveTo(4, 7);
    bogen.cubicTo(8, 3, 14, 5, 13.5, 10);
    bogen.cubicTo(13, 13, 10, 14, 7, 13.5);
    p.drawPath(bogen);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 180));
    p.drawPolygon(QPolygonF({QPointF(1, 7.5), QPointF(7, 2.5), QPointF(7, 11)}));
}

void maleInfo(QPainter& p)
{
    QRadialGradient g(QPointF(6, 5), 10);
    g.setColorAt(0, QColor(110, 160, 240));
    g.setColorAt(1, QColor(20, 70, 170));
    p.setPen(QPen(QColor(15, 50, 130), 0.8));
    p.setBrush(g);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7, 3.5, 2.2, 2.2));
    p.drawRect(QRectF(7, 6.8, 2.2, 5.7));
}

void maleFormeln(QPainter& p)
{
    // A calculator: drawn shapes only, so it looks the same with any fonts.
    p.setPen(QPen(QColor(50, 50, 60), 0.8));
    p.setBrush(QColor(190, 195, 205));
    p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
    p.setBrush(QColor(170, 215, 160));
    p.drawRect(QRectF(4, 2, 8, 3.5));
    p.setPen(Qt::NoPen);
    for (int zeile = 0; zeile < 3; ++zeile)
        for (int spalte = 0; spalte < 3; ++spalte) {
            p.setBrush(zeile == 2 && spalte == 2 ? QColor(220, 90, 40) : QColor(70, 70, 80));
            p.drawRect(QRectF(4 + spalte * 3, 7 + zeile * 2.7, 2, 1.8));
        }
}

void maleSpeichern(QPainter& p)
{
    p.setPen(QPen(QColor(20, 30, 70), 0.8));
    p.setBrush(QColor(50, 80, 160));
    QPainterPath diskette;
    diskette.moveTo(1.5, 1.5);
    diskette.lineTo(12.5, 1.5);
    diskette.lineTo(14.5, 3.5);
    diskette.lineTo(14.5, 14.5);
    diskette.lineTo(1.5, 14.5);
    diskette.closeSubpath();
    p.drawPath(diskette);
    p.setBrush(QColor(200, 205, 215)); // metal shutter
    p.drawRect(QRectF(4.5, 1.5, 7, 4.5));
    p.setBrush(QColor(50, 80, 160));
    p.drawRect(QRectF(9, 2.3, 1.5, 2.8));
    p.setBrush(Qt::white); // label
    p.drawRect(QRectF(3.5, 8.5, 9, 6));
}

void maleEnde(QPainter& p)
{
    // An open door with an arrow going out.
    p.setPen(QPen(QColor(80, 50, 20), 0.8));
    p.setBrush(QColor(120, 80, 40));
    p.drawRect(QRectF(1.5, 1.5, 8, 13));
    p.setBrush(QColor(200, 150, 90));
    p.drawPolygon(
        QPolygonF({QPointF(1.5, 1.5), QPointF(6, 3), QPointF(6, 15.5), QPointF(1.5, 14.5)}));
    p.setPen(QPen(QColor(190, 30, 30), 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8, 8), QPointF(12.5, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 30, 30));
    p.drawPolygon(QPolygonF({QPointF(11.5, 4.5), QPointF(15.5, 8), QPointF(11.5, 11.5)}));
}

using Maler = void (*)(QPainter&);
constexpr std::array<Maler, AnzahlWerkzeugbilder> werkzeugMaler = {
    maleKopieren, maleZurueck, maleInfo, maleFormeln, maleSpeichern, maleEnde};

QPixmap werkzeugPixmap(int index, int kante)
{
    QPixmap bild(kante, kante);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kante / 16.0, kante / 16.0);
    werkzeugMaler[std::size_t(index)](p);
    return bild;
}

// ---- the program icon -----------------------------------------------------------------------

// The glass of the picture panel, centred in a square and drawn a little wider than there, so
// that the bowl stays recognisable at 16 pixels.
void maleSymbol(QPainter& p, qreal kante)
{
    constexpr qreal kBreiter = 1.4;
    const qreal mass = kante / 186.0;
    p.translate(kante / 2, kante / 2);
    p.scale(mass * kBreiter, mass);
    p.translate(-29, -93);
    maleBierglas(p, Ziel::Vektor);
}

// The stored pictures: a stream of records, each a picture's name, its width, height, pixel
// format and bytes per line, up to three bytes of filling, and its pixels as they lie in memory
// (as QDataStream writes byte arrays and 32-bit numbers: a big-endian length before the bytes).
// The filling puts every picture's pixels on a multiple of four bytes from the start, so that
// the program shows them where they lie in its own file instead of copying them to the heap.
// Raw pixels, not PNG: reading a PNG asks Qt's image plugins first, which alone costs almost
// half of drawing the pictures. They are in the byte order of the machine that drew them, which
// is the one the program runs on: a build that cannot run its own programs draws at start-up
// instead.
constexpr quint32 kVorratKennung = 0x5a57'5633; // "ZWV3"
constexpr qsizetype kPixelAusrichtung = alignof(quint32);
constexpr QDataStream::Version kVorratFormat = QDataStream::Qt_6_0;
// The pictures of the panel are stored for a device pixel ratio of 1, the one most screens
// have; for others they are drawn, as sharp as before.
constexpr int kVorratVerhaeltnis = 1;
constexpr std::array<int, 2> kWerkzeugKanten{16, 32};
constexpr std::array<int, 4> kFensterSymbolKanten{16, 24, 32, 48};

QByteArray werkzeugName(int index, int kante)
{
    return "werkzeug" + QByteArray::number(index) + '-' + QByteArray::number(kante);
}
QByteArray symbolName(int kante) { return "symbol" + QByteArray::number(kante); }

QPixmap zeichneBierglas(qreal dpr)
{
    return zeichne({58, 181}, dpr, Qt::transparent,
                   [](QPainter& p) { maleBierglas(p, Ziel::Pixel); });
}

QPixmap zeichneBlasen(qreal dpr) { return zeichne({84, 112}, dpr, Qt::black, maleBlasen); }

// The stored picture where there is one, else the drawing.
QPixmap gespeichertOderGezeichnet(QByteArrayView name, const std::function<QPixmap()>& maler)
{
    QPixmap bild = QPixmap::fromImage(Vorgezeichnet(name));
    return bild.isNull() ? maler() : bild;
}

QPixmap tafelbild(qreal dpr, QByteArrayView name, QPixmap (*maler)(qreal))
{
    const qreal verhaeltnis = wirksamesVerhaeltnis(dpr);
    if (verhaeltnis != kVorratVerhaeltnis)
        return maler(verhaeltnis);
    return gespeichertOderGezeichnet(name, [&] { return maler(verhaeltnis); });
}

} // namespace

QPixmap BierglasBild(qreal dpr) { return tafelbild(dpr, "bierglas", zeichneBierglas); }

QPixmap BlasenBild(qreal dpr) { return tafelbild(dpr, "blasen", zeichneBlasen); }

QIcon Werkzeugbild(int index)
{
    if (index < 0 || index >= AnzahlWerkzeugbilder)
        return {};
    QIcon symbol;
    for (const int kante : kWerkzeugKanten)
        symbol.addPixmap(gespeichertOderGezeichnet(werkzeugName(index, kante),
                                                   [&] { return werkzeugPixmap(index, kante); }));
    return symbol;
}

QIcon Programmsymbol()
{
    // Only the sizes title bars, task bars and window switchers use; larger requests are scaled
    // from the largest.
    QIcon symbol;
    for (const int kante : kFensterSymbolKanten)
        symbol.addPixmap(gespeichertOderGezeichnet(
            symbolName(kante), [&] { return QPixmap::fromImage(SymbolBild(kante)); }));
    return symbol;
}

QList<TVorgezeichnet> ZeichneVorrat()
{
    QList<TVorgezeichnet> vorrat;
    vorrat.append({"bierglas", zeichneBierglas(kVorratVerhaeltnis).toImage()});
    vorrat.append({"blasen", zeichneBlasen(kVorratVerhaeltnis).toImage()});
    for (int index = 0; index < AnzahlWerkzeugbilder; ++index)
        for (const int kante : kWerkzeugKanten)
            vorrat.append({werkzeugName(index, kante), werkzeugPixmap(index, kante).toImage()});
    // Premultiplied, as a QPixmap holds it: the window icon then shows the stored pixels
    // without a converted copy.
    for (const int kante : kFensterSymbolKanten)
        vorrat.append({symbolName(kante),
                       SymbolBild(kante).convertToFormat(QImage::Format_ARGB32_Premultiplied)});
    return vorrat;
}

QByteArray VorratDaten()
{
    QByteArray daten;
    QDataStream aus(&daten, QIODevice::WriteOnly);
    aus.setVersion(kVorratFormat);
    aus << kVorratKennung;
    for (const TVorgezeichnet& bild : ZeichneVorrat()) {
        const QImage& b = bild.bild;
        aus << bild.name << qint32(b.width()) << qint32(b.height()) << qint32(b.format())
            << qint32(b.bytesPerLine());
        // The filling's length and the pixels' length are four bytes each.
        const qsizetype pixel = daten.size() + 4 + 4;
        aus << QByteArray((kPixelAusrichtung - pixel % kPixelAusrichtung) % kPixelAusrichtung, 0)
            << QByteArray::fromRawData(reinterpret_cast<const char*>(b.constBits()),
                                       b.sizeInBytes());
    }
    return aus.status() == QDataStream::Ok ? daten : QByteArray();
}

QImage Vorgezeichnet(QByteArrayView name)
{
    // Uncompressed, so this is a view of the program's own data, not a copy.
    const QResource vorrat(QStringLiteral(":/zechwaage/vorgezeichnet"));
    if (!vorrat.isValid())
        return {};
    return LiesVorgezeichnet(vorrat.uncompressedData(), name, VorratDauer::WieDasProgramm);
}

QImage LiesVorgezeichnet(QByteArrayView daten, QByteArrayView name, VorratDauer dauer)
{
    // Read in place: a picture is looked up a dozen times at start-up, and QDataStream would
    // make a string of every name it steps over.
    qsizetype stelle = 0;
    const auto zahl = [&](quint32& wert) {
        if (daten.size() - stelle < 4)
            return false;
        wert = qFromBigEndian<quint32>(daten.data() + stelle);
        stelle += 4;
        return true;
    };
    const auto bytes = [&](QByteArrayView& wert) {
        quint32 laenge = 0;
        if (!zahl(laenge) || laenge > quint64(daten.size() - stelle))
            return false;
        wert = daten.sliced(stelle, qsizetype(laenge));
        stelle += qsizetype(laenge);
        return true;
    };
    quint32 kennung = 0;
    if (!zahl(kennung) || kennung != kVorratKennung)
        return {};
    while (stelle < daten.size()) {
        QByteArrayView eintrag;
        quint32 breite = 0;
        quint32 hoehe = 0;
        quint32 format = 0;
        quint32 zeile = 0;
        QByteArrayView fuellung;
        QByteArrayView punkte;
        if (!bytes(eintrag) || !zahl(breite) || !zahl(hoehe) || !zahl(format) || !zahl(zeile) ||
            !bytes(fuellung) || !bytes(punkte))
            return {};
        if (eintrag != name)
            continue;
        // Nothing larger than the bytes there are is made.
        if (format <= QImage::Format_Invalid || format >= QImage::NImageFormats || breite == 0 ||
            breite > zeile || hoehe == 0 || quint64(zeile) * hoehe != quint64(punkte.size()))
            return {};
        const auto f = static_cast<QImage::Format>(format);
        // The lines as QImage lays them out itself: whole 32-bit words, no more.
        const quint64 bits = quint64(breite) * QImage::toPixelFormat(f).bitsPerPixel();
        if (breite > quint32(std::numeric_limits<int>::max()) ||
            hoehe > quint32(std::numeric_limits<int>::max()) || (bits + 31) / 32 * 4 != zeile)
            return {};
        const int w = static_cast<int>(breite);
        const int h = static_cast<int>(hoehe);
        const auto* quelle = reinterpret_cast<const uchar*>(punkte.data());
        if (dauer == VorratDauer::WieDasProgramm &&
            reinterpret_cast<quintptr>(quelle) % quintptr(kPixelAusrichtung) == 0)
            return QImage(quelle, w, h, qsizetype(zeile), f);
        QImage bild{w, h, f};
        if (bild.isNull() || bild.bytesPerLine() != qsizetype(zeile) ||
            bild.sizeInBytes() != punkte.size())
            return {};
        std::memcpy(bild.bits(), quelle, size_t(punkte.size()));
        return bild;
    }
    return {};
}

QImage SymbolBild(int kante)
{
    QImage bild(kante, kante, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    maleSymbol(p, kante);
    p.end();
    return bild.convertToFormat(QImage::Format_ARGB32);
}

QByteArray SymbolSvg()
{
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&puffer);
    svg.setSize({128, 128});
    svg.setViewBox(QRect(0, 0, 128, 128));
    // At 96 dots per inch the file's own size is 128 pixels.
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Zechwaage"));
    svg.setDescription(QStringLiteral("Ein hohes Glas Bier mit Schaumkrone"));
    QPainter p;
    if (!p.begin(&svg))
        return {};
    p.setRenderHint(QPainter::Antialiasing);
    maleSymbol(p, 128);
    if (!p.end())
        return {};
    return daten;
}

} // namespace zw
