#pragma once

#include <QByteArray>
#include <QMetaObject>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class CatalogueDocument;
struct ChangedValues;
struct PastedValues;
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
// `text` with %H as this computer's name and %U as the name of the account running the tests.
QString withThisMachine(QString text);

// The document the tests act on: the program's own (Edit::document()) where windows are
// tested, one of the catalogue tests' own where they are not.
CatalogueDocument &testedDocument();

// The steps of a scenario that act on the tested document without windows (listed in
// testsupport.cpp), and remember what it said of its changes.
class CatalogueSteps
{
public:
    explicit CatalogueSteps(const ScratchTree &tree);
    ~CatalogueSteps();
    // Plays the step; false when `verb` is none of these steps.
    bool play(const QString &verb, const QString &text);

private:
    void pushValues(const ChangedValues &changed);
    void pushValues(const PastedValues &pasted);
    void merge(const QStringList &choices, const QString &copy);

    const ScratchTree &tree;
    QByteArray snapshot;
    QStringList changes;
    QStringList merged;
    QMetaObject::Connection watching;
    // A file held locked, as another program saving it would, until the scenario ends.
    int heldLock = -1;
};

// Plays a scenario: steps "verb argument" separated by " ; ", list items by " + ", each
// by `step`, up to the first that fails. "%1" in a step stands for the scratch tree, "%H"
// for this host's name.
void playSteps(const QString &steps, const ScratchTree &tree,
               const std::function<void(const QString &verb, const QString &text)> &step);
// A scenario of catalogue steps.
void playCatalogue(const QString &steps, const ScratchTree &tree);
// A scenario whose steps act as the user would or check what the user would see, on
// windows or on the catalogue; see scenario.cpp.
void play(const QString &steps, const ScratchTree &tree);

// Fills the tested catalogue from lines "category|name|colour|id,id,...": one element each, every
// variant of the given colour, price 10 and stock 1.
void fillCatalogue(const QStringList &elements);
// Fills the tested catalogue with up to four elements of categories C0, C1 and names n0, n1, whose
// identifiers take every shape, shared within and across elements; every other seed, the
// same elements twice, as from a file opened twice.
void fillRandomCatalogue(QRandomGenerator &random);
// The tested catalogue as lines "category|name|id,id,...".
QStringList catalogueSummary();
// The tested catalogue as the text stream form writes it, with prices to 15 digits.
QByteArray catalogueDump();

QByteArray readFile(const QString &path);

// Runs `work` in a child process and returns its exit status, or -1 when it died, as
// when it blocked for 10 s.
int inChild(const std::function<int()> &work);
