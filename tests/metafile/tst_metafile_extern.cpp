// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Other programs read our metafiles: the converters of libwmf and libemf2svg turn them into SVG,
// which must still hold the chart's texts, boxes and gold area.
#include "testbild.h"

#include "metafile/emfgeraet.h"
#include "metafile/wmfgeraet.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zw;

namespace {

// The test picture as one of our writers records it.
template <typename Geraet>
QByteArray aufgezeichnet()
{
    Geraet g(QSize(testbild::kBreite, testbild::kHoehe));
    QPainter p(&g);
    testbild::zeichne(p);
    p.end();
    return g.daten();
}

} // namespace

class TstMetafileExtern : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void externeLeser_data();
    void externeLeser();
};

void TstMetafileExtern::externeLeser_data()
{
    QTest::addColumn<bool>("emf");
    QTest::newRow("emf2svg-conv") << true;
    QTest::newRow("wmf2svg") << false;
}

void TstMetafileExtern::externeLeser()
{
    QFETCH(bool, emf);
    const QString programm = QStandardPaths::findExecutable(emf ? QStringLiteral("emf2svg-conv")
                                                                : QStringLiteral("wmf2svg"));
    // The test command installs the converters: a missing one is a failure, not a pass.
    QVERIFY2(!programm.isEmpty(), "converter not installed (scripts/pakete-test.txt)");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString ein = dir.filePath(emf ? QStringLiteral("bild.emf") : QStringLiteral("bild.wmf"));
    const QString aus = dir.filePath(QStringLiteral("bild.svg"));
    QFile f(ein);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(emf ? aufgezeichnet<TEmfGeraet>() : aufgezeichnet<TWmfGeraet>());
    f.close();

    QProcess p;
    const QStringList args = emf ? QStringList{QStringLiteral("-i"), ein, QStringLiteral("-o"), aus}
                                 : QStringList{QStringLiteral("-o"), aus, ein};
    p.start(programm, args);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QFile svg(aus);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QString inhalt = QString::fromLatin1(svg.readAll());
    // Text may come out one element per character: join what the text elements hold.
    QString texte;
    const QRegularExpression textElement(QStringLiteral("<text[^>]*>(?:<!\\[CDATA\\[)?([^<\\]]*)"));
    for (auto it = textElement.globalMatch(inhalt); it.hasNext();)
        texte += it.next().captured(1).trimmed();
    QVERIFY2(texte.contains(QStringLiteral("Promille")), qPrintable(texte));
    QVERIFY2(texte.contains(QStringLiteral("Stunden")), qPrintable(texte));
    QVERIFY(texte.contains(QStringLiteral("0,385")));
    QVERIFY(inhalt.count(QStringLiteral("<rect")) >= 3);
    QVERIFY(inhalt.count(QStringLiteral("<polygon")) + inhalt.count(QStringLiteral("<path")) >= 3);
    // The gold of the area, by number or by its SVG name.
    QVERIFY(inhalt.contains(QStringLiteral("FFD700"), Qt::CaseInsensitive) ||
            inhalt.contains(QStringLiteral("fill:gold")));
}

QTEST_MAIN(TstMetafileExtern)
#include "tst_metafile_extern.moc"
