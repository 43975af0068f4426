#pragma once

#include "cataloguetable.h"
#include "labellayout.h"

#include <QDialog>

#include <vector>

class CatalogueExchange;
struct PagedDocument;

namespace Ui {
class LabelsDialog;
}

// Price labels of the variants given: the sheet, where on it to start, how many of each,
// what each label shows and which barcode, with a preview of the first sheet; printed or
// saved as a PDF through the Catalogue menu's paths. The choices are remembered.
class LabelsDialog : public QDialog
{
    Q_OBJECT

public:
    LabelsDialog(std::vector<ExportedVariant> variants, QString catalogueName, CatalogueExchange &exchange,
                 QWidget *parent);
    ~LabelsDialog() override;

    // The labels as chosen.
    LabelOptions options() const;

private:
    void restore();
    void remember() const;
    void sheetChanged();
    void update();
    void output(void (CatalogueExchange::*write)(const PagedDocument &));

    Ui::LabelsDialog *ui;
    std::vector<ExportedVariant> variants;
    QString catalogueName;
    CatalogueExchange &exchange;
    std::vector<LabelSheet> sheets;
};
