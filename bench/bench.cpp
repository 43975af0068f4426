// Measures reading, writing, showing and editing generated catalogues against bare
// QJsonDocument work on the same files, and the resident memory of a large catalogue.

#include "catalogueexchange.h"
#include "cataloguecommands.h"
#include "cataloguedocument.h"
#include "cataloguerecovery.h"
#include "cataloguesearch.h"
#include "cataloguetreemodel.h"
#include "csvtext.h"
#include "edit.h"
#include "importpreviewdialog.h"
#include "labellayout.h"
#include "mainwindow.h"
#include "priceimport.h"
#include "pricelistlayout.h"
#include "pricelist.h"
#include "keptbase.h"
#include "recoverycopy.h"
#include "photofolders.h"
#include "processheap.h"
#include "setoffurnitures.h"
#include "tablecopy.h"
#include "xlsxfile.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QLocale>
#include <QPdfWriter>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeView>

#include <malloc.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int variantsPerElement = 20;

struct Shape
{
    int variants;
    int categories;
    int runs; // odd, so that the median is one of the runs
};

// Fewer runs for larger catalogues keep the whole program under two minutes on two cores.
constexpr Shape shapes[] = {
    { 1'000, 25, 41 }, { 10'000, 25, 21 }, { 100'000, 25, 11 }, { 100'000, 1'000, 11 }
};
// The shapes the targets are about: the most variants, in few and in many categories.
constexpr size_t fewCategories = 2;
constexpr size_t manyCategories = 3;

enum Measure {
    Parse, Load, Serialise, Save, Rebuild, Insert, FirstFilter, FewFound, AllFound,
    CsvExport, XlsxExport, CsvImport,
    ListOpen, ListSort, ListFilter, ListEdit, ListBulk, ListBulkUndo, ListPaste, ListPasteUndo, ListFill,
    measureCount
};
// Filter queries: about 1 % of the variants (one colour of one model in 20 and 7), and all.
const QString fewQuery = QStringLiteral("Walnut kivi");
const QString allQuery = QStringLiteral("img");
using Figures = std::array<double, measureCount>;

// Growth in MB of resident memory and of the heap in use.
struct Growth
{
    double resident, heap;
};

// What the history of 1,000 steps takes, and the median time to undo or redo one.
struct History
{
    Growth steps;
    double undoMs, redoMs;
};

struct FilterFacts
{
    std::size_t few, all, variants, searchBytes, fileBytes;
};

struct Memory
{
    double fileMB, openingPeak, beforeLoading, peak;
    Growth rebuilds, editors;
};

constexpr std::array kinds { "Dining chairs", "Tables", "Sofas", "Beds", "Wardrobes",
                             "Bookshelves", "Desks", "Armchairs", "Stools", "Sideboards" };
constexpr std::array models { "Aalto", "Kivi", "Lumi", "Saari", "Tuuli", "Koivu", "Ranta" };
constexpr std::array designers { "Aino Virtanen", "Mikko Laine", "Elsa Nieminen", "Jonas Berg" };
constexpr std::array descriptions { "Solid oak frame, hand-oiled finish",
                                    "Powder-coated steel legs, linen upholstery",
                                    "Birch plywood with a water-based lacquer",
                                    "Recycled wool cover, removable and washable" };
constexpr std::array<const char *, variantsPerElement> colours {
    "white", "black", "oak", "walnut", "ash", "birch", "anthracite", "sand", "moss green",
    "ochre", "petrol blue", "terracotta", "light grey", "dark grey", "natural linen",
    "cognac leather", "burgundy", "mustard", "pine", "teak"
};

template<typename List>
std::string cycled(const List &list, int index)
{
    return list[size_t(index) % list.size()];
}

// 3 -> "003", the way the editor numbers identifier groups.
std::string group(int number)
{
    std::string text = std::to_string(number);
    return std::string(text.size() < 3 ? 3 - text.size() : 0, '0') + text;
}

// Elements of one category are contiguous and numbered from 001 within it, as the editor
// would have issued them.
void fillCatalogue(SetOfFurnitures &set, const Shape &shape)
{
    const int elementsPerCategory = shape.variants / variantsPerElement / shape.categories;
    for (int c = 1; c <= shape.categories; ++c) {
        const std::string category = cycled(kinds, c) + ' ' + std::to_string(c);
        for (int e = 1; e <= elementsPerCategory; ++e) {
            std::vector<Form> forms;
            forms.reserve(variantsPerElement);
            for (int v = 1; v <= variantsPerElement; ++v) {
                const std::string id = group(c) + '.' + group(e) + '.' + group(v);
                const int tenths = 499 + (c * 31 + e * 17 + v * 7) % 200 * 100; // 59.9, 1249.9
                forms.emplace_back(id, "img_" + id + ".jpg", colours[v - 1], tenths / 10.0,
                                   unsigned(c * 7 + e * 13 + v * 3) % 120);
            }
            const Dimension dim(std::to_string(40 + e * 7 % 160), "75",
                                std::to_string(40 + c * 11 % 60) + ".5",
                                std::to_string(5 + e * 3 % 40) + ".2");
            set.addFurniture(new Furniture(category, cycled(models, e) + ' ' + std::to_string(e),
                                           cycled(descriptions, c + e), cycled(designers, e),
                                           dim, std::move(forms)));
        }
    }
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Cannot read %s", qPrintable(path));
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("Cannot write %s", qPrintable(path));
}

template<typename Widget>
Widget *child(const QWidget &parent, const char *name)
{
    auto *widget = parent.findChild<Widget *>(QLatin1StringView(name));
    if (!widget)
        qFatal("No widget %s", name);
    return widget;
}

// Lets deferred deletions happen, then the layouts, paints and whatever else is pending,
// as the event loop would between two user actions. Outside an event loop, deletions
// must come first: what a deletion posts would otherwise wait, and pile up, until the
// next call.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The wall time of one call of `work`, in ms.
double msOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> times)
{
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

// A figure of /proc/self/status such as "VmRSS:", in MB.
double statusMB(const QByteArray &field)
{
    for (const QByteArray &line : readFile(QStringLiteral("/proc/self/status")).split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toDouble() * 1024 / 1e6;
    }
    qFatal("No %s in /proc/self/status", field.constData());
}

// Lowers the recorded peak to the present resident size, so that VmHWM tells the peak of
// what follows only.
void resetPeakResident()
{
    writeFile(QStringLiteral("/proc/self/clear_refs"), "5");
}

// The bytes the allocator has handed out and not taken back, in MB. Unlike resident
// memory, it also grows when a leak is served from memory freed before.
double heapInUseMB()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / 1e6;
}

// Growth over `count` runs of `step`, after `warmUp` runs have filled the caches and
// allocator pools that any first use fills.
Growth growthOver(int warmUp, int count, const std::function<void()> &step)
{
    for (int i = 0; i < warmUp; ++i)
        step();
    const Growth before { statusMB("VmRSS:"), heapInUseMB() };
    for (int i = 0; i < count; ++i)
        step();
    return { statusMB("VmRSS:") - before.resident, heapInUseMB() - before.heap };
}

// Runs first, while the heap holds nothing else, so that the peak is that of this
// catalogue alone.
Memory measureMemory(const QTemporaryDir &dir, const Shape &shape)
{
    const QString path = dir.filePath(QStringLiteral("memory.json"));
    fillCatalogue(Edit::sof, shape);
    Edit::sof.save(path);
    Edit::sof.clear();
    malloc_trim(0);

    Memory memory {};
    memory.beforeLoading = statusMB("VmRSS:");
    resetPeakResident();
    Edit::sof.load(path);
    memory.fileMB = double(QFileInfo(path).size()) / 1e6;
    memory.openingPeak = statusMB("VmHWM:") - memory.beforeLoading;
    {
        MainWindow window;
        window.show();
        settle();
        memory.peak = statusMB("VmHWM:");
        memory.rebuilds = growthOver(3, 20, [&window] {
            window.updateTreeView();
            settle();
        });

        // Opened and closed as a double-click on a variant row does.
        const std::vector<Furniture *> furnitures = Edit::sof.getFurnitures();
        int opened = 0;
        memory.editors = growthOver(5, 50, [&] {
            Furniture *furniture = furnitures[size_t(opened * 97) % furnitures.size()];
            auto *editor = new Edit(&window, furniture, size_t(opened++) % variantsPerElement);
            editor->setAttribute(Qt::WA_DeleteOnClose);
            editor->show();
            settle();
            editor->close();
            settle();
        });
    }
    Edit::sof.clear();
    return memory;
}

// Step `i` of those an editor makes, in turns: a changed price, a deleted variant, a new
// colour, over elements spread through the catalogue.
QUndoCommand *editorStep(int i)
{
    const std::vector<Furniture *> furnitures = Edit::sof.getFurnitures();
    const VariantPlace place { size_t(i) * 97 % furnitures.size(), size_t(i) % 7 };
    const Furniture &element = *furnitures[place.element];
    if (i % 3 == 0) {
        Form variant = element.getForms()[place.variant];
        variant.setPrice(variant.getPrice() + 1);
        Furniture fields(element.getCategory(), element.getName(), element.getDesc(),
                         element.getDesigner(), element.getDim(), {});
        return new ChangeCommand(Edit::sof, place, std::move(fields), std::move(variant),
                                 QStringLiteral("Change"));
    }
    if (i % 3 == 1)
        return new AddOrDeleteCommand(Edit::sof, place, QStringLiteral("Delete"));
    const std::string colour = "colour " + std::to_string(i);
    const NewIdentifier next = CatalogueOperations::nextIdentifier(
            Edit::sof, element.getCategory(), element.getName(), colour);
    auto furniture = std::make_unique<Furniture>(
            element.getCategory(), element.getName(), element.getDesc(), element.getDesigner(),
            element.getDim(), std::vector<Form> { Form(next.id, "img_new.jpg", colour, 59.9, 12) });
    return new AddOrDeleteCommand(Edit::sof, next, std::move(furniture), QStringLiteral("Add"));
}

// The heap and resident memory that 1,000 steps add to the history of a large catalogue,
// then every step undone and redone one at a time.
History measureHistory(const Shape &shape)
{
    constexpr int steps = 1'000;
    fillCatalogue(Edit::sof, shape);
    int made = 0;
    History history {};
    history.steps = growthOver(10, steps, [&made] { Edit::history.push(editorStep(made++)); });
    std::vector<double> undoTimes, redoTimes;
    while (Edit::history.canUndo())
        undoTimes.push_back(msOf([] { Edit::history.undo(); }));
    while (Edit::history.canRedo())
        redoTimes.push_back(msOf([] { Edit::history.redo(); }));
    history.undoMs = median(undoTimes);
    history.redoMs = median(redoTimes);
    Edit::history.clear();
    Edit::sof.clear();
    return history;
}

// A merge with the file on disk at save, with 100 changes on each side, against the bare
// parse of that file, in turns; what the base kept for merging takes, and the base of
// conflict copies kept on disk against the file it keeps.
struct MergeFacts
{
    double parseMs, mergeMs, baseMB, baseMs, fileMB, keptMB, openedMB;
};

MergeFacts measureMerge(const QTemporaryDir &dir, const Shape &shape)
{
    constexpr int changes = 100;
    const QString path = dir.filePath(QStringLiteral("merged.json"));
    SetOfFurnitures ours, theirs;
    fillCatalogue(theirs, shape);
    theirs.save(path);
    MergeFacts facts {};
    {
        CatalogueDocument document(ours);
        document.open(path, path);
        facts.openedMB = double(QFileInfo(path).size()) / 1e6;
        // A worker keeps the base of conflict copies after Open, holding the file's bytes
        // meanwhile: they are not the merge's base, which is measured once it is done.
        for (int wait = 0; wait < 1000 && QFileInfo(KeptBase::find(path)).size() != QFileInfo(path).size(); ++wait)
            QThread::msleep(10);
        QThread::msleep(100);
        const double heapBefore = heapInUseMB();
        CatalogueBase copy;
        facts.baseMs = msOf([&] { copy = document.base(); });
        facts.baseMB = heapInUseMB() - heapBefore;
        copy.clear();
        const std::vector<Furniture *> mine = ours.getFurnitures(), other = theirs.getFurnitures();
        const std::size_t spread = mine.size() / changes;
        for (std::size_t i = 0; i < changes; ++i) {
            Form variant = mine[i * spread]->getForms()[0];
            variant.setPrice(variant.getPrice() + 1);
            document.push(new ChangeCommand(ours, { i * spread, 0 }, *mine[i * spread], variant, QString()));
            std::vector<Form> forms = other[i * spread + spread / 2]->getForms();
            forms[1].setStock(forms[1].getStock() + 1);
            other[i * spread + spread / 2]->setForms(std::move(forms));
        }
        theirs.save(path);
        const QByteArray bytes = readFile(path);
        facts.fileMB = double(bytes.size()) / 1e6;
        std::vector<double> parses, merges;
        for (int run = 0; run <= shape.runs; ++run) {
            const double parse = msOf([&bytes] { QJsonDocument::fromJson(bytes); });
            const double merge = msOf([&document] {
                const std::unique_ptr<FileMerge> merge = document.mergeWithFile();
                if (!merge->merge || merge->merge->conflicts().size() != 0
                    || merge->merge->takenFromTheirs() != changes)
                    qFatal("The merge did not take the changes");
                merge->merge->result();
            });
            if (run > 0) {
                parses.push_back(parse);
                merges.push_back(merge);
            }
        }
        facts.parseMs = median(parses);
        facts.mergeMs = median(merges);
    }
    facts.keptMB = double(QFileInfo(KeptBase::find(path)).size()) / 1e6;
    ours.clear();
    theirs.clear();
    return facts;
}

// A generated catalogue with its file, shown in a window, and the times taken on them.
class Subject
{
public:
    Subject(const QTemporaryDir &dir, const Shape &shape)
        : path(dir.filePath(QStringLiteral("catalogue-%1-%2.json")
                                    .arg(shape.variants)
                                    .arg(shape.categories))),
          serialisedPath(dir.filePath(QStringLiteral("serialised.json"))),
          savedPath(dir.filePath(QStringLiteral("saved.json"))),
          csvPath(dir.filePath(QStringLiteral("export.csv"))),
          xlsxPath(dir.filePath(QStringLiteral("export.xlsx"))),
          // The exports are timed at the size their targets are about.
          exports(&shape == &shapes[fewCategories])
    {
        fillCatalogue(catalogue, shape);
        catalogue.save(path);
        bytes = readFile(path);
        const std::vector<Furniture *> furnitures = catalogue.getFurnitures();
        insertedInto = furnitures[furnitures.size() / 2];
        Edit::sof = catalogue;
        window = std::make_unique<MainWindow>();
        window->show();
        settle();
    }

    // Edit::sof shares the elements, so it lets go of them before they are deleted.
    ~Subject()
    {
        Edit::sof = SetOfFurnitures();
        catalogue.clear();
    }

    // Keeps each time measured, unless this is the warm-up run.
    auto keeper(bool keepTimes)
    {
        return [this, keepTimes](Measure measure, double ms) {
            if (keepTimes)
                times[measure].push_back(ms);
        };
    }

    // The bare parse and the price list alone, as `kalvio_bench list` times them.
    void runList(bool keepTimes)
    {
        const auto keep = keeper(keepTimes);
        Edit::sof = catalogue;
        keep(Parse, msOf([this] { QJsonDocument::fromJson(bytes); }));
        measureList(keep);
    }

    // Times every measure once, keeping the times unless this is the warm-up run, which
    // takes the page faults of a heap not yet grown to what the work needs.
    void run(bool keepTimes)
    {
        const auto keep = keeper(keepTimes);
        Edit::sof = catalogue;

        // The parsed document is freed within the time, as load frees its own.
        keep(Parse, msOf([this] { QJsonDocument::fromJson(bytes); }));
        keep(Load, msOf([this] {
            if (!loaded.load(path).ok())
                qFatal("Cannot load %s", qPrintable(path));
        }));
        loaded.clear();

        const QJsonDocument document = QJsonDocument::fromJson(bytes);
        // Removed first, because ext4 flushes a file truncated and written again on close.
        QFile::remove(serialisedPath);
        keep(Serialise, msOf([&] {
            writeFile(serialisedPath, document.toJson(QJsonDocument::Indented));
        }));
        keep(Save, msOf([this] { catalogue.save(savedPath); }));
        if (exports) {
            // As the Catalogue menu exports the whole catalogue: in identifier order, through
            // the safe-save path. The import reads that file back and finds nothing to change.
            keep(CsvExport, msOf([this] {
                const CatalogueTable table(inIdentifierOrder(wholeCatalogue(catalogue)), CatalogueExchange::headers());
                DiskFile::write(csvPath, CsvText::write(table, CsvText::Dialect::Comma));
            }));
            // The workbook is written from a copy of the rows, as the program's worker does.
            keep(XlsxExport, msOf([this] {
                const TableCopy table(CatalogueTable(inIdentifierOrder(wholeCatalogue(catalogue)), CatalogueExchange::headers()));
                DiskFile::write(xlsxPath, XlsxFile::write(table, QStringLiteral("catalogue")).bytes);
            }));
            const QStringList headers = CatalogueExchange::headers();
            const ImportColumnNames names { { headers[CatalogueTable::Identifier] }, { headers[CatalogueTable::Price] },
                                            { headers[CatalogueTable::Stock] }, {}, {} };
            keep(CsvImport, msOf([&] {
                const ImportPreview preview = PriceImport::read(csvPath, catalogue, names);
                if (!preview.read() || !preview.changes.empty() || preview.rows != catalogue.getFurnitures().size() * variantsPerElement)
                    qFatal("The export's import is refused or changes the catalogue");
            }));
        }
        keep(Rebuild, rebuildMs());
        // The first filter after a rebuild also folds the catalogue's texts.
        keep(FirstFilter, filterMs(fewQuery, true));
        keep(FewFound, filterMs(fewQuery, false));
        keep(AllFound, filterMs(allQuery, false));
        clearFilter();
        measureList(keep);

        Edit editor(nullptr);
        typeNewColour(editor);
        QPushButton *save = child<QPushButton>(editor, "pushButtonSave");
        keep(Insert, msOf([save] { save->click(); }));
        // Takes the new variant out again, so that every run works on the same catalogue.
        std::vector<Form> forms = insertedInto->getForms();
        if (forms.size() != variantsPerElement + 1)
            qFatal("Save added no variant");
        forms.pop_back();
        insertedInto->setForms(std::move(forms));
    }

    // The price list of the whole catalogue: opening it, its slowest sort, a filter
    // keystroke that finds about 1 %, one price typed into it until the list and the tree
    // have shown it, and a change of every price then its undo, until shown. The list
    // goes again, so that it takes no part in the other measures.
    template<typename Keep>
    void measureList(const Keep &keep)
    {
        showEveryListColumn();
        std::unique_ptr<PriceList> list;
        keep(ListOpen, msOf([&] {
            list = std::make_unique<PriceList>(Edit::document());
            list->show();
            settle();
        }));
        auto *table = child<QTableView>(*list, "tableViewVariants");
        QAbstractItemModel *model = table->model();
        double slowest = 0;
        for (int column = 0; column < model->columnCount(); ++column)
            slowest = std::max(slowest, msOf([&] {
                table->sortByColumn(column, Qt::AscendingOrder);
                settle();
            }));
        keep(ListSort, slowest);
        table->sortByColumn(0, Qt::AscendingOrder);
        auto *filter = child<QLineEdit>(*list, "lineEditListFilter");
        // The first query after a change folds the catalogue's texts, as in the tree.
        filter->setText(fewQuery.left(fewQuery.size() - 1));
        settle();
        keep(ListFilter, msOf([&] {
            filter->setText(fewQuery);
            settle();
        }));
        filter->clear();
        settle();
        const QModelIndex price = model->index(model->rowCount() / 2, 4);
        const QString before = price.data().toString();
        keep(ListEdit, msOf([&] {
            model->setData(price, QStringLiteral("1234.5"));
            settle();
        }));
        Edit::history.undo();
        if (price.data().toString() != before)
            qFatal("The price typed into the list was not undone");
        auto *prices = qobject_cast<PriceListModel *>(model);
        table->selectAll();
        keep(ListBulk, msOf([&] {
            // The rows of the selection's ranges, as the list takes them.
            std::vector<int> rows;
            for (const QItemSelectionRange &range : table->selectionModel()->selection())
                for (int row = range.top(); row <= range.bottom(); ++row)
                    rows.push_back(row);
            const ChangedValues changed = CatalogueOperations::changedPrices(
                    Edit::sof, *prices->placesAt(rows), { PriceChange::Raise, 4 });
            Edit::document().push(new ValuesCommand(Edit::sof, changed.values, QStringLiteral("raise")));
            settle();
        }));
        keep(ListBulkUndo, msOf([&] {
            Edit::history.undo();
            settle();
        }));
        measurePasteAndFill(*list, *table, keep);
        settle();
    }

    // A column of a new price for every variant pasted from the clipboard from the first
    // row down, as a spreadsheet copies it, and its undo; then the first row's price filled
    // down over every row. Each until the list and the tree have shown it.
    template<typename Keep>
    void measurePasteAndFill(PriceList &list, QTableView &table, const Keep &keep)
    {
        QAbstractItemModel *model = table.model();
        QString column;
        for (int row = 0; row < model->rowCount(); ++row)
            column += QString::number(10 + row % 5000, 'f', 2) + u'\n';
        QGuiApplication::clipboard()->setText(column);
        table.clearSelection();
        table.setCurrentIndex(model->index(0, 4));
        const int steps = Edit::history.index();
        keep(ListPaste, msOf([&] {
            child<QAction>(list, "actionListPaste")->trigger();
            settle();
        }));
        if (Edit::history.index() != steps + 1)
            qFatal("The paste took no step");
        keep(ListPasteUndo, msOf([&] {
            Edit::history.undo();
            settle();
        }));
        // The current cell first: setting it selects its row alone.
        table.setCurrentIndex(model->index(0, 4));
        table.selectAll();
        keep(ListFill, msOf([&] {
            child<QAction>(list, "actionListFillDown")->trigger();
            settle();
        }));
        Edit::history.undo();
    }

    // Every column shown, as a list closed so leaves the next one: the list opens, draws and
    // sorts with all of them.
    static void showEveryListColumn()
    {
        SetOfFurnitures empty;
        CatalogueDocument document(empty);
        PriceList list(document);
        QHeaderView *header = child<QTableView>(list, "tableViewVariants")->horizontalHeader();
        for (int column = 0; column < header->count(); ++column)
            header->showSection(column);
    }

    // The heap the price list of the whole catalogue takes: open, sorted by names, filtered
    // and scrolled from top to bottom.
    double listMemoryMB()
    {
        Edit::sof = catalogue;
        malloc_trim(0);
        const double before = heapInUseMB();
        auto list = std::make_unique<PriceList>(Edit::document());
        list->show();
        auto *table = child<QTableView>(*list, "tableViewVariants");
        table->sortByColumn(2, Qt::AscendingOrder);
        child<QLineEdit>(*list, "lineEditListFilter")->setText(allQuery);
        table->scrollToBottom();
        settle();
        const double taken = heapInUseMB() - before;
        list.reset();
        settle();
        return taken;
    }

    // Rebuilds the tree of this catalogue, which Edit::sof becomes, once.
    double rebuildMs()
    {
        Edit::sof = catalogue;
        settle();
        return msOf([this] { window->updateTreeView(); });
    }

    // Types `query` into the filter and goes down to what it shows, as a user would, from
    // the whole tree; returns the time until the window has shown it.
    double filterMs(const QString &query, bool afterRebuild)
    {
        clearFilter();
        if (afterRebuild)
            window->updateTreeView();
        settle();
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        auto *filter = child<QLineEdit>(*window, "lineEditFilter");
        return msOf([&] {
            filter->setText(query);
            QApplication::sendEvent(filter, &down);
            settle();
        });
    }

    // A tree that is slow to show waits for a pause in the typing before it shows the whole
    // catalogue again.
    void clearFilter()
    {
        child<QLineEdit>(*window, "lineEditFilter")->clear();
        while (!child<QLabel>(*window, "labelShown")->text().isEmpty()) {
            QThread::msleep(10);
            settle();
        }
    }

    // How many variants the filter's queries find, and the memory its search takes.
    FilterFacts filterFacts() const
    {
        const CatalogueSearch search(catalogue);
        const auto found = [&search](const QString &query) {
            std::size_t count = 0;
            for (const ShownElement &element : search.find(query))
                count += element.variants.size();
            return count;
        };
        return { found(fewQuery), found(allQuery), search.variantCount(), search.memoryBytes(),
                 std::size_t(bytes.size()) };
    }

    Figures medians() const
    {
        Figures figures {};
        for (size_t measure = 0; measure < measureCount; ++measure)
            figures[measure] = times[measure].empty() ? 0 : median(times[measure]);
        return figures;
    }

private:
    // A colour no variant of the element has, so that Save adds one.
    void typeNewColour(Edit &editor) const
    {
        const auto type = [&editor](const char *field, const QString &text) {
            child<QLineEdit>(editor, field)->setText(text);
        };
        type("lineEditCatName", QString::fromStdString(insertedInto->getCategory()));
        type("lineEditElementName", QString::fromStdString(insertedInto->getName()));
        type("lineEditColor", QStringLiteral("sage green"));
        type("lineEditPhoto", QStringLiteral("img_new.jpg"));
        type("lineEditPrice", QStringLiteral("59.9"));
        type("lineEditStock", QStringLiteral("12"));
    }

    const QString path, serialisedPath, savedPath, csvPath, xlsxPath;
    const bool exports;
    SetOfFurnitures catalogue, loaded;
    QByteArray bytes;
    std::unique_ptr<MainWindow> window;
    Furniture *insertedInto = nullptr;
    std::array<std::vector<double>, measureCount> times;
};

// The rebuild time of the largest catalogue in many categories over that in few. Both
// trees are rebuilt in turns, so that the ratio does not depend on how busy the machine
// was while each catalogue was measured on its own.
double categorySpreadRatio(const QTemporaryDir &dir)
{
    Subject few(dir, shapes[fewCategories]);
    Subject many(dir, shapes[manyCategories]);
    std::vector<double> fewTimes, manyTimes;
    for (int run = 0; run <= shapes[fewCategories].runs; ++run) {
        const double fewTime = few.rebuildMs();
        const double manyTime = many.rebuildMs();
        if (run > 0) {
            fewTimes.push_back(fewTime);
            manyTimes.push_back(manyTime);
        }
    }
    return median(manyTimes) / median(fewTimes);
}

QString withSeparators(int number)
{
    return QLocale(QLocale::English).toString(number);
}

void printTimes(const std::vector<Figures> &rows)
{
    std::printf("%9s %10s %4s | %8s %8s %5s | %9s %8s %5s | %8s %5s | %8s %5s\n", "variants",
                "categories", "runs", "parse", "load", "ratio", "serialise", "save", "ratio",
                "rebuild", "ratio", "insert", "ratio");
    for (size_t i = 0; i < rows.size(); ++i) {
        const Shape &shape = shapes[i];
        const Figures &t = rows[i];
        std::printf("%9s %10s %4d | %8.2f %8.2f %5.2f | %9.2f %8.2f %5.2f | %8.2f %5.2f | %8.3f "
                    "%5.3f\n",
                    qPrintable(withSeparators(shape.variants)),
                    qPrintable(withSeparators(shape.categories)), shape.runs, t[Parse], t[Load],
                    t[Load] / t[Parse], t[Serialise], t[Save], t[Save] / t[Serialise], t[Rebuild],
                    t[Rebuild] / t[Parse], t[Insert], t[Insert] / t[Parse]);
    }
}

struct Target
{
    const char *what;
    double figure, limit;
};

void printTarget(const Target &target)
{
    std::printf("  %-42s %7.3f  <= %4.2f  %s\n", target.what, target.figure, target.limit,
                target.figure <= target.limit ? "met" : "NOT MET");
}

// The price list's, at the size of `few`.
std::vector<Target> listTargets(const Figures &few)
{
    return {
        { "price list: open / parse", few[ListOpen] / few[Parse], 0.3 },
        { "price list: sort, slowest column / parse", few[ListSort] / few[Parse], 0.3 },
        { "price list: filter ~1 % / parse", few[ListFilter] / few[Parse], 0.25 },
        { "price list: one price shown / parse", few[ListEdit] / few[Parse], 0.02 },
        { "price list: every price / parse", few[ListBulk] / few[Parse], 0.5 },
        { "price list: undo every price / parse", few[ListBulkUndo] / few[Parse], 0.5 },
        { "price list: paste every price / parse", few[ListPaste] / few[Parse], 0.5 },
        { "price list: undo the paste / parse", few[ListPasteUndo] / few[Parse], 0.5 },
        { "price list: fill down every row / parse", few[ListFill] / few[Parse], 0.5 },
    };
}

void printListTimes(const Figures &few)
{
    std::printf("\nPrice list at %s variants, ms: open %.2f, slowest sort %.2f, filter ~1 %% %.2f, one price %.3f, "
                "every price %.2f and its undo %.2f, every price pasted %.2f and its undo %.2f, filled down %.2f\n",
                qPrintable(withSeparators(shapes[fewCategories].variants)), few[ListOpen], few[ListSort],
                few[ListFilter], few[ListEdit], few[ListBulk], few[ListBulkUndo], few[ListPaste], few[ListPasteUndo],
                few[ListFill]);
}

void printTargets(const Figures &few, double categorySpread, const Memory &memory,
                  const History &history, const FilterFacts &filter, double listMB)
{
    const std::vector<Target> list = listTargets(few);
    std::vector<Target> targets = {
        { "load / parse", few[Load] / few[Parse], 1.5 },
        { "save / serialise", few[Save] / few[Serialise], 2.0 },
        { "rebuild / parse", few[Rebuild] / few[Parse], 0.4 },
        { "rebuild, 1,000 / 25 categories, in turns", categorySpread, 1.2 },
        { "insert / parse", few[Insert] / few[Parse], 0.1 },
        { "filter ~1 % and show / parse", few[FewFound] / few[Parse], 0.25 },
        { "filter all and show / parse", few[AllFound] / few[Parse], 1.0 },
        { "resident growth, 20 rebuilds (MB)", memory.rebuilds.resident, 2.0 },
        { "resident growth, 50 editors (MB)", memory.editors.resident, 2.0 },
        { "heap added by 1,000 history steps (MB)", history.steps.heap, 5.0 },
        { "undo one step / rebuild", history.undoMs / few[Rebuild], 1.0 },
        { "redo one step / rebuild", history.redoMs / few[Rebuild], 1.0 },
        { "CSV export / serialise", few[CsvExport] / few[Serialise], 0.5 },
        { ".xlsx export / serialise", few[XlsxExport] / few[Serialise], 3.0 },
        { "CSV import with its preview / parse", few[CsvImport] / few[Parse], 1.0 },
        { "price list: its own heap, filtered (MB)", listMB, 30 },
    };
    targets.insert(targets.end() - 1, list.begin(), list.end());
    printListTimes(few);
    std::printf("\nTargets at %s variants (25 categories unless told)\n",
                qPrintable(withSeparators(shapes[fewCategories].variants)));
    for (const Target &target : targets)
        printTarget(target);
    std::printf("  (heap in use grew by %.3f MB over the rebuilds, %.3f MB over the editors)\n",
                memory.rebuilds.heap, memory.editors.heap);
    std::printf("  (1,000 steps: resident memory grew by %.3f MB; undo %.3f ms, redo %.3f ms "
                "a step, medians)\n",
                history.steps.resident, history.undoMs, history.redoMs);
    std::printf("  (exports %.2f ms as CSV, %.2f ms as .xlsx; the CSV imported back in %.2f ms)\n",
                few[CsvExport], few[XlsxExport], few[CsvImport]);
    std::printf("\nPeak resident memory after loading and showing %s variants: %.1f MB "
                "(%.1f MB before loading)\n",
                qPrintable(withSeparators(shapes[fewCategories].variants)), memory.peak,
                memory.beforeLoading);
    std::printf("Opening a %.1f MB file takes %.1f MB at its peak: %.1f MB a MB of file\n",
                memory.fileMB, memory.openingPeak, memory.openingPeak / memory.fileMB);
    std::printf("\nFilter at %s variants: \"%s\" finds %zu (%.2f %%), \"%s\" %zu; %.2f ms to show the "
                "first, %.2f ms the next and %.2f ms all\n",
                qPrintable(withSeparators(int(filter.variants))), qPrintable(fewQuery), filter.few,
                100.0 * double(filter.few) / double(filter.variants), qPrintable(allQuery), filter.all,
                few[FirstFilter], few[FewFound], few[AllFound]);
    std::printf("The first filter after a change folds the texts: %.3f x parse. Its search takes "
                "%.1f MB, %.2f of the file's %.1f MB\n",
                few[FirstFilter] / few[Parse], double(filter.searchBytes) / 1e6,
                double(filter.searchBytes) / double(filter.fileBytes), double(filter.fileBytes) / 1e6);
}

// The PDF price list: the whole of 5,000 variants, then 100,000 variants laid out until the
// page `cancelAt`, where it is cancelled, with the resident memory besides the PDF's own
// bytes at two pages.
void printPriceList()
{
    for (const int variants : { 5'000, 100'000 }) {
        SetOfFurnitures set;
        fillCatalogue(set, { variants, 25, 1 });
        PriceListLayout layout(inIdentifierOrder(wholeCatalogue(set)), QStringLiteral("bench"), true);
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        const int firstPage = 50, cancelAt = variants > 5'000 ? 500 : -1;
        int pages = 0;
        double otherAtFirst = 0, otherAtLast = 0, cancelledAfter = 0;
        QElapsedTimer timer;
        timer.start();
        bool whole = false;
        const double ms = msOf([&] {
            QPdfWriter writer(&pdf);
            writer.setResolution(300);
            whole = layout.paint(writer, [&](std::size_t done) {
                // The first pass only counts the pages.
                if (done < std::size_t(variants))
                    return true;
                ++pages;
                const double other = statusMB("VmRSS:") - double(pdf.size()) / 1e6;
                if (pages == firstPage)
                    otherAtFirst = other;
                otherAtLast = other;
                if (pages == cancelAt) {
                    timer.restart();
                    return false;
                }
                return true;
            });
            cancelledAfter = double(timer.nsecsElapsed()) / 1e6;
        });
        if (whole)
            std::printf("PDF price list of %s variants: %d pages, %.2f MB, %.0f ms\n",
                        qPrintable(withSeparators(variants)), pages, double(pdf.size()) / 1e6, ms);
        else
            std::printf("PDF price list of %s variants, cancelled at page %d after %.0f ms: stopped %.1f ms "
                        "after the cancel; resident memory besides the PDF's %.1f MB grew by %.2f MB from "
                        "page %d to %d\n",
                        qPrintable(withSeparators(variants)), cancelAt, ms, cancelledAfter,
                        double(pdf.size()) / 1e6, otherAtLast - otherAtFirst, firstPage, pages);
        set.clear();
    }
}

void printMerge(const MergeFacts &merge, const Shape &shape)
{
    std::printf("\nMerge at save, %s variants, 100 changes on each side: %.2f ms, parse %.2f ms: "
                "%.3f x parse  <= 1.50  %s\n",
                qPrintable(withSeparators(shape.variants)), merge.mergeMs, merge.parseMs,
                merge.mergeMs / merge.parseMs, merge.mergeMs <= 1.5 * merge.parseMs ? "met" : "NOT MET");
    std::printf("The base kept for merging takes %.1f MB, %.2f of the file's %.1f MB  <= 1.00  %s; "
                "taking it %.2f ms\n",
                merge.baseMB, merge.baseMB / merge.fileMB, merge.fileMB,
                merge.baseMB <= merge.fileMB ? "met" : "NOT MET", merge.baseMs);
    std::printf("The base of conflict copies kept on disk takes %.1f MB, %.2f of the file's %.1f MB  <= 1.00  %s\n",
                merge.keptMB, merge.keptMB / merge.openedMB, merge.openedMB,
                merge.keptMB > 0 && merge.keptMB <= merge.openedMB ? "met" : "NOT MET");
}

// The recovery copy of 100,000 variants: the copy of the elements that the event loop
// makes, then the writing that a worker does, against a save of the same catalogue.
void printRecovery(const QTemporaryDir &dir)
{
    const Shape &shape = shapes[fewCategories];
    const QString path = dir.filePath(QStringLiteral("recovered.json"));
    SetOfFurnitures set;
    fillCatalogue(set, shape);
    std::vector<double> copies, writes, saves;
    for (int run = 0; run <= shape.runs; ++run) {
        std::vector<Furniture> elements;
        const double copy = msOf([&] { elements = CatalogueRecovery::snapshot(set); });
        const double write = msOf([&] { CatalogueRecovery::write(path, elements); });
        const double save = msOf([&] { set.save(path); });
        if (run > 0) {
            copies.push_back(copy);
            writes.push_back(write);
            saves.push_back(save);
        }
    }
    RecoveryCopy::remove(path);
    set.clear();
    const double copy = median(copies), write = median(writes), save = median(saves);
    std::printf("\nRecovery copy, %s variants: the event loop's copy %.2f ms  <= 100  %s; the worker's "
                "write %.2f ms, save %.2f ms: copy + write %.2f x save  <= 1.00  %s\n",
                qPrintable(withSeparators(shape.variants)), copy, copy <= 100 ? "met" : "NOT MET", write, save,
                (copy + write) / save, copy + write <= save ? "met" : "NOT MET");
}

// A file that holds little but what costs most memory to open: `count` of one thing.
struct WorstFile
{
    const char *what;
    std::function<QByteArray(qint64 count)> bytes;
    qint64 fixedCount; // 0: as many as opening admits
};

const WorstFile worstFiles[] = {
    { "empty elements",
      [](qint64 n) { return "[{\"category\":{\"name\":\"C\",\"elements\":[" + QByteArray("{},").repeated(n) + "{}]}}]"; }, 0 },
    { "empty elements, the last not plain",
      [](qint64 n) { return "[{\"category\":{\"name\":\"C\",\"elements\":[" + QByteArray("{},").repeated(n) + "{\"x\":0}]}}]"; }, 0 },
    { "empty variants",
      [](qint64 n) {
          return "[{\"category\":{\"name\":\"C\",\"elements\":[{\"specificite\":[" + QByteArray("{},").repeated(n)
                  + "{}]}]}}]";
      }, 0 },
    { "categories of one empty element",
      [](qint64 n) { return '[' + QByteArray("{\"category\":{\"name\":\"C\",\"elements\":[{}]}},").repeated(n) + "{}]"; },
      0 },
    { "characters of one name",
      [](qint64 n) { return "[{\"category\":{\"name\":\"C\",\"elements\":[{\"name\":\"" + QByteArray(n, 'x') + "\"}]}}]"; }, 0 },
    { "short texts under an unknown key",
      [](qint64 n) { return "[{\"category\":{\"name\":\"C\",\"elements\":[{\"x\":[" + QByteArray("\"a\",").repeated(n) + "\"a\"]}]}}]"; }, 0 },
    { "distinct unknown keys",
      [](qint64 n) {
          QByteArray keys;
          keys.reserve(n * 12);
          for (qint64 i = 0; i < n; ++i)
              keys += "\"" + QByteArray::number(i, 36).rightJustified(6, '0') + "\":0,";
          return "[{\"category\":{\"name\":\"C\",\"elements\":[{" + keys + "\"x\":0}]}}]";
      }, 24'000'000 },
    { "repeated keys",
      [](qint64 n) { return "[{\"category\":{\"name\":\"C\",\"elements\":[{" + QByteArray("\"a\":0,").repeated(n) + "\"a\":0}]}}]"; },
      10'000'000 },
    { "texts of half a surrogate pair",
      [](qint64 n) { return "[{\"category\":{\"name\":\"C\",\"elements\":[{\"x\":[" + QByteArray("\"\\ud800\",").repeated(n) + "0]}]}}]"; },
      10'000'000 },
    { "keys written with escapes",
      [](qint64 n) { return "[{\"category\":{\"name\":\"C\",\"elements\":[{" + QByteArray("\"\\u0061\":0,").repeated(n) + "\"a\":0}]}}]"; },
      10'000'000 },
};

// The most of a worst file's thing that opening admits, within the size cap; the bound's
// estimate grows in a straight line with the count.
qint64 admittedCount(const WorstFile &file)
{
    if (file.fixedCount)
        return file.fixedCount;
    const qint64 step = 1000, base = SetOfFurnitures::openingMemory(file.bytes(step));
    const qint64 slope = std::max<qint64>(1, (SetOfFurnitures::openingMemory(file.bytes(2 * step)) - base) / step);
    const qint64 perByte = std::max<qint64>(1, (file.bytes(2 * step).size() - file.bytes(step).size()) / step);
    qint64 count = std::min(step + (SetOfFurnitures::maxOpeningMemory - base) / slope,
                            SetOfFurnitures::maxFileSize / perByte - step);
    while (SetOfFurnitures::openingMemory(file.bytes(count)) > SetOfFurnitures::maxOpeningMemory)
        count -= count / 1000;
    return count;
}

// The peak resident memory that opening each worst file and showing it in the tree takes,
// at the most that opening admits, and the refusal of one past it; and the time of opening
// against the toolkit's bare parse of the same bytes.
void printWorstFiles(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("worst.json"));
    std::printf("\nOpening the worst files (memory bound %.1f MB, size cap %.1f MB): peak resident memory "
                "with the tree shown, and the time of opening against the bare parse\n",
                double(SetOfFurnitures::maxOpeningMemory) / 1e6, double(SetOfFurnitures::maxFileSize) / 1e6);
    const auto open = [&path](const char *what, qint64 count, const QByteArray &bytes) {
        writeFile(path, bytes);
        const double fileMB = double(bytes.size()) / 1e6, estimateMB = double(SetOfFurnitures::openingMemory(bytes)) / 1e6;
        malloc_trim(0);
        const double before = statusMB("VmRSS:");
        resetPeakResident();
        QElapsedTimer timer;
        timer.start();
        const FileResult result = Edit::sof.load(path);
        const double loadMs = double(timer.nsecsElapsed()) / 1e6;
        {
            const CatalogueTreeModel tree(wholeCatalogue(Edit::sof), nullptr);
        }
        const double peak = statusMB("VmHWM:") - before;
        Edit::sof.clear();
        malloc_trim(0);
        timer.start();
        (void)QJsonDocument::fromJson(bytes);
        const double parseMs = double(timer.nsecsElapsed()) / 1e6;
        std::printf("  %13s %-34s %6.1f MB file, estimate %7.1f MB: %-8s peak %7.1f MB, %6.2f s, %4.2f x parse\n",
                    qPrintable(withSeparators(int(count))), what, fileMB, estimateMB,
                    result.ok() ? "opened," : "refused,", peak, loadMs / 1000, loadMs / parseMs);
        std::fflush(stdout);
    };
    for (const WorstFile &file : worstFiles) {
        const qint64 count = admittedCount(file);
        open(file.what, count, file.bytes(count));
    }
    const qint64 pastCap = SetOfFurnitures::maxFileSize / 3 - 100;
    open(worstFiles[0].what, pastCap, worstFiles[0].bytes(pastCap));
}

// Files that cost an import most, each at about the size cap: read into a preview and shown
// in its dialog against the catalogue of 100,000 variants, with the time that takes and the
// peak resident memory besides the catalogue's, against the bound of opening.
struct ImportFile
{
    const char *what;
    std::function<QByteArray()> bytes;
    double targetSeconds; // 0: none
};

const ImportFile importFiles[] = {
    { "20,000,000 unknown identifiers",
      [] {
          constexpr int rows = 20'000'000;
          QByteArray bytes = "id,price\n";
          bytes.reserve(bytes.size() + qsizetype(rows) * 11);
          char row[] = "00000000,1\n";
          for (int i = 0; i < rows; ++i) {
              for (int at = 7, n = i; at >= 0; --at, n /= 10)
                  row[at] = char('0' + n % 10);
              bytes.append(row, sizeof row - 1);
          }
          return bytes;
      }, 3.0 },
    { "one field of 250 MB", [] { return "id,price\n1," + QByteArray(250'000'000, 'x') + ",2\n"; }, 0 },
    { "an unclosed quote before 250 MB",
      [] { return "id,price\n1,2\n\"" + QByteArray("3,4\n").repeated(62'500'000); }, 0 },
    { "one record of 250,000,000 fields", [] { return "id,price\n" + QByteArray(250'000'000, ','); }, 0 },
};

void printImports(const QTemporaryDir &dir)
{
    SetOfFurnitures set;
    fillCatalogue(set, shapes[fewCategories]);
    const ImportColumnNames names { { QStringLiteral("id") }, { QStringLiteral("price") }, {}, {}, {} };
    const QString path = dir.filePath(QStringLiteral("import.csv"));
    std::printf("\nImporting the worst CSV files into %s variants (memory bound %.1f MB, size cap %.1f MB)\n",
                qPrintable(withSeparators(shapes[fewCategories].variants)),
                double(SetOfFurnitures::maxOpeningMemory) / 1e6, double(PriceImport::maxFileSize) / 1e6);
    for (const ImportFile &file : importFiles) {
        const qint64 size = [&] {
            const QByteArray bytes = file.bytes();
            writeFile(path, bytes);
            return bytes.size();
        }();
        malloc_trim(0);
        const double before = statusMB("VmRSS:");
        resetPeakResident();
        ImportPreview::Outcome outcome = ImportPreview::Read;
        std::size_t rows = 0;
        const double seconds = msOf([&] {
            ImportPreview preview = PriceImport::read(path, set, names);
            outcome = preview.outcome;
            rows = preview.rows;
            if (preview.read())
                const ImportPreviewDialog dialog(
                        std::move(preview), QStringLiteral("import.csv"), [](const ImportMapping &) { return ImportPreview(); },
                        [](const QString &, const QByteArray &) {}, nullptr);
        }) / 1000;
        const double peak = statusMB("VmHWM:") - before;
        const bool bounded = peak * 1e6 <= double(SetOfFurnitures::maxOpeningMemory);
        const bool fast = file.targetSeconds == 0 || seconds <= file.targetSeconds;
        std::printf("  %-34s %6.1f MB file: %-15s %11s rows, %5.2f s, peak %6.1f MB  %s\n", file.what,
                    double(size) / 1e6,
                    qPrintable(QStringList({ "read", "failed", "binary", "not UTF-8", "no identifier", "no value",
                                             "field too long", "too much" })
                                       .at(outcome)),
                    qPrintable(withSeparators(int(rows))), seconds, peak,
                    bounded && fast ? "met" : "NOT MET");
        if (file.targetSeconds > 0)
            std::printf("    (target: at most %.2f s, and the peak within the bound)\n", file.targetSeconds);
        std::fflush(stdout);
    }
    set.clear();
}

// Browsing by the arrow keys over variants whose photos are 24 megapixels each: the time
// each Down takes until the window has shown the row, and the time until its photo shows
// in the details pane, read meanwhile off the event loop.
void printDetailsBrowsing(const QTemporaryDir &dir)
{
    const int rows = 20;
    QImage photo(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgb(x * 255 / photo.width(), y * 255 / photo.height(), (x * 7 + y * 13) % 256);
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "JPG", 90);
    const QString folder = dir.filePath(QStringLiteral("details"));
    QDir().mkpath(folder + QStringLiteral("/Images"));
    SetOfFurnitures catalogue;
    fillCatalogue(catalogue, { 1'000, 25, 1 });
    for (const Form &form : catalogue.getFurnitures().front()->getForms())
        writeFile(folder + QStringLiteral("/Images/") + QString::fromStdString(form.getPhoto()), jpeg);
    PhotoFolders::setCatalogueFolder(folder);
    Edit::sof = catalogue;
    {
        MainWindow window;
        window.show();
        settle();
        auto *tree = child<QTreeView>(window, "treeView");
        const auto *picture = child<QLabel>(window, "labelDetailsPhoto");
        const QModelIndex element = tree->model()->index(0, 0, tree->model()->index(0, 0));
        tree->expand(element);
        tree->setCurrentIndex(element);
        tree->setFocus();
        settle();
        std::vector<double> rowMs, photoMs;
        for (int row = 0; row < rows; ++row) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QElapsedTimer shown;
            shown.start();
            rowMs.push_back(msOf([&] {
                QApplication::sendEvent(tree, &down);
                settle();
            }));
            while (picture->pixmap().isNull())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
            photoMs.push_back(double(shown.nsecsElapsed()) / 1e6);
        }
        std::printf("Details pane over %d rows with 24-megapixel photos (%.1f MB each): a row shown in %.1f ms "
                    "(median), %.1f ms at most (target 50); its photo in %.0f ms (median), read off the event loop\n",
                    rows, double(jpeg.size()) / 1e6, median(rowMs), *std::max_element(rowMs.begin(), rowMs.end()),
                    median(photoMs));
    }
    Edit::sof = SetOfFurnitures();
    catalogue.clear();
}

} // namespace

// Labels of 5,000 variants, each with its Code 128, laid out into a PDF in memory as the
// labels dialog's Save as PDF does, then cancelled after a tenth of the pages.
void printLabels()
{
    SetOfFurnitures set;
    fillCatalogue(set, { 5'000, 25, 1 });
    LabelOptions options;
    LabelLayout layout(inIdentifierOrder(wholeCatalogue(set)), options);
    const std::size_t cancelAt = layout.pageCount() / 10;
    for (const bool cancel : { false, true }) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        std::size_t pages = 0;
        bool whole = false;
        const double ms = msOf([&] {
            QPdfWriter writer(&pdf);
            writer.setPageLayout(layout.sheet().pageLayout());
            writer.setResolution(300);
            whole = layout.paint(writer, [&](std::size_t) { return !(cancel && ++pages == cancelAt); });
        });
        if (whole)
            std::printf("PDF labels of %s variants: %zu pages, %.2f MB, %.0f ms  <= 3000  %s\n",
                        qPrintable(withSeparators(int(layout.labelCount()))), layout.pageCount(),
                        double(pdf.size()) / 1e6, ms, ms <= 3000 ? "met" : "NOT MET");
        else
            std::printf("PDF labels cancelled at page %zu of %zu after %.0f ms\n", cancelAt, layout.pageCount(), ms);
    }
}

int main(int argc, char *argv[])
{
    // The heap as the program sets it up.
    ProcessHeap::setUp();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // As the program does: the form's connection by name finds no File actions to warn of.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qmetaobject.connectslotsbyname=false"));
    const QTemporaryDir dir;
    if (!dir.isValid())
        qFatal("Cannot create a temporary directory");
    // Recovery copies and kept bases go to the run's own folder, not the user's.
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));

    // "worst" measures the worst files alone, "import" the worst files to import, "pdf" the
    // price list alone, "labels" the labels, "merge" the merge at save, "list" the price and
    // stock list, "details" the details pane over large photos, "recovery" the recovery copy,
    // "spread" the rebuild in many categories over that in few.
    if (argc > 1 && qstrcmp(argv[1], "worst") == 0) {
        printWorstFiles(dir);
        return 0;
    }
    if (argc > 1 && qstrcmp(argv[1], "import") == 0) {
        printImports(dir);
        return 0;
    }
    if (argc > 1 && qstrcmp(argv[1], "pdf") == 0) {
        printPriceList();
        return 0;
    }
    if (argc > 1 && qstrcmp(argv[1], "labels") == 0) {
        printLabels();
        return 0;
    }
    if (argc > 1 && qstrcmp(argv[1], "list") == 0) {
        Subject subject(dir, shapes[fewCategories]);
        for (int run = 0; run <= shapes[fewCategories].runs; ++run)
            subject.runList(run > 0);
        const Figures few = subject.medians();
        printListTimes(few);
        for (const Target &target : listTargets(few))
            printTarget(target);
        return 0;
    }
    if (argc > 1 && qstrcmp(argv[1], "details") == 0) {
        printDetailsBrowsing(dir);
        return 0;
    }
    if (argc > 1 && qstrcmp(argv[1], "recovery") == 0) {
        printRecovery(dir);
        return 0;
    }
    if (argc > 1 && qstrcmp(argv[1], "spread") == 0) {
        printTarget({ "rebuild, 1,000 / 25 categories, in turns", categorySpreadRatio(dir), 1.2 });
        return 0;
    }
    if (argc > 1 && qstrcmp(argv[1], "merge") == 0) {
        printMerge(measureMerge(dir, shapes[fewCategories]), shapes[fewCategories]);
        return 0;
    }
    std::printf("Kälviö benchmark: Qt %s, %d cores, %d variants per element; times are medians "
                "in ms\n\n",
                qVersion(), QThread::idealThreadCount(), variantsPerElement);
    std::fflush(stdout);

    const Memory memory = measureMemory(dir, shapes[fewCategories]);
    const History history = measureHistory(shapes[fewCategories]);
    const MergeFacts merge = measureMerge(dir, shapes[fewCategories]);

    // The measures of a catalogue take turns, so that a change in the machine's load
    // touches the two sides of each ratio alike. Catalogues come one after another, so
    // that the heap holds one catalogue and its tree, as the program's does.
    std::vector<Figures> rows;
    FilterFacts filter {};
    double listMB = 0;
    for (const Shape &shape : shapes) {
        Subject subject(dir, shape);
        for (int run = 0; run <= shape.runs; ++run)
            subject.run(run > 0);
        rows.push_back(subject.medians());
        if (&shape == &shapes[fewCategories]) {
            filter = subject.filterFacts();
            listMB = subject.listMemoryMB();
        }
    }
    printTimes(rows);
    printTargets(rows[fewCategories], categorySpreadRatio(dir), memory, history, filter, listMB);
    printMerge(merge, shapes[fewCategories]);
    std::printf("\n");
    printPriceList();
    printWorstFiles(dir);
    printImports(dir);
    return 0;
}
