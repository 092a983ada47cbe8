// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture save dialog: Qt's own file dialog with a preview of the selected picture file
// beside the file list. The preview is made by a helper process (vorschaudienst.h); the dialog
// only shows the pixels that come back, and never waits for them.
#pragma once

#include "ui/vorschaudienst.h"

#include <QFileDialog>
#include <QFrame>
#include <QImage>
#include <QSize>

#include <cstdint>

class QFileSystemModel;
class QLabel;
class QPushButton;

namespace zw {

// The framed area that shows a picture: reduced to fit when larger than the area, never
// enlarged, centred; "(None)" when there is nothing to show, and blank while the answer is
// awaited.
class TVorschauFlaeche : public QFrame {
    Q_OBJECT
public:
    explicit TVorschauFlaeche(QWidget* parent = nullptr);

    void warte();
    // Shows vorschau, whose pictures were made at verhaeltnis device pixels per pixel.
    void zeige(const TVorschau& vorschau, qreal verhaeltnis);
    // What the area says instead of a picture: "(None)", or empty.
    QString text() const;
    // The room a picture has inside the frame, in pixels.
    QSize innenGroesse() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    enum class Zustand : std::uint8_t { Wartet, Keins, Bild };
    Zustand zustand_ = Zustand::Keins;
    TVorschau vorschau_;
    qreal verhaeltnis_ = 1;
    // The picture at the area's present size when that is not the size asked for.
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
    // The preview on show: what the Preview window shows too.
    const TVorschau& vorschau() const { return vorschau_; }
    TVorschauDienst& dienst() { return *dienst_; }

public Q_SLOTS:
    // Asks for the preview of the file at pfad; until it comes the pane is blank.
    void zeigeVorschau(const QString& pfad);
    // Shows the picture of the preview on show in a modal window of its own.
    void zeigeVollbild();

Q_SIGNALS:
    // A preview (or "(None)") is on show.
    void vorschauGezeigt();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    // The preview of what the file name field names, relative to the folder on show.
    void zeigeNamensfeld();
    // Qt splits a filter's patterns at blanks only; ours are separated by semicolons.
    void filterAnwenden(const QString& filter);
    void vorschauAngekommen(const TVorschau& vorschau);
    TVorschauAnfrage anfrage() const;

    QFileSystemModel* modell_ = nullptr;
    QString gezeigt_; // the path last previewed
    QLabel* ueberschrift_ = nullptr;
    TVorschauFlaeche* flaeche_ = nullptr;
    QPushButton* vorschauKnopf_ = nullptr;
    TVorschauDienst* dienst_ = nullptr;
    TVorschau vorschau_;
    qreal verhaeltnis_ = 1; // of the request on its way
};

} // namespace zw
