// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wayland.h"

#include "ui/ttitelleiste.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <QVariant>
#include <QWindow>

#include <wayland-client.h>

#include <dlfcn.h>

#include <optional>
#include <type_traits>

namespace zw {
namespace {

constexpr const char* kEingerahmt = "zw_eigene_titelleiste";
constexpr const char* kBewacht = "zw_groesse_bewacht";

bool AufWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool GrossZustand(Qt::WindowStates zustand)
{
    return (zustand & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
}

bool Fest(const QWidget* w) { return w->minimumSize() == w->maximumSize(); }

// A window with a title bar: not a menu, a tool tip or a splash screen.
bool IstFenster(const QWidget* w)
{
    return w->isWindow() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog);
}

// The frame line around a window with its own title bar. It lies under every control and lets
// the mouse through; the controls sit one pixel inside, so the line stays visible.
class Rahmenlinie : public QWidget {
public:
    explicit Rahmenlinie(QWidget* fenster) : QWidget(fenster)
    {
        setObjectName(QStringLiteral("Rahmenlinie"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(fenster->rect());
        fenster->installEventFilter(this);
        lower();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QColor linie = palette().color(QPalette::Mid);
        const int r = TTitelleiste::Rand;
        p.fillRect(QRect(0, 0, width(), r), linie);
        p.fillRect(QRect(0, height() - r, width(), r), linie);
        p.fillRect(QRect(0, 0, r, height()), linie);
        p.fillRect(QRect(width() - r, 0, r, height()), linie);
    }
    bool eventFilter(QObject* objekt, QEvent* e) override
    {
        if (objekt == parent() && e->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        return QWidget::eventFilter(objekt, e);
    }
};

// Keeps a window of fixed size alive when it is maximised or made full-screen after all (by
// the compositor, or by a title bar Qt draws): it takes the size the compositor gives, which
// the protocol demands, asks to be a normal window again, and takes its own size back once the
// compositor has agreed.
class Groessenwache : public QObject {
public:
    explicit Groessenwache(QWidget* fenster) : QObject(fenster), fenster_(fenster)
    {
        QWindow* handle = fenster->windowHandle();
        // The request leaves at once; the compositor's answer comes later and must find the
        // window free to take its size.
        connect(handle, &QWindow::windowStateChanged, this, [this](Qt::WindowState zustand) {
            if (GrossZustand(zustand))
                loese();
        });
        handle->installEventFilter(this);
        fenster->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objekt, QEvent* e) override
    {
        QWindow* handle = fenster_->windowHandle();
        if (objekt == handle && e->type() == QEvent::WindowStateChange && e->spontaneous()) {
            // The compositor's word: now the window is in that state.
            if (GrossZustand(handle->windowStates())) {
                loese();
                zurueck();
            } else if (gelockert_) {
                gelockert_ = false;
                fenster_->setFixedSize(fest_);
            }
        } else if (objekt == fenster_ && e->type() == QEvent::Paint && gelockert_ &&
                   GrossZustand(handle->windowStates())) {
            // Some compositors answer only once the large state has been drawn.
            zurueck();
        }
        return QObject::eventFilter(objekt, e);
    }

private:
    void loese()
    {
        if (gelockert_ || !Fest(fenster_))
            return;
        fest_ = fenster_->minimumSize();
        gelockert_ = true;
        fenster_->setMinimumSize(0, 0);
        fenster_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    void zurueck()
    {
        QTimer::singleShot(0, this, [this] {
            if (QWindow* handle = fenster_->windowHandle();
                handle != nullptr && GrossZustand(handle->windowStates()))
                handle->setWindowStates(Qt::WindowNoState);
        });
    }

    QWidget* fenster_;
    QSize fest_;
    bool gelockert_ = false;
};

// Watches every top-level window the application makes.
class Fensterwache : public QObject {
public:
    Fensterwache(QObject* eltern, bool eigeneLeisten)
        : QObject(eltern), eigeneLeisten_(eigeneLeisten)
    {}

protected:
    bool eventFilter(QObject* objekt, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(objekt);
        if (w == nullptr || !IstFenster(w))
            return false;
        if (e->type() == QEvent::Polish && eigeneLeisten_ &&
            !(w->windowFlags() & Qt::FramelessWindowHint) &&
            // A message box takes its fixed size only when it is shown.
            (Fest(w) || qobject_cast<QMessageBox*>(w) != nullptr))
            GibEigeneTitelleiste(w);
        else if (e->type() == QEvent::Show && w->windowHandle() != nullptr &&
                 !w->property(kBewacht).toBool()) {
            w->setProperty(kBewacht, true);
            new Groessenwache(w);
        }
        return false;
    }

private:
    bool eigeneLeisten_;
};

void GlobalGefunden(void* daten, wl_registry*, uint32_t, const char* schnittstelle, uint32_t)
{
    static_cast<QByteArrayList*>(daten)->append(QByteArray(schnittstelle));
}

void GlobalEntfernt(void*, wl_registry*, uint32_t) {}

// The few functions of the Wayland client library the program calls. The program does not
// link the library: it is needed only on Wayland, where Qt's platform plugin has loaded it
// already, and linking it loaded it and libffi into every start, under X11 too (about 100 KiB
// of resident memory). The calls the protocol header makes inline are made here the same way.
struct WaylandBibliothek {
    decltype(&wl_display_connect) verbinde = nullptr;
    decltype(&wl_display_disconnect) trenne = nullptr;
    decltype(&wl_display_roundtrip) rundreise = nullptr;
    decltype(&wl_proxy_marshal_flags) sende = nullptr;
    decltype(&wl_proxy_add_listener) hoere = nullptr;
    decltype(&wl_proxy_destroy) zerstoere = nullptr;
    decltype(&wl_proxy_get_version) version = nullptr;
    const wl_interface* verzeichnisArt = nullptr; // wl_registry_interface

    // The library as the process has it loaded; nothing where it has not.
    static std::optional<WaylandBibliothek> Geladen()
    {
        void* bibliothek = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_NOLOAD);
        if (bibliothek == nullptr)
            return std::nullopt;
        WaylandBibliothek b;
        const auto finde = [bibliothek](auto& ziel, const char* name) {
            ziel =
                reinterpret_cast<std::remove_reference_t<decltype(ziel)>>(dlsym(bibliothek, name));
            return ziel != nullptr;
        };
        const bool ganz =
            finde(b.verbinde, "wl_display_connect") && finde(b.trenne, "wl_display_disconnect") &&
            finde(b.rundreise, "wl_display_roundtrip") &&
            finde(b.sende, "wl_proxy_marshal_flags") && finde(b.hoere, "wl_proxy_add_listener") &&
            finde(b.zerstoere, "wl_proxy_destroy") && finde(b.version, "wl_proxy_get_version") &&
            finde(b.verzeichnisArt, "wl_registry_interface");
        // The process keeps the library loaded; this handle only counted it once more.
        dlclose(bibliothek);
        if (!ganz)
            return std::nullopt;
        return b;
    }
};

} // namespace

QByteArrayList KompositorAngebote()
{
    if (!AufWayland())
        return {};
    const std::optional<WaylandBibliothek> wl = WaylandBibliothek::Geladen();
    if (!wl)
        return {};
    // A connection of its own, only to read the list of what the compositor offers.
    wl_display* anzeige = wl->verbinde(nullptr);
    if (anzeige == nullptr)
        return {};
    QByteArrayList angebote;
    auto* anzeigeProxy = reinterpret_cast<wl_proxy*>(anzeige);
    // wl_display_get_registry(anzeige)
    wl_proxy* verzeichnis = wl->sende(anzeigeProxy, WL_DISPLAY_GET_REGISTRY, wl->verzeichnisArt,
                                      wl->version(anzeigeProxy), 0, nullptr);
    if (verzeichnis != nullptr) {
        static const wl_registry_listener hoerer{&GlobalGefunden, &GlobalEntfernt};
        // wl_registry_add_listener(verzeichnis, &hoerer, &angebote)
        // The library takes the table of functions as it is declared, without const; it
        // only reads it.
        wl->hoere(verzeichnis,
                  reinterpret_cast<void (**)()>(const_cast<wl_registry_listener*>(&hoerer)),
                  &angebote);
        wl->rundreise(anzeige);
        wl->zerstoere(verzeichnis); // wl_registry_destroy
    }
    wl->trenne(anzeige);
    return angebote;
}

bool KompositorZeichnetRahmen()
{
    return KompositorAngebote().contains("zxdg_decoration_manager_v1");
}

void GibEigeneTitelleiste(QWidget* fenster)
{
    if (fenster->property(kEingerahmt).toBool())
        return;
    fenster->setProperty(kEingerahmt, true);
    // Before the window is on the screen: Qt then draws no title bar of its own. Only the flag
    // changes, on the widget and on its window if that exists already, so that a window about
    // to be shown is not taken down and made anew.
    fenster->overrideWindowFlags(fenster->windowFlags() | Qt::FramelessWindowHint);
    if (QWindow* handle = fenster->windowHandle())
        handle->setFlags(handle->flags() | Qt::FramelessWindowHint);

    constexpr int r = TTitelleiste::Rand;
    constexpr int oben = r + TTitelleiste::Hoehe;
    if (fenster->layout() != nullptr) {
        const QMargins m = fenster->contentsMargins();
        fenster->setContentsMargins(m.left() + r, m.top() + oben, m.right() + r, m.bottom() + r);
    } else {
        // Controls placed by hand move down and in by the bar and the frame.
        for (QWidget* kind : fenster->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!kind->isWindow())
                kind->move(kind->pos() + QPoint(r, oben));
        const QSize groesse = fenster->size() + QSize(2 * r, oben + r);
        if (Fest(fenster))
            fenster->setFixedSize(groesse);
        else
            fenster->resize(groesse);
    }
    new Rahmenlinie(fenster);
    auto* leiste = new TTitelleiste(fenster);
    leiste->raise();
}

void RichteWaylandFensterEin()
{
    auto* app = QCoreApplication::instance();
    if (app == nullptr || !AufWayland())
        return;
    const bool eigeneLeisten = qEnvironmentVariableIsEmpty("QT_WAYLAND_DISABLE_WINDOWDECORATION") &&
                               !KompositorZeichnetRahmen();
    app->installEventFilter(new Fensterwache(app, eigeneLeisten));
}

} // namespace zw
