#pragma once

#include <QDialog>

#include <memory>

struct ImportPreview;

namespace Ui {
class ImportPreviewDialog;
}

// What an import would change, before anything changes: how many prices and stocks, the
// first changes, identifiers the catalogue lacks or shares among variants, and the rows
// that cannot be read with their line numbers. Apply accepts, Cancel rejects.
class ImportPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    ImportPreviewDialog(const ImportPreview &preview, const QString &fileName, QWidget *parent = nullptr);
    ~ImportPreviewDialog() override;

private:
    QString details(const ImportPreview &preview) const;

    std::unique_ptr<Ui::ImportPreviewDialog> ui;
};
