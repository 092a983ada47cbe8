// The picture save dialog: Qt's own file dialog with a preview of the selected picture file
// beside the file list.
#pragma once

#include <QFileDialog>
#include <QFrame>
#include <QImage>
#include <QSize>

#include <memory>
#include <optional>
#include <variant>

class QLabel;
class QPushButton;
class QSvgRenderer;

namespace zw {

class TMetafileBild;

// A picture read from an untrusted file for previewing: EMF, WMF, BMP, PNG or SVG, recognised
// by content. Reads are capped in bytes and in pixels; anything else gives no picture.
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

    QSize groesse() const { return groesse_; }
    void zeichne(QPainter& p, const QRectF& ziel) const;

private:
    using Inhalt = std::variant<QImage, std::unique_ptr<TMetafileBild>, std::unique_ptr<QSvgRenderer>>;
    TVorschauBild(Inhalt inhalt, QSize groesse);

    Inhalt inhalt_;
    QSize groesse_;
};

// The framed area that shows a picture: reduced to fit when larger than the area, never
// enlarged, centred; "(None)" when there is no picture.
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

private:
    QLabel* ueberschrift_ = nullptr;
    TVorschauFlaeche* flaeche_ = nullptr;
    QPushButton* vorschauKnopf_ = nullptr;
};

} // namespace zw
