#pragma once

#include "diskfile.h"
#include "furniture.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <thread>
#include <vector>

class CatalogueDocument;
class SetOfFurnitures;

// Keeps a recovery copy of the document's unsaved changes (RecoveryCopy) every two minutes
// while there are any, and takes it away once they are saved or dropped. The elements are
// copied on the caller's thread, which costs far less than writing them, and a worker
// writes the copy, so that typing never waits for the disk. A catalogue without a file has
// no copy.
class CatalogueRecovery : public QObject
{
    Q_OBJECT

public:
    static constexpr int intervalMs = 2 * 60 * 1000;

    explicit CatalogueRecovery(CatalogueDocument &document, QObject *parent = nullptr);
    ~CatalogueRecovery() override;

    // Writes the copy at once, unless it holds the changes already, and waits for it.
    void keepNow();
    // The copy that RecoveryCopy::adopt() made this process's own holds the catalogue as
    // it now is, which was opened from it.
    void adopted();
    // The changes are dropped as the program ends: the copy goes, and no other is written.
    void discard();

    // The catalogue's elements as they are now, and their copy written for `file`.
    static std::vector<Furniture> snapshot(const SetOfFurnitures &catalogue);
    static FileResult write(const QString &file, const std::vector<Furniture> &elements);

private:
    void keepLater();
    void stateChanged();
    void waitForWriter();

    CatalogueDocument &document;
    QTimer timer;
    std::thread writer;
    std::atomic<bool> writing = false;
    std::atomic<bool> failed = false;
    bool changedSinceCopy = false;
    // The document's file, of which this process may keep a copy.
    QString file;
};
