#pragma once

#include "dimension.h"

#include <QCoreApplication>
#include <QString>

// An element's measures as a line of text, "length 45, width 50", in the interface's
// language: a measure that is empty is left out, so nothing reads "height ,".
class MeasuresText
{
    Q_DECLARE_TR_FUNCTIONS(MeasuresText)

public:
    static QString of(const Dimension &dim);
};
