#include "chart/chartlayout.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace zw {
namespace {

constexpr int kStrich = 4;       // major tick length
constexpr int kKleinStrich = 2;  // minor tick length
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

const QColor kGrau(128, 128, 128);

QString alsText(double wert, const Trennzeichen& t)
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

int runde(double v)
{
    return static_cast<int>(std::lround(v));
}

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
    std::vector<double> alle;          // every label value, ends included
    std::vector<double> sichtbar;      // those drawn, largest first
    std::vector<QString> texte;        // for `sichtbar`
};

// The range, step and fit that an axis's labels were computed for.
void uebernimmRechnung(ChartAchse& achse, const AchsenRechnung& r, int laenge)
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
AchsenRechnung rechneAchse(const Bereich& b, int laenge, bool leer, Enden enden, const Trennzeichen& t,
                           Mass groesse)
{
    AchsenRechnung r;
    r.bereich = b;
    if (leer)
        return r;
    auto pixel = [&](double w) { return runde(anteil(w, b.min, b.max) * laenge); };
    const int labelGroesse =
        std::max(groesse(alsText(b.min, t)), groesse(alsText(b.max, t)));
    const int proLabel = labelGroesse + runde(labelGroesse * 0.1);
    r.passend = proLabel > 0 ? runde(static_cast<double>(laenge) / proLabel) : 0;
    const double spanne = b.max - b.min;
    r.schritt = achsenSchritt(spanne, r.passend);
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

double achsenSchritt(double spanne, int passend)
{
    if (!std::isfinite(spanne) || spanne < 0 || passend < 0)
        return 0;
    static constexpr double kFaktoren[] = {1, 2, 5};
    int exponent = spanne >= 1 ? 0 : -12;
    // 10^308 ends any finite range; the bound only guards the loop.
    for (; exponent <= 308; ++exponent) {
        for (double f : kFaktoren) {
            const double schritt = f * std::pow(10.0, exponent);
            if (std::round(spanne / schritt) <= passend)
                return schritt;
        }
    }
    return 0;
}

ChartLayout berechneChartLayout(const std::vector<TChartPunkt>& alle, const ChartEingabe& e)
{
    ChartLayout l;
    l.groesse = e.groesse;
    l.hintergrund = e.hintergrund;
    l.achsenSchrift = e.achsenSchrift;
    l.markenSchrift = e.markenSchrift;

    std::vector<TChartPunkt> punkte;
    punkte.reserve(alle.size());
    for (const TChartPunkt& p : alle) {
        if (std::isfinite(p.X) && std::isfinite(p.Y))
            punkte.push_back(p);
    }
    const bool leer = punkte.empty();
    Bereich bx, by;
    if (!leer) {
        const auto [xmin, xmax] = std::minmax_element(
            punkte.begin(), punkte.end(), [](const auto& a, const auto& b) { return a.X < b.X; });
        const auto [ymin, ymax] = std::minmax_element(
            punkte.begin(), punkte.end(), [](const auto& a, const auto& b) { return a.Y < b.Y; });
        bx = {xmin->X, xmax->X};
        by = {ymin->Y, ymax->Y};
    }

    const QFontMetrics fa(e.achsenSchrift);
    const QFontMetrics fm(e.markenSchrift);
    const int w = e.groesse.width();
    const int h = e.groesse.height();

    // The chart's frame inside the margins; right and bottom are the first pixels outside.
    const int rahmenLinks = runde(w * 0.05);
    const int rahmenRechts = w - runde(w * 0.05);
    const int rahmenOben = runde(h * 0.10);
    const int rahmenUnten = h - runde(h * 0.05);
    l.tiefe = std::max(0, runde((rahmenRechts - rahmenLinks) * 10 * 0.001));
    const int d = l.tiefe;

    // Vertical first: the left axis' labels decide how wide the left axis is. Below the plot's
    // bottom row come one more row of the axis line, the ticks, a gap, the labels and the
    // title's reserved rows.
    const int oben = rahmenOben + d;
    const int unten = rahmenUnten - 1 - (kAchsenBreite - 1 + kStrich + 1 + fa.height() + kTitelUnten);
    const int hoehe = std::max(0, unten - oben);
    const AchsenRechnung ry = rechneAchse(by, hoehe, leer, Enden::Weglassen, e.trennzeichen,
                                          [&](const QString&) { return fa.height(); });

    int labelBreite = 0;
    for (const QString& s : ry.texte)
        labelBreite = std::max(labelBreite, fa.horizontalAdvance(s));
    if (!leer) {
        labelBreite = std::max({labelBreite, fa.horizontalAdvance(alsText(by.min, e.trennzeichen)),
                                fa.horizontalAdvance(alsText(by.max, e.trennzeichen))});
    }
    const int links = rahmenLinks + kTitelLinks + labelBreite + kLabelAbstand + kStrich + kAchsenBreite - 1;
    const int rechts = std::max(links, rahmenRechts - 1 - d);
    const int breite = rechts - links;
    const int xLaenge = runde(breite * 0.95);
    const AchsenRechnung rx = rechneAchse(bx, xLaenge, leer, Enden::Zeigen, e.trennzeichen,
                                          [&](const QString& s) { return fa.horizontalAdvance(s); });

    l.plot = QRect(QPoint(links, oben), QPoint(rechts, std::max(oben, unten)));
    const int bodenY = l.plot.bottom();
    auto yPixel = [&](double y) { return bodenY - runde(anteil(y, by.min, by.max) * hoehe); };
    auto xPixel = [&](double x) {
        // A flat x range sits in the middle of the part of the axis it is spread over.
        return links + runde(anteil(x, bx.min, bx.max) * xLaenge);
    };

    // Walls: the back one, the left one and the floor, as outlines.
    const QPoint tief(d, -d);
    const QPoint lo(links, oben), ro(rechts, oben), lu(links, bodenY), ru(rechts, bodenY);
    auto wand = [&](QPoint a, QPoint b) { l.waende.push_back({QLine(a, b), Qt::black, 1, false}); };
    wand(lo + tief, ro + tief);
    wand(ro + tief, ru + tief);
    wand(ru + tief, lu + tief);
    wand(lu + tief, lo + tief);
    wand(lo, lo + tief);
    wand(lu, lu + tief);
    wand(ru, ru + tief);
    wand(lo, lu);
    wand(lu, ru);

    // Left axis. The 2-pixel axis line covers the columns links-1 and links, so the plot's own
    // edge is part of it and the area cannot hide it; ticks end just left of it.
    ChartAchse& al = l.links;
    uebernimmRechnung(al, ry, hoehe);
    const int strichEnde = links - kAchsenBreite + 1; // first column not covered by a tick
    for (size_t i = 0; i < ry.sichtbar.size(); ++i) {
        const int y = yPixel(ry.sichtbar[i]);
        const QString& s = ry.texte[i];
        const int textX = strichEnde - kStrich - kLabelAbstand - fa.horizontalAdvance(s);
        const int textY = y - fa.height() / 2 + fa.ascent();
        al.beschriftungen.push_back({ry.sichtbar[i], y, {s, QPoint(textX, textY)}});
        al.striche.push_back({QLine(strichEnde - kStrich, y, strichEnde, y), kGrau, 1, false});
        al.gitter.push_back({QLine(QPoint(links, y), QPoint(links, y) + tief), kGrau, 1, true});
        al.gitter.push_back(
            {QLine(QPoint(links, y) + tief, QPoint(rechts, y) + tief), kGrau, 1, true});
    }
    for (double v : kleineStrichWerte(ry)) {
        const int y = yPixel(v);
        al.striche.push_back({QLine(strichEnde - kKleinStrich, y, strichEnde, y), kGrau, 1, false});
    }
    al.linie = {QLine(links, oben, links, bodenY + kAchsenBreite), Qt::black, kAchsenBreite, false};
    // The title runs upwards with its descent ending where the reserved pixel begins.
    const QString promille = QStringLiteral("Promille");
    al.titel = {promille, QPoint(rahmenLinks + kTitelLinks - fa.descent(),
                                 (oben + bodenY) / 2 + fa.horizontalAdvance(promille) / 2)};
    al.titelGedreht = true;

    // Bottom axis; its line covers the rows bodenY and bodenY+1.
    ChartAchse& au = l.unten;
    uebernimmRechnung(au, rx, xLaenge);
    const int strichOben = bodenY + kAchsenBreite;
    const int labelOben = strichOben + kStrich + 1;
    for (size_t i = 0; i < rx.sichtbar.size(); ++i) {
        const int x = xPixel(rx.sichtbar[i]);
        const QString& s = rx.texte[i];
        const QPoint text(x - fa.horizontalAdvance(s) / 2, labelOben + fa.ascent());
        au.beschriftungen.push_back({rx.sichtbar[i], x, {s, text}});
        au.striche.push_back({QLine(x, strichOben, x, strichOben + kStrich), kGrau, 1, false});
        au.gitter.push_back({QLine(QPoint(x, bodenY), QPoint(x, bodenY) + tief), kGrau, 1, true});
        au.gitter.push_back({QLine(QPoint(x, bodenY) + tief, QPoint(x, oben) + tief), kGrau, 1, true});
    }
    for (double v : kleineStrichWerte(rx)) {
        const int x = xPixel(v);
        au.striche.push_back(
            {QLine(x, strichOben, x, strichOben + kKleinStrich), kGrau, 1, false});
    }
    au.linie = {QLine(links - 1, bodenY + 1, rechts + 1, bodenY + 1), Qt::black, kAchsenBreite, false};
    const QString stunden = QStringLiteral("Stunden");
    au.titel = {stunden, QPoint((links + rechts) / 2 - fa.horizontalAdvance(stunden) / 2,
                                labelOben + fa.height() + fa.ascent())};

    if (leer)
        return l;

    // Area, segment by segment: the front, then its top face in the depth. A face that runs
    // steeper than 45 degrees lies over its own front in this projection, darkened as a side
    // seen at a slant; the next segment's front then hides what lies behind it.
    std::vector<QPoint> bild;
    bild.reserve(punkte.size());
    for (const TChartPunkt& p : punkte)
        bild.emplace_back(xPixel(p.X), yPixel(p.Y));
    for (size_t i = 1; i < bild.size(); ++i) {
        const QPoint a = bild[i - 1], b = bild[i];
        const QColor farbe = punkte[i].Farbe;
        l.flaechen.push_back(
            {QPolygon({QPoint(a.x(), bodenY), a, b, QPoint(b.x(), bodenY)}), farbe});
        QColor oben = farbe;
        if (a.y() - b.y() > b.x() - a.x())
            oben = QColor(std::max(0, farbe.red() - 64), std::max(0, farbe.green() - 64),
                          std::max(0, farbe.blue() - 64));
        l.flaechen.push_back({QPolygon({a, a + tief, b + tief, b}), oben});
    }
    const QPoint letzter = bild.back();
    l.flaechen.push_back({QPolygon({letzter, letzter + tief, QPoint(letzter.x(), bodenY) + tief,
                                    QPoint(letzter.x(), bodenY)}),
                          punkte.back().Farbe});

    // Marks, at the front.
    const int wBreite = fm.horizontalAdvance(QLatin1Char('W'));
    const int kastenHoehe = fm.height() + 2;
    for (size_t i = 0; i < punkte.size(); ++i) {
        const QPoint p = bild[i];
        const QString s = alsText(punkte[i].Y, e.trennzeichen);
        const int textBreite = fm.horizontalAdvance(s);
        const int kastenBreite = textBreite + wBreite;
        const int kastenUnten = p.y() - kMarkenAbstand;
        const QRect kasten(p.x() - kastenBreite / 2, kastenUnten - kastenHoehe + 1, kastenBreite,
                           kastenHoehe);
        const QPoint text(kasten.left() + (kastenBreite - textBreite) / 2,
                          kasten.top() + 1 + fm.ascent());
        l.marken.push_back({kasten, {s, text}, QLine(p.x(), kastenUnten + 1, p.x(), p.y())});
    }
    return l;
}

} // namespace zw
