#pragma once

#include <QPrintDialog>

#include <functional>

// The system's print dialog, which asks before the toolkit touches the file that "Print to
// file" names: the toolkit opens the name to see whether it may write there, which blocks
// on a FIFO and follows any link. `mayWrite` tells the user why a file is refused and keeps
// the dialog open.
class PrintDialog : public QPrintDialog
{
    Q_OBJECT

public:
    PrintDialog(QPrinter *printer, std::function<bool(const QString &file)> mayWrite, QWidget *parent);

    void accept() override;

private:
    std::function<bool(const QString &file)> mayWrite;
};
