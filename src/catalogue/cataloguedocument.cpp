#include "cataloguedocument.h"

#include <QFileInfo>
#include <QSignalBlocker>

#include <algorithm>
#include <cstddef>
#include <set>

CatalogueDocument::CatalogueDocument(SetOfFurnitures &catalogue, QObject *parent)
    : QObject(parent), set(catalogue)
{
    connect(&steps, &QUndoStack::indexChanged, this, &CatalogueDocument::historyMoved);
    connect(&steps, &QUndoStack::cleanChanged, this, &CatalogueDocument::stateChanged);
}

bool CatalogueDocument::isModified() const
{
    return modifiedBesidesHistory || !steps.isClean();
}

void CatalogueDocument::push(CatalogueStep *step)
{
    steps.push(step);
}

// The steps between where the history stood and where it stands now were done or undone,
// however that came about.
void CatalogueDocument::historyMoved(int now)
{
    const int from = std::min(index, now), to = std::max(index, now);
    index = now;
    CatalogueChange change { CatalogueChange::Values, {}, {} };
    for (int i = from; i < to; ++i) {
        const auto *step = dynamic_cast<const CatalogueStep *>(steps.command(i));
        change.add(step ? step->change() : CatalogueChange {});
    }
    emit changed(change);
}

// A new history, with nothing to undo, for a catalogue that is now another.
void CatalogueDocument::startHistory()
{
    const QSignalBlocker quiet(&steps);
    steps.clear();
    index = 0;
}

void CatalogueDocument::setReadOnly(bool readOnlyMode)
{
    readOnly = readOnlyMode;
    emit stateChanged();
}

void CatalogueDocument::setSaved(bool saved)
{
    modifiedBesidesHistory = !saved;
    if (saved)
        steps.setClean();
    emit stateChanged();
}

OpenOutcome CatalogueDocument::open(const QString &file, const QString &source)
{
    OpenOutcome opened;
    const std::vector<Furniture *> before = set.getFurnitures();
    opened.result = set.load(source, opened.unkept);
    if (!opened.result.ok())
        return opened;

    const std::vector<Furniture *> furnitures = set.getFurnitures();
    std::set<std::string> categories;
    for (auto furniture = furnitures.begin() + std::ptrdiff_t(before.size()); furniture != furnitures.end(); ++furniture) {
        categories.insert((*furniture)->getCategory());
        opened.added.variants += (*furniture)->getForms().size();
    }
    opened.added.categories = categories.size();
    opened.added.elements = furnitures.size() - before.size();

    path = file;
    if (source == file)
        keepAsBase(before.size());
    else
        lastReadOrWritten = std::make_shared<const CatalogueBase>();
    syncBase.fileRead(file, set, before.size(), source == file ? lastReadOrWritten : nullptr);
    startHistory();
    setSaved(before.empty() && source == file);
    emit changed({});
    return opened;
}

OpenOutcome CatalogueDocument::reload()
{
    const std::vector<Furniture *> before = set.getFurnitures();
    set.setFurnitures({});
    const QString file = path;
    OpenOutcome reloaded = open(file, file);
    if (!reloaded.result.ok()) {
        set.setFurnitures(before);
        return reloaded;
    }
    for (Furniture *element : before)
        delete element;
    return reloaded;
}

void CatalogueDocument::clear()
{
    set.clear();
    path.clear();
    lastReadOrWritten = std::make_shared<const CatalogueBase>();
    syncBase.forget();
    startHistory();
    setSaved(true);
    emit changed({});
}

FileResult CatalogueDocument::save(IfLocked ifLocked)
{
    finishKeepingBase();
    const FileResult result = set.saveUnlessChanged(path, ifLocked);
    if (result.ok()) {
        keepAsBase(0);
        setSaved(true);
    }
    return result;
}

FileResult CatalogueDocument::saveAs(const QString &file, IfLocked ifLocked)
{
    finishKeepingBase();
    const FileResult result = set.save(file, ifLocked);
    if (!result.ok() || !(path.isEmpty() || QFileInfo(file) == QFileInfo(path)))
        return result;
    if (!path.isEmpty())
        keepAsBase(0);
    setSaved(true);
    return result;
}

// The elements from `from` on are what the current file holds.
void CatalogueDocument::keepAsBase(std::size_t from)
{
    const std::vector<Furniture *> furnitures = set.getFurnitures();
    auto base = std::make_shared<CatalogueBase>();
    base->reserve(furnitures.size() - from);
    for (auto element = furnitures.begin() + std::ptrdiff_t(from); element != furnitures.end(); ++element)
        base->push_back(**element);
    lastReadOrWritten = std::move(base);
}

void CatalogueDocument::finishKeepingBase()
{
    syncBase.waitForKeeper();
}

std::unique_ptr<FileMerge> CatalogueDocument::mergeWithFile() const
{
    return merge(path, lastReadOrWritten);
}

std::unique_ptr<FileMerge> CatalogueDocument::mergeWith(const QString &file) const
{
    return merge(file, syncBase.forMerge(set));
}

std::unique_ptr<FileMerge> CatalogueDocument::merge(const QString &file, std::shared_ptr<const CatalogueBase> base) const
{
    auto merge = std::make_unique<FileMerge>();
    merge->read = merge->theirs.load(file, merge->unkept);
    if (merge->read.ok()) {
        merge->base = std::move(base);
        merge->merge = std::make_unique<CatalogueMerge>(*merge->base, merge->theirs, set);
    }
    return merge;
}

void CatalogueDocument::replaceWithMerge(std::vector<std::unique_ptr<Furniture>> merged, const QString &text)
{
    push(new ReplaceCommand(set, std::move(merged), text));
}

FileResult CatalogueDocument::saveUnlessChangedSince(const FileMerge &merge, IfLocked ifLocked)
{
    finishKeepingBase();
    const FileResult result = set.saveUnlessChangedSince(path, merge.theirs, ifLocked);
    if (result.ok()) {
        keepAsBase(0);
        setSaved(true);
    }
    return result;
}
