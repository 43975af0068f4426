#pragma once

#include "exporttable.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <functional>

// An exported table as an .xlsx workbook, written with libxlsxwriter: one sheet, a bold
// header row that stays in view, with an autofilter, and columns as wide as their texts.
// Numbers are number cells, prices with two decimals; everything else is a text cell.
namespace XlsxFile {

struct Outcome
{
    // The workbook's bytes; empty when it could not be made.
    QByteArray bytes;
    // The library's words when it could not.
    QString error;
    // Texts longer than a cell holds (32,767 characters), written cut to that length.
    std::size_t cutTexts = 0;
    // Stopped when asked to, with nothing made.
    bool cancelled = false;
};

// `sheetName` becomes the sheet's name, within the rules of sheet names.
Outcome write(const ExportTable &table, const QString &sheetName);
// The same, calling `progress` now and then with the rows written so far; when it returns
// false, stops.
Outcome write(const ExportTable &table, const QString &sheetName,
              const std::function<bool(std::size_t rowsDone)> &progress);

// `name` without the characters a sheet name may not hold, at most 31 long, never empty.
QString sheetName(const QString &name);

} // namespace XlsxFile
