#pragma once
// A label the keeper clicks: the numbered items of the main window's tabs and the credits dot.

#include <QLabel>

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    ClickableLabel(const QString& objectName, const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A numbered item of a tab: a clickable label with its caption and, when given, its hint.
ClickableLabel* MenuItem(const QString& objectName, const QString& caption, const QString& hint, QWidget* parent);
