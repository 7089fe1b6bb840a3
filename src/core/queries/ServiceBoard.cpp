#include "ServiceBoard.h"

#include "data/UGlobal.h"

#include <algorithm>

namespace {

bool registeredSoldier(const QString& num)
{
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers && !soldiers[i].Num.isEmpty(); ++i)
        if (soldiers[i].Num == num)
            return true;
    return false;
}

void loadModel()
{
    LoadSoldiers();
    LoadServices();
    LoadAllRosters();
}

}

bool NumberBefore(const QString& a, const QString& b)
{
    bool aNumeric = false;
    bool bNumeric = false;
    const qlonglong x = a.trimmed().toLongLong(&aNumeric);
    const qlonglong y = b.trimmed().toLongLong(&bNumeric);
    if (aNumeric != bNumeric)
        return aNumeric;
    if (aNumeric)
        return x < y;
    return a < b;
}

ServiceBoard BoardOfSoldiers(const QStringList& nums)
{
    const GlobalModel& g = Global();
    ServiceBoard board;
    for (const QString& num : nums) {
        if (num.isEmpty() || !registeredSoldier(num))
            continue;
        ServiceBoard::Line row{};
        row[0] = num;
        for (int code = 1; code <= Capacity::Services; ++code) {
            const ServiceRecord& service = g.ServiceTable[code];
            if (service.Descr.isEmpty())
                continue;
            board.headers[code] = service.Descr;
            if (g.Grades[code].lists(num))
                row[code] = MemberMark;
        }
        board.rows.push_back(row);
    }
    std::stable_sort(board.rows.begin(), board.rows.end(),
                     [](const ServiceBoard::Line& a, const ServiceBoard::Line& b) { return NumberBefore(a[0], b[0]); });
    return board;
}

ServiceBoard BuildServiceBoard(const QStringList& nums)
{
    loadModel();
    return BoardOfSoldiers(nums);
}

ServiceBoard BuildFullServiceBoard()
{
    loadModel();
    QStringList everyone;
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers && !soldiers[i].Num.isEmpty(); ++i)
        everyone << soldiers[i].Num;
    return BoardOfSoldiers(everyone);
}

ServiceBoard NarrowServiceBoard(const ServiceBoard& full, QList<int> codes)
{
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    ServiceBoard narrow;
    int column = 0;
    for (int code : codes)
        if (code >= 1 && code <= Capacity::Services && column < Capacity::Services)
            narrow.headers[++column] = full.headers[code];
    for (const ServiceBoard::Line& row : full.rows) {
        ServiceBoard::Line kept{};
        kept[0] = row[0];
        bool member = false;
        int c = 0;
        for (int code : codes) {
            if (code < 1 || code > Capacity::Services)
                continue;
            kept[++c] = row[code];
            // Only a column with a header counts, as the rows are kept.
            member = member || (!row[code].isEmpty() && !full.headers[code].isEmpty());
        }
        if (member)
            narrow.rows.push_back(kept);
    }
    return narrow;
}

QList<int> MarkedServiceCodes()
{
    QList<int> codes;
    for (int code = 1; code <= Capacity::Services; ++code)
        if (Global().ServiceTable[code].Marca == MemberMark)
            codes << code;
    return codes;
}
