// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/berechnung.h"
#include "calc/gleitkomma.h"

#include <QTest>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>

Q_DECLARE_METATYPE(zw::TEingabe)

namespace {

enum class Fehler { DurchNull, Ungueltig, Ueberlauf };

// Runs f and tells which arithmetic failure it raised; fails the test if it raised none.
template <typename F>
std::optional<Fehler> Fange(F&& f)
{
    try {
        f();
    } catch (const zw::EZeroDivide&) {
        return Fehler::DurchNull;
    } catch (const zw::EInvalidOp&) {
        return Fehler::Ungueltig;
    } catch (const zw::EOverflow&) {
        return Fehler::Ueberlauf;
    }
    return std::nullopt;
}

// What the user reads for each effect band, 1 (highest) to 6, written out in full.
QString WirkungImBand(int band)
{
    static const char* const texte[] = {
        "Konfusion, Koma, starke Vergiftungserscheinungen, Tod durch Kreislaufversagen oder "
        "Atemblockade",
        "starke Beeinträchtigung der Wahrnehmung, Gehen ist kaum noch möglich, erste "
        "Vergiftungserscheinungen",
        "Beeinträchtigung des Körpergleichgewichts, Lallen, Erinnerungs- und "
        "Beurteilungsvermögen sinken",
        "erste Beeinträchtigungen der Wahrnehmung (Gedächtnis, Sehen und Hören gedämpft) "
        "leichte Beeinträchtigung des Körpergleichgewichts",
        "leicht euphorisch und anregend",
        "gleich Null",
    };
    return QString::fromUtf8(texte[band - 1]);
}

} // namespace

// Shows the value in full when it is off.
#define VERGLEICHE_NAHE(ist, soll, toleranz)                                                       \
    QVERIFY2(std::fabs((ist) - (soll)) <= (toleranz), qPrintable(QString::number((ist), 'g', 17)))

Q_DECLARE_METATYPE(Fehler)

class TstBerechnung : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ergebnisse_data();
    void ergebnisse();
    void jedesGetraenkZaehltMitSeinemTeiler_data();
    void jedesGetraenkZaehltMitSeinemTeiler();
    void fehler_data();
    void fehler();
    void gleitkomma_data();
    void gleitkomma();
    void wirkungsstufe_data();
    void wirkungsstufe();
    void parameter_data();
    void parameter();
    void fremderWertWieLetzteZeile_data();
    void fremderWertWieLetzteZeile();
};

void TstBerechnung::ergebnisse_data()
{
    QTest::addColumn<zw::TEingabe>("eingabe");
    QTest::addColumn<double>("alkohol");
    QTest::addColumn<double>("promille");
    QTest::addColumn<double>("zeitMaximum");
    QTest::addColumn<double>("zeitNuechtern");
    QTest::addColumn<int>("stufe");
    QTest::addColumn<double>("toleranz");

    const zw::TEingabe start = zw::StartEingabe();
    QTest::newRow("start values, raw peak -0.3 clamped")
        << start << 0.0 << 0.0 << 2.0 << 2.0 << 6 << 0.0;

    zw::TEingabe bier = start;
    bier.LiterBier = 1;
    QTest::newRow("one litre of beer")
        << bier << 40.0 << 0.384931506849315 << 2.0 << 4.5662100456621 << 5 << 1e-13;

    zw::TEingabe gemischt = start;
    gemischt.LiterBier = 2;
    gemischt.LiterWein = 0.5;
    gemischt.Trinkzeitraum = 3;
    gemischt.Magenfuellung = 0;
    gemischt.Geschlecht = 1;
    gemischt.Koerpergewicht = 60;
    gemischt.Konstitution = 0;
    QTest::newRow("2 l beer, 0.5 l wine, woman")
        << gemischt << 123.9999956 << 2.71131302020203 << 3.5 << 26.0942751683503 << 2 << 1e-9;

    zw::TEingabe fein = start;
    fein.Getraenk[0] = {500, 5};
    fein.Getraenk[1] = {200, 12};
    fein.Getraenk[2] = {40, 40};
    fein.Trinkzeitraum = 2;
    fein.Magenfuellung = 2;
    fein.Koerpergewicht = 95;
    fein.Konstitution = 2;
    QTest::newRow("fine rows, negative raw peak")
        << fein << 52.0 << 0.0 << 3.5 << 3.5 << 6 << 1e-12;

    zw::TEingabe negativ = bier;
    negativ.Trinkzeitraum = -2;
    QTest::newRow("negative hours raise the peak")
        << negativ << 40.0 << 0.834931506849315 << -1.0 << 4.5662100456621 << 3 << 1e-13;

    // 100 ml at 50 %: 40 g; with 1 kg, no drinking time, empty stomach and beta 0.3 the
    // peak is 40 / 0.73 - 0.15.
    zw::TEingabe drei = start;
    drei.Magenfuellung = 0;
    drei.Trinkzeitraum = 0;
    drei.Konstitution = 2;
    drei.Koerpergewicht = 1;
    drei.Getraenk[0] = {100, 50};
    QTest::newRow("large peak, band 1") << drei << 40.0 << (40.0 / 0.73 - 0.15) << 0.5
                                        << ((40.0 / 0.73 - 0.15) / 0.3 + 0.5) << 1 << 1e-12;
}

void TstBerechnung::ergebnisse()
{
    QFETCH(zw::TEingabe, eingabe);
    QFETCH(double, alkohol);
    QFETCH(double, promille);
    QFETCH(double, zeitMaximum);
    QFETCH(double, zeitNuechtern);
    QFETCH(int, stufe);
    QFETCH(double, toleranz);

    const zw::TErgebnis e = zw::Berechne(eingabe);
    VERGLEICHE_NAHE(e.Alkohol, alkohol, toleranz);
    VERGLEICHE_NAHE(e.Promille, promille, toleranz);
    QVERIFY(!std::signbit(e.Promille));
    VERGLEICHE_NAHE(e.ZeitBisMaximum, zeitMaximum, toleranz);
    VERGLEICHE_NAHE(e.ZeitBisNuechtern, zeitNuechtern, toleranz);
    QCOMPARE(zw::Wirkungsstufe(e.Promille), stufe);
    QCOMPARE(QString::fromStdString(e.Wirkung), WirkungImBand(stufe));
}

void TstBerechnung::jedesGetraenkZaehltMitSeinemTeiler_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("alkohol");

    // One litre of each quick-entry beverage alone; Bacardi is 374.999531... ml pure alcohol.
    QTest::newRow("Bier") << 0 << QStringLiteral("Bier") << 40.0;
    QTest::newRow("Wein") << 1 << QStringLiteral("Wein") << 87.99999120000089;
    QTest::newRow("Likoer") << 2 << QString::fromUtf8("Likör") << 191.99984640012292;
    QTest::newRow("Korn") << 3 << QStringLiteral("Korn") << 256.0;
    QTest::newRow("Bacardi") << 4 << QStringLiteral("Bacardi") << 374.99953125058596 * 0.8;
    QTest::newRow("Whisky") << 5 << QStringLiteral("Whisky") << 336.00033600033606;
}

void TstBerechnung::jedesGetraenkZaehltMitSeinemTeiler()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(double, alkohol);

    const zw::TSchnellGetraenk& g = zw::SchnellGetraenke[static_cast<std::size_t>(index)];
    QCOMPARE(QString::fromUtf8(g.Name), name);
    zw::TEingabe e = zw::StartEingabe();
    e.*(g.Liter) = 1;
    VERGLEICHE_NAHE(zw::Berechne(e).Alkohol, alkohol, 1e-10);
}

void TstBerechnung::fehler_data()
{
    QTest::addColumn<zw::TEingabe>("eingabe");
    QTest::addColumn<Fehler>("fehler");

    const zw::TEingabe start = zw::StartEingabe();

    zw::TEingabe staerke0 = start;
    staerke0.Getraenk[3].Volumenprozent = 0;
    QTest::newRow("strength 0, amount 0") << staerke0 << Fehler::DurchNull;
    staerke0.Getraenk[3].Milliliter = 250;
    QTest::newRow("strength 0, amount 250") << staerke0 << Fehler::DurchNull;

    zw::TEingabe gewicht0 = start;
    gewicht0.Koerpergewicht = 0;
    QTest::newRow("weight 0, nothing drunk: 0/0") << gewicht0 << Fehler::Ungueltig;
    gewicht0.LiterBier = 0.5;
    QTest::newRow("weight 0, beer") << gewicht0 << Fehler::DurchNull;
    gewicht0.LiterBier = -0.5;
    QTest::newRow("weight 0, negative beer") << gewicht0 << Fehler::DurchNull;

    zw::TEingabe gross = start;
    gross.LiterBier = 1e306;
    QTest::newRow("1E306 l beer") << gross << Fehler::Ueberlauf;
    gross.LiterBier = -1e306;
    QTest::newRow("-1E306 l beer") << gross << Fehler::Ueberlauf;
    gross = start;
    for (const zw::TSchnellGetraenk& g : zw::SchnellGetraenke)
        gross.*(g.Liter) = DBL_MAX / 1000; // each term fits, their sum does not
    QTest::newRow("sum overflows") << gross << Fehler::Ueberlauf;
    gross = start;
    gross.LiterKorn = DBL_MAX / 1000;
    gross.Koerpergewicht = 1;
    gross.Geschlecht = 1;
    gross.Konstitution = 0;
    QTest::newRow("only the time to sober overflows") << gross << Fehler::Ueberlauf;

    // Two huge terms of opposite sign would cancel if inf were allowed through; the first
    // overflowing operation must stop the calculation instead.
    gross = start;
    gross.LiterBier = 1e306;
    gross.LiterWein = -1e306;
    QTest::newRow("opposite overflows do not cancel") << gross << Fehler::Ueberlauf;

    zw::TEingabe unendlich = start;
    unendlich.LiterWein = std::numeric_limits<double>::infinity();
    QTest::newRow("infinite litres") << unendlich << Fehler::Ueberlauf;
    unendlich.LiterWein = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("NaN litres") << unendlich << Fehler::Ungueltig;
}

void TstBerechnung::fehler()
{
    QFETCH(zw::TEingabe, eingabe);
    QFETCH(Fehler, fehler);
    QCOMPARE(Fange([&] { (void)zw::Berechne(eingabe); }), std::optional<Fehler>(fehler));
}

void TstBerechnung::gleitkomma_data()
{
    QTest::addColumn<int>("op"); // 0 +, 1 -, 2 *, 3 /
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<Fehler>("fehler");

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("inf - inf is invalid") << 1 << inf << inf << Fehler::Ungueltig;
    QTest::newRow("inf + -inf is invalid") << 0 << inf << -inf << Fehler::Ungueltig;
    QTest::newRow("0 * inf is invalid") << 2 << 0.0 << inf << Fehler::Ungueltig;
    QTest::newRow("inf / inf is invalid") << 3 << inf << inf << Fehler::Ungueltig;
    QTest::newRow("NaN operand is invalid") << 0 << nan << 1.0 << Fehler::Ungueltig;
    QTest::newRow("0 / 0 is invalid") << 3 << 0.0 << 0.0 << Fehler::Ungueltig;
    QTest::newRow("0 / -0 is invalid") << 3 << 0.0 << -0.0 << Fehler::Ungueltig;
    QTest::newRow("1 / 0") << 3 << 1.0 << 0.0 << Fehler::DurchNull;
    QTest::newRow("-1 / -0") << 3 << -1.0 << -0.0 << Fehler::DurchNull;
    QTest::newRow("max + max") << 0 << DBL_MAX << DBL_MAX << Fehler::Ueberlauf;
    QTest::newRow("-max - max") << 1 << -DBL_MAX << DBL_MAX << Fehler::Ueberlauf;
    QTest::newRow("max * 2") << 2 << DBL_MAX << 2.0 << Fehler::Ueberlauf;
    QTest::newRow("max / 0.5") << 3 << DBL_MAX << 0.5 << Fehler::Ueberlauf;
    QTest::newRow("inf + 1") << 0 << inf << 1.0 << Fehler::Ueberlauf;
    QTest::newRow("1 / inf is not silently 0") << 3 << 1.0 << inf << Fehler::Ueberlauf;
    QTest::newRow("1 / NaN") << 3 << 1.0 << nan << Fehler::Ungueltig;
}

void TstBerechnung::gleitkomma()
{
    QFETCH(int, op);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(Fehler, fehler);
    const auto rechne = [&] {
        switch (op) {
        case 0: return zw::gleitkomma::Plus(a, b);
        case 1: return zw::gleitkomma::Minus(a, b);
        case 2: return zw::gleitkomma::Mal(a, b);
        default: return zw::gleitkomma::Durch(a, b);
        }
    };
    QCOMPARE(Fange(rechne), std::optional<Fehler>(fehler));
}

void TstBerechnung::wirkungsstufe_data()
{
    QTest::addColumn<double>("promille");
    QTest::addColumn<int>("stufe");

    const auto darunter = [](double x) { return std::nextafter(x, 0.0); };
    const auto darueber = [](double x) { return std::nextafter(x, 10.0); };

    QTest::newRow("0") << 0.0 << 6;
    QTest::newRow("exactly 3") << 3.0 << 1;
    QTest::newRow("just below 3") << darunter(3.0) << 2;
    QTest::newRow("1e300") << 1e300 << 1;
    // The double nearest 1.6 lies above 1.6, the one below it under 1.6.
    QTest::newRow("double nearest 1.6") << 1.6 << 2;
    QTest::newRow("double below 1.6") << darunter(1.6) << 3;
    QTest::newRow("double nearest 0.8") << 0.8 << 3;
    QTest::newRow("double below 0.8") << darunter(0.8) << 4;
    QTest::newRow("exactly 0.5") << 0.5 << 4;
    QTest::newRow("just below 0.5") << darunter(0.5) << 5;
    // The double nearest 0.3 lies below 0.3, the next one above it.
    QTest::newRow("double nearest 0.3") << 0.3 << 6;
    QTest::newRow("double above 0.3") << darueber(0.3) << 5;
    QTest::newRow("0.384931506849315") << 0.384931506849315 << 5;
}

void TstBerechnung::wirkungsstufe()
{
    QFETCH(double, promille);
    QFETCH(int, stufe);
    QCOMPARE(zw::Wirkungsstufe(promille), stufe);
    QCOMPARE(QString::fromStdString(zw::WirkungFuer(promille)), WirkungImBand(stufe));
}

void TstBerechnung::parameter_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("beta");
    QTest::addColumn<double>("d");

    QTest::newRow("0") << 0 << 0.73 << 0.12 << 0.5;
    QTest::newRow("1") << 1 << 0.66 << 0.15 << 1.0;
    QTest::newRow("2") << 2 << 0.66 << 0.30 << 1.5;
    QTest::newRow("3") << 3 << 0.66 << 0.30 << 2.0;
}

void TstBerechnung::parameter()
{
    QFETCH(int, index);
    QFETCH(double, r);
    QFETCH(double, beta);
    QFETCH(double, d);
    QCOMPARE(zw::WidmarkFaktor(index), r);
    QCOMPARE(zw::Abbaurate(index), beta);
    QCOMPARE(zw::Verzoegerung(index), d);
}

// A record may carry a value no control produces; it is calculated like the table's last row,
// from below as from above, so a stray value never gives a result between the rows.
void TstBerechnung::fremderWertWieLetzteZeile_data()
{
    QTest::addColumn<zw::TEingabe>("fremd");
    QTest::addColumn<zw::TEingabe>("letzte");

    zw::TEingabe basis = zw::StartEingabe();
    basis.LiterBier = 2;
    auto mit = [&](int zw::TEingabe::* feld, int wert) {
        zw::TEingabe e = basis;
        e.*feld = wert;
        return e;
    };
    using E = zw::TEingabe;
    QTest::newRow("stomach fill -1") << mit(&E::Magenfuellung, -1) << mit(&E::Magenfuellung, 3);
    QTest::newRow("stomach fill INT_MAX")
        << mit(&E::Magenfuellung, INT_MAX) << mit(&E::Magenfuellung, 3);
    QTest::newRow("sex -1") << mit(&E::Geschlecht, -1) << mit(&E::Geschlecht, 1);
    QTest::newRow("sex 2") << mit(&E::Geschlecht, 2) << mit(&E::Geschlecht, 1);
    QTest::newRow("constitution INT_MIN")
        << mit(&E::Konstitution, INT_MIN) << mit(&E::Konstitution, 2);
    QTest::newRow("constitution 3") << mit(&E::Konstitution, 3) << mit(&E::Konstitution, 2);
}

void TstBerechnung::fremderWertWieLetzteZeile()
{
    QFETCH(zw::TEingabe, fremd);
    QFETCH(zw::TEingabe, letzte);
    const zw::TErgebnis a = zw::Berechne(fremd);
    const zw::TErgebnis b = zw::Berechne(letzte);
    QVERIFY(a.Promille > 0);
    QCOMPARE(a.Promille, b.Promille);
    QCOMPARE(a.ZeitBisMaximum, b.ZeitBisMaximum);
    QCOMPARE(a.ZeitBisNuechtern, b.ZeitBisNuechtern);
    QCOMPARE(a.Wirkung, b.Wirkung);
}

QTEST_APPLESS_MAIN(TstBerechnung)
#include "tst_berechnung.moc"
