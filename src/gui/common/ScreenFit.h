#pragma once
// Every window fits a 1024x768 screen with its frame and a taskbar: its own area is at most
// 1000x700, and less where the screen it shows on has less room.

#include <QSize>

class QWidget;

inline constexpr QSize LargestWindow{1000, 700};

// `wanted`, made to fit the largest window and the free area of the screen `near` is on.
QSize FittingSize(const QSize& wanted, const QWidget* near = nullptr);
