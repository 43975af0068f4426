#include "syncbase.h"

#include "keptbase.h"
#include "setoffurnitures.h"
#include "syncconflicts.h"

SyncBase::~SyncBase()
{
    waitForKeeper();
}

void SyncBase::fileRead(const QString &file, const SetOfFurnitures &catalogue, std::size_t from,
                        std::shared_ptr<const CatalogueBase> asRead)
{
    if (!asRead || !SyncConflicts::beside(file).isEmpty()) {
        waitForKeeper();
        known.reset();
        SetOfFurnitures kept;
        const QString base = KeptBase::find(file);
        if (!base.isEmpty() && kept.load(base).ok()) {
            const std::vector<Furniture *> elements = catalogue.getFurnitures();
            known = std::make_shared<const CatalogueBase>(CatalogueMerge::alignedBase(
                    kept.getFurnitures(), { elements.begin() + std::ptrdiff_t(from), elements.end() }));
        }
        kept.clear();
        return;
    }
    known = std::move(asRead);
    const std::optional<FileStamp> read = catalogue.stampOf(file);
    if (!read)
        return;
    waitForKeeper();
    // The file is read again, which the page cache makes cheap, and kept only while it is
    // still what was read.
    keeper = std::thread([place = KeptBase::placeOf(file), file, read = *read] {
        QByteArray bytes;
        if (DiskFile::read(file, SetOfFurnitures::maxFileSize, bytes).ok() && !read.changedOnDisk(file))
            KeptBase::keep(place, file, bytes);
    });
}

void SyncBase::forget()
{
    waitForKeeper();
    known.reset();
}

std::shared_ptr<const CatalogueBase> SyncBase::forMerge(const SetOfFurnitures &ours) const
{
    return known ? known : std::make_shared<const CatalogueBase>(CatalogueMerge::unknownBase(ours));
}

void SyncBase::waitForKeeper()
{
    if (keeper.joinable())
        keeper.join();
}
