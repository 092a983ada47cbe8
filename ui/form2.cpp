// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form2.h"

#include "schrift/schriften.h"
#include "ui/adressen.h"
#include "ui/tverweis.h"
#include "ui/zentrieren.h"
#include "ui/zugang.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace zw {
namespace {

QFont schrift(int pixel, bool fett)
{
    QFont f = MsSansSerif(fett);
    f.setPixelSize(pixel);
    return f;
}

} // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent)
{
    RichteZugangEin();
    setWindowTitle(QStringLiteral("Info"));
    setWindowIconText(windowTitle());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(MsSansSerif());
    setFixedSize(280, 234);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(16, 8, 249, 121);

    Label6 = new QLabel(QStringLiteral("Zechwaage 3.3a"), this);
    Label6->setFont(schrift(13, true));
    Label6->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label6->setGeometry(58, 29, 167, 16);

    Label2 = new QLabel(QStringLiteral("Freeware"), this);
    Label2->setFont(schrift(13, false));
    Label2->move(112, 48);
    Label2->adjustSize();

    Label8 = new QLabel(QString::fromUtf8("© 2001–2026 Zechwaage-Team"), this);
    Label8->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label8->setWordWrap(true);
    Label8->setGeometry(40, 72, 200, Label8->heightForWidth(200));

    Label7 = new QLabel(
        QStringLiteral("Der Autor lehnt alle Haftungsansprüche ab - bei Verkehrsdelikten ist "
                       "also immer noch das Röhrchen des Polizisten entscheidend!"),
        this);
    Label7->setFont(Installierte(SmallFonts()));
    Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label7->setWordWrap(true);
    // Never shorter than its place; taller only if the installed font needs another line.
    Label7->setGeometry(48, 144, 185, std::max(33, Label7->heightForWidth(185)));

    Button1 = new QPushButton(QStringLiteral("Schließen"), this);
    Button1->setGeometry(96, 192, 89, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);

    // Made after the button, so that the button comes first in the Tab order: the window
    // opens with it focused and Enter closes it; Tab goes on to the two links.
    // The web address is shown without its scheme: in full it would run past the window edge.
    Label1 = new TVerweis(EMailAdresse().path(), this, [this] { Label9Click(); });
    Label4 =
        new TVerweis(WebAdresse().host() + WebAdresse().path(), this, [this] { Label1Click(); });
    Label1->move(96, 88);
    Label4->move(90, 104);
    for (QLabel* l : {Label1, Label4}) {
        l->adjustSize();
        l->installEventFilter(this);
    }
}

QUrl TForm2::EMailAdresse()
{
    return QUrl(QStringLiteral("mailto:") + QString::fromLatin1(KontaktEMail));
}

QUrl TForm2::WebAdresse() { return QUrl(QString::fromLatin1(Homepage)); }

void TForm2::setUrlOeffner(TUrlOeffner oeffner) { oeffner_ = std::move(oeffner); }

void TForm2::oeffne(const QUrl& url)
{
    if (oeffner_)
        oeffner_(url);
    else
        QDesktopServices::openUrl(url); // nothing more to do when no program takes it
}

void TForm2::Label9Click() { oeffne(EMailAdresse()); }

void TForm2::Label1Click() { oeffne(WebAdresse()); }

void TForm2::Button1Click() { accept(); }

bool TForm2::eventFilter(QObject* objekt, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        const auto* m = static_cast<QMouseEvent*>(e);
        auto* label = qobject_cast<QLabel*>(objekt);
        // Like a click: only a release over the link counts.
        if (label && label->rect().contains(m->position().toPoint())) {
            if (label == Label1) {
                Label9Click();
                return true;
            }
            if (label == Label4) {
                Label1Click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(objekt, e);
}

void TForm2::showEvent(QShowEvent* e)
{
    // Centred on the screen rather than over the main window.
    ZentriereAufBildschirm(this);
    QDialog::showEvent(e);
}

} // namespace zw
