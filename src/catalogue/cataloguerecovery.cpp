#include "cataloguerecovery.h"

#include "cataloguedocument.h"
#include "recoverycopy.h"

CatalogueRecovery::CatalogueRecovery(CatalogueDocument &document, QObject *parent)
    : QObject(parent), document(document), file(document.jsonPath())
{
    connect(&document, &CatalogueDocument::changed, this, [this] { changedSinceCopy = true; });
    connect(&document, &CatalogueDocument::stateChanged, this, &CatalogueRecovery::stateChanged);
    connect(&timer, &QTimer::timeout, this, &CatalogueRecovery::keepLater);
    timer.start(intervalMs);
}

CatalogueRecovery::~CatalogueRecovery()
{
    waitForWriter();
}

std::vector<Furniture> CatalogueRecovery::snapshot(const SetOfFurnitures &catalogue)
{
    std::vector<Furniture> elements;
    const std::vector<Furniture *> furnitures = catalogue.getFurnitures();
    elements.reserve(furnitures.size());
    for (const Furniture *furniture : furnitures)
        elements.push_back(*furniture);
    return elements;
}

FileResult CatalogueRecovery::write(const QString &file, const std::vector<Furniture> &elements)
{
    std::vector<const Furniture *> listed;
    listed.reserve(elements.size());
    for (const Furniture &element : elements)
        listed.push_back(&element);
    return RecoveryCopy::write(file, SetOfFurnitures::fileText(listed));
}

// A copy that fails to be written is tried again at the next turn.
void CatalogueRecovery::keepLater()
{
    if (writing)
        return;
    waitForWriter();
    if (!document.isModified() || !changedSinceCopy || document.jsonPath().isEmpty())
        return;
    changedSinceCopy = false;
    writing = true;
    writer = std::thread([this, target = file, elements = snapshot(document.catalogue())] {
        failed = !write(target, elements).ok();
        writing = false;
    });
}

void CatalogueRecovery::keepNow()
{
    waitForWriter();
    if (!document.isModified() || !changedSinceCopy || document.jsonPath().isEmpty())
        return;
    changedSinceCopy = !write(file, snapshot(document.catalogue())).ok();
}

void CatalogueRecovery::adopted()
{
    changedSinceCopy = false;
}

// Saved, dropped, or now the catalogue of another file: the copy goes, and a catalogue
// that is still modified gets its copy at the next turn.
void CatalogueRecovery::stateChanged()
{
    if (document.isModified() && document.jsonPath() == file)
        return;
    waitForWriter();
    if (!file.isEmpty())
        RecoveryCopy::remove(file);
    file = document.jsonPath();
    changedSinceCopy = document.isModified();
}

void CatalogueRecovery::discard()
{
    timer.stop();
    waitForWriter();
    if (!file.isEmpty())
        RecoveryCopy::remove(file);
}

void CatalogueRecovery::waitForWriter()
{
    if (!writer.joinable())
        return;
    writer.join();
    changedSinceCopy = changedSinceCopy || failed.exchange(false);
}
