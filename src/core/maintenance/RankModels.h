#pragma once
// The rank spelling models: for every rank one model spelling (column 0 of the grid, rows 1 to 24,
// ending at the first empty cell) and up to ten other spellings of it (columns 1 to 10 of its row).
// Row 0 is a heading row. Ranks typed by hand or read from files are brought to the model spelling
// of their rank; a spelling that is not recognised is put to the keeper, and the answer is learned.

#include "data/ModelRecords.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class RankModelGrid {
public:
    static constexpr int Columns = 11;        // stored in ModelosPstGrd.Txt
    static constexpr int Rows = 25;
    static constexpr int PassColumns = 14;    // 11 to 13 hold spellings learned for one pass only
    static constexpr int MaxRanks = 24;

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    // Column 0 from row 1, up to the first empty cell.
    QStringList modelSpellings() const;

private:
    std::array<std::array<QString, Rows>, PassColumns> m_cells{};
};

// Fills the grid from ModelosPstGrd.Txt (column by column, 275 lines).
RankModelGrid LoadRankModels();
// Rewrites ModelosPstGrd.Txt from columns 0 to 10 of the grid, in the same order.
void SaveRankModels(const RankModelGrid& grid);
// Rewrites PstGrd.Txt from ModelosPstGrd.Txt: its lines 2 to 25, up to the first empty one.
void WriteRankList();

// The keeper's answer for a spelling that was not recognised: the grid row of the chosen model
// spelling (its place in `models` + 1), or nothing when the correction was closed without a choice.
using RankChooser = std::function<std::optional<int>(const QString& unrecognised, const QStringList& models)>;

struct NormaliseOutcome {
    int changed = 0;                 // soldiers whose rank now reads differently
    QStringList learned;             // spellings filed under a rank, to be kept by SaveRankModels
    QStringList learnedForPassOnly;  // filed beyond column 10: recognised in this pass, not kept
    QStringList leftAsTyped;         // the keeper closed the correction without a choice
};

// Brings the PstGrd of every soldier (records from 1 up to the first empty Num) to the model
// spelling of his rank (cut to the rank's width). A spelling is looked for among the model
// spellings first, then among the first other spellings of every rank, and so on. A spelling not
// recognised is put to `choose` once per pass; the answer applies to every soldier with that
// spelling and is learned in the first free column of the chosen row. A correction closed without a
// choice keeps the typed spelling and learns nothing. An empty rank is left alone.
NormaliseOutcome NormaliseRanks(RankModelGrid& grid, std::vector<SoldierRecord>& soldiers, const RankChooser& choose);
