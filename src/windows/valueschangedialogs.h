#pragma once

#include "catalogueoperations.h"

#include <QDialog>

#include <vector>

namespace Ui {
class PriceChangeDialog;
class StockChangeDialog;
} // namespace Ui

// Asks how to change the prices of many variants: set them to an amount, or raise or
// lower them by a percentage. OK stays disabled while the amount is incomplete, or while
// the change would take a price below 0, which the question then says.
class PriceChangeDialog : public QDialog
{
    Q_OBJECT

public:
    PriceChangeDialog(const SetOfFurnitures &catalogue, std::vector<VariantPlace> places, QWidget *parent);
    ~PriceChangeDialog() override;

    PriceChange change() const;
    // The values the change gives the variants.
    ChangedValues outcome() const;

private:
    void kindChosen();
    void check();

    Ui::PriceChangeDialog *ui;
    const SetOfFurnitures &catalogue;
    const std::vector<VariantPlace> places;
};

// Asks how to change the stock of many variants: set it, add to it or take from it. A
// change that would take a stock below 0 or above the most a variant holds is refused.
class StockChangeDialog : public QDialog
{
    Q_OBJECT

public:
    StockChangeDialog(const SetOfFurnitures &catalogue, std::vector<VariantPlace> places, QWidget *parent);
    ~StockChangeDialog() override;

    StockChange change() const;
    ChangedValues outcome() const;

private:
    void check();

    Ui::StockChangeDialog *ui;
    const SetOfFurnitures &catalogue;
    const std::vector<VariantPlace> places;
};
