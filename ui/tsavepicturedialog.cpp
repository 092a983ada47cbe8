// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tsavepicturedialog.h"

#include "metafile/metafileleser.h"

#include <QBuffer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStyle>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <QtEndian>

#include <cstdlib>

namespace zw {

namespace {

bool GroesseZulaessig(const QSize& s)
{
    return s.width() > 0 && s.height() > 0 && s.width() <= TVorschauBild::MaxSeitenlaenge &&
           s.height() <= TVorschauBild::MaxSeitenlaenge;
}

// Only the formats this program writes; other decoders are not exposed to arbitrary files.
bool RasterformatErlaubt(const QByteArray& format) { return format == "bmp" || format == "png"; }

// Whether a bitmap file holds all the pixels its header promises. Qt's decoder leaves the rest
// of the image as the allocator handed it out, which must never be shown. Compressed bitmaps
// cannot be checked before decoding and are not shown either.
bool BmpVollstaendig(const QByteArray& d)
{
    if (d.size() < 26)
        return false;
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(d.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(d.constData() + at); };
    const auto i32 = [&](int at) { return qFromLittleEndian<qint32>(d.constData() + at); };
    const qint64 daten = u32(10);
    const quint32 kopf = u32(14);
    qint64 breite = 0, hoehe = 0;
    int bits = 0;
    if (kopf == 12) { // the old OS/2 header
        breite = u16(18), hoehe = u16(20), bits = u16(24);
    } else if (kopf >= 40 && d.size() >= 54) {
        breite = i32(18);
        hoehe = std::abs(qint64(i32(22)));
        bits = u16(28);
        const quint32 kompression = u32(30);
        if (kompression != 0 && kompression != 3) // BI_RGB, BI_BITFIELDS
            return false;
    } else {
        return false;
    }
    if (breite <= 0 || hoehe <= 0 || bits <= 0 || bits > 32)
        return false;
    const qint64 zeile = (breite * bits + 31) / 32 * 4;
    return daten >= 14 + kopf && daten + zeile * hoehe <= d.size();
}

bool SiehtAusWieSvg(const QByteArray& daten)
{
    const QByteArray anfang = daten.left(4096).trimmed();
    return (anfang.startsWith("<?xml") || anfang.startsWith("<svg") ||
            anfang.startsWith("\xEF\xBB\xBF<")) &&
           anfang.contains("<svg");
}

} // namespace

TVorschauBild::TVorschauBild(Inhalt inhalt, QSize groesse)
    : inhalt_(std::move(inhalt)), groesse_(groesse)
{}
TVorschauBild::TVorschauBild(TVorschauBild&&) noexcept = default;
TVorschauBild& TVorschauBild::operator=(TVorschauBild&&) noexcept = default;
TVorschauBild::~TVorschauBild() = default;

std::optional<TVorschauBild> TVorschauBild::lade(const QString& pfad)
{
    // Directories, pipes and devices are never opened: reading a pipe would block the dialog.
    const QFileInfo info(pfad);
    if (pfad.isEmpty() || !info.isFile() || info.size() <= 0 || info.size() > MaxDateiBytes)
        return std::nullopt;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The file may have grown since it was looked at; never read more than the cap.
    const QByteArray daten = datei.read(MaxDateiBytes + 1);
    if (daten.size() > MaxDateiBytes)
        return std::nullopt;
    return ausDaten(daten);
}

std::optional<TVorschauBild> TVorschauBild::ausDaten(const QByteArray& daten)
{
    if (daten.isEmpty() || daten.size() > MaxDateiBytes)
        return std::nullopt;

    if (std::optional<TMetafileBild> meta = TMetafileBild::lesen(daten)) {
        const QSize groesse = meta->groesse();
        if (!GroesseZulaessig(groesse))
            return std::nullopt;
        return TVorschauBild(std::make_unique<TMetafileBild>(std::move(*meta)), groesse);
    }

    QBuffer puffer;
    puffer.setData(daten);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer);
    leser.setDecideFormatFromContent(true);
    if (leser.canRead() && RasterformatErlaubt(leser.format())) {
        // The header's size is checked before anything is decoded: a crafted header must not
        // make the decoder allocate gigabytes.
        const QSize groesse = leser.size();
        if (!GroesseZulaessig(groesse) ||
            qint64(groesse.width()) * groesse.height() > MaxBildpunkte)
            return std::nullopt;
        if (leser.format() == "bmp" && !BmpVollstaendig(daten))
            return std::nullopt;
        QImage bild = leser.read();
        if (bild.isNull() || !GroesseZulaessig(bild.size()))
            return std::nullopt;
        const QSize tatsaechlich = bild.size();
        return TVorschauBild(std::move(bild), tatsaechlich);
    }

    if (SiehtAusWieSvg(daten)) {
        auto svg = std::make_unique<QSvgRenderer>(daten);
        if (!svg->isValid())
            return std::nullopt;
        // The view box is the drawing's size in pixels; defaultSize() converts width and height
        // given in physical units at 90 dpi and so reports a picture saved at 96 dpi too small.
        const QRectF sicht = svg->viewBoxF();
        const QSize groesse = sicht.isValid() ? sicht.size().toSize() : svg->defaultSize();
        if (!GroesseZulaessig(groesse))
            return std::nullopt;
        return TVorschauBild(std::move(svg), groesse);
    }
    return std::nullopt;
}

bool TVorschauBild::zeichne(QPainter& p, const QRectF& ziel, QDeadlineTimer frist) const
{
    bool fertig = true;
    p.save();
    if (const auto* bild = std::get_if<QImage>(&inhalt_)) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, ziel.size() != QSizeF(bild->size()));
        p.drawImage(ziel, *bild);
    } else if (const auto* meta = std::get_if<std::unique_ptr<TMetafileBild>>(&inhalt_)) {
        fertig = (*meta)->zeichne(p, ziel, frist);
    } else if (const auto* svg = std::get_if<std::unique_ptr<QSvgRenderer>>(&inhalt_)) {
        (*svg)->render(&p, ziel);
    }
    p.restore();
    return fertig;
}

QSize TVorschauBild::groesseIn(QSize flaeche) const
{
    QSize groesse = groesse_;
    if (groesse.width() > flaeche.width() || groesse.height() > flaeche.height())
        groesse = groesse.scaled(flaeche, Qt::KeepAspectRatio);
    return groesse.expandedTo(QSize(1, 1));
}

QImage TVorschauBild::alsVorschau(QSize flaeche, qreal pixelVerhaeltnis) const
{
    const QSize groesse = groesseIn(flaeche);
    QImage bild(groesse * pixelVerhaeltnis, QImage::Format_ARGB32_Premultiplied);
    if (bild.isNull())
        return bild;
    bild.setDevicePixelRatio(pixelVerhaeltnis);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    zeichne(p, QRectF(QPointF(0, 0), QSizeF(groesse)), QDeadlineTimer(ZeichenfristMs));
    return bild;
}

TVorschauFlaeche::TVorschauFlaeche(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMinimumSize(160, 120);
}

void TVorschauFlaeche::setzeBild(std::shared_ptr<const TVorschauBild> bild)
{
    bild_ = std::move(bild);
    zwischenbild_ = QImage();
    update();
}

QString TVorschauFlaeche::text() const { return bild_ ? QString() : QStringLiteral("(None)"); }

void TVorschauFlaeche::paintEvent(QPaintEvent* e)
{
    QFrame::paintEvent(e);
    QPainter p(this);
    const QRect innen = contentsRect().adjusted(2, 2, -2, -2);
    if (!bild_) {
        p.drawText(innen, Qt::AlignCenter, text());
        return;
    }
    // Drawn once per picture and size: a picture that is costly to draw costs it once, not on
    // every paint.
    const qreal verhaeltnis = devicePixelRatioF();
    const QSize groesse = bild_->groesseIn(innen.size());
    if (zwischenbild_.deviceIndependentSize().toSize() != groesse ||
        zwischenbild_.devicePixelRatio() != verhaeltnis)
        zwischenbild_ = bild_->alsVorschau(innen.size(), verhaeltnis);
    QRect ziel(QPoint(0, 0), groesse);
    ziel.moveCenter(innen.center());
    p.setClipRect(innen);
    p.drawImage(ziel.topLeft(), zwischenbild_);
}

namespace {

// Shows a picture at its own size; the window scrolls when it is larger than the screen.
class TVollbildFlaeche : public QWidget {
public:
    TVollbildFlaeche(std::shared_ptr<const TVorschauBild> bild, QWidget* parent)
        : QWidget(parent), bild_(std::move(bild))
    {
        setFixedSize(bild_->groesse());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        // Painted in parts as the window scrolls: each paint has the preview's time budget.
        QPainter p(this);
        bild_->zeichne(p, QRectF(rect()), QDeadlineTimer(TVorschauBild::ZeichenfristMs));
    }

private:
    std::shared_ptr<const TVorschauBild> bild_;
};

} // namespace

TSavePictureDialog::TSavePictureDialog(QWidget* parent) : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(QString());
    const QStringList filter = {
        QStringLiteral("Alle Dateien (*.bmp;*.emf;*.wmf)"),
        QStringLiteral("Bitmaps (*.bmp)"),
        QStringLiteral("Erweiterte Metadateien (*.emf)"),
        QStringLiteral("Metadateien (*.wmf)"),
        QStringLiteral("PNG-Bilder (*.png)"),
        QStringLiteral("SVG-Grafiken (*.svg)"),
    };
    setNameFilters(filter);
    selectNameFilter(filter.front());
    modell_ = findChild<QFileSystemModel*>();
    filterAnwenden(filter.front());
    // Runs after the dialog has set the filter's patterns, the way Qt reads them.
    connect(this, &QFileDialog::filterSelected, this, &TSavePictureDialog::filterAnwenden);

    auto* bereich = new QWidget(this);
    auto* spalte = new QVBoxLayout(bereich);
    spalte->setContentsMargins(0, 0, 0, 0);
    auto* kopf = new QHBoxLayout;
    ueberschrift_ = new QLabel(QStringLiteral("Picture:"), bereich);
    vorschauKnopf_ = new QPushButton(bereich);
    vorschauKnopf_->setIcon(QIcon::fromTheme(
        QStringLiteral("zoom-original"), style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    vorschauKnopf_->setToolTip(QStringLiteral("Preview"));
    vorschauKnopf_->setFlat(true);
    vorschauKnopf_->setEnabled(false);
    kopf->addWidget(ueberschrift_, 1);
    kopf->addWidget(vorschauKnopf_);
    spalte->addLayout(kopf);
    flaeche_ = new TVorschauFlaeche(bereich);
    spalte->addWidget(flaeche_, 1);
    bereich->setFixedWidth(200);

    if (auto* gitter = qobject_cast<QGridLayout*>(layout()))
        gitter->addWidget(bereich, 1, gitter->columnCount(), 1, 1); // beside the file list
    else if (layout() != nullptr)
        layout()->addWidget(bereich);

    connect(this, &QFileDialog::currentChanged, this, &TSavePictureDialog::zeigeVorschau);
    connect(vorschauKnopf_, &QPushButton::clicked, this, &TSavePictureDialog::zeigeVollbild);
    if (auto* namensfeld = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        connect(namensfeld, &QLineEdit::textChanged, this, &TSavePictureDialog::zeigeNamensfeld);
}

void TSavePictureDialog::filterAnwenden(const QString& filter)
{
    if (modell_ == nullptr)
        return;
    // The patterns are what the parentheses at the end hold, apart at semicolons or blanks.
    static const QRegularExpression klammern(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    static const QRegularExpression trenner(QStringLiteral("[;\\s]+"));
    const QRegularExpressionMatch treffer = klammern.match(filter);
    const QString muster = treffer.hasMatch() ? treffer.captured(1) : filter;
    modell_->setNameFilters(muster.split(trenner, Qt::SkipEmptyParts));
}

void TSavePictureDialog::zeigeNamensfeld()
{
    const auto* namensfeld = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString name = namensfeld ? namensfeld->text().trimmed() : QString();
    zeigeVorschau(name.isEmpty() ? QString() : QDir(directory()).absoluteFilePath(name));
}

void TSavePictureDialog::showEvent(QShowEvent* e)
{
    QFileDialog::showEvent(e);
    // What was shown when the dialog was last closed may have changed or gone since.
    gezeigt_.clear();
    zeigeNamensfeld();
}

TSavePictureDialog::~TSavePictureDialog() = default;

QString TSavePictureDialog::ueberschrift() const { return ueberschrift_->text(); }

QString TSavePictureDialog::vorschauText() const { return flaeche_->text(); }

bool TSavePictureDialog::vorschauKnopfAktiv() const { return vorschauKnopf_->isEnabled(); }

void TSavePictureDialog::zeigeVorschau(const QString& pfad)
{
    // Clicking a file names it in the name field as well: read it once.
    if (!pfad.isEmpty() && pfad == gezeigt_)
        return;
    gezeigt_ = pfad;
    std::shared_ptr<const TVorschauBild> bild;
    try {
        if (std::optional<TVorschauBild> gelesen = TVorschauBild::lade(pfad))
            bild = std::make_shared<const TVorschauBild>(std::move(*gelesen));
    } catch (const std::exception&) {
        // A file that cannot be shown (e.g. too large to hold) simply has no preview.
        bild.reset();
    }
    QString text = QStringLiteral("Picture:");
    if (bild)
        text +=
            QStringLiteral(" (%1x%2)").arg(bild->groesse().width()).arg(bild->groesse().height());
    ueberschrift_->setText(text);
    vorschauKnopf_->setEnabled(bild != nullptr);
    flaeche_->setzeBild(std::move(bild));
}

void TSavePictureDialog::zeigeVollbild()
{
    const std::shared_ptr<const TVorschauBild> bild = flaeche_->bild();
    if (!bild)
        return;
    QDialog fenster(this);
    fenster.setWindowTitle(QStringLiteral("Preview"));
    auto* spalte = new QVBoxLayout(&fenster);
    auto* rollbereich = new QScrollArea(&fenster);
    rollbereich->setWidget(new TVollbildFlaeche(bild, rollbereich));
    rollbereich->setAlignment(Qt::AlignCenter);
    spalte->addWidget(rollbereich);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close, &fenster);
    connect(knoepfe, &QDialogButtonBox::rejected, &fenster, &QDialog::reject);
    spalte->addWidget(knoepfe);
    fenster.resize(bild->groesse().boundedTo(QSize(1000, 700)) + QSize(60, 90));
    fenster.exec();
}

} // namespace zw
