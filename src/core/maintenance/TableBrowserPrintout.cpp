#include "TableBrowserPrintout.h"

#include <QSqlQueryModel>
#include <QSqlRecord>
#include <algorithm>

namespace {

struct Column {
    int x;
    const char* heading;
};

// Num, Nome, PR, Início, Fim, Pt, Vm, Últimos Serviços.
const Column Columns[] = {{100, "Num"},   {250, "Nome"},  {850, "PR"},   {950, "Início"},
                          {1200, "Fim"},  {1450, "Pt"},   {1550, "Vm"},  {1650, "Últimos Serviços"}};

QString text(const QSqlQueryModel& view, int row, const QString& field)
{
    const int column = view.record().indexOf(field);
    if (column < 0)
        return QString();
    return view.data(view.index(row, column)).toString();
}

// The most recent days of "Ultimos Servicos" that fit in `width` characters, each one whole: the
// text's last characters would cut a date in front ("6/02/04" for 16/02/04).
QString lastWholeDays(const QString& days, int width)
{
    const QStringList all = days.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList kept;
    int length = -1;
    for (qsizetype i = all.size() - 1; i >= 0; --i) {
        if (length + 1 + all.at(i).size() > width)
            break;
        length += 1 + int(all.at(i).size());
        kept.prepend(all.at(i));
    }
    return kept.join(QLatin1Char(' '));
}

// Counts are printed whole: a Pt of 123 cut to "12" would be a wrong count on paper.
QStringList cells(const SituationRow& row)
{
    return {row.num.left(4), row.nome.left(15), row.prevReal.left(1), row.from.left(10),
            row.to.left(10), row.pt.trimmed(),  row.vm.trimmed(),     lastWholeDays(row.lastServices, 35)};
}

void printHeadings(PageDevice& page, const QString& title, const SituationLayout& layout)
{
    page.setFont(layout.family, layout.pointSize);
    page.text(layout.titleX, layout.titleY, title);
    for (const Column& column : Columns)
        page.text(column.x, layout.headingY, QString::fromUtf8(column.heading));
}

}

QList<SituationRow> SituationRows(const QSqlQueryModel& view, QList<int> selectedRows)
{
    std::sort(selectedRows.begin(), selectedRows.end());
    selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
    if (selectedRows.isEmpty()) {
        for (int row = 0; row < view.rowCount(); ++row)
            selectedRows << row;
    }
    QList<SituationRow> rows;
    for (int row : selectedRows) {
        if (row < 0 || row >= view.rowCount())
            continue;
        SituationRow r;
        r.num = text(view, row, QStringLiteral("Num"));
        r.nome = text(view, row, QStringLiteral("Nome do Militar"));
        r.prevReal = text(view, row, QStringLiteral("PrevReal"));
        r.from = text(view, row, QStringLiteral("Fora Escala de"));
        r.to = text(view, row, QStringLiteral("Fora Escala ate"));
        r.pt = text(view, row, QStringLiteral("Pt"));
        r.vm = text(view, row, QStringLiteral("Vm"));
        r.lastServices = text(view, row, QStringLiteral("Ultimos Servicos"));
        rows << r;
    }
    return rows;
}

QString SituationTitle(const QString& descr)
{
    return QStringLiteral("Situacao da Escala de: ") + descr;
}

int PrintSituation(PageDevice& page, const QString& descr, const QList<SituationRow>& rows,
                   const SituationLayout& layout)
{
    const QString title = SituationTitle(descr);
    const int step = std::max(1, layout.step);
    // Rows on a page: as many as fit with their whole step above the bottom, at least one.
    const int perPage = std::max(1, (page.pageHeight() - layout.firstRowY) / step);
    page.begin();
    int pages = 1;
    printHeadings(page, title, layout);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int k = int(i % perPage);
        if (i > 0 && k == 0) {
            page.newPage();
            ++pages;
            printHeadings(page, title, layout);
        }
        const QStringList values = cells(rows.at(i));
        for (int c = 0; c < values.size(); ++c) {
            if (!values.at(c).isEmpty())
                page.text(Columns[c].x, layout.firstRowY + k * step, values.at(c));
        }
    }
    page.end();
    return pages;
}
