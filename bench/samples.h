// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

// Repeated measurements of one quantity.
class Samples
{
public:
    void add(double value) { values.append(value); }
    bool isEmpty() const { return values.isEmpty(); }
    int count() const { return int(values.size()); }
    double median() const;
    double max() const;

private:
    QList<double> values;
};
