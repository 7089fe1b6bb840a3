#pragma once
// The correction of a rank spelling that was not recognised: the spelling is shown, and the keeper
// picks the model spelling of its rank from a list. Picking closes the window; closing it without a
// pick leaves the result empty.

#include "common/FormWindow.h"
#include "maintenance/RankModels.h"

#include <optional>

class QComboBox;
class QLabel;

class TFCorrigePstGrd : public FormWindow {
    Q_OBJECT
public:
    TFCorrigePstGrd(const QString& unrecognised, const QStringList& modelSpellings, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;      // "Não reconheço "
    QLabel* Label2 = nullptr;      // the unrecognised spelling
    QLabel* Label3 = nullptr;      // "Corrigir"
    QComboBox* ComboBox1 = nullptr;

    // The chosen spelling and its grid row (list position + 1); empty until the keeper picks one.
    QString chosenSpelling;
    std::optional<int> chosenRow;

public slots:
    void FormActivate() override;
    void ComboBox1Click(int index);

private:
    QStringList m_models;
};

// Shows the correction modally; the grid row of the keeper's choice, nothing when closed without one.
std::optional<int> AskRankCorrection(QWidget* parent, const QString& unrecognised, const QStringList& modelSpellings);

// The chooser NormaliseRanks asks through: the correction window over `parent`.
RankChooser CorrectionWindowChooser(QWidget* parent);
