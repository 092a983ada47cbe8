// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/zahltext.h"

#include <QTest>

#include <cfloat>
#include <cmath>

namespace {

// German, English and a locale with a narrow no-break space (three bytes) for grouping.
const zw::TTrennzeichen Deutsch{",", "."};
const zw::TTrennzeichen Englisch{".", ","};
const zw::TTrennzeichen Schmal{",", "\u202f"};

const zw::TTrennzeichen& Regional(int i)
{
    switch (i) {
    case 0: return Deutsch;
    case 1: return Englisch;
    default: return Schmal;
    }
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

class TstZahltext : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void zahlText_data();
    void zahlText();
    void allgemein_data();
    void allgemein();
    void achse_data();
    void achse();
    void liesGueltig_data();
    void liesGueltig();
    void liesUngueltig_data();
    void liesUngueltig();
    void isoliert_data();
    void isoliert();
    void allgemeinLiestSichZurueck_data();
    void allgemeinLiestSichZurueck();
};

void TstZahltext::zahlText_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<int>("dezimalen");
    QTest::addColumn<int>("regional");
    QTest::addColumn<QString>("text");

    QTest::newRow("peak 0.384931506849315")
        << 0.384931506849315 << 3 << 0 << QStringLiteral("0,385");
    QTest::newRow("1234.5, grouping, half away") << 1234.5 << 0 << 0 << QStringLiteral("1.235");
    QTest::newRow("-1234.5") << -1234.5 << 0 << 0 << QStringLiteral("-1.235");
    QTest::newRow("123.9999956") << 123.9999956 << 0 << 0 << QStringLiteral("124");
    QTest::newRow("26.0942751, 1") << 26.0942751 << 1 << 0 << QStringLiteral("26,1");
    QTest::newRow("2, 1") << 2.0 << 1 << 0 << QStringLiteral("2,0");
    QTest::newRow("0, 3") << 0.0 << 3 << 0 << QStringLiteral("0,000");
    QTest::newRow("-0, 3") << -0.0 << 3 << 0 << QStringLiteral("0,000");
    QTest::newRow("-0.0004 rounds to zero") << -0.0004 << 3 << 0 << QStringLiteral("0,000");
    QTest::newRow("-0.0005 rounds away") << -0.0005 << 3 << 0 << QStringLiteral("-0,001");
    // The nearest double is 2.000499999999999989...; its 18-digit expansion ends in 5.
    QTest::newRow("2.0005 via 18 digits") << 2.0005 << 3 << 0 << QStringLiteral("2,001");
    // Exactly 0.1000003814697265625 and 0.1000041961669921875: a half at the nineteenth
    // digit goes to the even eighteenth, down in the first, up in the second.
    QTest::newRow("18 digits, a half to even: down")
        << 52429.0 / 524288 << 18 << 0 << QStringLiteral("0,100000381469726562");
    QTest::newRow("18 digits, a half to even: up")
        << 52431.0 / 524288 << 18 << 0 << QStringLiteral("0,100004196166992188");
    QTest::newRow("carry into new digit") << 999999.96 << 1 << 0 << QStringLiteral("1.000.000,0");
    QTest::newRow("0.5, 0") << 0.5 << 0 << 0 << QStringLiteral("1");
    QTest::newRow("0.05, 1") << 0.05 << 1 << 0 << QStringLiteral("0,1");
    QTest::newRow("tiny, 2") << 1e-300 << 2 << 0 << QStringLiteral("0,00");
    QTest::newRow("negative decimals act as 0") << 7.6 << -2 << 0 << QStringLiteral("8");
    QTest::newRow("18 decimals") << 0.1 << 18 << 0 << QStringLiteral("0,100000000000000006");
    QTest::newRow("below 1e18 stays fixed")
        << 999999999999999872.0 << 0 << 0 << QStringLiteral("999.999.999.999.999.872");
    QTest::newRow("1e18") << 1e18 << 3 << 0 << QStringLiteral("1E18");
    QTest::newRow("-2.5e20") << -2.5e20 << 0 << 0 << QStringLiteral("-2,5E20");
    QTest::newRow("DBL_MAX, 18 digits")
        << DBL_MAX << 0 << 0 << QStringLiteral("1,79769313486231571E308");
    QTest::newRow("1e15 grouped") << 1e15 << 0 << 0 << QStringLiteral("1.000.000.000.000.000");
    QTest::newRow("English") << 1234567.891 << 2 << 1 << QStringLiteral("1,234,567.89");
    QTest::newRow("multi-byte grouping")
        << 1234567.891 << 1 << 2 << QString::fromUtf8("1\u202f234\u202f567,9");
    QTest::newRow("English scientific") << 1.5e19 << 0 << 1 << QStringLiteral("1.5E19");
}

void TstZahltext::zahlText()
{
    QFETCH(double, wert);
    QFETCH(int, dezimalen);
    QFETCH(int, regional);
    QFETCH(QString, text);
    QCOMPARE(Q(zw::ZahlText(wert, dezimalen, Regional(regional))), text);
}

void TstZahltext::allgemein_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<int>("regional");
    QTest::addColumn<QString>("text");

    QTest::newRow("2") << 2.0 << 0 << QStringLiteral("2");
    QTest::newRow("2.5") << 2.5 << 0 << QStringLiteral("2,5");
    QTest::newRow("1.5 English") << 1.5 << 1 << QStringLiteral("1.5");
    QTest::newRow("28/3") << 28.0 / 3 << 0 << QStringLiteral("9,33333333333333");
    QTest::newRow("2/3 rounds up") << 2.0 / 3 << 0 << QStringLiteral("0,666666666666667");
    QTest::newRow("0") << 0.0 << 0 << QStringLiteral("0");
    QTest::newRow("-0") << -0.0 << 0 << QStringLiteral("0");
    QTest::newRow("0.1 has no tail") << 0.1 << 0 << QStringLiteral("0,1");
    QTest::newRow("no grouping") << 1234567.0 << 0 << QStringLiteral("1234567");
    QTest::newRow("1e15") << 1e15 << 0 << QStringLiteral("1E15");
    QTest::newRow("just below 1e15") << 999999999999999.0 << 0 << QStringLiteral("999999999999999");
    QTest::newRow("rounds up to 1e15") << 999999999999999.5 << 0 << QStringLiteral("1E15");
    QTest::newRow("16th digit 5 rounds away")
        << 1000000000000005.0 << 0 << QString::fromUtf8("1,00000000000001E15");
    // Exactly 0.64835514725102449951...: just below the half, whatever 18 digits would say.
    QTest::newRow("just below a half stays down")
        << 0.6483551472510245 << 0 << QStringLiteral("0,648355147251024");
    QTest::newRow("just below a half, scientific")
        << 9.999999999999995e-291 << 0 << QStringLiteral("9,99999999999999E-291");
    // Exactly 5.6767702096227049999525...e-6: twenty digits alone would read it as a half.
    QTest::newRow("below a half by the 21st digit")
        << 5.676770209622705e-06 << 0 << QStringLiteral("5,6767702096227E-6");
    QTest::newRow("just above a half goes up")
        << 0.6483551472510246 << 0 << QStringLiteral("0,648355147251025");
    QTest::newRow("0.0001") << 0.0001 << 0 << QStringLiteral("0,0001");
    QTest::newRow("0.00001") << 0.00001 << 0 << QStringLiteral("1E-5");
    QTest::newRow("-0.000012") << -0.000012 << 0 << QStringLiteral("-1,2E-5");
    QTest::newRow("1.5e20") << 1.5e20 << 0 << QStringLiteral("1,5E20");
    QTest::newRow("-1.5e20") << -1.5e20 << 0 << QStringLiteral("-1,5E20");
    QTest::newRow("DBL_MAX") << DBL_MAX << 0 << QStringLiteral("1,79769313486232E308");
    QTest::newRow("denormal min") << 4.9406564584124654e-324 << 0
                                  << QStringLiteral("4,94065645841247E-324");
    QTest::newRow("never grouped") << 1234567.5 << 2 << QStringLiteral("1234567,5");
}

void TstZahltext::allgemein()
{
    QFETCH(double, wert);
    QFETCH(int, regional);
    QFETCH(QString, text);
    QCOMPARE(Q(zw::AllgemeinerZahlText(wert, Regional(regional))), text);
}

void TstZahltext::achse_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<int>("regional");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << 0.0 << 0 << QStringLiteral("0");
    QTest::newRow("-0") << -0.0 << 0 << QStringLiteral("0");
    QTest::newRow("-0.0004") << -0.0004 << 0 << QStringLiteral("0");
    QTest::newRow("0.25") << 0.25 << 0 << QStringLiteral("0,25");
    QTest::newRow("2.0005") << 2.0005 << 0 << QStringLiteral("2,001");
    QTest::newRow("1.9996 drops separator") << 1.9996 << 0 << QStringLiteral("2");
    QTest::newRow("0.5") << 0.5 << 0 << QStringLiteral("0,5");
    QTest::newRow("grouped") << 12345.6789 << 0 << QStringLiteral("12.345,679");
    QTest::newRow("negative") << -1.2 << 0 << QStringLiteral("-1,2");
    QTest::newRow("English") << 1234.5 << 1 << QStringLiteral("1,234.5");
    QTest::newRow("1e-10") << 1e-10 << 0 << QStringLiteral("0");
}

void TstZahltext::achse()
{
    QFETCH(double, wert);
    QFETCH(int, regional);
    QFETCH(QString, text);
    QCOMPARE(Q(zw::AchsenText(wert, Regional(regional))), text);
}

void TstZahltext::liesGueltig_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("regional");
    QTest::addColumn<double>("wert");

    QTest::newRow("1,5") << QStringLiteral("1,5") << 0 << 1.5;
    QTest::newRow("blanks around") << QStringLiteral("  2,25 ") << 0 << 2.25;
    QTest::newRow("plus") << QStringLiteral("+3") << 0 << 3.0;
    QTest::newRow("minus") << QStringLiteral("-0,5") << 0 << -0.5;
    QTest::newRow(",5") << QStringLiteral(",5") << 0 << 0.5;
    QTest::newRow("5,") << QStringLiteral("5,") << 0 << 5.0;
    QTest::newRow("lone separator") << QStringLiteral(",") << 0 << 0.0;
    QTest::newRow("0,0") << QStringLiteral("0,0") << 0 << 0.0;
    QTest::newRow("1E") << QStringLiteral("1E") << 0 << 1.0;
    QTest::newRow("1e+") << QStringLiteral("1e+") << 0 << 1.0;
    QTest::newRow("1E3") << QStringLiteral("1E3") << 0 << 1000.0;
    QTest::newRow("2,5e-1") << QStringLiteral("2,5e-1") << 0 << 0.25;
    QTest::newRow("1E306") << QStringLiteral("1E306") << 0 << 1e306;
    QTest::newRow("leading zeros") << QStringLiteral("000000000000000000000000012") << 0 << 12.0;
    QTest::newRow("English 1.5") << QStringLiteral("1.5") << 1 << 1.5;
    QTest::newRow("exact, not via binary steps") << QStringLiteral("0,1") << 0 << 0.1;
    QTest::newRow("long mantissa")
        << QStringLiteral("0,30000000000000000000000000000000000000001") << 0 << 0.3;
    QTest::newRow("large exponent, small mantissa") << QStringLiteral("0,000001E310") << 0 << 1e304;
    QTest::newRow("underflow reads as zero") << QStringLiteral("1E-400") << 0 << 0.0;
    QTest::newRow("huge negative exponent")
        << QStringLiteral("5e-99999999999999999999") << 0 << 0.0;
    QTest::newRow("denormal") << QStringLiteral("5E-324") << 0 << 4.9406564584124654e-324;
}

void TstZahltext::liesGueltig()
{
    QFETCH(QString, text);
    QFETCH(int, regional);
    QFETCH(double, wert);
    QCOMPARE(zw::LiesGleitkomma(text.toStdString(), Regional(regional)), wert);
}

void TstZahltext::liesUngueltig_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("regional");

    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("blanks only") << QStringLiteral("   ") << 0;
    QTest::newRow("bare plus") << QStringLiteral("+") << 0;
    QTest::newRow("bare minus") << QStringLiteral(" - ") << 0;
    QTest::newRow("full stop under German") << QStringLiteral("1.5") << 0;
    QTest::newRow("thousands separator") << QStringLiteral("1.000") << 0;
    QTest::newRow("English thousands") << QStringLiteral("1,000") << 1;
    QTest::newRow("tab") << QStringLiteral("\t1") << 0;
    QTest::newRow("trailing tab") << QStringLiteral("1\t") << 0;
    QTest::newRow("letter") << QStringLiteral("1a") << 0;
    QTest::newRow("two separators") << QStringLiteral("1,2,3") << 0;
    QTest::newRow("inner blank") << QStringLiteral("1 000") << 0;
    QTest::newRow("exponent only") << QStringLiteral("E5") << 0;
    QTest::newRow("double sign") << QStringLiteral("--1") << 0;
    QTest::newRow("exponent with separator") << QStringLiteral("1E2,5") << 0;
    QTest::newRow("E400") << QStringLiteral("1E400") << 0;
    QTest::newRow("-E400") << QStringLiteral("-1E400") << 0;
    QTest::newRow("digits overflow") << QString(400, QLatin1Char('9')) << 0;
    QTest::newRow("huge exponent") << QStringLiteral("1e99999999999999999999") << 0;
    QTest::newRow("inf") << QStringLiteral("inf") << 0;
    QTest::newRow("nan") << QStringLiteral("nan") << 0;
    QTest::newRow("hex") << QStringLiteral("0x10") << 0;
    QTest::newRow("no-break space") << QString::fromUtf8("1\u00a0") << 0;
    QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("\u0661") << 0;
}

void TstZahltext::liesUngueltig()
{
    QFETCH(QString, text);
    QFETCH(int, regional);
    const std::string roh = text.toStdString();
    try {
        const double wert = zw::LiesGleitkomma(roh, Regional(regional));
        QFAIL(qPrintable(QStringLiteral("read as %1").arg(wert)));
    } catch (const zw::EConvertError& f) {
        // The text as typed, isolated (U+2068 ... U+2069), in the framework's message.
        QCOMPARE(QString::fromUtf8(f.what()),
                 QStringLiteral("'\u2068") + text +
                     QStringLiteral("\u2069' is not a valid floating point value"));
    }
}

// A typed text is isolated as a whole and line by line; its own direction marks cannot end the
// isolation early, nor keep it open past its end.
void TstZahltext::isoliert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("isoliert");
    QTest::newRow("plain") << QStringLiteral("1,5x") << QStringLiteral("\u20681,5x\u2069");
    QTest::newRow("empty") << QString() << QStringLiteral("\u2068\u2069");
    QTest::newRow("right-to-left override, kept inside")
        << QStringLiteral("\u202Eabc") << QStringLiteral("\u2068\u202Eabc\u2069");
    QTest::newRow("a closing isolate without an opening one, dropped")
        << QStringLiteral("a\u2069\u202Eb") << QStringLiteral("\u2068a\u202Eb\u2069");
    QTest::newRow("an opened isolate, closed")
        << QStringLiteral("\u2067abc") << QStringLiteral("\u2068\u2067abc\u2069\u2069");
    QTest::newRow("balanced isolates, kept")
        << QStringLiteral("\u2066a\u2069b") << QStringLiteral("\u2068\u2066a\u2069b\u2069");
    QTest::newRow("each line on its own")
        << QStringLiteral("a\u2067b\nc\u2029d")
        << QStringLiteral("\u2068a\u2067b\u2069\u2069\n\u2068c\u2069\u2029\u2068d\u2069");
    QTest::newRow("other scripts untouched")
        << QStringLiteral("\u05D0\u0661\u00A0") << QStringLiteral("\u2068\u05D0\u0661\u00A0\u2069");
}

void TstZahltext::isoliert()
{
    QFETCH(QString, text);
    QFETCH(QString, isoliert);
    QCOMPARE(QString::fromStdString(zw::Isoliert(text.toStdString())), isoliert);
}

// The counters write general number texts into the litre fields, which are read back; a
// round trip must not drift by more than the 15 digits kept.
void TstZahltext::allgemeinLiestSichZurueck_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<int>("regional");

    for (const double w : {0.1, 1.5, 10.0, 28.0 / 3, -2.0 / 3, 1e15, 1.5e-5, 1e300, DBL_MAX,
                           -DBL_MAX, 4.9406564584124654e-324}) {
        for (int r = 0; r < 3; ++r)
            QTest::addRow("%g/%d", w, r) << w << r;
    }
}

void TstZahltext::allgemeinLiestSichZurueck()
{
    QFETCH(double, wert);
    QFETCH(int, regional);
    const std::string text = zw::AllgemeinerZahlText(wert, Regional(regional));
    if (std::fabs(wert) == DBL_MAX) {
        // Rounded up to 15 digits the largest double is beyond the range and reads as invalid.
        QVERIFY_THROWS_EXCEPTION(zw::EConvertError, zw::LiesGleitkomma(text, Regional(regional)));
        return;
    }
    const double zurueck = zw::LiesGleitkomma(text, Regional(regional));
    QVERIFY2(std::fabs(zurueck - wert) <= std::fabs(wert) * 5e-15, text.c_str());
}

QTEST_APPLESS_MAIN(TstZahltext)
#include "tst_zahltext.moc"
