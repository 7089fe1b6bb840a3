#pragma once
// "Preenchimento da Capa" (item 15 of "Manutenção"): the four cover lines and the cover picture.
// Closing the window, by "Sair", the close box or Esc, writes them to Niveis.Txt (the backup
// folder on its sixth line kept) and the main window shows them at once.

#include "common/FormWindow.h"

#include <array>

class QLineEdit;
class QPushButton;

class TFPreencheCapa : public FormWindow {
    Q_OBJECT
public:
    explicit TFPreencheCapa(QWidget* parent = nullptr);

    std::array<QLineEdit*, 5> Edit{};   // Edit[0] to Edit[3]: Edit1 to Edit4, the lines; Edit[4]: Edit5, the picture
    QPushButton* Button1 = nullptr;     // "Sair"

    // Whether the last close wrote the cover (false: the write failed and was reported).
    bool saved() const { return m_saved; }

public slots:
    void FormActivate() override;
    void FormClose();
    void Button1Click();
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_saved = false;
};

// Shows the window modally over `parent`; returns whether the cover was written.
bool OpenCoverEditor(QWidget* parent);
