#pragma once

#include <QDialog>

#include <vector>

struct MergeConflict;
class QComboBox;

namespace Ui {
class MergeConflictsDialog;
}

// The conflicts of a merge with the file on disk, one row each: the identifier, the
// field, their value and ours, and which to keep. OK writes the choices into the
// conflicts; Cancel leaves them as they were.
class MergeConflictsDialog : public QDialog
{
    Q_OBJECT

public:
    MergeConflictsDialog(std::vector<MergeConflict> &conflicts, QWidget *parent = nullptr);
    ~MergeConflictsDialog() override;

    void accept() override;

private:
    void keepAll(bool ours);
    QComboBox *choiceAt(int row) const;

    Ui::MergeConflictsDialog *ui;
    std::vector<MergeConflict> &conflicts;
};
