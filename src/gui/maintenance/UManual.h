#pragma once
// The manual window: Manual.Txt in a list, opened at the section of the window the keeper came from.

#include "common/FormWindow.h"

class QListWidget;
class QLabel;

class TFManual : public FormWindow {
    Q_OBJECT
public:
    explicit TFManual(QWidget* parent = nullptr);

    QLabel* LTitulo = nullptr;   // the title above the text
    QListWidget* LBManual = nullptr;

public slots:
    // Loads Manual.Txt and selects the first line that begins with the manual section, scrolled to the top.
    void FormActivate() override;
};

// The row of the first line whose first three characters are `section`; -1 when there is none.
int FirstLineOfSection(const QStringList& lines, const QString& section);
