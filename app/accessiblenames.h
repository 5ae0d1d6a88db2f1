// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Gives each control of a window that a screen reader would announce without a name the
// words of the label beside it in its layout: the pages' forms set each value's label once
// for a spin box and its slider, and a label can be the buddy of only one of them.
class AccessibleNames
{
public:
    static void fillIn(QWidget *window);
};
