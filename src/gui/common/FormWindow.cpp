#include "FormWindow.h"

#include "SharedWindows.h"
#include "data/ServerAddress.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QSet>

namespace {

class BackgroundPressFilter : public QObject {
public:
    BackgroundPressFilter(QWidget* page, const QString& section) : QObject(page), m_section(section) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* page = static_cast<QWidget*>(watched);
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (!page->childAt(at)) {
                OpenManual(m_section);
                return true;
            }
        }
        return false;
    }

private:
    QString m_section;
};

// The program's key preview: F1 on any control of a registered window opens the lookup.
class F1Filter : public QObject {
public:
    static F1Filter& instance()
    {
        static F1Filter* filter = [] {
            auto* f = new F1Filter;
            qApp->installEventFilter(f);
            return f;
        }();
        return *filter;
    }
    void add(QWidget* window)
    {
        m_windows.insert(window);
        connect(window, &QObject::destroyed, this, [this, window] { m_windows.remove(window); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !m_windows.contains(widget->window()))
            return false;
        ShowPersonnelLookup();
        return true;
    }

private:
    F1Filter() : QObject(qApp) {}
    QSet<QWidget*> m_windows;
};

// Appends the unit to the title of every window as it is shown or retitled.
class UnitTitleFilter : public QObject {
public:
    UnitTitleFilter() : QObject(qApp) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::WindowTitleChange && event->type() != QEvent::Show)
            return false;
        if (!watched->isWidgetType() || !ServerAddresses::current().isSet())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        if (!widget->isWindow() || (type != Qt::Window && type != Qt::Dialog))
            return false;   // popups, tool tips and the like have no title bar
        QString title = widget->windowTitle();
        if (title.isEmpty())
            title = QApplication::applicationName();
        const QString shown = TitleWithUnit(title);
        if (shown != widget->windowTitle())
            widget->setWindowTitle(shown);   // the change comes back here and is left as it is
        return false;
    }
};

QString unitSuffix()
{
    const ServerAddress& server = ServerAddresses::current();
    return server.isSet() ? QStringLiteral(" — ") + server.label() : QString();
}

}

QString TitleWithUnit(const QString& title)
{
    const QString suffix = unitSuffix();
    if (suffix.isEmpty() || title.endsWith(suffix))
        return title;
    return title + suffix;
}

void ShowUnitInWindowTitles()
{
    static QPointer<UnitTitleFilter> filter;
    if (!filter && qApp) {
        filter = new UnitTitleFilter;
        qApp->installEventFilter(filter);
    }
}

FormWindow::FormWindow(const QString& manualSection, QWidget* parent)
    : QDialog(parent), m_manualSection(manualSection)
{
    ShowUnitInWindowTitles();
}

void FormWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void FormWindow::mousePressEvent(QMouseEvent* event)
{
    if (!m_manualSection.isEmpty() && !childAt(event->position().toPoint())) {
        OpenManual(m_manualSection);
        return;
    }
    QDialog::mousePressEvent(event);
}

void FormWindow::offerPersonnelLookup()
{
    OpenLookupOnF1(this);
}

void OpenManualOnBackgroundPress(QWidget* page, const QString& section)
{
    page->installEventFilter(new BackgroundPressFilter(page, section));
}

void OpenLookupOnF1(QWidget* window)
{
    F1Filter::instance().add(window);
}
