#pragma once
// The tab "Manutenção": the eighteen numbered items that keep the registers, the rosters and the
// system, and the list ListBox1 that items 8 and 9 fill.

#include <QWidget>

class ClickableLabel;
class QListWidget;

class MaintenancePage : public QWidget {
    Q_OBJECT
public:
    explicit MaintenancePage(QWidget* parent = nullptr);

    // The items in the order the keeper sees them: 1 to 15, then 16 (Label18), 17 (Label17) and 18
    // (LImportar, the import of an old folder).
    QList<ClickableLabel*> items;
    ClickableLabel* item(const QString& objectName) const;
    QListWidget* ListBox1 = nullptr;

signals:
    // An item was clicked (its objectName); the items that stand apart from ListBox1 hid it first.
    void itemChosen(const QString& objectName);
};
