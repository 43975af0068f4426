#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <vector>

class Furniture;
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

// An element with one variant per identifier, all of colour `color`.
Furniture *element(const std::string &category, const std::string &name,
                   const std::vector<std::string> &ids, const std::string &color = "oak");

QByteArray readFile(const QString &path);
