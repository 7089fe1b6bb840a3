#pragma once
// The tab "Capa": the cover picture, the cover text, the logo, the credits dot and "Sair".

#include <QWidget>

class QLabel;
class QPushButton;
class ClickableLabel;

class CapaPage : public QWidget {
    Q_OBJECT
public:
    explicit CapaPage(QWidget* parent = nullptr);

    // The cover picture from its file; a missing or unreadable file shows no picture.
    void showCoverPicture(const QString& file);

    QLabel* Image1 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Image2 = nullptr;
    ClickableLabel* Idt = nullptr;
    QPushButton* Button2 = nullptr;
};
