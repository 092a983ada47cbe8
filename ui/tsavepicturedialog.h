// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture save dialog: Qt's own file dialog with a preview of the selected picture file
// beside the file list.
#pragma once

#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFrame>
#include <QImage>
#include <QSize>

#include <memory>
#include <optional>
#include <variant>

class QFileSystemModel;
class QLabel;
class QPushButton;
class QSvgRenderer;

namespace zw {

class TMetafileBild;

// A picture read from an untrusted file for previewing: EMF, WMF, BMP, PNG or SVG, recognised
// by content. Reads are capped in bytes and in pixels, drawing in time; anything else gives no
// picture, and so does a bitmap whose pixels the file does not hold in full.
class TVorschauBild {
public:
    static constexpr qint64 MaxDateiBytes = 32 * 1024 * 1024;
    static constexpr qint64 MaxBildpunkte = 16 * 1024 * 1024;
    static constexpr int MaxSeitenlaenge = 16384;

    // nullopt for anything that is not a regular, readable picture file within the limits.
    static std::optional<TVorschauBild> lade(const QString& pfad);
    static std::optional<TVorschauBild> ausDaten(const QByteArray& daten);

    TVorschauBild(TVorschauBild&&) noexcept;
    TVorschauBild& operator=(TVorschauBild&&) noexcept;
    ~TVorschauBild();

    // How long drawing a preview may take; a picture that needs longer shows the part drawn by
    // then.
    static constexpr int ZeichenfristMs = 150;

    QSize groesse() const { return groesse_; }
    // False when frist ran out before the picture was complete.
    bool zeichne(QPainter& p, const QRectF& ziel,
                 QDeadlineTimer frist = QDeadlineTimer(QDeadlineTimer::Forever)) const;
    // The picture reduced to fit into flaeche (never enlarged), drawn within the deadline;
    // transparent where the picture has nothing.
    QImage alsVorschau(QSize flaeche, qreal pixelVerhaeltnis = 1.0) const;
    // The size it is shown at in an area: its own, shrunk to fit, never empty.
    QSize groesseIn(QSize flaeche) const;

private:
    using Inhalt =
        std::variant<QImage, std::unique_ptr<TMetafileBild>, std::unique_ptr<QSvgRenderer>>;
    TVorschauBild(Inhalt inhalt, QSize groesse);

    Inhalt inhalt_;
    QSize groesse_;
};

// The framed area that shows a picture: reduced to fit when larger than the area, never
// enlarged, centred; "(None)" when there is no picture. The picture is drawn once for each
// picture and size, and the result painted as often as asked.
class TVorschauFlaeche : public QFrame {
    Q_OBJECT
public:
    explicit TVorschauFlaeche(QWidget* parent = nullptr);

    void setzeBild(std::shared_ptr<const TVorschauBild> bild);
    const std::shared_ptr<const TVorschauBild>& bild() const { return bild_; }
    // What the area says instead of a picture: "(None)", or empty while a picture shows.
    QString text() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::shared_ptr<const TVorschauBild> bild_;
    QImage zwischenbild_;
};

class TSavePictureDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit TSavePictureDialog(QWidget* parent = nullptr);
    ~TSavePictureDialog() override;

    // The preview pane's state, for the owner and for tests.
    QString ueberschrift() const;
    QString vorschauText() const;
    bool vorschauKnopfAktiv() const;

public Q_SLOTS:
    // Shows the file at pfad in the preview pane (or "(None)").
    void zeigeVorschau(const QString& pfad);
    // Shows the selected picture at full size in a modal window of its own.
    void zeigeVollbild();

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The preview of what the file name field names, relative to the folder on show.
    void zeigeNamensfeld();
    // Qt splits a filter's patterns at blanks only; ours are separated by semicolons.
    void filterAnwenden(const QString& filter);

    QFileSystemModel* modell_ = nullptr;
    QString gezeigt_; // the path last previewed
    QLabel* ueberschrift_ = nullptr;
    TVorschauFlaeche* flaeche_ = nullptr;
    QPushButton* vorschauKnopf_ = nullptr;
};

} // namespace zw
