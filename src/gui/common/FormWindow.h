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

// On a unit kept on a server, the title of every window of the program (its own windows, the
// message boxes, the file and print dialogs) ends with " — unidade NOME no servidor host/banco";
// on a data folder the titles stay as they are. Installed once; every FormWindow and the main
// window install it.
void ShowUnitInWindowTitles();
// The title a window with `title` shows: `title` on a data folder, the unit appended on a server.
QString TitleWithUnit(const QString& title);
