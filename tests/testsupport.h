#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class QWidget;

// A throw-away tree laid out like the repository, with Images/ and json/, whose
// working directory lies two levels below it as the program's relative paths expect.
class ScratchTree
{
public:
    ScratchTree();
    ~ScratchTree();

    QString path(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;

private:
    QTemporaryDir root;
    QString previousDirectory;
};

// Runs `answer` on the next modal dialog as soon as it is shown.
void answerNextModal(const std::function<void(QWidget *)> &answer);
// Presses `button` (a QMessageBox::StandardButton) on the next message box.
void pressOnNextMessageBox(int button);

// Fills Edit::sof from lines "category|name|colour|id,id,...": one element each, every
// variant of the given colour, price 10 and stock 1.
void fillCatalogue(const QStringList &elements);
// Edit::sof as lines "category|name|id,id,...".
QStringList catalogueSummary();

QByteArray readFile(const QString &path);
