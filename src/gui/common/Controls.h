#pragma once
// Small helpers that make a control with its documented name and caption.

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>

template <typename Control>
Control* Named(const QString& objectName, QWidget* parent)
{
    auto* control = new Control(parent);
    control->setObjectName(objectName);
    return control;
}

template <typename Control>
Control* Named(const QString& objectName, const QString& caption, QWidget* parent)
{
    auto* control = new Control(caption, parent);
    control->setObjectName(objectName);
    return control;
}

// Unticks print choices without printing: a choice prints when it becomes ticked, so after a new
// verification each can print again.
inline void UntickChoices(std::initializer_list<QRadioButton*> choices)
{
    for (QRadioButton* choice : choices) {
        const bool exclusive = choice->autoExclusive();
        choice->setAutoExclusive(false);
        choice->blockSignals(true);
        choice->setChecked(false);
        choice->blockSignals(false);
        choice->setAutoExclusive(exclusive);
    }
}
