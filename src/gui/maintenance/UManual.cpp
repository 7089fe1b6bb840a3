#include "UManual.h"

#include "common/Guarded.h"
#include "data/DataFiles.h"
#include "data/UGlobal.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
// The longest lines of the manual are about 90 characters; the list shows them whole.
constexpr int VisibleColumns = 96;
constexpr int VisibleLines = 32;
}

int FirstLineOfSection(const QStringList& lines, const QString& section)
{
    if (section.isEmpty())
        return -1;
    for (int row = 0; row < lines.size(); ++row) {
        if (lines.at(row).left(3) == section)
            return row;
    }
    return -1;
}

TFManual::TFManual(QWidget* parent) : FormWindow(QString(), parent)
{
    setWindowTitle(QStringLiteral("Manual do Sistema"));

    LTitulo = new QLabel(QStringLiteral("Manual do Sistema "), this);
    LTitulo->setObjectName(QStringLiteral("LTitulo"));
    QFont titleFont = LTitulo->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    LTitulo->setFont(titleFont);
    LTitulo->setAlignment(Qt::AlignHCenter);

    LBManual = new QListWidget(this);
    LBManual->setObjectName(QStringLiteral("LBManual"));
    QFont text = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    text.setFamilies({QStringLiteral("Liberation Mono"), text.family()});
    text.setPointSize(10);
    LBManual->setFont(text);
    LBManual->setSelectionMode(QAbstractItemView::SingleSelection);
    LBManual->setUniformItemSizes(true);

    const QFontMetrics metrics(text);
    const int frame = 2 * LBManual->frameWidth();
    const int scrollBar = LBManual->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    LBManual->setMinimumWidth(metrics.horizontalAdvance(QString(VisibleColumns, QLatin1Char('M'))) + frame
                              + scrollBar);
    LBManual->setMinimumHeight(metrics.lineSpacing() * 8);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LTitulo);
    layout->addWidget(LBManual, 1);
    resize(LBManual->minimumWidth() + 24, metrics.lineSpacing() * VisibleLines + 60);
}

void TFManual::FormActivate()
{
    Guarded([this] {
        LBManual->hide();
        LBManual->clear();
        const QStringList lines = DataFiles::ReadManual();
        LBManual->addItems(lines);
        const int row = FirstLineOfSection(lines, Global().ManualSection);
        LBManual->show();
        if (row >= 0) {
            LBManual->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            LBManual->scrollToItem(LBManual->item(row), QAbstractItemView::PositionAtTop);
        } else {
            LBManual->clearSelection();
            LBManual->setCurrentRow(-1, QItemSelectionModel::Clear);
            LBManual->scrollToTop();
        }
    });
}
