#pragma once
// What the files of the walk share: the windows shown and a widget's name for the log.

#include <string>
#include <vector>

class QWidget;

namespace ui {
class Form;
}

namespace walk::detail {

// The program's windows on the screen, in a stable order; only the one given, if any.
std::vector<QWidget*> shownWindows(ui::Form* only);
// A widget as the log names it: its class and its control.
std::string describe(QWidget* w);

}  // namespace walk::detail
