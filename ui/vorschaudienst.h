// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's side of the preview: it opens the selected file itself, hands the open file to
// a helper process that decodes and draws it behind walls of its own, and checks the pixels
// that come back. Nothing here decodes a picture, and nothing here waits: the answer comes as a
// signal, within FristMs of the request when a helper was ready for it, else "nothing to show".
#pragma once

#include "vorschauprotokoll/vorschauprotokoll.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

namespace zw {

// A preview as it arrived and was checked: the picture's own size and the two pictures asked
// for, exactly the sizes the request allows, in QImage::Format_ARGB32. An empty bild: nothing
// to show, and both pictures are null.
struct TVorschau {
    QSize bild;
    QImage flaeche;
    QImage vollbild;
};

class TVorschauDienst : public QObject {
    Q_OBJECT
public:
    // How long a helper may take from being handed the file until its answer is in; one still
    // at work then is ended.
    static constexpr int FristMs = 250;
    // How long a request may wait for a helper to be ready, when none was: only just after the
    // dialog opened, as one is started whenever the last was handed a file.
    static constexpr int StartFristMs = 2000;

    // helferArgumente go to each helper started (the tests' way to reach its test modes).
    explicit TVorschauDienst(QObject* parent = nullptr, QStringList helferArgumente = {});
    ~TVorschauDienst() override;

    // Asks for the preview of the file at pfad and drops any request still open, whose answer
    // never comes. The answer to this one comes through fertig(): at once for anything that is
    // not a regular file of the size previews are made for, else from the helper.
    void zeige(const QString& pfad, const TVorschauAnfrage& anfrage);
    // Starts a helper, unless one is there, so that the next request finds it ready.
    void bereite();
    // Ends every helper and drops an open request.
    void ruhe();
    // Whether a helper waits, ready, for the next request.
    bool bereit() const;
    // Whether a request waits for its answer.
    bool offen() const;

    // The helper program: installed beside the program's own folder, or in the build tree the
    // program was built in. Empty when there is none.
    static QString HelferPfad();

Q_SIGNALS:
    void fertig(const zw::TVorschau& vorschau);

private:
    struct THelfer;
    struct TWartend;

    std::unique_ptr<THelfer> starte();
    void verwirf(std::unique_ptr<THelfer> helfer);
    void ersetzeVorrat();
    void uebergib();
    void liesVorrat();
    void liesArbeiter();
    void antworte(const TVorschau& vorschau);
    void beende();

    QStringList helferArgumente_;
    QString helferPfad_;
    std::unique_ptr<THelfer> vorrat_;   // started, perhaps ready
    std::unique_ptr<THelfer> arbeiter_; // has the open request
    std::unique_ptr<TWartend> wartend_; // the open request, while no helper is ready for it
    TVorschauAnfrage anfrage_;
    bool neugestartet_ = false;
    bool ruht_ = false; // until the next request, no helper is started
    QTimer frist_;
};

} // namespace zw

Q_DECLARE_METATYPE(zw::TVorschau)
