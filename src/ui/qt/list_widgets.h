// The list widgets behind the list and combo box controls, as the Qt
// backend's parts reach them.
#pragma once

#include <QComboBox>
#include <QListWidget>

namespace headly {

inline QListWidget* asList(const QWidget* widget) { return static_cast<QListWidget*>(const_cast<QWidget*>(widget)); }
inline QComboBox* asCombo(const QWidget* widget) { return static_cast<QComboBox*>(const_cast<QWidget*>(widget)); }

}  // namespace headly
