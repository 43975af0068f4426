#include "printdialog.h"

#include <QLineEdit>

PrintDialog::PrintDialog(QPrinter *printer, std::function<bool(const QString &file)> mayWrite, QWidget *parent)
    : QPrintDialog(printer, parent), mayWrite(std::move(mayWrite))
{
}

void PrintDialog::accept()
{
    // The toolkit's field of the output file, enabled where the output is a file.
    const auto *file = findChild<QLineEdit *>(QStringLiteral("filename"));
    if (file && file->isEnabled() && !file->text().isEmpty() && !mayWrite(file->text()))
        return;
    QPrintDialog::accept();
}
