#pragma once

#include <QWidget>

class QLocale;

namespace Ui {
class UserGuide;
}

// Shows the user guide of the interface language, a Markdown document carried by the
// program, whose table of contents leads to its sections.
class UserGuide : public QWidget
{
    Q_OBJECT

public:
    explicit UserGuide(const QLocale &language, QWidget *parent = nullptr);
    ~UserGuide() override;

private:
    void nameHeadings();

    Ui::UserGuide *ui;
};
