#pragma once
// A window of the program. Each time it is shown it runs FormActivate; a mouse press on its
// background (outside its controls) opens the manual at its own section; windows that offer the
// personnel lookup open it with F1 from any of their controls.

#include <QDialog>
#include <QString>

class FormWindow : public QDialog {
    Q_OBJECT
public:
    explicit FormWindow(const QString& manualSection, QWidget* parent = nullptr);
    const QString& manualSection() const { return m_manualSection; }

public slots:
    // What the window does each time it becomes active.
    virtual void FormActivate() {}

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void offerPersonnelLookup();

private:
    QString m_manualSection;
};

// A mouse press on `page` outside its controls opens the manual at `section`.
void OpenManualOnBackgroundPress(QWidget* page, const QString& section);

// F1 pressed on any control of `window` opens the personnel lookup.
void OpenLookupOnF1(QWidget* window);
