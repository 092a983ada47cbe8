// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tsavepicturedialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace zw {

TVorschauFlaeche::TVorschauFlaeche(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMinimumSize(160, 120);
}

void TVorschauFlaeche::warte()
{
    zustand_ = Zustand::Wartet;
    vorschau_ = {};
    zwischenbild_ = QImage();
    update();
}

void TVorschauFlaeche::zeige(const TVorschau& vorschau, qreal verhaeltnis)
{
    zustand_ = vorschau.bild.isEmpty() ? Zustand::Keins : Zustand::Bild;
    vorschau_ = vorschau;
    verhaeltnis_ = verhaeltnis;
    zwischenbild_ = QImage();
    update();
}

QString TVorschauFlaeche::text() const
{
    return zustand_ == Zustand::Keins ? QStringLiteral("(None)") : QString();
}

QSize TVorschauFlaeche::innenGroesse() const
{
    return contentsRect().adjusted(2, 2, -2, -2).size().expandedTo(QSize(1, 1));
}

void TVorschauFlaeche::paintEvent(QPaintEvent* e)
{
    QFrame::paintEvent(e);
    QPainter p(this);
    const QRect innen = contentsRect().adjusted(2, 2, -2, -2);
    if (zustand_ != Zustand::Bild) {
        p.drawText(innen, Qt::AlignCenter, text());
        return;
    }
    // The pane's picture came at the size the pane had when it was asked for; after a resize
    // the window's larger one is shrunk to fit, once per size.
    const QSize geraet = GroesseIn(vorschau_.bild, innen.size() * verhaeltnis_);
    const QImage* bild = &vorschau_.flaeche;
    if (bild->size() != geraet) {
        if (zwischenbild_.size() != geraet)
            zwischenbild_ =
                vorschau_.vollbild.scaled(geraet, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        bild = &zwischenbild_;
    }
    QRect ziel(QPoint(0, 0), (QSizeF(geraet) / verhaeltnis_).toSize());
    ziel.moveCenter(innen.center());
    p.setClipRect(innen);
    p.drawImage(ziel, *bild);
}

namespace {

// Shows the preview window's picture at its size; the window scrolls when it is larger than
// the room on screen.
class TVollbildFlaeche : public QWidget {
public:
    TVollbildFlaeche(QImage bild, qreal verhaeltnis, QWidget* parent)
        : QWidget(parent), bild_(std::move(bild))
    {
        setFixedSize((QSizeF(bild_.size()) / verhaeltnis).toSize());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawImage(rect(), bild_);
    }

private:
    QImage bild_;
};

// The largest picture the preview window may show, in device pixels: the room on the screen
// less the window's frame and buttons, within what may be asked of the helper.
QSize VollbildGrenze(const QScreen* bildschirm, qreal verhaeltnis)
{
    QSize platz =
        bildschirm ? bildschirm->availableGeometry().size() - QSize(80, 140) : QSize(1000, 700);
    platz = (QSizeF(platz.expandedTo(QSize(160, 120))) * verhaeltnis).toSize();
    platz = platz.boundedTo(QSize(MaxAnfrageSeitenlaenge, MaxAnfrageSeitenlaenge));
    const qint64 punkte = qint64(platz.width()) * platz.height();
    if (punkte > MaxAnfrageBildpunkte) {
        const double faktor = std::sqrt(double(MaxAnfrageBildpunkte) / double(punkte));
        platz = QSize(int(platz.width() * faktor), int(platz.height() * faktor));
    }
    return platz;
}

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

    // Qt gives the list's columns widths made for short English texts, in which "202,88 KiB"
    // and the German names of the file types do not fit: the name takes what the others leave.
    if (auto* liste = findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* spalten = liste->header();
        spalten->setStretchLastSection(false);
        spalten->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int spalte = 1; spalte < spalten->count(); ++spalte)
            spalten->setSectionResizeMode(spalte, QHeaderView::ResizeToContents);
    }
    // Room for the places beside the list ("Computer"), the list's columns and the preview.
    if (auto* teiler = findChild<QSplitter*>(QStringLiteral("splitter")))
        teiler->setSizes({130, 600});
    resize(sizeHint().expandedTo(QSize(960, 500)));

    dienst_ = new TVorschauDienst(this);
    connect(dienst_, &TVorschauDienst::fertig, this, &TSavePictureDialog::vorschauAngekommen);
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
    dienst_->bereite();
    // What was shown when the dialog was last closed may have changed or gone since.
    gezeigt_.clear();
    zeigeNamensfeld();
}

void TSavePictureDialog::hideEvent(QHideEvent* e)
{
    // No helper waits while nobody chooses a file.
    dienst_->ruhe();
    QFileDialog::hideEvent(e);
}

TSavePictureDialog::~TSavePictureDialog() = default;

QString TSavePictureDialog::ueberschrift() const { return ueberschrift_->text(); }

QString TSavePictureDialog::vorschauText() const { return flaeche_->text(); }

bool TSavePictureDialog::vorschauKnopfAktiv() const { return vorschauKnopf_->isEnabled(); }

TVorschauAnfrage TSavePictureDialog::anfrage() const
{
    const QSize flaeche = (QSizeF(flaeche_->innenGroesse()) * verhaeltnis_).toSize();
    return {flaeche.boundedTo(QSize(MaxAnfrageSeitenlaenge, MaxAnfrageSeitenlaenge)),
            VollbildGrenze(screen(), verhaeltnis_)};
}

void TSavePictureDialog::zeigeVorschau(const QString& pfad)
{
    // Clicking a file names it in the name field as well: ask once.
    if (!pfad.isEmpty() && pfad == gezeigt_)
        return;
    gezeigt_ = pfad;
    vorschau_ = {};
    ueberschrift_->setText(QStringLiteral("Picture:"));
    vorschauKnopf_->setEnabled(false);
    flaeche_->warte();
    verhaeltnis_ = devicePixelRatioF();
    dienst_->zeige(pfad, anfrage());
}

void TSavePictureDialog::vorschauAngekommen(const TVorschau& vorschau)
{
    vorschau_ = vorschau;
    QString text = QStringLiteral("Picture:");
    if (!vorschau.bild.isEmpty())
        text += QStringLiteral(" (%1x%2)").arg(vorschau.bild.width()).arg(vorschau.bild.height());
    ueberschrift_->setText(text);
    vorschauKnopf_->setEnabled(!vorschau.bild.isEmpty());
    flaeche_->zeige(vorschau, verhaeltnis_);
    Q_EMIT vorschauGezeigt();
}

void TSavePictureDialog::zeigeVollbild()
{
    if (vorschau_.bild.isEmpty())
        return;
    QDialog fenster(this);
    // Titled in the program's language, like the button that closes it, whatever language
    // Qt's own texts are in.
    fenster.setWindowTitle(QStringLiteral("Vorschau"));
    auto* spalte = new QVBoxLayout(&fenster);
    auto* rollbereich = new QScrollArea(&fenster);
    auto* flaeche = new TVollbildFlaeche(vorschau_.vollbild, verhaeltnis_, rollbereich);
    rollbereich->setWidget(flaeche);
    rollbereich->setAlignment(Qt::AlignCenter);
    spalte->addWidget(rollbereich);
    auto* knoepfe = new QDialogButtonBox(&fenster);
    knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    connect(knoepfe, &QDialogButtonBox::rejected, &fenster, &QDialog::reject);
    spalte->addWidget(knoepfe);
    fenster.resize(flaeche->size() + QSize(60, 90));
    fenster.exec();
}

} // namespace zw
