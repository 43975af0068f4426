#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class QRandomGenerator;


// A throw-away tree laid out like the repository, with Images/ and json/, whose
// working directory lies two levels below it as the program's relative paths expect.
class ScratchTree
{
public:
    ScratchTree();
    ~ScratchTree();
    QString path(const QString &relative) const { return root.filePath(relative); }
    void write(const QString &relative, const QByteArray &bytes) const;

private:
    QTemporaryDir root;
    QString previousDirectory;
};

// Adds the rows of tests/data/<table>.tsv, whose first line names the columns and whose
// first column names each row. Every cell is a text; bytesCell() reads %XX as a byte.
void addRows(const char *table);
QString cell(const char *column);
QByteArray bytesCell(const char *column);

// Plays a scenario: steps "verb argument" separated by " ; ", list items by " + ".
// Each step acts as the user would or checks what the user would see; see scenario.cpp.
void play(const QString &steps, const ScratchTree &tree);

// Fills Edit::sof from lines "category|name|colour|id,id,...": one element each, every
// variant of the given colour, price 10 and stock 1.
void fillCatalogue(const QStringList &elements);
// Fills Edit::sof with up to four elements of categories C0, C1 and names n0, n1, whose
// identifiers take every shape, shared within and across elements; every other seed, the
// same elements twice, as from a file opened twice.
void fillRandomCatalogue(QRandomGenerator &random);
// Edit::sof as lines "category|name|id,id,...".
QStringList catalogueSummary();
// Edit::sof as the text stream form writes it, with prices to 15 digits.
QByteArray catalogueDump();

QByteArray readFile(const QString &path);

// Runs `work` in a child process and returns its exit status, or -1 when it died, as
// when it blocked for 10 s.
int inChild(const std::function<int()> &work);
