// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chartlayout.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace zw {
namespace {

constexpr int kStrich = 4;      // major tick length
constexpr int kKleinStrich = 2; // minor tick length
constexpr int kKleineStriche = 3;
constexpr int kLabelAbstand = 2; // between a tick's end and its label
constexpr int kTitelLinks = 1;   // room kept for the left title; the title itself uses the margin
constexpr int kTitelUnten = 6;   // the same for the bottom title
constexpr int kMarkenAbstand = 8;
constexpr int kAchsenBreite = 2;
// Fractions of a step below which two values count as the same; absorbs the rounding of
// step multiples such as 3 * 0.1.
constexpr double kToleranz = 1e-7;
// No label loop may run away, whatever the data.
constexpr double kMaxSchritte = 10000;

QString alsText(double wert, const TTrennzeichen& t)
{
    return QString::fromStdString(AchsenText(wert, t));
}

// Where `wert` lies between `min` and `max`, 0..1; halves first so that ranges near the limit
// of double do not overflow. A range without extent puts everything in the middle.
double anteil(double wert, double min, double max)
{
    const double spanne = max / 2 - min / 2;
    if (!(spanne > 0))
        return 0.5;
    return (wert / 2 - min / 2) / spanne;
}

int runde(double v) { return static_cast<int>(std::lround(v)); }

struct Bereich {
    double min = 0;
    double max = 0;
};

// The values the labels stand at, largest first, ends included (the caller drops those).
std::vector<double> labelWerte(const Bereich& b, double schritt)
{
    std::vector<double> werte;
    if (!(schritt > 0))
        return werte;
    const double tol = schritt * kToleranz;
    double k = std::floor(b.max / schritt);
    if ((k + 1) * schritt <= b.max + tol)
        ++k; // b.max / schritt came out just under a whole number
    for (; k * schritt >= b.min - tol && werte.size() <= kMaxSchritte; k -= 1) {
        if (!werte.empty() && k * schritt >= werte.back())
            break; // the step is lost in the rounding of values this large
        werte.push_back(k * schritt);
    }
    return werte;
}

struct AchsenRechnung {
    Bereich bereich;
    double schritt = 0;
    int passend = 0;
    std::vector<double> alle;     // every label value, ends included
    std::vector<double> sichtbar; // those drawn, largest first
    std::vector<QString> texte;   // for `sichtbar`
};

// The range, step and fit that an axis's labels were computed for.
void uebernimmRechnung(TChartAchse& achse, const AchsenRechnung& r, int laenge)
{
    achse.minimum = r.bereich.min;
    achse.maximum = r.bereich.max;
    achse.schritt = r.schritt;
    achse.laenge = laenge;
    achse.passend = r.passend;
}

// Which labels an axis draws: the left axis leaves out the two at its ends, the bottom axis
// draws them too.
enum class Enden { Weglassen, Zeigen };

// Steps and label values for one axis; `groesse` measures a label text along the axis.
template <typename Mass>
AchsenRechnung rechneAchse(const Bereich& b, int laenge, bool leer, Enden enden,
                           const TTrennzeichen& t, Mass groesse)
{
    AchsenRechnung r;
    r.bereich = b;
    if (leer)
        return r;
    auto pixel = [&](double w) { return runde(anteil(w, b.min, b.max) * laenge); };
    const int labelGroesse = std::max(groesse(alsText(b.min, t)), groesse(alsText(b.max, t)));
    const int proLabel = labelGroesse + runde(labelGroesse * 0.1);
    r.passend = proLabel > 0 ? runde(static_cast<double>(laenge) / proLabel) : 0;
    const double spanne = b.max - b.min;
    r.schritt = AchsenSchritt(spanne, r.passend);
    if (r.schritt <= 0 || spanne / r.schritt >= kMaxSchritte) {
        r.schritt = 0;
        return r;
    }
    r.alle = labelWerte(b, r.schritt);
    for (double w : r.alle) {
        // Judged by the pixel, so that a value a hair inside still counts as the end it
        // lands on; a flat range's single label sits in the middle and stays.
        const int p = pixel(w);
        const bool drin = enden == Enden::Zeigen ? p >= 0 && p <= laenge : p > 0 && p < laenge;
        if (drin) {
            r.sichtbar.push_back(w);
            r.texte.push_back(alsText(w, t));
        }
    }
    return r;
}

// Values of the minor ticks: three between each pair of neighbouring drawn labels, none
// beyond the outermost ones.
std::vector<double> kleineStrichWerte(const AchsenRechnung& r)
{
    std::vector<double> werte;
    if (r.bereich.max == r.bereich.min)
        return werte;
    const double s = r.schritt;
    // Counted from each label rather than stepped down by `s`: far from zero a small step
    // can vanish in the rounding of a large value.
    for (size_t j = 1; j < r.sichtbar.size(); ++j) {
        for (int i = 1; i <= kKleineStriche; ++i)
            werte.push_back(r.sichtbar[j - 1] - s * i / (kKleineStriche + 1));
    }
    return werte;
}

} // namespace

namespace {

// 10^e. The powers up to 10^22 are exact doubles, and so are their reciprocals' divisions
// rounded once: the same values std::pow gives, without its tables of the maths library in
// memory (the chart is laid out while the window starts). Above 10^22, a few units in the
// last place may differ, far below anything an axis shows.
double ZehnHoch(int e)
{
    static constexpr double kExakt[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int kGroesster = static_cast<int>(std::size(kExakt)) - 1;
    if (e < 0)
        return 1.0 / ZehnHoch(-e);
    double p = 1;
    for (; e > kGroesster; e -= kGroesster)
        p *= kExakt[kGroesster];
    return p * kExakt[e];
}

} // namespace

double AchsenSchritt(double spanne, int passend)
{
    if (!std::isfinite(spanne) || spanne < 0 || passend < 0)
        return 0;
    static constexpr double kFaktoren[] = {1, 2, 5};
    int exponent = spanne >= 1 ? 0 : -12;
    // 10^308 ends any finite range; the bound only guards the loop.
    for (; exponent <= 308; ++exponent) {
        for (double f : kFaktoren) {
            const double schritt = f * ZehnHoch(exponent);
            if (std::round(spanne / schritt) <= passend)
                return schritt;
        }
    }
    return 0;
}

namespace {

// The finite points, and the ranges they span.
struct Daten {
    std::vector<TChartPunkt> punkte;
    Bereich x;
    Bereich y;
    bool leer() const { return punkte.empty(); }
};

Daten gueltigeDaten(const std::vector<TChartPunkt>& alle)
{
    Daten d;
    d.punkte.reserve(alle.size());
    for (const TChartPunkt& p : alle) {
        if (std::isfinite(p.X) && std::isfinite(p.Y))
            d.punkte.push_back(p);
    }
    if (d.leer())
        return d;
    const auto [xmin, xmax] = std::minmax_element(
        d.punkte.begin(), d.punkte.end(), [](const auto& a, const auto& b) { return a.X < b.X; });
    const auto [ymin, ymax] = std::minmax_element(
        d.punkte.begin(), d.punkte.end(), [](const auto& a, const auto& b) { return a.Y < b.Y; });
    d.x = {xmin->X, xmax->X};
    d.y = {ymin->Y, ymax->Y};
    return d;
}

// Where the plot lies, and how values map to pixels on it.
struct Plotflaeche {
    int rahmenLinks = 0; // the left margin ends here; the left title sits in it
    int links = 0;
    int rechts = 0;
    int oben = 0;
    int boden = 0;   // the plot's bottom row
    int hoehe = 0;   // pixels the y range is spread over
    int xLaenge = 0; // pixels the x range is spread over
    QPoint tief;     // from the front face to the back wall
    Bereich x;
    Bereich y;

    int yPixel(double wert) const { return boden - runde(anteil(wert, y.min, y.max) * hoehe); }
    // A flat x range sits in the middle of the part of the axis it is spread over.
    int xPixel(double wert) const { return links + runde(anteil(wert, x.min, x.max) * xLaenge); }
};

// The frame inside the margins, then the left axis's labels (they decide how wide the left
// axis is), then the bottom axis's labels for the width that is left.
Plotflaeche legePlotFest(const Daten& d, const TChartEingabe& e, TTextMass& achsenMass,
                         AchsenRechnung& ry, AchsenRechnung& rx)
{
    const int w = e.groesse.width();
    const int h = e.groesse.height();
    Plotflaeche f;
    f.x = d.x;
    f.y = d.y;

    // Right and bottom are the first pixels outside.
    f.rahmenLinks = runde(w * 0.05);
    const int rahmenRechts = w - runde(w * 0.05);
    const int rahmenOben = runde(h * 0.10);
    const int rahmenUnten = h - runde(h * 0.05);
    const int tiefe = std::max(0, runde((rahmenRechts - f.rahmenLinks) * 10 * 0.001));
    f.tief = QPoint(tiefe, -tiefe);

    // Below the plot's bottom row come one more row of the axis line, the ticks, a gap, the
    // labels and the title's reserved rows.
    f.oben = rahmenOben + tiefe;
    const int unten =
        rahmenUnten - 1 - (kAchsenBreite - 1 + kStrich + 1 + achsenMass.hoehe() + kTitelUnten);
    f.boden = std::max(f.oben, unten);
    f.hoehe = std::max(0, unten - f.oben);
    ry = rechneAchse(d.y, f.hoehe, d.leer(), Enden::Weglassen, e.trennzeichen,
                     [&](const QString&) { return achsenMass.hoehe(); });

    int labelBreite = 0;
    for (const QString& s : ry.texte)
        labelBreite = std::max(labelBreite, achsenMass.breite(s));
    if (!d.leer()) {
        labelBreite = std::max({labelBreite, achsenMass.breite(alsText(d.y.min, e.trennzeichen)),
                                achsenMass.breite(alsText(d.y.max, e.trennzeichen))});
    }
    f.links =
        f.rahmenLinks + kTitelLinks + labelBreite + kLabelAbstand + kStrich + kAchsenBreite - 1;
    f.rechts = std::max(f.links, rahmenRechts - 1 - tiefe);
    f.xLaenge = runde((f.rechts - f.links) * 0.95);
    rx = rechneAchse(d.x, f.xLaenge, d.leer(), Enden::Zeigen, e.trennzeichen,
                     [&](const QString& s) { return achsenMass.breite(s); });
    return f;
}

// The back wall, the left wall and the floor, as outlines.
std::vector<TChartLinie> waende(const Plotflaeche& f, const QColor& farbe)
{
    const QPoint lo(f.links, f.oben), ro(f.rechts, f.oben), lu(f.links, f.boden),
        ru(f.rechts, f.boden);
    const QPoint t = f.tief;
    const QLine kanten[] = {{lo + t, ro + t}, {ro + t, ru + t}, {ru + t, lu + t},
                            {lu + t, lo + t}, {lo, lo + t},     {lu, lu + t},
                            {ru, ru + t},     {lo, lu},         {lu, ru}};
    std::vector<TChartLinie> w;
    for (const QLine& k : kanten)
        w.push_back({k, farbe, 1, false});
    return w;
}

// The 2-pixel axis line covers the columns links-1 and links, so the plot's own edge is part of
// it and the area cannot hide it; ticks end just left of it.
void baueLinkeAchse(TChartAchse& achse, const AchsenRechnung& r, const Plotflaeche& f,
                    TTextMass& achsenMass, const TChartEingabe& e)
{
    const QColor& grau = e.gitterFarbe;
    uebernimmRechnung(achse, r, f.hoehe);
    const int strichEnde = f.links - kAchsenBreite + 1; // first column not covered by a tick
    for (size_t i = 0; i < r.sichtbar.size(); ++i) {
        const int y = f.yPixel(r.sichtbar[i]);
        const QString& s = r.texte[i];
        const int textX = strichEnde - kStrich - kLabelAbstand - achsenMass.breite(s);
        const int textY = y - achsenMass.hoehe() / 2 + achsenMass.oberlaenge();
        const QPoint wand(f.links, y);
        achse.beschriftungen.push_back({r.sichtbar[i], y, {s, QPoint(textX, textY)}});
        achse.striche.push_back({QLine(strichEnde - kStrich, y, strichEnde, y), grau, 1, false});
        achse.gitter.push_back({QLine(wand, wand + f.tief), grau, 1, true});
        achse.gitter.push_back({QLine(wand + f.tief, QPoint(f.rechts, y) + f.tief), grau, 1, true});
    }
    for (double v : kleineStrichWerte(r)) {
        const int y = f.yPixel(v);
        achse.striche.push_back(
            {QLine(strichEnde - kKleinStrich, y, strichEnde, y), grau, 1, false});
    }
    achse.linie = {QLine(f.links, f.oben, f.links, f.boden + kAchsenBreite), e.linienFarbe,
                   kAchsenBreite, false};
    // The title runs upwards with its descent ending where the reserved pixel begins.
    const QString promille = QStringLiteral("Promille");
    achse.titel = {promille, QPoint(f.rahmenLinks + kTitelLinks - achsenMass.unterlaenge(),
                                    (f.oben + f.boden) / 2 + achsenMass.breite(promille) / 2)};
    achse.titelGedreht = true;
}

// The axis line covers the rows boden and boden+1; ticks and labels hang below it.
void baueUntereAchse(TChartAchse& achse, const AchsenRechnung& r, const Plotflaeche& f,
                     TTextMass& achsenMass, const TChartEingabe& e)
{
    const QColor& grau = e.gitterFarbe;
    uebernimmRechnung(achse, r, f.xLaenge);
    const int strichOben = f.boden + kAchsenBreite;
    const int labelOben = strichOben + kStrich + 1;
    for (size_t i = 0; i < r.sichtbar.size(); ++i) {
        const int x = f.xPixel(r.sichtbar[i]);
        const QString& s = r.texte[i];
        const QPoint text(x - achsenMass.breite(s) / 2, labelOben + achsenMass.oberlaenge());
        const QPoint boden(x, f.boden);
        achse.beschriftungen.push_back({r.sichtbar[i], x, {s, text}});
        achse.striche.push_back({QLine(x, strichOben, x, strichOben + kStrich), grau, 1, false});
        achse.gitter.push_back({QLine(boden, boden + f.tief), grau, 1, true});
        achse.gitter.push_back({QLine(boden + f.tief, QPoint(x, f.oben) + f.tief), grau, 1, true});
    }
    for (double v : kleineStrichWerte(r)) {
        const int x = f.xPixel(v);
        achse.striche.push_back(
            {QLine(x, strichOben, x, strichOben + kKleinStrich), grau, 1, false});
    }
    achse.linie = {QLine(f.links - 1, f.boden + 1, f.rechts + 1, f.boden + 1), e.linienFarbe,
                   kAchsenBreite, false};
    const QString stunden = QStringLiteral("Stunden");
    achse.titel = {stunden, QPoint((f.links + f.rechts) / 2 - achsenMass.breite(stunden) / 2,
                                   labelOben + achsenMass.hoehe() + achsenMass.oberlaenge())};
}

// Segment by segment: the front, then its top face in the depth. A face that runs steeper than
// 45 degrees lies over its own front in this projection, darkened as a side seen at a slant;
// the next segment's front then hides what lies behind it.
std::vector<TChartFlaeche> flaechen(const std::vector<TChartPunkt>& punkte,
                                    const std::vector<QPoint>& bild, const Plotflaeche& f)
{
    std::vector<TChartFlaeche> ergebnis;
    const QPoint t = f.tief;
    for (size_t i = 1; i < bild.size(); ++i) {
        const QPoint a = bild[i - 1], b = bild[i];
        const QColor farbe = punkte[i].Farbe;
        ergebnis.push_back(
            {QPolygon({QPoint(a.x(), f.boden), a, b, QPoint(b.x(), f.boden)}), farbe});
        QColor deckfarbe = farbe;
        if (a.y() - b.y() > b.x() - a.x())
            deckfarbe = QColor(std::max(0, farbe.red() - 64), std::max(0, farbe.green() - 64),
                               std::max(0, farbe.blue() - 64));
        ergebnis.push_back({QPolygon({a, a + t, b + t, b}), deckfarbe});
    }
    const QPoint letzter = bild.back();
    const QPoint darunter(letzter.x(), f.boden);
    ergebnis.push_back(
        {QPolygon({letzter, letzter + t, darunter + t, darunter}), punkte.back().Farbe});
    return ergebnis;
}

// A box with the value above each point, and an arrow down to it.
std::vector<TChartMarke> marken(const std::vector<TChartPunkt>& punkte,
                                const std::vector<QPoint>& bild, const TChartEingabe& e,
                                TTextMass& markenMass)
{
    const int wBreite = markenMass.breiteVonW();
    const int kastenHoehe = markenMass.hoehe() + 2;
    std::vector<TChartMarke> ergebnis;
    for (size_t i = 0; i < punkte.size(); ++i) {
        const QPoint p = bild[i];
        const QString s = alsText(punkte[i].Y, e.trennzeichen);
        const int textBreite = markenMass.breite(s);
        const int kastenBreite = textBreite + wBreite;
        const int kastenUnten = p.y() - kMarkenAbstand;
        const QRect kasten(p.x() - kastenBreite / 2, kastenUnten - kastenHoehe + 1, kastenBreite,
                           kastenHoehe);
        const QPoint text(kasten.left() + (kastenBreite - textBreite) / 2,
                          kasten.top() + 1 + markenMass.oberlaenge());
        ergebnis.push_back({kasten, {s, text}, QLine(p.x(), kastenUnten + 1, p.x(), p.y())});
    }
    return ergebnis;
}

} // namespace

TChartLayout BerechneChartLayout(const std::vector<TChartPunkt>& alle, const TChartEingabe& e)
{
    TChartLayout l;
    l.groesse = e.groesse;
    l.hintergrund = e.hintergrund;
    l.achsenSchrift = e.achsenSchrift;
    l.markenSchrift = e.markenSchrift;
    l.textFarbe = e.textFarbe;

    TChartMasse eigene;
    TChartMasse& masse = e.masse != nullptr ? *e.masse : eigene;
    masse.achsen.setzeSchrift(e.achsenSchrift);
    masse.marken.setzeSchrift(e.markenSchrift);

    const Daten d = gueltigeDaten(alle);
    AchsenRechnung ry, rx;
    const Plotflaeche f = legePlotFest(d, e, masse.achsen, ry, rx);
    l.plot = QRect(QPoint(f.links, f.oben), QPoint(f.rechts, f.boden));
    l.tiefe = f.tief.x();
    l.waende = waende(f, e.linienFarbe);
    baueLinkeAchse(l.links, ry, f, masse.achsen, e);
    baueUntereAchse(l.unten, rx, f, masse.achsen, e);
    if (d.leer())
        return l;

    std::vector<QPoint> bild;
    bild.reserve(d.punkte.size());
    for (const TChartPunkt& p : d.punkte)
        bild.emplace_back(f.xPixel(p.X), f.yPixel(p.Y));
    l.flaechen = flaechen(d.punkte, bild, f);
    l.marken = marken(d.punkte, bild, e, masse.marken);
    return l;
}

} // namespace zw
