#include "testsupport.h"

#include "cataloguedocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QSysInfo>
#include <QTest>

#include <iomanip>
#include <map>
#include <sstream>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

ScratchTree::ScratchTree() : previousDirectory(QDir::currentPath())
{
    for (const char *folder : { "run/here", "Images", "json" })
        QDir(root.path()).mkpath(folder);
    QDir::setCurrent(path("run/here"));
}

ScratchTree::~ScratchTree()
{
    QDir::setCurrent(previousDirectory);
}

void ScratchTree::write(const QString &relative, const QByteArray &bytes) const
{
    QFile file(path(relative));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

void addRows(const char *table)
{
    const QList<QByteArray> lines = readFile(QFINDTESTDATA(QStringLiteral("data/%1.tsv").arg(table))).trimmed().split('\n');
    // The test table keeps the addresses of the column names, not copies.
    static QSet<QByteArray> names;
    const QList<QByteArray> columns = lines.value(0).split('\t');
    for (const QByteArray &column : columns.mid(1))
        QTest::addColumn<QString>(names.insert(column)->constData());
    for (const QByteArray &line : lines.mid(1)) {
        const QList<QByteArray> cells = line.split('\t');
        QTestData &row = QTest::newRow(cells[0].constData());
        for (qsizetype i = 1; i < columns.size(); ++i)
            row << QString::fromUtf8(cells.value(i));
    }
}

QString cell(const char *column)
{
    return *static_cast<QString *>(QTest::qData(column, QMetaType::QString));
}

QByteArray bytesCell(const char *column)
{
    return QByteArray::fromPercentEncoding(cell(column).toUtf8());
}

void fillCatalogue(const QStringList &elements)
{
    testedDocument().clear();
    for (const QString &line : elements) {
        const QStringList parts = line.split(u'|');
        std::vector<Form> forms;
        for (const QString &id : parts[3].split(u',', Qt::SkipEmptyParts))
            forms.emplace_back(id.toStdString(), id.toStdString() + ".png", parts[2].toStdString(), 10, 1);
        testedDocument().catalogue().addFurniture(new Furniture(
                parts[0].toStdString(), parts[1].toStdString(), "desc", "designer", Dimension("1", "2", "3", "4"), forms));
    }
}

void fillRandomCatalogue(QRandomGenerator &random)
{
    const QStringList groups { "001", "1", "", "1000", "01" };
    const auto pick = [&random](const QStringList &list) { return list[random.bounded(int(list.size()))]; };
    QStringList catalogue;
    for (int e = random.bounded(1, 5); e > 0; --e) {
        QStringList ids;
        for (int v = random.bounded(1, 4); v > 0; --v)
            ids << (random.bounded(5) ? pick(groups) + '.' + pick(groups) + '.' + pick(groups) + pick({ "", ".7" }) : "9");
        catalogue << QString("C%1|n%2|red|").arg(random.bounded(2)).arg(random.bounded(2)) + ids.join(u',');
    }
    fillCatalogue(random.bounded(2) ? catalogue + catalogue : catalogue);
}

QStringList catalogueSummary()
{
    QStringList lines;
    for (const Furniture *furniture : testedDocument().catalogue().getFurnitures()) {
        QStringList ids;
        for (const Form &form : furniture->getForms())
            ids << QString::fromStdString(form.getId());
        lines << QString::fromStdString(furniture->getCategory() + '|' + furniture->getName() + '|') + ids.join(u',');
    }
    return lines;
}

QByteArray catalogueDump()
{
    std::ostringstream out;
    out << std::setprecision(15) << testedDocument().catalogue();
    return QByteArray::fromStdString(out.str());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int inChild(const std::function<int()> &work)
{
    const pid_t child = fork();
    if (child == 0) {
        alarm(10);
        _exit(work());
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QString withThisMachine(QString text)
{
    const passwd *account = ::getpwuid(::geteuid());
    return text.replace("%H", QSysInfo::machineHostName()).replace("%U", QString::fromLocal8Bit(account ? account->pw_name : ""));
}

void playSteps(const QString &steps, const ScratchTree &tree,
               const std::function<void(const QString &verb, const QString &text)> &step)
{
    for (const QString &played : steps.split(" ; ")) {
        step(played.section(u' ', 0, 0), withThisMachine(played.section(u' ', 1).replace("%1", tree.path(""))));
        if (QTest::currentTestFailed())
            return qWarning("failed at the step \"%s\"", qPrintable(played));
    }
}

void playCatalogue(const QString &steps, const ScratchTree &tree)
{
    CatalogueSteps catalogue(tree);
    playSteps(steps, tree, [&catalogue](const QString &verb, const QString &text) {
        QVERIFY2(catalogue.play(verb, text), qPrintable("no step " + verb));
    });
}

namespace {

// New furniture of the twelve editable fields, as lines "category|name|...|stock", in the
// order of the editor's form.
Furniture typedFurniture(const QStringList &fields, const std::string &id)
{
    const auto text = [&fields](int i) { return fields.value(i).toStdString(); };
    return Furniture(text(0), text(1), text(2), text(7), Dimension(text(3), text(4), text(5), text(6)),
                     { Form(id, text(8), text(9), fields.value(10).toDouble(), fields.value(11).toUInt()) });
}

// What the document said of a change: "all"; "variants of" and the names of the elements
// whose variants came or went; or "values" and the identifiers of the variants whose
// values changed.
QString describe(const CatalogueChange &change)
{
    if (change.scope == CatalogueChange::Everything)
        return "all";
    QStringList names;
    for (const Furniture *element : change.elements)
        names << QString::fromStdString(element->getName());
    if (change.scope == CatalogueChange::Variants)
        return "variants of " + names.join(u',');
    QStringList ids;
    for (std::uint64_t serial : change.variants)
        if (const std::optional<VariantPlace> place = CatalogueOperations::findVariant(testedDocument().catalogue(), serial))
            ids << QString::fromStdString(testedDocument().catalogue().getFurnitures()[place->element]->getForms()[place->variant].getId());
    return ("values " + ids.join(u',')).trimmed();
}

std::vector<VariantPlace> everyPlace()
{
    std::vector<VariantPlace> places;
    const std::vector<Furniture *> furnitures = testedDocument().catalogue().getFurnitures();
    for (std::size_t element = 0; element < furnitures.size(); ++element)
        for (std::size_t variant = 0; variant < furnitures[element]->getForms().size(); ++variant)
            places.push_back({ element, variant });
    return places;
}

} // namespace

void CatalogueSteps::pushValues(const PastedValues &pasted)
{
    const QStringList outcomes { "Taken", "TooManyRows", "TooManyColumns", "Nothing" };
    const QStringList reasons { "Read", "Empty", "NotANumber", "Negative", "TooManyDecimals", "NotWhole", "TooLarge" };
    QStringList refused;
    for (const RefusedText &text : pasted.refused)
        refused << QString("%1:%2:%3:%4").arg(text.place).arg(text.kind == TypedValue::Price ? "price" : "stock", text.text, reasons[text.why]);
    if (pasted.outcome != PastedValues::Taken)
        changes << "refused " + outcomes[pasted.outcome];
    else if (!refused.isEmpty())
        changes << "refused " + refused.join(u' ');
    else
        pushValues(ChangedValues { pasted.values, 0, 0 });
}

void CatalogueSteps::pushValues(const ChangedValues &changed)
{
    if (changed.refused())
        changes << QString("refused %1 %2").arg(changed.belowZero).arg(changed.aboveLimit);
    else if (!changed.values.empty())
        testedDocument().push(new ValuesCommand(testedDocument().catalogue(), changed.values, "values"));
}

// The steps, each "verb argument":
//   catalogue A|n|red|1.1.1 + ...     the catalogue holds these elements (see fillCatalogue)
//   snapshot                          the catalogue is remembered, for `changed`
//   write PATH TEXT, write PATH @DATA PATH in the scratch tree holds TEXT (%XX a byte), or
//                                     the file DATA of tests/data; fifo PATH, remove PATH;
//   lock PATH                         the file held locked as another save holds it;
//   generate PATH N                   PATH holds a catalogue of N variants (N a multiple of 100)
//   link PATH OLD, symlink PATH TO,   a hard link to the file OLD, a symbolic link holding TO;
//   mode PATH OCTAL                   the file's permissions become OCTAL;
//   age PATH SECONDS                  the file last written SECONDS after 1970 (times in UTC)
//   load DATA, add ID FIELDS,         the file DATA of tests/data is read into the catalogue;
//   change E V FIELDS, delete E V,    new furniture of the twelve FIELDS is numbered (ID, or 1
//   undo N, redo N                    a duplicate, 2 numbering exhausted) and added; variant V of
//                                     element E is changed or deleted; N steps of the history
//                                     are undone or redone
//   openfile DATA, empty              the document opens the file DATA of tests/data; it is
//                                     emptied, as by New
//   values E V PRICE STOCK,           variant V of element E gets these values; every variant's
//   bulkprice KIND AMOUNT,            price or stock is changed by kind KIND (0 set, 1 raise % or
//   bulkstock KIND AMOUNT             add, 2 lower % or take away), one step, or is refused
//                                     (`changes` tells "refused BELOW ABOVE")
//   count ID=N ...                    a stock count: every variant of identifier ID counted N
//   paste KIND MARK TEXT, fill KIND   TEXT (%XX a byte) pasted from the first variant on, KIND
//                                     (price or stock) first, read with the decimal mark MARK;
//                                     the first variant's KIND filled into all; one step, or refused
//                                     (`changes` tells "refused" and each PLACE:KIND:TEXT:WHY, or
//                                     the paste's outcome, or "refused BELOW ABOVE")
//   logs TEXT                         TEXT is to be logged as critical
//   openpath PATH                     the document opens the file PATH of the scratch tree
//   openas PATH SOURCE                the same, its contents read from SOURCE, as a backup is
//   merge CHOICE CHOICE ...           the document merges its file on disk, keeps "mine" or
//                                     "theirs" of each conflict in turn, and saves the result;
//                                     "meanwhile": another save comes between merging and writing
//   mergecopy PATH CHOICE ...         the same with the sync service's conflict copy PATH, unsaved
//   save                              the document saves its file
// Checks: summary, holds TEXT (once in the catalogue dump), changed FROM>TO (the catalogue
// dump is the snapshot's with FROM replaced by TO), prices, saves DATA (the catalogue saves
// the bytes of the file DATA of tests/data), file PATH N TEXT (%XX a byte), same PATH PATH, changes
// C + C (what the document said of its changes since the last check, see describe()),
// modified yes|no, merged TEXT (what the last merge said: the outcome of reading, the changes
// taken, each conflict "ID FIELD THEIRS>OURS", renumbered "OLD>NEW", the outcome of saving;
// joined by " / ").
CatalogueSteps::CatalogueSteps(const ScratchTree &tree) : tree(tree)
{
    watching = QObject::connect(&testedDocument(), &CatalogueDocument::changed,
                                [this](const CatalogueChange &change) { changes << describe(change); });
}

CatalogueSteps::~CatalogueSteps()
{
    if (heldLock >= 0)
        ::close(heldLock);
    QObject::disconnect(watching);
}

void CatalogueSteps::merge(const QStringList &choices, const QString &copy)
{
    CatalogueDocument &document = testedDocument();
    const std::unique_ptr<FileMerge> merge = copy.isEmpty() ? document.mergeWithFile() : document.mergeWith(copy);
    merged << QString::number(merge->read.outcome);
    if (!merge->merge)
        return;
    const QStringList fields { "Category", "Name", "Description", "Designer", "Measures", "Photo", "Color", "Price", "Stock", "Variant" };
    merged << QString("taken %1").arg(merge->merge->takenFromTheirs());
    std::vector<MergeConflict> &conflicts = merge->merge->conflicts();
    for (std::size_t i = 0; i < conflicts.size(); ++i) {
        const MergeConflict &conflict = conflicts[i];
        merged << QString::fromStdString(conflict.id) + ' ' + fields[conflict.field] + ' ' + conflict.theirs + '>' + conflict.ours;
        conflicts[i].keepOurs = choices.value(int(i)) != "theirs";
    }
    MergedCatalogue result = merge->merge->result();
    for (const auto &[from, to] : result.renumbered)
        merged << QString::fromStdString("renumbered " + from + '>' + to);
    if (choices.contains("meanwhile"))
        QVERIFY(SetOfFurnitures().save(document.jsonPath()).ok());
    document.replaceWithMerge(std::move(result.elements), "merge");
    if (copy.isEmpty())
        merged << QString::number(document.saveUnlessChangedSince(*merge).outcome);
}

bool CatalogueSteps::play(const QString &verb, const QString &text)
{
    CatalogueDocument &document = testedDocument();
    SetOfFurnitures &set = document.catalogue();
    const QStringList words = text.split(u' '), items = text.split(" + ", Qt::SkipEmptyParts);
    const QString path = tree.path(words.value(0)), rest = text.section(u' ', 1);
    const std::map<QString, std::function<void()>> steps {
        { "catalogue", [&] { fillCatalogue(items); } },
        { "snapshot", [&] { snapshot = catalogueDump(); } },
        { "write", [&] {
             QVERIFY(QDir().mkpath(QFileInfo(path).path()));
             tree.write(words[0], rest.startsWith(u'@') ? readFile(QFINDTESTDATA("data/" + rest.mid(1)))
                                                        : QByteArray::fromPercentEncoding(rest.toUtf8()));
         } },
        { "generate", [&] {
             QByteArray json = "[";
             const int elements = words.value(1).toInt() / 100;
             for (int element = 1; element <= elements; ++element) {
                 json += QString(R"(%1{"category":{"name":"C","elements":[{"name":"E%2","description":"","designer":"",)"
                                 R"("dimension":{"height":"","length":"","weight":"","width":""},"specificite":[)")
                                 .arg(element > 1 ? "," : "").arg(element).toUtf8();
                 for (int variant = 1; variant <= 100; ++variant)
                     json += QString(R"(%1{"id":"%2.%3","photo":"","sous-formulaire":{"color":"red","price":1.5,"stock":3}})")
                                     .arg(variant > 1 ? "," : "").arg(element).arg(variant).toUtf8();
                 json += "]}]}}";
             }
             tree.write(words[0], json + "]");
         } },
        { "lock", [&] {
             struct flock whole {};
             whole.l_type = F_WRLCK;
             heldLock = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
             QVERIFY(heldLock >= 0 && fcntl(heldLock, F_OFD_SETLK, &whole) == 0);
         } },
        { "fifo", [&] { QVERIFY(mkfifo(QFile::encodeName(path), 0644) == 0 || (QFile::remove(path) && mkfifo(QFile::encodeName(path), 0644) == 0)); } },
        { "link", [&] { QVERIFY(link(QFile::encodeName(tree.path(words[1])), QFile::encodeName(path)) == 0); } },
        { "symlink", [&] { QVERIFY(symlink(QFile::encodeName(words[1]), QFile::encodeName(path)) == 0); } },
        { "mode", [&] { QVERIFY(chmod(QFile::encodeName(path), mode_t(words[1].toUInt(nullptr, 8))) == 0); } },
        { "age", [&] {
             qputenv("TZ", "UTC");
             const timespec times[2] { { words[1].toLongLong(), 0 }, { words[1].toLongLong(), 0 } };
             QVERIFY(utimensat(AT_FDCWD, QFile::encodeName(path), times, 0) == 0);
         } },
        { "remove", [&] { QVERIFY(QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path)); } },
        { "load", [&] { QVERIFY(set.load(QFINDTESTDATA("data/" + text)).ok()); } },
        { "openfile", [&] {
             const QString file = QFINDTESTDATA("data/" + text);
             const OpenedCounts added = document.open(file, file).added;
             changes << QString("opened %1 %2 %3").arg(added.categories).arg(added.elements).arg(added.variants);
         } },
        { "empty", [&] { document.clear(); } },
        { "openpath", [&] { QVERIFY(document.open(path, path).result.ok()); } },
        { "openas", [&] { QVERIFY(document.open(path, tree.path(words.value(1))).result.ok()); } },
        { "merge", [&] { merge(words, {}); } },
        { "mergecopy", [&] { merge(words.mid(1), path); } },
        { "save", [&] { QCOMPARE(document.save().outcome, FileResult::Done); } },
        { "add", [&] {
             const QStringList typed = rest.split(u'|');
             const NewIdentifier next = CatalogueOperations::nextIdentifier(set, typed[0].toStdString(), typed[1].toStdString(), typed[9].toStdString());
             if (words[0] != "?")
                 QCOMPARE(next.outcome ? QString::number(next.outcome) : QString::fromStdString(next.id), words[0]);
             if (next.outcome == NewIdentifier::Issued)
                 document.push(new AddOrDeleteCommand(set, next, std::make_unique<Furniture>(typedFurniture(typed, next.id)), text));
         } },
        { "change", [&] {
             const VariantPlace place { words[0].toULong(), words[1].toULong() };
             Form variant = set.getFurnitures().at(place.element)->getForms().at(place.variant);
             const Furniture typed = typedFurniture(text.section(u' ', 2).split(u'|'), variant.getId());
             const Form &values = typed.getForms().front();
             variant.setPhoto(values.getPhoto());
             variant.setColor(values.getColor());
             variant.setPrice(values.getPrice());
             variant.setStock(values.getStock());
             document.push(new ChangeCommand(set, place, typed, variant, text));
         } },
        { "delete", [&] { document.push(new AddOrDeleteCommand(set, { words[0].toULong(), words[1].toULong() }, text)); } },
        { "values", [&] {
             const VariantPlace place { words[0].toULong(), words[1].toULong() };
             document.push(new ValuesCommand(set, { { place, words[2].toDouble(), words[3].toUInt() } }, text));
         } },
        { "bulkprice", [&] { pushValues(CatalogueOperations::changedPrices(set, everyPlace(), { PriceChange::Kind(words[0].toInt()), words[1].toDouble() })); } },
        { "count", [&] {
             std::vector<CountedStock> counts;
             for (const QString &word : words)
                 for (const Furniture *element : set.getFurnitures())
                     for (const Form &form : element->getForms())
                         if (QString::fromStdString(form.getId()) == word.section(u'=', 0, 0))
                             counts.push_back({ form.getSerial(), word.section(u'=', 1).toUInt() });
             pushValues(CatalogueOperations::countedStocks(set, counts));
         } },
        { "bulkstock", [&] { pushValues(CatalogueOperations::changedStocks(set, everyPlace(), { StockChange::Kind(words[0].toInt()), words[1].toUInt() })); } },
        { "paste", [&] {
             const PastedValues pasted = CatalogueOperations::pastedValues(
                     set, everyPlace(), CatalogueOperations::pastedCells(QString::fromUtf8(QByteArray::fromPercentEncoding(words.value(2).toUtf8()))),
                     words[0] == "price" ? TypedValue::Price : TypedValue::Stock, words[1].front());
             pushValues(pasted);
         } },
        { "fill", [&] {
             pushValues(CatalogueOperations::filledValues(set, everyPlace(), text == "price" ? TypedValue::Price : TypedValue::Stock));
         } },
        { "undo", [&] { for (int i = text.toInt(); i > 0; --i) document.history().undo(); } },
        { "redo", [&] { for (int i = text.toInt(); i > 0; --i) document.history().redo(); } },
        { "logs", [&] { QTest::ignoreMessage(QtCriticalMsg, qPrintable(text)); } },
        { "summary", [&] { QCOMPARE(catalogueSummary().join(" + "), text); } },
        { "changed", [&] {
             const QList<QByteArray> change = QByteArray::fromPercentEncoding(text.toUtf8()).split('>');
             QCOMPARE(catalogueDump(), QByteArray(snapshot).replace(change[0], change.value(1)));
         } },
        { "holds", [&] { QCOMPARE(catalogueDump().count(QByteArray::fromPercentEncoding(text.toUtf8())), 1); } },
        { "prices", [&] {
             QStringList prices;
             for (const Furniture *furniture : set.getFurnitures())
                 for (const Form &form : furniture->getForms())
                     prices << QString::number(form.getPrice());
             QCOMPARE(prices.join(u' '), text);
         } },
        { "saves", [&] {
             QVERIFY(set.save(tree.path("saves.json")).ok());
             QCOMPARE(readFile(tree.path("saves.json")), readFile(QFINDTESTDATA("data/" + text)));
         } },
        { "file", [&] { QCOMPARE(readFile(path).count(QByteArray::fromPercentEncoding(text.section(u' ', 2).toUtf8())), words.value(1).toInt()); } },
        { "same", [&] { QCOMPARE(readFile(path), readFile(tree.path(words.value(1)))); } },
        { "changes", [&] { QCOMPARE(std::exchange(changes, {}).join(" + "), text); } },
        { "merged", [&] { QCOMPARE(std::exchange(merged, {}).join(" / "), text); } },
        { "modified", [&] { QCOMPARE(document.isModified() ? "yes" : "no", text); } },
    };
    const auto step = steps.find(verb);
    if (step == steps.end())
        return false;
    step->second();
    return true;
}
