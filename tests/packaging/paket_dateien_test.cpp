// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop entry, the icon and the AppStream file refer to each other and to the
// executable by name; a rename in one place silently breaks menus and software centres.
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QRegularExpression>
#include <QSize>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>

namespace zw {
namespace {

QString paketDatei(const QString& endung)
{
    return QStringLiteral(ZW_PAKET_DIR "/" ZW_APP_ID) + endung;
}

// Keys of the [Desktop Entry] group; other groups (actions) are not ours to check here.
QHash<QString, QString> leseDesktopEintrag(const QString& pfad)
{
    QHash<QString, QString> werte;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return werte;
    bool imEintrag = false;
    const QStringList zeilen = QString::fromUtf8(datei.readAll()).split(QLatin1Char('\n'));
    for (const QString& roh : zeilen) {
        const QString zeile = roh.trimmed();
        if (zeile.isEmpty() || zeile.startsWith(QLatin1Char('#')))
            continue;
        if (zeile.startsWith(QLatin1Char('['))) {
            imEintrag = zeile == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype gleich = zeile.indexOf(QLatin1Char('='));
        if (imEintrag && gleich > 0)
            werte.insert(zeile.left(gleich).trimmed(), zeile.mid(gleich + 1).trimmed());
    }
    return werte;
}

struct Bildschirmfoto {
    QString url;
    QSize groesse;
};

// One release of the program: in the AppStream file, or the changelog entry of its first
// Debian package.
struct Veroeffentlichung {
    QDate datum;
    QStringList punkte; // the notes, blanks and line breaks folded
};

struct MetaInfo {
    QList<Bildschirmfoto> bildschirmfotos;
    QMap<QString, Veroeffentlichung> veroeffentlichungen;
    QString id;
    QString launchable;
    QString binary;
    QString releaseVersion;
    QString alkoholBewertung;
    QString fehler;
};

MetaInfo leseMetaInfo(const QString& pfad)
{
    MetaInfo info;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        info.fehler = datei.errorString();
        return info;
    }
    QXmlStreamReader xml(&datei);
    QString version; // of the release being read
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("id")) {
            info.id = xml.readElementText();
        } else if (name == QLatin1String("launchable")) {
            info.launchable = xml.readElementText();
        } else if (name == QLatin1String("binary")) {
            info.binary = xml.readElementText();
        } else if (name == QLatin1String("release")) {
            // The first release listed is the newest one.
            version = xml.attributes().value(QLatin1String("version")).toString();
            if (info.releaseVersion.isEmpty())
                info.releaseVersion = version;
            info.veroeffentlichungen[version].datum = QDate::fromString(
                xml.attributes().value(QLatin1String("date")).toString(), Qt::ISODate);
        } else if (name == QLatin1String("li") && !version.isEmpty()) {
            info.veroeffentlichungen[version].punkte.append(xml.readElementText().simplified());
        } else if (name == QLatin1String("image")) {
            const auto attribute = xml.attributes();
            const QSize groesse(attribute.value(QLatin1String("width")).toInt(),
                                attribute.value(QLatin1String("height")).toInt());
            info.bildschirmfotos.append({xml.readElementText(), groesse});
        } else if (name == QLatin1String("content_attribute") &&
                   xml.attributes().value(QLatin1String("id")) == QLatin1String("drugs-alcohol")) {
            info.alkoholBewertung = xml.readElementText();
        }
    }
    if (xml.hasError())
        info.fehler = xml.errorString();
    return info;
}

// The Debian changelog by upstream version (the part before the last '-'): each version's date
// and items are those of its oldest entry, the first package made of it.
struct Changelog {
    QString neuesteVersion;
    QMap<QString, Veroeffentlichung> veroeffentlichungen;
    QString fehler;
};

Changelog leseChangelog(const QString& pfad)
{
    Changelog changelog;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        changelog.fehler = datei.errorString();
        return changelog;
    }
    static const QRegularExpression kopf(QStringLiteral("^\\S+ \\(([^)]+)-[^-)]+\\) "));
    static const QRegularExpression fuss(QStringLiteral("^ -- .+>  (.+)$"));
    QString version;
    Veroeffentlichung eintrag;
    const QStringList zeilen = QString::fromUtf8(datei.readAll()).split(QLatin1Char('\n'));
    for (const QString& zeile : zeilen) {
        if (const auto m = kopf.match(zeile); m.hasMatch()) {
            version = m.captured(1);
            eintrag = {};
            if (changelog.neuesteVersion.isEmpty())
                changelog.neuesteVersion = version;
        } else if (zeile.startsWith(QLatin1String("  * "))) {
            eintrag.punkte.append(zeile.mid(4).simplified());
        } else if (zeile.startsWith(QLatin1String("    ")) && !eintrag.punkte.isEmpty()) {
            eintrag.punkte.last() += QLatin1Char(' ') + zeile.simplified();
        } else if (const auto f = fuss.match(zeile); f.hasMatch() && !version.isEmpty()) {
            eintrag.datum = QDateTime::fromString(f.captured(1), Qt::RFC2822Date).toUTC().date();
            // Older entries come later in the file: the last one of a version wins.
            changelog.veroeffentlichungen[version] = eintrag;
        }
    }
    if (changelog.veroeffentlichungen.isEmpty())
        changelog.fehler = QStringLiteral("keine Einträge");
    return changelog;
}

QImage rendere(QSvgRenderer& renderer, int groesse)
{
    QImage bild(groesse, groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    renderer.render(&maler);
    return bild;
}

// Colour at a point given in the icon's own 128-unit coordinates.
QColor farbeBei(const QImage& bild, double x, double y)
{
    const double faktor = bild.width() / 128.0;
    return bild.pixelColor(int(x * faktor), int(y * faktor));
}

} // namespace

class PaketDateienTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        // A warning from the SVG renderer means a feature it cannot draw; desktops using
        // the same engine would show a broken icon.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    }

    void verweise_data()
    {
        QTest::addColumn<QString>("ist");
        QTest::addColumn<QString>("soll");

        const auto desktop = leseDesktopEintrag(paketDatei(QStringLiteral(".desktop")));
        const MetaInfo meta = leseMetaInfo(QStringLiteral(ZW_METAINFO));
        const QString desktopName = QStringLiteral(ZW_APP_ID ".desktop");
        const QString programm = QStringLiteral(ZW_PROGRAMM);

        QTest::newRow("Desktop-Eintrag: Exec startet das gebaute Programm")
            << desktop.value(QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0) << programm;
        QTest::newRow("Desktop-Eintrag: Icon nennt die installierte Icon-Datei")
            << desktop.value(QStringLiteral("Icon")) + QStringLiteral(".svg")
            << QFileInfo(paketDatei(QStringLiteral(".svg"))).fileName();
        QTest::newRow("Metainfo: lesbares XML") << meta.fehler << QString();
        QTest::newRow("Metainfo: id passt zum Desktop-Eintrag")
            << meta.id + QStringLiteral(".desktop") << desktopName;
        QTest::newRow("Metainfo: launchable nennt den Desktop-Eintrag")
            << meta.launchable << desktopName;
        QTest::newRow("Metainfo: binary nennt das Programm") << meta.binary << programm;
        QTest::newRow("Metainfo: neueste Version ist die des Pakets")
            << meta.releaseVersion << QStringLiteral(ZW_PAKET_VERSION);
        const Changelog changelog = leseChangelog(QStringLiteral(ZW_CHANGELOG));
        QTest::newRow("Changelog: lesbar") << changelog.fehler << QString();
        QTest::newRow("Changelog: neueste Version ist die des Pakets")
            << changelog.neuesteVersion << QStringLiteral(ZW_PAKET_VERSION);
        // Software centres use this to keep the program from children; "none" would be a lie.
        QTest::newRow("Metainfo: Alkohol ist bewertet")
            << meta.alkoholBewertung << QStringLiteral("moderate");
    }

    void verweise()
    {
        QFETCH(QString, ist);
        QFETCH(QString, soll);
        QCOMPARE(ist, soll);
    }

    void bildschirmfotos_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QSize>("groesse");
        const MetaInfo meta = leseMetaInfo(QStringLiteral(ZW_METAINFO));
        QVERIFY2(!meta.bildschirmfotos.isEmpty(), qPrintable(meta.fehler));
        for (const Bildschirmfoto& foto : meta.bildschirmfotos)
            QTest::newRow(qPrintable(foto.url)) << foto.url << foto.groesse;
    }

    // Software centres load the pictures from where docs/ is published and reserve the size
    // the file states: each must be one of docs/'s pictures, at its real size.
    void bildschirmfotos()
    {
        QFETCH(QString, url);
        QFETCH(QSize, groesse);
        QVERIFY(url.startsWith(QStringLiteral(ZW_SCREENSHOTS "/")));
        const QImage bild(QStringLiteral(ZW_DOCS_DIR "/") + url.section(QLatin1Char('/'), -1));
        QVERIFY2(!bild.isNull(), "fehlt in docs/");
        QCOMPARE(bild.size(), groesse);
    }

    void veroeffentlichungen_data()
    {
        QTest::addColumn<QDate>("appstreamDatum");
        QTest::addColumn<QDate>("changelogDatum");
        QTest::addColumn<QStringList>("notizen");
        QTest::addColumn<QStringList>("punkte");
        const MetaInfo meta = leseMetaInfo(QStringLiteral(ZW_METAINFO));
        const Changelog changelog = leseChangelog(QStringLiteral(ZW_CHANGELOG));
        QStringList versionen =
            meta.veroeffentlichungen.keys() + changelog.veroeffentlichungen.keys();
        versionen.removeDuplicates();
        QVERIFY(!versionen.isEmpty());
        for (const QString& version : versionen) {
            const Veroeffentlichung appstream = meta.veroeffentlichungen.value(version);
            const Veroeffentlichung debian = changelog.veroeffentlichungen.value(version);
            QTest::newRow(qPrintable(version))
                << appstream.datum << debian.datum << appstream.punkte << debian.punkte;
        }
    }

    // Software centres show the AppStream file's release notes, apt the changelog: both tell
    // of the same releases, on the same day, in the same words.
    void veroeffentlichungen()
    {
        QFETCH(QDate, appstreamDatum);
        QFETCH(QDate, changelogDatum);
        QFETCH(QStringList, notizen);
        QFETCH(QStringList, punkte);
        QVERIFY2(appstreamDatum.isValid(), "fehlt in der AppStream-Datei");
        QVERIFY2(changelogDatum.isValid(), "fehlt in debian/changelog");
        QCOMPARE(appstreamDatum, changelogDatum);
        QVERIFY2(!notizen.isEmpty(), "ohne Notizen");
        for (const QString& notiz : notizen)
            QVERIFY2(punkte.contains(notiz), qPrintable(notiz));
    }

    void icon_data()
    {
        QTest::addColumn<QString>("datei"); // empty: the scalable icon
        QTest::addColumn<int>("groesse");
        QTest::newRow("SVG, menu 24 px") << QString() << 24;
        QTest::newRow("SVG, dock 48 px") << QString() << 48;
        QTest::newRow("SVG, software centre 128 px") << QString() << 128;
        // The pictures the icon theme gets beside it, one per size it looks for.
        for (const int groesse : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("PNG %d px", groesse)
                << QStringLiteral(ZW_PAKET_DIR "/symbole/%1.png").arg(groesse) << groesse;
    }

    // The icon must stay recognisable at the sizes desktops draw it: transparent around
    // the stemmed glass, golden beer in the bowl, a white crown of foam above it.
    void icon()
    {
        QFETCH(QString, datei);
        QFETCH(int, groesse);
        QImage bild;
        if (datei.isEmpty()) {
            QSvgRenderer renderer(paketDatei(QStringLiteral(".svg")));
            QVERIFY(renderer.isValid());
            const QRectF rahmen = renderer.viewBoxF();
            QVERIFY(!rahmen.isEmpty());
            QCOMPARE(rahmen.width(), rahmen.height());
            bild = rendere(renderer, groesse);
        } else {
            bild = QImage(datei).convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(bild.size(), QSize(groesse, groesse));
        }
        QCOMPARE(farbeBei(bild, 2, 2).alpha(), 0);
        QCOMPARE(farbeBei(bild, 125, 125).alpha(), 0);
        QCOMPARE(farbeBei(bild, 2, 125).alpha(), 0);

        const QColor bier = farbeBei(bild, 64, 50);
        QVERIFY2(bier.alpha() > 200, qPrintable(bier.name(QColor::HexArgb)));
        QVERIFY2(bier.hsvHue() >= 30 && bier.hsvHue() <= 55 && bier.hsvSaturation() > 150,
                 qPrintable(bier.name()));

        // Below 32 pixels the crown is a pixel or two, blended with its edge.
        if (groesse < 32)
            return;
        const QColor schaum = farbeBei(bild, 64, 8);
        QVERIFY2(schaum.alpha() > 240, qPrintable(schaum.name(QColor::HexArgb)));
        QVERIFY2(schaum.lightness() > 220, qPrintable(schaum.name()));
    }
};

} // namespace zw

QTEST_MAIN(zw::PaketDateienTest)
#include "paket_dateien_test.moc"
