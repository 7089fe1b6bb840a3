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
