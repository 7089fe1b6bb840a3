#pragma once
// The start of a run on a data folder: the folder filled from the initial data set on first start,
// the cover lines and backup folder read from Niveis.Txt, the store made available, and the data
// module with its two aliases (Ravelha: the data folder; BackUpRavSv: the backup folder).

#include "UDMGeral.h"

#include <QString>
#include <memory>

class Session {
public:
    // Throws with a clear message (Niveis.Txt missing, no SQLite driver, Ravelha.db missing) and
    // then nothing is half set up.
    explicit Session(const QString& dataFolder, bool fillWhenMissing = true);
    ~Session();

    TDMGeral& module() { return *m_module; }
    bool filledOnThisStart() const { return m_filled; }
    // What the start could not finish: a file an earlier operation recorded with the tables and
    // that still cannot be written (empty when there is none).
    const QString& notice() const { return m_notice; }

private:
    QString m_notice;
    std::unique_ptr<TDMGeral> m_module;
    bool m_filled = false;
};
