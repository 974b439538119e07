#pragma once
// The rules every dialog's layout keeps, checked on what its controls report: controls lie in
// the client area and do not overlap (a group box holds the controls inside it); every combo
// box is a drop-down box one line of the dialog font high; texts of labels, buttons, check
// boxes, radio buttons and group boxes fit their controls in the dialog font.

#include <string>
#include <vector>

class CDialog;

// One line per broken rule, naming the controls; empty for a tidy dialog.
std::vector<std::string> FindLayoutFaults(CDialog& dialog);
