#pragma once
// The busy pointer while an operation works. The guard shows it when it is made and takes it away
// when it goes, however the operation ends (an error thrown included). A question asked in the
// middle of the work shows the ordinary pointer over its box (PointerWhileAsking), so the keeper
// does not answer under an hourglass.

#include <QApplication>
#include <QCursor>

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

class PointerWhileAsking {
public:
    PointerWhileAsking() : m_overBusy(QApplication::overrideCursor() != nullptr)
    {
        if (m_overBusy)
            QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    ~PointerWhileAsking()
    {
        if (m_overBusy)
            QApplication::restoreOverrideCursor();
    }
    PointerWhileAsking(const PointerWhileAsking&) = delete;
    PointerWhileAsking& operator=(const PointerWhileAsking&) = delete;

private:
    bool m_overBusy;
};
