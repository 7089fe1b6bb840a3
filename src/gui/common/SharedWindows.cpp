#include "SharedWindows.h"

#include "data/UGlobal.h"
#include "maintenance/UListaNumNomes.h"
#include "maintenance/UManual.h"

#include <QApplication>
#include <QPointer>

namespace {
QPointer<TFManual>& manual()
{
    static QPointer<TFManual> window;
    return window;
}

QPointer<TFListaNumNomes>& lookup()
{
    static QPointer<TFListaNumNomes> window;
    return window;
}

// A window shown while a modal window is open takes input only as that window's child; it goes
// back to standing alone once no modal window is open.
void placeBeside(QWidget& window)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == &window)
        return;
    QWidget* wanted = modal;
    if (window.parentWidget() == wanted)
        return;
    const bool wasVisible = window.isVisible();
    window.setParent(wanted, window.windowFlags() | Qt::Window);
    if (wasVisible)
        window.show();
}

template <typename Window>
void bringForward(Window& window)
{
    placeBeside(window);
    if (window.isVisible()) {
        window.raise();
        window.activateWindow();
        window.FormActivate();
    } else {
        window.show();
        window.activateWindow();
    }
}
}

TFManual& ManualWindow()
{
    if (!manual())
        manual() = new TFManual;
    return *manual();
}

TFListaNumNomes& PersonnelLookup()
{
    if (!lookup())
        lookup() = new TFListaNumNomes;
    return *lookup();
}

void OpenManual(const QString& section)
{
    Global().ManualSection = section;
    bringForward(ManualWindow());
}

void ShowPersonnelLookup()
{
    bringForward(PersonnelLookup());
}

bool IsSharedWindow(const QWidget* window)
{
    return window && (window == manual().data() || window == lookup().data());
}

void DeleteSharedWindows()
{
    delete manual().data();
    delete lookup().data();
}
