// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/bericht.h"
#include "report/ergebnistexte.h"

#include <QTest>

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The report as the main window holds it after start-up with nothing drunk.
zw::TBerichtDaten StartDaten()
{
    const zw::TEingabe e = zw::StartEingabe();
    const zw::TErgebnisTexte texte = zw::ErgebnisTexte(zw::Berechne(e), zw::TTrennzeichen{});
    zw::TBerichtDaten d;
    d.Trinkzeitraum = e.Trinkzeitraum;
    d.Magenfuellung =
        std::string(zw::MagenfuellungTexte[static_cast<std::size_t>(e.Magenfuellung)]);
    d.Geschlecht = std::string(zw::GeschlechtTexte[static_cast<std::size_t>(e.Geschlecht)]);
    d.Koerpergewicht = e.Koerpergewicht;
    d.Konstitution = e.Konstitution;
    d.LiterTexte.fill("0");
    d.Getraenk = e.Getraenk;
    d.Aufnahme = texte.Aufnahme;
    d.Maximum = texte.Maximum;
    d.ZeitMaximum = texte.ZeitMaximum;
    d.ZeitNuechtern = texte.ZeitNuechtern;
    d.WirkungZeilen = {texte.Wirkung};
    return d;
}

// LFs that do not follow a CR.
int EinzelneLF(const std::string& s)
{
    int n = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r'))
            ++n;
    }
    return n;
}

// The text between "Verzehr ...:\r\n" and the lone LF before the intake line.
QString Verzehr(const std::string& bericht)
{
    const std::string kopf = "Verzehr (Prozent-Angaben = Alkohol):\r\n";
    const auto anfang = bericht.find(kopf) + kopf.size();
    const auto ende = bericht.find("\nAlkoholaufnahme", anfang);
    return Q(bericht.substr(anfang, ende - anfang));
}

} // namespace

class TstBericht : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ergebnisTexte_data();
    void ergebnisTexte();
    void startwerte();
    void verzehr_data();
    void verzehr();
    void mehrereWirkungszeilen();
};

void TstBericht::ergebnisTexte_data()
{
    QTest::addColumn<double>("promille");
    QTest::addColumn<double>("alkohol");
    QTest::addColumn<double>("zeitMaximum");
    QTest::addColumn<double>("zeitNuechtern");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("aufnahme");
    QTest::addColumn<QString>("zeitMax");
    QTest::addColumn<QString>("zeitNuecht");
    QTest::addColumn<QString>("ueberschrift");

    QTest::newRow("one litre of beer")
        << 0.384931506849315 << 40.0 << 2.0 << 4.5662100456621 << QString::fromUtf8("0,385 °/oo")
        << QStringLiteral("40 g") << QStringLiteral("2,0 Stunde(n)")
        << QStringLiteral("4,6 Stunde(n)") << QStringLiteral("Wirkung bei 0,385 Promille:");
    QTest::newRow("nothing drunk")
        << 0.0 << 0.0 << 2.0 << 2.0 << QString::fromUtf8("0,000 °/oo") << QStringLiteral("0 g")
        << QStringLiteral("2,0 Stunde(n)") << QStringLiteral("2,0 Stunde(n)")
        << QStringLiteral("Wirkung bei 0,000 Promille:");
    QTest::newRow("rounding") << 2.71131302020203 << 123.9999956 << 3.5 << 26.0942751
                              << QString::fromUtf8("2,711 °/oo") << QStringLiteral("124 g")
                              << QStringLiteral("3,5 Stunde(n)") << QStringLiteral("26,1 Stunde(n)")
                              << QStringLiteral("Wirkung bei 2,711 Promille:");
    QTest::newRow("grouping") << 1234.5 << 1234.5 << 1000.04 << 1000.25
                              << QString::fromUtf8("1.234,500 °/oo") << QStringLiteral("1.235 g")
                              << QStringLiteral("1.000,0 Stunde(n)")
                              << QStringLiteral("1.000,3 Stunde(n)")
                              << QStringLiteral("Wirkung bei 1.234,500 Promille:");
}

void TstBericht::ergebnisTexte()
{
    QFETCH(double, promille);
    QFETCH(double, alkohol);
    QFETCH(double, zeitMaximum);
    QFETCH(double, zeitNuechtern);
    QFETCH(QString, maximum);
    QFETCH(QString, aufnahme);
    QFETCH(QString, zeitMax);
    QFETCH(QString, zeitNuecht);
    QFETCH(QString, ueberschrift);

    zw::TErgebnis e;
    e.Promille = promille;
    e.Alkohol = alkohol;
    e.ZeitBisMaximum = zeitMaximum;
    e.ZeitBisNuechtern = zeitNuechtern;
    const zw::TErgebnisTexte t = zw::ErgebnisTexte(e, zw::TTrennzeichen{});
    QCOMPARE(Q(t.Maximum), maximum);
    QCOMPARE(Q(t.Aufnahme), aufnahme);
    QCOMPARE(Q(t.ZeitMaximum), zeitMax);
    QCOMPARE(Q(t.ZeitNuechtern), zeitNuecht);
    QCOMPARE(Q(t.Ueberschrift), ueberschrift);
}

void TstBericht::startwerte()
{
    const std::string bericht = zw::Bericht(StartDaten());
    const char* erwartet = "Berechnete Daten vom Zechwaage (Freeware, alle Angaben ohne Gewähr)\r\n"
                           "---------------------------------------------------------------\r\n"
                           "\n"
                           "Trinkzeitraum:          1 Stunde(n)\r\n"
                           "Magenfüllung:           kleine Mahlzeit\r\n"
                           "Geschlecht:             männlich\r\n"
                           "Körpergewicht:          80 kg\r\n"
                           "Konstitution:           2 (Nicht-Trinker = 1, Alkoholiker = 3)\r\n"
                           "\n"
                           "Verzehr (Prozent-Angaben = Alkohol):\r\n"
                           "\n"
                           "Alkoholaufnahme gesamt: 0 g\r\n"
                           "\n"
                           "Promille-Maximum:       0,000 °/oo\r\n"
                           "Maximum erreicht nach:  2,0 Stunde(n)\r\n"
                           "Nüchtern nach:          2,0 Stunde(n)\r\n"
                           "\n"
                           "Wirkung:\r\n"
                           "  gleich Null\r\n"
                           "\r\n"
                           "---------------------------------------------------------------\r\n";
    QCOMPARE(Q(bericht), QString::fromUtf8(erwartet));
}

void TstBericht::verzehr_data()
{
    QTest::addColumn<QStringList>("literTexte");
    QTest::addColumn<QList<int>>("milliliter");
    QTest::addColumn<QList<int>>("prozent");
    QTest::addColumn<QString>("zeilen");

    const QStringList nullen(6, QStringLiteral("0"));
    const QList<int> keine(6, 0);
    const QList<int> start{5, 10, 15, 20, 25, 30};

    QTest::newRow("nothing") << nullen << keine << start << QString();
    QTest::newRow("0,0 is listed")
        << QStringList{QStringLiteral("0,0"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral("0"),   QStringLiteral("0"), QStringLiteral("0")}
        << keine << start << QStringLiteral("  0,0 l Bier (5%)\r\n");
    QTest::newRow("screen order, texts unchanged")
        << QStringList{QStringLiteral("1"),    QStringLiteral(" 0,5"), QStringLiteral("0"),
                       QStringLiteral("2E-1"), QStringLiteral("0"),    QStringLiteral("0,04")}
        << keine << start
        << QString::fromUtf8("  1 l Bier (5%)\r\n   0,5 l Wein (11%)\r\n  2E-1 l Korn (32%)\r\n"
                             "  0,04 l Whisky (42%)\r\n");
    QTest::newRow("Likoer and Bacardi")
        << QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1,5"),
                       QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0")}
        << keine << start << QString::fromUtf8("  1,5 l Likör (24%)\r\n  2 l Bacardi (37%)\r\n");
    QTest::newRow("fine rows, amount 0 omitted")
        << nullen << QList<int>{250, 0, 0, 500, 0, 1} << QList<int>{12, 40, 15, 0, 25, 99}
        << QStringLiteral("  250 ml (12 %)\r\n  500 ml (0 %)\r\n  1 ml (99 %)\r\n");
    QTest::newRow("negative amount omitted")
        << nullen << QList<int>{-5, 0, 0, 0, 0, 0} << start << QString();
    QTest::newRow("both pages") << QStringList{QStringLiteral("0"), QStringLiteral("0"),
                                               QStringLiteral("0"), QStringLiteral("0"),
                                               QStringLiteral("0"), QStringLiteral("3")}
                                << QList<int>{0, 0, 0, 0, 0, 9999} << start
                                << QStringLiteral("  3 l Whisky (42%)\r\n  9999 ml (30 %)\r\n");
}

void TstBericht::verzehr()
{
    QFETCH(QStringList, literTexte);
    QFETCH(QList<int>, milliliter);
    QFETCH(QList<int>, prozent);
    QFETCH(QString, zeilen);

    zw::TBerichtDaten d = StartDaten();
    for (std::size_t i = 0; i < 6; ++i) {
        const auto j = static_cast<qsizetype>(i);
        d.LiterTexte[i] = literTexte[j].toStdString();
        d.Getraenk[i] = {milliliter[j], prozent[j]};
    }
    const std::string bericht = zw::Bericht(d);
    QCOMPARE(Verzehr(bericht), zeilen);
    QCOMPARE(EinzelneLF(bericht), 5);
}

void TstBericht::mehrereWirkungszeilen()
{
    zw::TBerichtDaten d = StartDaten();
    d.WirkungZeilen = {"erste Zeile", "zweite Zeile", ""};
    const std::string bericht = zw::Bericht(d);
    const std::string ende = "Wirkung:\r\n  erste Zeile\r\n  zweite Zeile\r\n  \r\n\r\n"
                             "---------------------------------------------------------------\r\n";
    QVERIFY(bericht.ends_with(ende));
    QCOMPARE(EinzelneLF(bericht), 5);
}

QTEST_APPLESS_MAIN(TstBericht)
#include "tst_bericht.moc"
