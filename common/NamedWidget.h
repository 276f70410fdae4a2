#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <type_traits>

namespace oruhr {

// A control created under its designed name, by which its place and the tests find it.
template<typename T>
T *named(QWidget *parent, const char *name, const QString &caption = {})
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_base_of_v<QAbstractButton, T> || std::is_same_v<T, QLabel>)
        widget->setText(caption);
    return widget;
}

} // namespace oruhr
