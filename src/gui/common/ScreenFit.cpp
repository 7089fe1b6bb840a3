#include "ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
// Room for a window's title bar and borders, which the window's own size does not include.
constexpr QSize FrameAllowance{24, 40};
}

QSize FittingSize(const QSize& wanted, const QWidget* near)
{
    QSize size = wanted.boundedTo(LargestWindow);
    const QScreen* screen = near ? near->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QSize room = screen->availableSize() - FrameAllowance;
        if (room.isValid())
            size = size.boundedTo(room);
    }
    return size;
}
