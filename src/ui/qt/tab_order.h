// The Tab order of a form as a person reads it, from the top left to the
// bottom right: a band begins with the highest control not yet read and
// takes every control whose top lies above that control's bottom; a band is
// read from left to right, a column in it from the top. The default button
// comes last.
#pragma once

#include <vector>

class QWidget;

namespace headly {

// Orders the controls of a form that take the focus by Tab.
void orderTabs(const std::vector<QWidget*>& controls, const QWidget* defaultButton);

}  // namespace headly
