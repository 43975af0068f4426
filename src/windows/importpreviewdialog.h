#pragma once

#include "priceimport.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class ImportChangesModel;
class ImportRefusalsModel;
class QComboBox;

namespace Ui {
class ImportPreviewDialog;
}

// What an import would change, before anything changes: how many prices and stocks, every
// change with a check box, identifiers shared among variants, and every row that changes
// nothing with its line and why. Where a header names no role, or no identifier column or
// no value column is found, one combo box a column asks what it holds, and the preview
// follows the choice. Save report writes the preview as CSV. Apply accepts, Cancel rejects.
class ImportPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    // The file read again with the columns' roles chosen.
    using Reread = std::function<ImportPreview(const ImportMapping &mapping)>;
    // Writes the report to the file chosen.
    using SaveReport = std::function<void(const QString &path, const QByteArray &csv)>;

    ImportPreviewDialog(ImportPreview preview, const QString &fileName, Reread reread, SaveReport saveReport,
                        QWidget *parent = nullptr);
    ~ImportPreviewDialog() override;

    const ImportPreview &preview() const { return shown; }
    // For each of the preview's changes, whether it is applied.
    const std::vector<bool> &ticked() const;
    // Whether the user was asked what the columns hold.
    bool mappingAsked() const { return !combos.empty(); }

private:
    void askMapping();
    void remap();
    void showPreview();
    void saveReport();
    QString notes() const;

    std::unique_ptr<Ui::ImportPreviewDialog> ui;
    ImportPreview shown;
    const QString fileName;
    const Reread reread;
    const SaveReport save;
    ImportChangesModel *changes;
    ImportRefusalsModel *refusals;
    std::vector<QComboBox *> combos;
};
