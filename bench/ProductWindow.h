#pragma once

#include <QMainWindow>

// The shell of a small product: menus, a title, a group of facts, notes, buttons, a list and a
// status bar, with object names and texts of the demo's main window, so that the demo's sheets
// style it and its translations translate it. The benchmarks apply sheets and languages to it;
// both start-up programs show it.
class ProductWindow : public QMainWindow {
public:
    ProductWindow();
};
