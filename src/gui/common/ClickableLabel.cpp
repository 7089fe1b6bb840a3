#include "ClickableLabel.h"

#include <QMouseEvent>

ClickableLabel::ClickableLabel(const QString& objectName, const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

ClickableLabel* MenuItem(const QString& objectName, const QString& caption, const QString& hint, QWidget* parent)
{
    auto* item = new ClickableLabel(objectName, caption, parent);
    item->setToolTip(hint);
    QFont font = item->font();
    font.setPointSizeF(font.pointSizeF() + 1.5);
    item->setFont(font);
    item->setStyleSheet(QStringLiteral("QLabel { color: #0b2a8a; padding: 3px; }"
                                       "QLabel:hover { color: #c0392b; text-decoration: underline; }"));
    return item;
}
