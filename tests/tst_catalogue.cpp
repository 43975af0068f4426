#include "cataloguecommands.h"
#include "cataloguedocument.h"
#include "cataloguesearch.h"
#include "cataloguetable.h"
#include "csvreader.h"
#include "csvtext.h"
#include "inusenotice.h"
#include "plaincatalogue.h"
#include "keptbase.h"
#include "recoverycopy.h"
#include "syncconflicts.h"
#include "priceimport.h"
#include "typedvalue.h"
#include "variantorder.h"
#include "testsupport.h"
#include "xlsxfile.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QUrl>
#include <QSysInfo>
#include <QTest>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <functional>
#include <numeric>
#include <csignal>
#include <sstream>

#include <cstddef>

#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

int outcome(const QString &name)
{
    return QStringList({ "Done", "CannotOpen", "NotRegularFile", "TooLarge", "EmptyFile", "NotJson", "NotCatalogue",
                         "WriteFailed", "RestoreFailed", "TooMuchContent", "ChangedOnDisk", "Locked", "UntrustedLink",
                         "LockFileIsLink", "LockFileNotOwn", "NoLockFile", "NoBackupPlace" })
            .indexOf(name);
}

QByteArray path(const QString &name)
{
    return QFile::encodeName(name);
}

SetOfFurnitures &catalogue()
{
    return testedDocument().catalogue();
}

// Makes fcntl(F_OFD_SETLK) fail in this process as on a file system without file locks.
bool withoutFileLocks()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fcntl, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[1])),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, F_OFD_SETLK, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOLCK),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program { sizeof filter / sizeof *filter, filter };
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// The whole catalogue as the exports list it, with the columns' names in English.
CatalogueTable exportedCatalogue()
{
    QStringList headers;
    for (const char *name : CatalogueTable::columnNames)
        headers << name;
    return CatalogueTable(inIdentifierOrder(wholeCatalogue(catalogue())), headers);
}

// The columns' roles where `mapping` gives them, a letter each: Identifier, Price, Stock, or
// "-" to ignore.
ImportPreview previewOf(QByteArrayView bytes, const QString &mapping = {})
{
    ImportMapping chosen;
    for (QChar role : mapping)
        chosen.push_back(ImportColumn(qsizetype(QStringLiteral("IPS-").indexOf(role))));
    QStringList others;
    for (const char *name : CatalogueTable::columnNames)
        others << name;
    return PriceImport::preview(bytes, catalogue(), { { "Identifier", "Identifiant" }, { "Price", "Prix" }, { "Stock" }, others, chosen });
}

// What an import would do: "prices N stocks M", then each change, unknown identifier,
// shared identifier and unread row; or the outcome where the file is refused.
QStringList described(const ImportPreview &preview)
{
    if (!preview.read())
        return { QStringList({ "Read", "FileFailed", "Binary", "NotUtf8", "NoIdentifierColumn", "NoPriceOrStockColumn",
                               "FieldTooLong " + QString::number(preview.longFieldLine), "TooMuchContent" })
                         .at(preview.outcome) };
    const auto text = [](const std::string &text) { return QString::fromStdString(text); };
    // "asked" where a header names no role, and the user is asked what its column holds.
    QStringList lines { QString("prices %1 stocks %2%3").arg(preview.priceChanges).arg(preview.stockChanges).arg(preview.recognised ? "" : " asked") };
    for (const ImportedChange &change : preview.changes)
        lines << QString("change %1 %2>%3 %4>%5").arg(text(change.id)).arg(change.oldPrice).arg(change.newPrice).arg(change.oldStock).arg(change.newStock);
    for (const SharedIdentifier &shared : preview.sharedIdentifiers)
        lines << QString("shared %1 %2").arg(text(shared.id)).arg(shared.variants);
    if (preview.sharedCount > preview.sharedIdentifiers.size())
        lines << QString("shared more %1").arg(preview.sharedCount - preview.sharedIdentifiers.size());
    const QStringList reasons { "BrokenQuote", "NoIdentifier", "RefusedPrice", "RefusedStock", "UnknownIdentifier" };
    const QStringList whys { "", "Empty", "NotANumber", "Negative", "TooManyDecimals", "NotWhole", "TooLarge" };
    for (const UnreadRow &row : preview.unreadRows)
        lines << QString("unread %1 %2 %3 %4%5").arg(row.line).arg(reasons[row.reason], text(row.value), whys[row.why],
                                                           row.decimals ? QString::number(row.decimals) : "").trimmed();
    if (preview.unreadCount > preview.unreadRows.size())
        lines << QString("unread more %1").arg(preview.unreadCount - preview.unreadRows.size());
    if (preview.unclosedQuoteLine > 0)
        lines << QString("unclosed %1").arg(preview.unclosedQuoteLine);
    return lines;
}

// Random changes, additions (duplicates included) and deletions, as the editors make them.
void playRandomSteps(QRandomGenerator &random, const ScratchTree &tree)
{
    for (int step = random.bounded(1, 15); step > 0 && !catalogue().getFurnitures().empty(); --step) {
        const int e = random.bounded(int(catalogue().getFurnitures().size()));
        const int v = random.bounded(int(catalogue().getFurnitures()[e]->getForms().size()));
        const QString typed = QString("C%1|n%2|d|1|2|3|4|s|p.png|red%3|%4|%5").arg(random.bounded(2)).arg(random.bounded(2))
                                      .arg(random.bounded(2) ? "" : "2").arg(random.bounded(3) * 0.5).arg(random.bounded(3));
        const QStringList steps { QString("change %1 %2 %3").arg(e).arg(v).arg(typed), QString("delete %1 %2").arg(e).arg(v), "add ? " + typed };
        playCatalogue(steps[random.bounded(3)], tree);
    }
}

// What the document's merge with its file makes, as saved bytes.
QByteArray mergedWithFile(const ScratchTree &tree)
{
    const std::unique_ptr<FileMerge> merge = testedDocument().mergeWithFile();
    if (!merge->merge)
        return "not read";
    const MergedCatalogue merged = merge->merge->result();
    SetOfFurnitures view;
    for (const std::unique_ptr<Furniture> &element : merged.elements)
        view.addFurniture(element.get());
    return view.save(tree.path("merged.json")).ok() ? readFile(tree.path("merged.json")) : "not saved";
}

} // namespace

CatalogueDocument &testedDocument()
{
    static SetOfFurnitures set;
    static CatalogueDocument document(set);
    return document;
}

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    // Backups of files in read-only folders go to the application data folder, which
    // saves as another user must be able to write to as well.
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(tree.path("data")));
        QVERIFY(QDir().mkpath(tree.path("data")) && chmod(path(tree.path("data")), 01777) == 0);
    }
    void cleanup() { testedDocument().clear(); }
    void goldenCatalogueSavesExactly();
    void streamReadsWhatItWrites();
    void loadOutcomes_data() { addRows("loadOutcomes"); }
    void loadOutcomes();
    void plainFilesReadAsParsed_data() { addRows("plainFiles"); }
    void plainFilesReadAsParsed();
    void randomCataloguesReadAsParsed();
    void unkeptKeys_data() { addRows("unkeptKeys"); }
    void unkeptKeys();
    void saveOutcomes_data() { addRows("saveOutcomes"); }
    void saveOutcomes();
    void newFilesAreWholeOrAbsent_data();
    void newFilesAreWholeOrAbsent();
    void backupsOutliveKillsInARow();
    void exportsUnderAFileSizeLimit_data();
    void exportsUnderAFileSizeLimit();
    void theFileReadIsTheFileWritten_data();
    void theFileReadIsTheFileWritten();
    void flushedBeforeRename();
    void changesByOthersAreNoticed();
    void inUseNotices_data() { addRows("inUseNotices"); }
    void inUseNotices();
    void merges_data() { addRows("mergeCases"); }
    void merges() { playCatalogue(cell("steps"), tree); }
    void mergeWithAnUnchangedSideGivesTheOther();
    void operations_data() { addRows("catalogueOperations"); }
    void operations() { playCatalogue(cell("steps"), tree); }
    void undoAndRedoRestoreExactly();
    void search_data() { addRows("searchQueries"); }
    void search();
    void csvReading_data() { addRows("csvReading"); }
    void csvReading();
    void goldenExportImportsUnchanged_data();
    void goldenExportImportsUnchanged();
    void supplierFilePreview();
    void spreadsheetReadsBack();
    void csvOpensInLibreOffice_data();
    void csvOpensInLibreOffice();
    void simultaneousSavesTakeTurns_data();
    void simultaneousSavesTakeTurns();
    void variantOrder_data() { addRows("variantOrder"); }
    void variantOrder();
    void simultaneousChangesAreMerged();
    void newFurnitureNames_data();
    void newFurnitureNames();
    void photoNamesOffered();
    void valueChanges_data();
    void valueChanges();
    void typedValues_data() { addRows("typedValues"); }
    void typedValues();
    void importEdges_data();
    void importEdges();
    void importBounds_data();
    void importBounds();
    void eachFieldMerges_data();
    void eachFieldMerges();
    void exportedMeasures_data();
    void exportedMeasures();
    void exportOrder_data();
    void exportOrder();
    void csvFields_data();
    void csvFields();
    void csvSeparator_data();
    void csvSeparator();
    void sheetNames_data();
    void sheetNames();
    void noticeOfALinkedCatalogue();
    void recoveryCopiesOffered_data();
    void backupsOffered_data();
    void backupsOffered();
    void keptBasesFound_data();
    void keptBasesFound();
    void syncConflictNames_data();
    void syncConflictNames();
    void recoveryCopiesOffered();

private:
    void readAsParsed(const QByteArray &bytes, UnkeptValues &unkept);

    ScratchTree tree;
};

// One variant a value of the column sorted (a stock value as "price*stock"), sorted up and
// down in the locale's order of texts: variants of equal values keep catalogue order.
void TestCatalogue::variantOrder()
{
    const QStringList values = cell("values").split(u' ');
    const int column = QStringList({ "identifier", "category", "name", "colour", "price", "stock", "value", "designer",
                                     "description", "length", "height", "width", "weight" }).indexOf(cell("column"));
    for (int i = 0; i < values.size(); ++i) {
        const std::string value = values[i].toStdString();
        const auto is = [column, &value](int wanted, std::string otherwise) { return column == wanted ? value : otherwise; };
        catalogue().addFurniture(new Furniture(is(1, "c"), is(2, "n" + std::to_string(i)), is(8, ""), is(7, ""),
                                               Dimension(is(9, ""), is(10, ""), is(11, ""), is(12, "")),
                                               { Form(is(0, "1.1.1"), "", is(3, "c"), values[i].section(u'*', 0, 0).toDouble(),
                                                      values[i].section(u'*', -1).toUInt()) }));
    }
    const std::vector<ListedVariant> variants = listedVariants(catalogue());
    QStringList sorted;
    for (bool descending : { false, true }) {
        std::vector<std::uint32_t> order(variants.size());
        std::iota(order.begin(), order.end(), 0);
        VariantOrder::sort(order, variants, VariantOrder::Column(column), descending, QCollator(QLocale(cell("locale"))));
        QStringList shown;
        for (std::uint32_t place : order)
            shown << values[int(place)];
        sorted << shown.join(u' ');
    }
    QCOMPARE(sorted.join(" | "), cell("sorted"));
}

// golden.json holds every kind of value a catalogue file can hold, well or badly typed;
// golden.saved.json and golden.txt are what saving and the text dump must make of it.
void TestCatalogue::goldenCatalogueSavesExactly()
{
    QVERIFY(catalogue().load(QFINDTESTDATA("data/golden.json")).ok());
    QVERIFY(catalogue().save(tree.path("first.json")).ok());
    catalogue().clear();
    // A file Kälviö wrote holds nothing a Save would change, negative stocks included.
    UnkeptValues unkept;
    QVERIFY(catalogue().load(tree.path("first.json"), unkept).ok());
    QVERIFY(unkept.isEmpty());
    QVERIFY(catalogue().save(tree.path("again.json")).ok());
    QCOMPARE(readFile(tree.path("again.json")), readFile(tree.path("first.json")));
    // Values no file holds but the records accept: bytes that are not UTF-8, prices that
    // are not finite.
    catalogue().addFurniture(new Furniture("Odd", "bad\xff", "", "", Dimension("", "", "", ""),
                                         { Form("n", "", "", NAN, 0), Form("i", "", "", -INFINITY, 0) }));
    QVERIFY(catalogue().save(tree.path("saved.json")).ok());
    const QByteArray saved = readFile(tree.path("saved.json"));
    QCOMPARE(saved, readFile(QFINDTESTDATA("data/golden.saved.json")));
    QCOMPARE(catalogueDump(), readFile(QFINDTESTDATA("data/golden.txt")));
    // Laid out exactly as the toolkit's writer lays out the same document, but for a
    // U+FEFF that starts a text: escaped, so that the toolkit's parser keeps it.
    QCOMPARE(QJsonDocument::fromJson(saved).toJson(QJsonDocument::Indented).replace("\"\xEF\xBB\xBF", "\"\\ufeff"), saved);
}

void TestCatalogue::streamReadsWhatItWrites()
{
    const Furniture original("C", "A", "S", "D", Dimension("45", "80", "50", "4.5"),
                             { Form("1.1.1", "a.png", "red", 59.9, 4294967295u), Form("1.1.2", "b", "x", 0, 0) });
    std::stringstream stream;
    stream << original << "C A S D 1 2 3 4 4000000000\n1.1.1 a.png red 1.5 2\n1.1.2 b.png red x 7\n";
    QVERIFY(Furniture(stream) == original);
    // A number that cannot be read is 0, and a count larger than what follows must not
    // invent variants.
    QVERIFY(Furniture(stream) == Furniture("C", "A", "S", "D", Dimension("1", "2", "3", "4"),
                                           { Form("1.1.1", "a.png", "red", 1.5, 2), Form("1.1.2", "b.png", "red", 0, 0) }));
}

// Whatever the path leads to, loading ends at once with a defined outcome, and adds
// either the whole file after what is present or nothing at all.
void TestCatalogue::loadOutcomes()
{
    const QString kind = cell("kind"), file = tree.path("json/" + QString(QTest::currentDataTag()));
    // In a file "repeated", a part "N*TEXT" between bars stands for TEXT N times.
    QByteArray bytes;
    for (const QByteArray &part : bytesCell("bytes").split(kind == "repeated" ? '|' : '\0'))
        bytes += part.contains('*') && kind == "repeated" ? part.mid(part.indexOf('*') + 1).repeated(part.left(part.indexOf('*')).toInt()) : part;
    if (kind == "file" || kind == "repeated")
        tree.write("json/" + QString(QTest::currentDataTag()), bytes);
    QVERIFY(kind != "fifo" || mkfifo(path(file), 0644) == 0);
    QVERIFY(kind != "folder" || QDir().mkdir(file));
    QVERIFY(kind != "sparse" || (QFile(file).open(QIODevice::WriteOnly) && QFile::resize(file, (qint64(256) << 20) + 1)));
    fillCatalogue({ "Present|p|red|1.1.1" });
    if (outcome(cell("outcome")) < FileResult::EmptyFile && cell("outcome") != "Done")
        QTest::ignoreMessage(QtCriticalMsg, "Error: file not open");
    const FileResult result = catalogue().load(kind.startsWith('/') ? kind : file);
    QCOMPARE(int(result.outcome), outcome(cell("outcome")));
    QCOMPARE(result.reason + (result.line ? QString(" %1:%2").arg(result.line).arg(result.column) : ""), cell("reason"));
    QCOMPARE(catalogueSummary().value(0), "Present|p|1.1.1");
    QCOMPARE(int(catalogue().getFurnitures().size()) - 1, cell("added").toInt());
}

// A plain file is read straight into records. Sent to the general reader by one unknown key
// at its start, the same file must give the very records, to the last bit of a price, as a
// Save shows, and tell alike of all but that key; a file that is not plain gives the same
// outcome either way. With the key in its last entry instead, the entries before it are
// read plainly and the rest parsed, to the same end.
void TestCatalogue::plainFilesReadAsParsed()
{
    const QByteArray bytes = bytesCell("json");
    const PlainCatalogue::Reading reading = PlainCatalogue::read(bytes);
    QCOMPARE(reading.whole, cell("plain") == "1");
    // Of a file that is not plain, the whole entries before the first that is not.
    QCOMPARE(QString::number(reading.entries) + u' ' + QString::number(reading.furnitures.size()), cell("read plainly"));
    // What Open tells of, by kind and count.
    const QStringList kinds = QString("PricesAsText StocksAsText StocksOutOfRange StocksWithFraction InexactPrices "
                                      "InexactStocks MeasuresAsNumbers BrokenTexts WrongTypes UnknownKeys EmptyCategories "
                                      "NonObjectEntries DuplicateKeys MissingMembers LeadingByteOrderMarks UnknownEscapes "
                                      "LooseNumbers RawControlCharacters").split(u' ');
    QCOMPARE(kinds.size(), int(UnkeptValues::KindCount));
    UnkeptValues unkept;
    readAsParsed(bytes, unkept);
    QStringList told;
    for (int kind = 0; kind < UnkeptValues::KindCount; ++kind)
        if (const qint64 count = unkept[UnkeptValues::Kind(kind)].count)
            told << kinds[kind] + u' ' + QString::number(count);
    QCOMPARE(told.join(", "), cell("told"));
}

// A catalogue file reads, wholly or partly through the plain reader, as the general reader
// reads it once one unknown key, at the file's start or at its last entry's, sends it
// there: the same outcome, the same bytes on Save and the same warning but for that key.
// `unkept` gets what the file told as it stands.
void TestCatalogue::readAsParsed(const QByteArray &bytes, UnkeptValues &unkept)
{
    const auto readAndSaved = [this](const QByteArray &file, UnkeptValues &unkept) {
        tree.write("json/plain.json", file);
        const FileResult read = catalogue().load(tree.path("json/plain.json"), unkept);
        catalogue().save(tree.path("json/plain.saved.json"));
        catalogue().clear();
        return QString::number(read.outcome) + u' ' + readFile(tree.path("json/plain.saved.json"));
    };
    const QString saved = readAndSaved(bytes, unkept);
    for (const qsizetype keyAt : { bytes.indexOf('{') + 1, bytes.lastIndexOf("\"category\"") }) {
        if (keyAt <= 0)
            continue;
        UnkeptValues generalUnkept;
        QCOMPARE(readAndSaved(QByteArray(bytes).insert(keyAt, "\"zz\": 0, "), generalUnkept), saved);
        for (int kind = 0; kind < UnkeptValues::KindCount; ++kind) {
            if (kind != UnkeptValues::UnknownKeys)
                QVERIFY2(unkept[UnkeptValues::Kind(kind)] == generalUnkept[UnkeptValues::Kind(kind)],
                         qPrintable(QString::number(kind)));
        }
    }
}

// Catalogues made at random of what a plain file may lack, in any order of members, with
// now and then a member the plain reader leaves to the general one: a place for the
// order in which missing members are told, and for entries read partly plainly.
void TestCatalogue::randomCataloguesReadAsParsed()
{
    for (quint32 seed = 1; seed <= 300; ++seed) {
        QRandomGenerator random(seed);
        // An object of some of `keys`, in a shuffled order; `value` writes a key's value.
        const auto object = [&random](QStringList keys, const std::function<QString(const QString &)> &value) {
            QStringList members;
            for (const QString &key : keys)
                if (random.bounded(5) > 0)
                    members << u'"' + key + "\": "_L1 + value(key);
            if (random.bounded(12) == 0)
                members << QStringLiteral("\"odd\": 1");
            std::shuffle(members.begin(), members.end(), random);
            return u'{' + members.join(", "_L1) + u'}';
        };
        const auto list = [&random](int most, const std::function<QString()> &item) {
            QStringList items;
            for (int i = random.bounded(most + 1); i > 0; --i)
                items << item();
            return u'[' + items.join(", "_L1) + u']';
        };
        const auto variant = [&] {
            return object({ "id", "photo", "sous-formulaire" }, [&](const QString &key) {
                return key != "sous-formulaire" ? u'"' + key + u'"' : object({ "color", "price", "stock" }, [&](const QString &value) {
                    return value == "color" ? QStringLiteral("\"red\"") : QString::number(random.bounded(1000));
                });
            });
        };
        const auto element = [&] {
            return object({ "name", "description", "designer", "dimension", "specificite" }, [&](const QString &key) {
                if (key == "dimension")
                    return object({ "length", "height", "width", "weight" }, [](const QString &measure) { return u'"' + measure + u'"'; });
                return key == "specificite" ? list(3, variant) : u'"' + key + u'"';
            });
        };
        const QString file = list(3, [&] {
            return "{\"category\": {\"name\": \"C\", \"elements\": "_L1 + list(3, element) + "}}"_L1;
        });
        UnkeptValues unkept;
        readAsParsed(file.toUtf8(), unkept);
        if (QTest::currentTestFailed())
            return qWarning("seed %u: %s", seed, qPrintable(file));
    }
}

// Unknown keys and missing members, as Open tells of them, at every level of the file, and
// what the records take. A key written with a U+FEFF before it ("marked") reads as the
// known key to the parser's texts but to none of its lookups: its value is not kept, so it
// counts as unknown, and the real key beside it is the one read.
void TestCatalogue::unkeptKeys()
{
    tree.write("json/keys.json", bytesCell("json"));
    UnkeptValues unkept;
    QVERIFY(catalogue().load(tree.path("json/keys.json"), unkept).ok());
    // What the records took: each element's category, name, designer and length, then each
    // variant's identifier and price.
    QStringList kept;
    for (const Furniture *element : catalogue().getFurnitures()) {
        QStringList fields;
        for (const std::string *text : { &element->getCategory(), &element->getName(), &element->getDesigner(), &element->getDim().getLength() })
            fields << QString::fromStdString(*text);
        for (const Form &variant : element->getForms())
            fields << QString::fromStdString(variant.getId()) + u':' + QString::number(variant.getPrice());
        kept << fields.join(u'|');
    }
    catalogue().clear();
    QCOMPARE(kept.join(u' '), cell("kept"));
    const auto told = [&unkept](UnkeptValues::Kind kind) {
        const UnkeptValues::Finding &finding = unkept[kind];
        return QStringList(QString::number(finding.count)) + finding.examples;
    };
    QCOMPARE(told(UnkeptValues::UnknownKeys).join(u' '), cell("unknown"));
    QCOMPARE(told(UnkeptValues::MissingMembers).join(u' '), cell("missing"));
}

// Saving keeps what the file is beside its contents (owner, group, mode, links), refuses
// what a plain write would refuse, and leaves the previous bytes on any failure. Cases
// with other users save as user 1001 of group 1500, or meet files of user 1002 that are
// planted beside, which needs root. Targets "side lock ..." save on a file system without
// file locks, "name of N" names the file with N bytes. A hard link "elsewhere" lies in
// another folder.
void TestCatalogue::saveOutcomes()
{
    const QString target = cell("target"), folder = tree.path(QTest::currentDataTag());
    const int owner = cell("owner").toInt(), sizeLimit = cell("sizeLimit").toInt();
    const bool asUser = cell("asUser") == "1", planted = target.contains("planted") || target.contains("of 1002");
    if ((owner >= 0 || asUser || planted) && geteuid() != 0)
        QSKIP("needs root, to make files of other users and to save as another user");
    const bool linked = target.endsWith("symlink"), noLocks = target.startsWith("side lock"), elsewhere = target.contains("elsewhere");
    const int nameSize = target.section("name of ", 1).toInt();
    const QString base = nameSize ? QString(nameSize - 5, 'c') + ".json" : "c.json", file = folder + '/' + base,
                  real = linked ? folder + "/target.json" : file, lock = folder + "/." + base + ".kalvio-lock",
                  other = elsewhere ? folder + " elsewhere/other.json" : folder + "/other.json";
    const int previousSize = cell("previousSize").toInt();
    // Past a MB, the previous file is sparse.
    QByteArray previous = previousSize ? "[\n]" + QByteArray(previousSize - 3, previousSize >> 20 ? '\0' : ' ') : QByteArray();
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(target != "fifo" || mkfifo(path(file), 0644) == 0);
    QVERIFY(target != "folder" || QDir().mkdir(file));
    if (previousSize && target != "fifo" && target != "folder")
        tree.write(QString(QTest::currentDataTag()) + (linked ? "/target.json" : '/' + base), previous.left(1 << 20));
    QVERIFY(!target.endsWith("lock fifo") || mkfifo(path(lock), 0644) == 0);
    QVERIFY(!target.endsWith("lock symbolic") || symlink(path(base), path(lock)) == 0);
    // Another user's lock or temporary file, and the backup of a catalogue named like a temporary file.
    const QString others = noLocks ? lock : folder + "/.c.json.kalvio-save-abc123";
    if (planted && !linked) {
        QVERIFY(QFile(others).open(QIODevice::WriteOnly) && chown(path(others), 1002, 1500) == 0);
        tree.write(QString(QTest::currentDataTag()) + "/.c.json.kalvio-save-x.json.kalvio-backup", "other catalogue");
    }
    QVERIFY(!(previousSize >> 20) || QFile::resize(real, previousSize));
    QVERIFY(!elsewhere || QDir().mkdir(folder + " elsewhere"));
    QVERIFY(!target.startsWith("hardlink") || link(path(file), path(other)) == 0);
    // The backup of an interrupted save, which no later save may replace.
    const bool leftBackup = target.endsWith("left backup");
    if (leftBackup)
        tree.write(QString(QTest::currentDataTag()) + "/.c.json.kalvio-backup", "left");
    // A file read here, which another user then swaps for a link.
    if (target.startsWith("swapped")) {
        tree.write(QString(QTest::currentDataTag()) + '/' + base, "[\n]\n");
        QVERIFY(catalogue().load(file).ok() && QFile::remove(file));
    }
    QVERIFY(!linked || (symlink("target.json", path(file)) == 0 && (!planted || lchown(path(file), 1002, 1500) == 0)));
    QVERIFY(owner < 0 || (chown(path(real), owner, 1500) == 0 && chown(path(folder), asUser ? owner : 0, 1500) == 0));
    QVERIFY(chmod(path(tree.path("")), 0755) == 0 && (!previousSize || chmod(path(real), cell("mode").toInt(nullptr, 8)) == 0)
            && chmod(path(folder), cell("folderMode").toInt(nullptr, 8)) == 0);
    struct stat before {}, after {};
    QCOMPARE(lstat(path(real), &before), previousSize ? 0 : -1);

    fillCatalogue(QStringList(cell("elements").toInt(), "Category|Element|oak|001.001.001,001.001.002"));
    // Another save holds the file's lock; a negative size limit kills the save that passes it.
    const int held = target == "locked" ? open(path(file), O_WRONLY) : -1;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    QVERIFY(held < 0 || fcntl(held, F_OFD_SETLK, &whole) == 0);
    const auto save = [&] {
        const rlimit limit { rlim_t(std::abs(sizeLimit)), rlim_t(std::abs(sizeLimit)) };
        const gid_t group = 1500;
        if ((asUser && (setgroups(1, &group) != 0 || setgid(1001) != 0 || setuid(1001) != 0
                        || !qputenv("XDG_DATA_HOME", QFile::encodeName(target.endsWith("no backup place") ? folder + "/data" : tree.path("data/1001")))))
            || (sizeLimit > 0 && signal(SIGXFSZ, SIG_IGN) == SIG_ERR) || (sizeLimit && setrlimit(RLIMIT_FSIZE, &limit) != 0)
            || !freopen("/dev/null", "w", stdout) || (noLocks && !withoutFileLocks()))
            return 99;
        return int(catalogue().save(file).outcome);
    };
    // A save killed before this one, over other contents, left its backup too.
    const bool twice = target.endsWith("killed twice");
    if (twice) {
        QCOMPARE(inChild(save), -1);
        previous[1] = ' ';
        tree.write(QString(QTest::currentDataTag()) + '/' + base, previous);
    }
    const int result = inChild(save);
    close(held);
    QCOMPARE(result, outcome(cell("outcome")));
    QCOMPARE(lstat(path(real), &after), previousSize || result == FileResult::Done ? 0 : -1);
    if (previousSize)
        QCOMPARE(QList<int>({ int(after.st_uid), int(after.st_gid), int(after.st_mode), int(after.st_nlink) }),
                 QList<int>({ int(before.st_uid), int(before.st_gid), int(before.st_mode), int(before.st_nlink) }));
    if (target == "fifo" || target == "folder")
        return;
    QVERIFY(catalogue().save(tree.path("expected.json")).ok());
    QCOMPARE(readFile(file), result == FileResult::Done ? readFile(tree.path("expected.json")) : previous);
    QCOMPARE(QFileInfo(file).isSymLink(), linked);
    QCOMPARE(readFile(other), target.startsWith("hardlink") ? readFile(file) : QByteArray());
    QCOMPARE(readFile(folder + "/.c.json.kalvio-backup"), leftBackup ? "left" : twice ? previous.replace(1, 1, "\n") : QByteArray());
    // No temporary file or backup is left behind, but by a save that was killed; the next
    // save removes that.
    QVERIFY(result >= 0 || catalogue().save(file).ok());
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden).size(),
             int(QFileInfo::exists(real)) + int(target.contains("link") && !elsewhere) + int(leftBackup) + int(twice) + 2 * int(planted && !linked)
                     + int(noLocks && DiskFile::nameTaken(lock)) - int(noLocks && planted));
    // One note in the private folder says where the backups kept lie, and goes with them.
    const auto privateFiles = [] {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/backups").entryList(QDir::Files | QDir::Hidden | QDir::System);
    };
    QCOMPARE(privateFiles().size(), int(leftBackup || twice));
    // The backups kept are offered whichever name of the file is opened.
    const auto offered = [](const QString &name) {
        DiskFile::InterruptedWrite interrupted = DiskFile::interruptedWrite(name, 1 << 20);
        if (!interrupted.backup.isEmpty())
            interrupted.older.prepend(interrupted.backup);
        return interrupted.older;
    };
    QCOMPARE(offered(file).size(), int(leftBackup) + int(twice));
    if (target.startsWith("hardlink"))
        QCOMPARE(offered(other), offered(file));
    if (leftBackup || twice) {
        for (const QString &backup : QDir(folder).entryList({ ".c.json.kalvio-backup*" }, QDir::Files | QDir::Hidden))
            QVERIFY(QFile::remove(folder + '/' + backup));
        QCOMPARE(offered(other), QStringList());
    }
    QCOMPARE(privateFiles(), QStringList());
}

void TestCatalogue::newFilesAreWholeOrAbsent_data()
{
    QTest::addColumn<int>("killAfterUs");
    QTest::addRow("killed by a file-size limit while written") << -1;
    for (const int us : { 0, 300, 1000, 3000, 10000, 30000 })
        QTest::addRow("killed after %d microseconds", us) << us;
}

// A save to a new name that is killed at any moment leaves at that name either nothing or
// the whole catalogue.
void TestCatalogue::newFilesAreWholeOrAbsent()
{
    QFETCH(int, killAfterUs);
    const QString file = tree.path("new/c.json");
    QVERIFY(QDir().mkpath(tree.path("new")));
    QFile::remove(file);
    fillCatalogue(QStringList(20000, "Category|Element|oak|001.001.001,001.001.002"));
    QVERIFY(catalogue().save(tree.path("expected.json")).ok());
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit { 65536, 65536 };
        _exit(signal(SIGXFSZ, SIG_DFL) != SIG_ERR && (killAfterUs >= 0 || setrlimit(RLIMIT_FSIZE, &limit) == 0)
                      ? int(catalogue().save(file).outcome)
                      : 99);
    }
    if (killAfterUs >= 0) {
        usleep(useconds_t(killAfterUs));
        kill(child, SIGKILL);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(!QFileInfo::exists(file) || readFile(file) == readFile(tree.path("expected.json")));
    QVERIFY(killAfterUs >= 0 || !QFileInfo::exists(file));
}

// In-place saves killed again and again, each leaving the file torn: the backup offered is
// always the last contents that open, however many kills came before.
void TestCatalogue::backupsOutliveKillsInARow()
{
    const QString file = tree.path("kills/c.json");
    QVERIFY(QDir().mkpath(tree.path("kills")));
    fillCatalogue(QStringList(5, "Category|Element|oak|001.001.001"));
    QVERIFY(catalogue().save(file).ok());
    const QByteArray whole = readFile(file);
    // A second name makes saves write in place.
    QVERIFY(link(path(file), path(tree.path("kills/other.json"))) == 0);
    fillCatalogue(QStringList(200, "Category|Element|oak|001.001.001"));
    const auto killedSave = [this, &file] {
        // Past the limit as the new contents start to go in, after the backup is whole.
        const rlimit limit { 16384, 16384 };
        return signal(SIGXFSZ, SIG_DFL) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &limit) == 0
                ? int(catalogue().save(file).outcome)
                : 99;
    };
    for (int kills = 1; kills <= 2 * DiskFile::maxBackups; ++kills) {
        QCOMPARE(inChild(killedSave), -1);
        // What a kill further on leaves: a part of the new contents, another each time.
        QFile torn(file);
        QVERIFY(torn.open(QIODevice::WriteOnly | QIODevice::Truncate) && torn.write(whole.left(100 + kills)) > 0);
        torn.close();
        const DiskFile::InterruptedWrite offered = DiskFile::interruptedWrite(file, 1 << 20, &SetOfFurnitures::opens);
        QCOMPARE(readFile(offered.backup), whole);
        QCOMPARE(offered.older.size(), std::min(kills - 1, DiskFile::maxBackups - 1));
    }
    for (const QString &backup : QDir(tree.path("kills")).entryList({ ".c.json.kalvio-backup*" }, QDir::Files | QDir::Hidden))
        QVERIFY(QFile::remove(tree.path("kills/") + backup));
    QCOMPARE(DiskFile::interruptedWrite(file, 1 << 20).older, QStringList());
}

void TestCatalogue::exportsUnderAFileSizeLimit_data()
{
    QTest::addColumn<bool>("workbook");
    QTest::addColumn<int>("limit");
    QTest::addRow("CSV") << false << 8192;
    QTest::addRow("workbook, its sheet cut") << true << 8192;
    QTest::addRow("workbook, the archive cut") << true << 65536;
}

// An export that a file-size limit cuts short ends in a failure with its reason, and
// leaves nothing at its name.
void TestCatalogue::exportsUnderAFileSizeLimit()
{
    QFETCH(bool, workbook);
    QFETCH(int, limit);
    const QString file = tree.path("limited.export");
    QFile::remove(file);
    fillCatalogue(QStringList(3000, "Category|Element|oak|001.001.001,001.001.002"));
    QCOMPARE(inChild([&] {
                 const rlimit bound { rlim_t(limit), rlim_t(limit) };
                 if (signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &bound) != 0)
                     return 99;
                 if (!workbook)
                     return int(DiskFile::write(file, CsvText::write(exportedCatalogue(), CsvText::Dialect::Comma)).outcome);
                 const XlsxFile::Outcome written = XlsxFile::write(exportedCatalogue(), "limited");
                 return written.error.isEmpty() ? int(DiskFile::write(file, written.bytes).outcome) : 98;
             }),
             workbook ? 98 : int(FileResult::WriteFailed));
    QVERIFY(!QFileInfo::exists(file));
}

void TestCatalogue::theFileReadIsTheFileWritten_data()
{
    QTest::addColumn<QString>("links");
    QTest::addColumn<QString>("opened");
    QTest::addRow("'..' after a linked folder") << "alias>x/y" << "alias/../shop.json";
    QTest::addRow("an absolute target") << "shop.json>%1/x/shop.json" << "shop.json";
    QTest::addRow("a relative target in another folder") << "y/shop.json>../x/shop.json" << "y/shop.json";
    QTest::addRow("a chain: relative, absolute, relative") << "shop.json>l1.json + l1.json>%1/x/y/l2.json + x/y/l2.json>../shop.json"
                                                           << "shop.json";
    QTest::addRow("a link whose target takes '..' after a linked folder") << "alias>x/y + y/shop.json>../alias/../shop.json"
                                                                          << "y/shop.json";
}

// Links lead where the kernel takes them, ".." after a linked folder out of the folder it
// leads to: Save writes the file that Open read, x/shop.json, leaves every link a link, and
// writes no other file.
void TestCatalogue::theFileReadIsTheFileWritten()
{
    QFETCH(QString, links);
    QFETCH(QString, opened);
    const QString relative = "reached/" + QString::number(qHash(QString(QTest::currentDataTag())));
    const QString folder = tree.path(relative), reached = folder + "/x/shop.json", other = folder + "/shop.json";
    QVERIFY(QDir().mkpath(folder + "/x/y") && QDir().mkpath(folder + "/y"));
    tree.write(relative + "/x/shop.json", readFile(QFINDTESTDATA("data/chairs.json")));
    QStringList linkNames;
    for (const QString &link : links.split(" + ")) {
        linkNames << folder + '/' + link.section('>', 0, 0);
        QVERIFY(symlink(path(link.section('>', 1).replace("%1", folder)), path(linkNames.last())) == 0);
    }
    if (!linkNames.contains(other))
        tree.write(relative + "/shop.json", "[\n]\n");
    const QString through = folder + '/' + opened;
    QCOMPARE(DiskFile::reachedPath(through), reached);
    QVERIFY(catalogue().load(through).ok());
    QVERIFY(catalogue().save(through).ok() && catalogue().save(tree.path("expected.json")).ok());
    QCOMPARE(readFile(reached), readFile(tree.path("expected.json")));
    for (const QString &link : linkNames)
        QVERIFY(QFileInfo(link).isSymLink());
    if (!linkNames.contains(other))
        QCOMPARE(readFile(other), "[\n]\n");
    QVERIFY(!catalogue().changedOnDisk(reached));
}

void TestCatalogue::flushedBeforeRename()
{
    const QString log = qEnvironmentVariable("KALVIO_SHIM_LOG");
    if (log.isEmpty())
        QSKIP("run by the test flushbeforerename, which loads the shim that records the calls");
    QFile::remove(log);
    QVERIFY(QDir().mkpath(tree.path("flushed")));
    tree.write("flushed/shop.json", "[\n]\n");
    QVERIFY(catalogue().load(tree.path("flushed/shop.json")).ok());
    catalogue().addFurniture(new Furniture("C", "E", "", "", Dimension("", "", "", ""), { Form("001.001.001", "", "red", 1, 1) }));
    QVERIFY(catalogue().save(tree.path("flushed/shop.json")).ok());
    QVERIFY(catalogue().save(tree.path("flushed/new.json")).ok());
    QStringList flushed, renamedInto;
    for (const QByteArray &line : readFile(log).split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words[0] == "flush")
            flushed << QFileInfo(QFile::decodeName(words.value(1))).fileName();
        if (words[0] == "rename" && words.value(2).endsWith(".json")) {
            // The new file's name flushed before it took the catalogue's.
            QVERIFY2(flushed.contains(QFileInfo(QFile::decodeName(words.value(1))).fileName()), line.constData());
            renamedInto << QFileInfo(QFile::decodeName(words.value(2))).fileName();
        }
    }
    if (renamedInto.isEmpty())
        QSKIP("the shim did not load");
    QCOMPARE(renamedInto, QStringList({ "shop.json", "new.json" }));
}

void TestCatalogue::changesByOthersAreNoticed()
{
    const QString file = tree.path("json/shared.json"), other = tree.path("json/other.json");
    tree.write("json/shared.json", "[\n]\n");
    QVERIFY(catalogue().load(file).ok());
    QVERIFY(!catalogue().changedOnDisk(file));
    // Changed at once and to the same size: the timestamps may not have moved.
    tree.write("json/shared.json", "[ ]\n");
    QVERIFY(catalogue().changedOnDisk(file));
    QVERIFY(catalogue().save(file).ok());
    QVERIFY(!catalogue().changedOnDisk(file));
    tree.write("json/other.json", readFile(file));
    QVERIFY(QFile::remove(file) && QFile::rename(other, file));
    QVERIFY(catalogue().changedOnDisk(file));
    QVERIFY(QFile::remove(file));
    QVERIFY(!catalogue().changedOnDisk(file) && !catalogue().changedOnDisk(other));
}

// Over random catalogues and random sequences of changes, additions (duplicates included)
// and deletions, undoing every step saves the very bytes of the start, and redoing every
// step those of the end.
void TestCatalogue::undoAndRedoRestoreExactly()
{
    const auto saved = [this] { return catalogue().save(tree.path("saved.json")).ok() ? readFile(tree.path("saved.json")) : "failed"; };
    for (quint32 seed = 1; seed <= 60; ++seed) {
        QRandomGenerator random(seed);
        fillRandomCatalogue(random);
        const QByteArray start = saved();
        playRandomSteps(random, tree);
        const QByteArray end = saved();
        playCatalogue(QString("undo %1").arg(testedDocument().history().count()), tree);
        QCOMPARE(saved(), start);
        playCatalogue(QString("redo %1").arg(testedDocument().history().count()), tree);
        QCOMPARE(saved(), end);
    }
}

// Whatever lies where a catalogue's in-use notices go, it is read without following a link
// or blocking; this process's own notice comes and goes beside it, and taking a holder's
// notice away takes only a notice of this user that names that holder.
void TestCatalogue::inUseNotices()
{
    const QString file = tree.path("json/u.json"), notice = tree.path("json/.u.json.kalvio-inuse-x"), kind = cell("kind");
    if (kind == "another's" && geteuid() != 0)
        QSKIP("needs root, to make a notice of another user");
    QFile::remove(notice);
    QByteArray bytes = QByteArray::fromPercentEncoding(withThisMachine(cell("bytes")).toUtf8());
    bytes = kind == "large" ? bytes.repeated(200) : bytes;
    tree.write("json/target", bytes);
    QVERIFY(kind != "link" || QFile::link(tree.path("json/target"), notice));
    QVERIFY(kind != "fifo" || mkfifo(path(notice), 0644) == 0);
    if (kind == "file" || kind == "large" || kind == "another's")
        tree.write("json/.u.json.kalvio-inuse-x", bytes);
    QVERIFY(kind != "another's" || chown(path(notice), 65534, 65534) == 0);
    const auto state = [&] {
        const QFileInfo info(notice);
        return info.isSymLink() ? "link" : !info.exists() ? "none" : !info.isFile() ? "other" : readFile(notice) == bytes ? "as it was" : "changed";
    };
    const auto holders = [&] {
        QStringList named;
        for (const InUseHolder &holder : InUseNotice::holders(file))
            named << QStringList({ holder.user, holder.host, holder.running ? "running" : "ended" }).join(u' ');
        return named.join(", ");
    };
    QCOMPARE(holders(), withThisMachine(cell("holder")));
    {
        InUseNotice ours;
        ours.take(file);
        QCOMPARE(QDir(tree.path("json")).entryList({ ".u.json.kalvio-inuse*" }, QDir::Hidden | QDir::Files | QDir::System).size(), kind == "none" ? 1 : 2);
        QCOMPARE(holders(), withThisMachine(cell("holder")));
        QCOMPARE(state(), kind == "link" ? "link" : kind == "fifo" ? "other" : kind == "none" ? "none" : "as it was");
    }
    QCOMPARE(QDir(tree.path("json")).entryList({ ".u.json.kalvio-inuse*" }, QDir::Hidden | QDir::Files | QDir::System).size(), kind == "none" ? 0 : 1);
    for (const InUseHolder &holder : InUseNotice::holders(file))
        InUseNotice::remove(holder);
    QCOMPARE(state(), cell("after"));
    QCOMPARE(readFile(tree.path("json/target")), bytes);
}

// Over random catalogues and random changes, merging with a side that did not change gives
// the other side, byte for byte.
void TestCatalogue::mergeWithAnUnchangedSideGivesTheOther()
{
    const QString file = tree.path("json/m.json");
    for (quint32 seed = 1; seed <= 60; ++seed) {
        QRandomGenerator random(seed);
        fillRandomCatalogue(random);
        QVERIFY(catalogue().save(file).ok());
        testedDocument().clear();
        QVERIFY(testedDocument().open(file, file).result.ok());
        playRandomSteps(random, tree);
        QVERIFY(catalogue().save(tree.path("ours.json")).ok());
        const QByteArray ours = readFile(tree.path("ours.json"));
        QCOMPARE(mergedWithFile(tree), ours);
        // Now ours is unchanged and theirs holds the changes.
        playCatalogue(QString("undo %1").arg(testedDocument().history().count()), tree);
        tree.write("json/m.json", ours);
        QCOMPARE(mergedWithFile(tree), ours);
    }
}

// search.json holds texts with accents, capitals and a ligature; each query must find
// exactly the variants of its row, in catalogue order.
void TestCatalogue::search()
{
    QVERIFY(catalogue().load(QFINDTESTDATA("data/search.json")).ok());
    QStringList found;
    for (const ShownElement &shown : CatalogueSearch(catalogue()).find(cell("query")))
        for (std::size_t place : shown.variants)
            found << QString::fromStdString(shown.element->getForms()[place].getId());
    QCOMPARE(found.join(u' '), cell("found"));
}

// The reader's records, "LINE:field|field" or "LINE!PROBLEM", and what an import of the
// same text would do to the two chairs.
void TestCatalogue::csvReading()
{
    const QByteArray bytes = bytesCell("text");
    const QByteArrayView text = CsvReader::withoutByteOrderMark(bytes);
    CsvReader reader(text, CsvReader::separatorOf(text));
    CsvReader::Record record;
    QByteArrayList records;
    while (reader.next(record)) {
        QByteArrayList fields;
        for (const std::string &field : record.fields)
            fields << QByteArray::fromStdString(field);
        records << QByteArray::number(record.line) + (record.problem ? '!' + QByteArray::number(record.problem) : ':' + fields.join('|'));
    }
    QCOMPARE(records.join(" / "), bytesCell("records"));
    QVERIFY(catalogue().load(QFINDTESTDATA("data/chairs.json")).ok());
    QCOMPARE(described(previewOf(bytes)).join(" ; ").toUtf8(), bytesCell("preview"));
}

void TestCatalogue::goldenExportImportsUnchanged_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<QString>("golden");
    QTest::addColumn<bool>("byteOrderMark");
    QTest::newRow("commas") << int(CsvText::Dialect::Comma) << "golden.csv" << false;
    QTest::newRow("semicolons") << int(CsvText::Dialect::SemicolonDecimalComma) << "golden.semicolons.csv" << false;
    QTest::newRow("commas after a byte-order mark") << int(CsvText::Dialect::Comma) << "golden.csv" << true;
    QTest::newRow("semicolons after a byte-order mark") << int(CsvText::Dialect::SemicolonDecimalComma) << "golden.semicolons.csv" << true;
}

// The golden catalogue exports to the golden CSV, in identifier order; imported back, it
// changes nothing: not a price nor a stock, not even those beyond what may be typed. Only
// the variants without an identifier are rows that cannot be read.
void TestCatalogue::goldenExportImportsUnchanged()
{
    QFETCH(int, dialect);
    QFETCH(QString, golden);
    QFETCH(bool, byteOrderMark);
    QVERIFY(catalogue().load(QFINDTESTDATA("data/golden.json")).ok());
    const QByteArray csv = CsvText::write(exportedCatalogue(), CsvText::Dialect(dialect), byteOrderMark);
    QCOMPARE(csv, (byteOrderMark ? "\xEF\xBB\xBF" : "") + readFile(QFINDTESTDATA("data/" + golden)));
    QCOMPARE(described(previewOf(csv)).join(" ; "), "prices 0 stocks 0 ; shared 001.001.001 4 ; unread 2 NoIdentifier");
}

// A supplier's file in the French form against the golden catalogue.
void TestCatalogue::supplierFilePreview()
{
    QVERIFY(catalogue().load(QFINDTESTDATA("data/golden.json")).ok());
    const QString preview = described(previewOf(readFile(QFINDTESTDATA("data/supplier.csv")))).join(u'\n') + u'\n';
    QCOMPARE(preview, QString::fromUtf8(readFile(QFINDTESTDATA("data/supplier.preview.txt"))));
}

// The first sheet of a workbook as a real reader (Debian's python3-openpyxl) sees it, a row
// a line, after a line of the sheet's name, frozen panes, filter and formats.
QByteArray workbookRows(const QString &path)
{
    QProcess reader;
    reader.start("/usr/bin/python3", { "-c", "import openpyxl, sys\n"
                                    "sheet = openpyxl.load_workbook(sys.argv[1]).active\n"
                                    "print(sheet.title, sheet.freeze_panes, sheet.auto_filter.ref, sheet['A1'].font.b, sheet['K2'].number_format)\n"
                                    "for row in sheet.iter_rows(values_only=True): print(repr(row))\n",
                              path });
    if (!reader.waitForFinished(30000) || !reader.readAllStandardError().isEmpty())
        return "unread";
    return reader.readAllStandardOutput();
}

// The chairs as every reader of an export should see them.
const QByteArray chairRows =
        "('Identifier', 'Category', 'Name', 'Description', 'Designer', 'Length', 'Height', 'Width', 'Weight', 'Colour', 'Price', 'Stock', 'Photo')\n"
        "('001.001.001', 'Chairs', 'Alba', 'Stacking chair', 'Studio', 45, 80, 50, 4.5, 'white', 59.9, 12, 'alba_white.png')\n"
        "('001.002.001', 'Chairs', 'Brisa', 'Armchair', 'Studio', 70, 85, 75, 11, 'grey', 240, 3, 'brisa_grey.png')\n";

// The workbook as a real reader sees it: the sheet, the frozen bold header with its filter,
// text cells for texts and identifiers, numbers for measures, prices and stocks, prices with
// two decimals.
void TestCatalogue::spreadsheetReadsBack()
{
    QVERIFY(catalogue().load(QFINDTESTDATA("data/chairs.json")).ok());
    const XlsxFile::Outcome workbook = XlsxFile::write(exportedCatalogue(), "chairs: [spring]");
    QCOMPARE(workbook.error, QString());
    tree.write("chairs.xlsx", workbook.bytes);
    QCOMPARE(workbookRows(tree.path("chairs.xlsx")), "chairs spring A2 A1:M3 True 0.00\n" + chairRows);
}

void TestCatalogue::csvOpensInLibreOffice_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<bool>("byteOrderMark");
    // LibreOffice's CSV filter options: separator, quote, character set, first line, column
    // kinds, and the language that reads numbers.
    QTest::addColumn<QString>("options");
    QTest::newRow("commas after a byte-order mark, in English") << int(CsvText::Dialect::Comma) << true << "44,34,MS_1252,1,,1033";
    QTest::newRow("semicolons after a byte-order mark, in French") << int(CsvText::Dialect::SemicolonDecimalComma) << true << "59,34,MS_1252,1,,1036";
    QTest::newRow("plain commas, read as UTF-8") << int(CsvText::Dialect::Comma) << false << "44,34,UTF8,1,,1033";
}

// Each form of the CSV export, as LibreOffice's own CSV filter reads it where it is
// installed: the same cells as the workbook's, numbers as numbers and identifiers as texts.
void TestCatalogue::csvOpensInLibreOffice()
{
    QFETCH(int, dialect);
    QFETCH(bool, byteOrderMark);
    QFETCH(QString, options);
    const QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty())
        QSKIP("LibreOffice is not installed");
    QVERIFY(catalogue().load(QFINDTESTDATA("data/chairs.json")).ok());
    tree.write("chairs.csv", CsvText::write(exportedCatalogue(), CsvText::Dialect(dialect), byteOrderMark));
    QProcess converter;
    converter.start(office, { "--headless", "-env:UserInstallation=" + QUrl::fromLocalFile(tree.path("office")).toString(),
                              "--infilter=Text - txt - csv (StarCalc):" + options,
                              "--convert-to", "xlsx:Calc MS Excel 2007 XML", "--outdir", tree.path("read"),
                              tree.path("chairs.csv") });
    QVERIFY(converter.waitForFinished(90000) && converter.exitCode() == 0);
    const QByteArray rows = workbookRows(tree.path("read/chairs.xlsx"));
    QCOMPARE(rows.mid(rows.indexOf('\n') + 1), chairRows);
}

void TestCatalogue::simultaneousSavesTakeTurns_data()
{
    QTest::addColumn<bool>("inPlace");
    QTest::newRow("replaced by rename") << false;
    QTest::newRow("written in place") << true;
}

// Two programs that opened the same file save different catalogues at the same moment:
// one writes, the other finds the file changed and writes nothing.
void TestCatalogue::simultaneousSavesTakeTurns()
{
    QFETCH(bool, inPlace);
    const QString file = tree.path("json/race.json");
    tree.write("json/race.json", "[\n]\n");
    QVERIFY(!inPlace || link(path(file), path(file + ".link")) == 0);
    QVERIFY(catalogue().load(file).ok());
    int start[2];
    QVERIFY(pipe(start) == 0);
    QList<pid_t> children;
    for (const QString &name : { "first", "second" }) {
        fillCatalogue(QStringList(2000, name + "|e|c|1.1.1"));
        if (const pid_t child = fork(); child == 0) {
            char go = 0;
            _exit(read(start[0], &go, 1) == 1 ? int(catalogue().saveUnlessChanged(file).outcome) : 99);
        } else {
            children << child;
        }
    }
    QVERIFY(write(start[1], "go", 2) == 2);
    QList<int> outcomes;
    for (const pid_t child : children) {
        int status = 0;
        outcomes << (waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    std::sort(outcomes.begin(), outcomes.end());
    QCOMPARE(outcomes, QList<int>({ FileResult::Done, FileResult::ChangedOnDisk }));
    QVERIFY(catalogue().load(file).ok());
    QCOMPARE(catalogue().getFurnitures().size(), size_t(2000 + 2000));
}

// Two programs that opened the same file each change another variant and save at the same
// moment: the one that finds the file changed merges, and the file holds both changes.
void TestCatalogue::simultaneousChangesAreMerged()
{
    const QString file = tree.path("json/both.json");
    tree.write("json/both.json", readFile(QFINDTESTDATA("data/merge.base.json")));
    QVERIFY(testedDocument().open(file, file).result.ok());
    // A forked child has none of the parent's other threads to wait for.
    testedDocument().finishKeepingBase();
    int start[2];
    QVERIFY(pipe(start) == 0);
    QList<pid_t> children;
    for (const char *change : { "change 1 0 Chairs|Brisa|Armchair|70|85|75|11|Studio|g.png|grey|240|8",
                                "change 2 0 Tables|Tavola|Table|180|75|90|40|Atelier|o.png|oak|510|2" }) {
        playCatalogue(change, tree);
        if (const pid_t child = fork(); child == 0) {
            char go = 0;
            FileResult::Outcome outcome = read(start[0], &go, 1) == 1 ? testedDocument().save().outcome : FileResult::CannotOpen;
            for (int merges = 0; outcome == FileResult::ChangedOnDisk && merges < 5; ++merges) {
                const std::unique_ptr<FileMerge> merge = testedDocument().mergeWithFile();
                if (merge->merge)
                    testedDocument().replaceWithMerge(merge->merge->result().elements, "merge");
                outcome = merge->merge ? testedDocument().saveUnlessChangedSince(*merge).outcome : merge->read.outcome;
            }
            _exit(int(outcome));
        } else {
            children << child;
        }
        playCatalogue("undo 1", tree);
    }
    QVERIFY(write(start[1], "go", 2) == 2);
    for (const pid_t child : children) {
        int status = 0;
        QVERIFY(waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == FileResult::Done);
    }
    testedDocument().clear();
    QVERIFY(catalogue().load(file).ok());
    QCOMPARE(catalogueDump().count("001.002.001 g.png grey 240 8\n"), 1);
    QCOMPARE(catalogueDump().count("002.001.001 o.png oak 510 2\n"), 1);
}

void TestCatalogue::newFurnitureNames_data()
{
    QTest::addColumn<QStringList>("elements");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("asked");
    const QStringList koivu { "Chairs|Koivu|red|1.1.1" };
    QTest::addRow("the catalogue's own spellings ask nothing") << koivu << QStringList { "Chairs", "Koivu", "red" } << "|";
    QTest::addRow("case, accents and spaces ask") << koivu << QStringList { " chäirs ", "KOIVU\t", "red" } << "Chairs|Koivu";
    QTest::addRow("a name is compared within its category only")
            << koivu + QStringList { "Tables|Tammi|red|2.1.1" } << QStringList { "Chairs", "tammi", "red" } << "|";
    QTest::addRow("no question where one element has the spelling typed")
            << QStringList { "chairs|KOIVU|red|1.1.1", "Chairs|Koivu|red|1.2.1" } << QStringList { "Chairs", "Koivu", "blue" } << "|";
    QTest::addRow("the first of two near spellings") << QStringList { "Chairs|KOIVU|red|1.1.1", "Chairs|koivu|red|1.2.1" }
                                                     << QStringList { "chairs", "Koivú", "blue" } << "Chairs|KOIVU";
    QTest::addRow("empty fields, in the order of the form") << koivu << QStringList { " ", "Koivu", "\t" } << "empty Category Color";
    QTest::addRow("an empty name") << koivu << QStringList { "Chairs", " ", "red" } << "empty Name";
}

// What the editor asks of new furniture's names: which fields are empty, or the catalogue's
// spellings of the category and then (in the category as the user takes it) of the name,
// where they differ from what was typed only by case, accents or surrounding spaces.
void TestCatalogue::newFurnitureNames()
{
    QFETCH(QStringList, elements);
    QFETCH(QStringList, typed);
    fillCatalogue(elements);
    const NewFurnitureNames names { typed[0].toStdString(), typed[1].toStdString(), typed[2].toStdString() };
    QString asked;
    if (const std::vector<NewFurnitureNames::Field> empty = CatalogueOperations::emptyFields(names); !empty.empty()) {
        asked = "empty";
        for (NewFurnitureNames::Field field : empty)
            asked += QStringList({ " Category", " Name", " Color" })[field];
    } else {
        const NewFurnitureNames kept = CatalogueOperations::trimmed(names);
        const std::optional<std::string> category = CatalogueOperations::similarCategory(catalogue(), kept.category);
        const std::optional<std::string> name = CatalogueOperations::similarName(catalogue(), category.value_or(kept.category), kept.name);
        asked = QString::fromStdString(category.value_or("") + '|' + name.value_or(""));
    }
    QTEST(asked, "asked");
}

// The photos offered for copying beside a copy of the catalogue: each once, in catalogue
// order, and no empty name.
void TestCatalogue::photoNamesOffered()
{
    const Dimension none("", "", "", "");
    catalogue().addFurniture(new Furniture("C", "a", "", "", none, { Form("1", "b.png", "red", 1, 1), Form("2", "", "blue", 1, 1) }));
    catalogue().addFurniture(new Furniture("C", "b", "", "", none, { Form("3", "a.png", "red", 1, 1), Form("4", "b.png", "red", 1, 1) }));
    QCOMPARE(CatalogueOperations::photoNames(catalogue()), std::vector<std::string>({ "b.png", "a.png" }));
}

void TestCatalogue::valueChanges_data()
{
    QTest::addColumn<bool>("prices");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("changed");
    QTest::addRow("a price set where it stands is no change") << true << int(PriceChange::Set) << 9.99 << "0>9.99 2>9.99 3>9.99";
    QTest::addRow("raised by 0 %: nothing") << true << int(PriceChange::Raise) << 0.0 << "";
    QTest::addRow("raised by 5 %, rounded to the cent") << true << int(PriceChange::Raise) << 5.0 << "1>10.49 2>1.05 3>62.9";
    QTest::addRow("lowered by 100 %: 0 stays 0") << true << int(PriceChange::Lower) << 100.0 << "1>0 2>0 3>0";
    QTest::addRow("raised past what a number holds") << true << int(PriceChange::Raise) << 100.0 << "refused below 0 above 1";
    QTest::addRow("a stock set where it stands is no change") << false << int(StockChange::Set) << 12.0 << "0>12 1>12 2>12";
    QTest::addRow("0 added: nothing") << false << int(StockChange::Add) << 0.0 << "";
    QTest::addRow("taken below 0") << false << int(StockChange::TakeAway) << 1.0 << "refused below 1 above 0";
    QTest::addRow("added past the most a file keeps") << false << int(StockChange::Add) << 1.0 << "refused below 0 above 1";
}

// A change of prices or stocks over variants of prices 0, 9.99, 1 and 59.9 and stocks 0,
// 1, 2147483647 and 12 (1e308 in place of 1 for a raise by 100 %): the variants it changes
// "PLACE>NEW", or how many it would take below 0 and above the most there may be.
void TestCatalogue::valueChanges()
{
    QFETCH(bool, prices);
    QFETCH(int, kind);
    QFETCH(double, amount);
    const double big = kind == PriceChange::Raise && amount == 100 ? 1e308 : 1;
    catalogue().addFurniture(new Furniture("C", "n", "", "", Dimension("", "", "", ""),
                                         { Form("1", "", "", 0, 0), Form("2", "", "", 9.99, 1), Form("3", "", "", big, CatalogueOperations::maxStock),
                                           Form("4", "", "", 59.9, 12) }));
    const std::vector<VariantPlace> places { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 0, 3 }, { 1, 0 }, { 0, 4 } };
    const ChangedValues changed = prices ? CatalogueOperations::changedPrices(catalogue(), places, { PriceChange::Kind(kind), amount })
                                         : CatalogueOperations::changedStocks(catalogue(), places, { StockChange::Kind(kind), unsigned(amount) });
    QStringList shown;
    for (const VariantValues &entry : changed.values)
        shown << QString("%1>%2").arg(entry.place.variant).arg(prices ? entry.price : double(entry.stock));
    QTEST(changed.refused() ? QString("refused below %1 above %2").arg(changed.belowZero).arg(changed.aboveLimit) : shown.join(u' '), "changed");
}

// One reader of typed, pasted and imported numbers: what it reads, or why it refuses.
void TestCatalogue::typedValues()
{
    const TypedValue::Reading reading = TypedValue::read(QString::fromUtf8(bytesCell("text")),
                                                         cell("kind") == "price" ? TypedValue::Price : TypedValue::Stock,
                                                         cell("mark").front());
    const QStringList outcomes { "Read", "Empty", "NotANumber", "Negative", "TooManyDecimals", "NotWhole", "TooLarge" };
    QCOMPARE(reading.read() ? QString::number(reading.value, 'g', 12) : outcomes.at(reading.outcome), cell("read"));
}

void TestCatalogue::importEdges_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("mapping");
    QTest::addColumn<QString>("preview");
    QTest::addColumn<QString>("applied");
    QTest::addRow("French headers, a grouped price with its currency") << QByteArray("Ref;Prix HT;Qt\xC3\xA9\r\n001.001.001;1 049,00 \xE2\x82\xAC;7\r\n") << ""
                                                             << "prices 1 stocks 1 ; change 001.001.001 59.9>1049 12>7" << "1049 7 240 3";
    QTest::addRow("English headers in capitals") << QByteArray("SKU,PRICE,QTY\r\n001.002.001,\"$1,049.50\",4\r\n") << ""
                                                 << "prices 1 stocks 1 ; change 001.002.001 240>1049.5 3>4" << "59.9 12 1049.5 4";
    QTest::addRow("headers with and without accents") << QByteArray("R\xC3\xA9""f\xC3\xA9rence;prix ttc;quantite\r\n001.001.001;1.049,5;3\r\n") << ""
                                                      << "prices 1 stocks 1 ; change 001.001.001 59.9>1049.5 12>3" << "1049.5 3 240 3";
    QTest::addRow("the other names") << QByteArray("Code,Tarif,Quantit\xC3\xA9\r\n001.001.001,EUR 60,2\r\nreference,x,1\r\n") << ""
                                     << "prices 1 stocks 1 ; change 001.001.001 59.9>60 12>2 ; unread 3 UnknownIdentifier reference"
                                     << "60 2 240 3";
    QTest::addRow("unknown headers, not mapped") << QByteArray("Article;Montant\r\n001.001.001;1\r\n") << ""
                                                 << "NoIdentifierColumn" << "59.9 12 240 3";
    QTest::addRow("unknown headers mapped by hand, over a known one") << QByteArray("Article;Prix;Montant;Qt\xC3\xA9\r\n001.001.001;1;2;5\r\n")
                                                                      << "I-PS" << "prices 1 stocks 1 asked ; change 001.001.001 59.9>2 12>5"
                                                                      << "2 5 240 3";
    QTest::addRow("each refusal with its line") << QByteArray("id;price;stock\r\n001.001.001;x;1\r\n001.001.001;12,345;1\r\n"
                                                              "001.001.001;-3;1\r\n001.001.001;100 000 000;1\r\n001.001.001;;2,5\r\n"
                                                              "404;1;1\r\n;1;1\r\n001.001.001;12,3456;1\r\n001.002.001;1.049,00 \xE2\x82\xAC;2\r\n")
                                                << "" << "prices 1 stocks 1 ; change 001.002.001 240>1049 3>2 ; unread 2 RefusedPrice x NotANumber ; "
                                                         "unread 3 RefusedPrice 12,345 TooManyDecimals3 ; unread 4 RefusedPrice -3 Negative ; "
                                                         "unread 5 RefusedPrice 100 000 000 TooLarge ; unread 6 RefusedStock 2,5 NotWhole ; "
                                                         "unread 7 UnknownIdentifier 404 ; unread 8 NoIdentifier ; "
                                                         "unread 9 RefusedPrice 12,3456 TooManyDecimals4"
                                                << "59.9 12 1049 2";
    QTest::addRow("spaces and tabs around values") << QByteArray("id;price;stock\r\n 001.001.001\t; 62,5 ;\t7 \r\n") << ""
                                                   << "prices 1 stocks 1 ; change 001.001.001 59.9>62.5 12>7" << "62.5 7 240 3";
    QTest::addRow("a stock alone") << QByteArray("id,stock\r\n001.002.001,0\r\n") << "" << "prices 0 stocks 1 ; change 001.002.001 240>240 3>0"
                                   << "59.9 12 240 0";
    QTest::addRow("an unknown identifier on several rows") << QByteArray("id,price\r\nx,1\r\n001.001.001,1\r\nx,2\r\ny,3\r\n") << ""
                                                           << "prices 1 stocks 0 ; change 001.001.001 59.9>1 12>12 ; unread 2 UnknownIdentifier x ; "
                                                              "unread 4 UnknownIdentifier x ; unread 5 UnknownIdentifier y"
                                                           << "1 12 240 3";
    // Past 64 KiB the text is checked a piece at a time: a character across two pieces is
    // still UTF-8.
    QByteArray large = "id,price,note\r\n001.002.001,250,";
    large += QByteArray((1 << 16) - 1 - large.size(), 'a') + "\xC3\xA9\r\n";
    QTest::addRow("a character across 64 KiB") << large << "" << "prices 1 stocks 0 asked ; change 001.002.001 240>250 3>3" << "59.9 12 250 3";
}

// Imports into the two chairs (59.9 and 12, 240 and 3): what the preview tells, and the
// prices and stocks once it is applied as one step of the history.
void TestCatalogue::importEdges()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, mapping);
    QVERIFY(catalogue().load(QFINDTESTDATA("data/chairs.json")).ok());
    const ImportPreview read = previewOf(bytes, mapping);
    QFETCH(QString, preview);
    QCOMPARE(described(read), preview.split(" ; "));
    testedDocument().push(new ValuesCommand(catalogue(), read.newValues(), "import"));
    QStringList values;
    for (const Furniture *element : catalogue().getFurnitures())
        for (const Form &form : element->getForms())
            values << QString::number(form.getPrice()) << QString::number(form.getStock());
    QTEST(values.join(u' '), "applied");
}

void TestCatalogue::importBounds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("preview");
    // Within 8 MiB a field may be as long as a catalogue text opened within it, 1 MiB; the
    // file with its fields copied takes three times its size, and the chairs and the lists
    // about 1 MiB more; the fields of a record take 96 bytes each of what is left.
    constexpr qsizetype longest = 1 << 20;
    const QByteArray chair = "id,price\r\n001.001.001,62\r\n";
    const QString changed = "prices 1 stocks 0 ; change 001.001.001 59.9>62 12>12 ; ";
    const QString cut = QString(ImportPreview::keptTextSize, u'y') + u'\u2026';
    QTest::addRow("a field as long as a catalogue text") << chair + QByteArray(longest, 'y') + ",1\r\n"
                                                         << changed + "unread 3 UnknownIdentifier " + cut;
    QTest::addRow("a byte longer") << chair + QByteArray(longest + 1, 'y') + ",1\r\n" << "FieldTooLong 3";
    QTest::addRow("quoted, a doubled quote counted once") << chair + "001.002.001,\"" + QByteArray(longest - 1, 'y') + "\"\"\"\r\n"
                                                          << changed + "unread 3 RefusedPrice " + cut + " NotANumber";
    QTest::addRow("a price of 2,000 digits") << chair + "001.002.001," + QByteArray(2000, '0') + "1\r\n"
                                             << changed + "unread 3 RefusedPrice " + QString(ImportPreview::keptTextSize, u'0') + u'\u2026' + " NotANumber";
    QTest::addRow("quoted over lines, named by the first") << chair + "1,\"" + QByteArray("y\n").repeated(longest / 2) + "y\"\r\n"
                                                           << "FieldTooLong 3";
    QTest::addRow("two megabytes") << chair + QByteArray(2 << 20, '\n') << changed.chopped(3);
    QTest::addRow("three megabytes") << chair + QByteArray(3 << 20, '\n') << "TooMuchContent";
    QTest::addRow("a record of 50,000 fields") << chair + QByteArray(50'000, ',') << changed + "unread 3 NoIdentifier";
    QTest::addRow("a record of 100,000 fields") << chair + QByteArray(100'000, ',') << "TooMuchContent";
    // The rows that change nothing take 112 bytes each, and more for a text past 15 bytes,
    // out of a sixteenth of the bound.
    QByteArray rows = "id,price\r\n";
    QStringList listed { "prices 0 stocks 0" };
    for (int i = 0; i < 4600; ++i) {
        rows += "u" + QByteArray::number(i) + ",1\r\n";
        listed << QString("unread %1 UnknownIdentifier u%2").arg(i + 2).arg(i);
    }
    rows += "1234567890123456,1\r\n" + QByteArray(",1\r\n").repeated(100);
    listed << "unread 4602 UnknownIdentifier 1234567890123456";
    for (int line = 4603; line < 4603 + 79; ++line)
        listed << QString("unread %1 NoIdentifier").arg(line);
    QTest::addRow("as many listed as the bound takes") << rows << (listed << "unread more 21").join(" ; ");
}

// Files read into the two chairs within a memory bound of 8 MiB.
void TestCatalogue::importBounds()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(catalogue().load(QFINDTESTDATA("data/chairs.json")).ok());
    tree.write("bounds.csv", bytes);
    QFETCH(QString, preview);
    QCOMPARE(described(PriceImport::read(tree.path("bounds.csv"), catalogue(), { { "id" }, { "price" }, {} }, 8 << 20)),
             preview.split(" ; "));
}

void TestCatalogue::eachFieldMerges_data()
{
    QTest::addColumn<QString>("theirs");
    QTest::addColumn<QString>("ours");
    // Alba's variant 001.001.001 with one field changed, in the order the editor's steps take
    // them; the other side changes the table's stock.
    const QStringList alba = QString("Chairs|Alba|Stacking chair|45|80|50|4.5|Studio|a.png|white|60|12").split(u'|');
    const QStringList changed { "Seats", "Alba II", "Stool", "46", "81", "51", "5", "Nord", "a2.png", "ivory", "61", "13" };
    const QStringList names { "category", "name", "description", "length", "height", "width", "weight", "designer", "photo", "colour", "price", "stock" };
    const QString table = "change 2 0 Tables|Tavola|Table|180|75|90|40|Atelier|o.png|oak|500|9";
    for (qsizetype field = 0; field < changed.size(); ++field) {
        QStringList fields = alba;
        fields[field] = changed[field];
        const QString change = "change 0 0 " + fields.join(u'|');
        QTest::addRow("%s, theirs", qPrintable(names[field])) << change << table;
        QTest::addRow("%s, ours", qPrintable(names[field])) << table << change;
    }
}

// One field of a variant or of its element changed on one side, another variant on the
// other: the merge holds both changes, as if made one after the other.
void TestCatalogue::eachFieldMerges()
{
    QFETCH(QString, theirs);
    QFETCH(QString, ours);
    const QString file = tree.path("json/f.json");
    tree.write("json/f.json", readFile(QFINDTESTDATA("data/merge.base.json")));
    QVERIFY(testedDocument().open(file, file).result.ok());
    playCatalogue(theirs + " ; " + ours, tree);
    QVERIFY(catalogue().save(tree.path("both.json")).ok());
    playCatalogue("undo 2 ; " + theirs, tree);
    QVERIFY(catalogue().save(tree.path("theirs.json")).ok());
    playCatalogue("undo 1 ; " + ours, tree);
    tree.write("json/f.json", readFile(tree.path("theirs.json")));
    QCOMPARE(mergedWithFile(tree), readFile(tree.path("both.json")));
}

void TestCatalogue::exportedMeasures_data()
{
    QTest::addColumn<QString>("measure");
    QTest::addColumn<bool>("number");
    QTest::addRow("whole") << "45" << true;
    QTest::addRow("decimal") << "4.5" << true;
    QTest::addRow("zero") << "0" << true;
    QTest::addRow("below 1") << "0.75" << true;
    QTest::addRow("15 digits") << "123456789012345" << true;
    QTest::addRow("16 digits, more than a spreadsheet keeps") << "1234567890123456" << false;
    QTest::addRow("a leading zero") << "045" << false;
    QTest::addRow("a point without decimals") << "45." << false;
    QTest::addRow("decimals without digits before") << ".5" << false;
    QTest::addRow("a decimal comma") << "4,5" << false;
    QTest::addRow("a unit") << "45 cm" << false;
    QTest::addRow("empty") << "" << false;
}

// A measure is exported as a number a spreadsheet can sum only where the number keeps
// what the text says, read so under a C locale whose decimal mark is a comma, as the
// toolkit sets it from a French system.
void TestCatalogue::exportedMeasures()
{
    QFETCH(QString, measure);
    QFETCH(bool, number);
    const QString locales = tree.path("locales");
    if (!QFileInfo::exists(locales + "/fr_FR.UTF-8/LC_NUMERIC")) {
        QVERIFY(QDir().mkpath(locales));
        QProcess::execute("localedef", { "-c", "-i", "fr_FR", "-f", "UTF-8", locales + "/fr_FR.UTF-8" });
    }
    qputenv("LOCPATH", QFile::encodeName(locales));
    const QByteArray kept = setlocale(LC_NUMERIC, nullptr);
    const auto restore = qScopeGuard([&kept] {
        setlocale(LC_NUMERIC, kept.constData());
        qunsetenv("LOCPATH");
    });
    QVERIFY(setlocale(LC_NUMERIC, "fr_FR.UTF-8"));
    const Furniture element("C", "n", "", "", Dimension("1", "2", "3", measure.toStdString()), { Form("1", "", "", 0, 0) });
    TableCell cells[CatalogueTable::ColumnCount];
    CatalogueTable({ { &element, &element.getForms().front() } }, {}).row(0, cells);
    QCOMPARE(cells[CatalogueTable::Weight].kind == TableCell::Number, number);
    QCOMPARE(*cells[CatalogueTable::Weight].text, measure.toStdString());
    QCOMPARE(cells[CatalogueTable::Weight].number, number ? measure.toDouble() : 0);
}

void TestCatalogue::exportOrder_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addRow("numbers of more digits after") << "1.9" << "1.10";
    QTest::addRow("leading zeros do not count") << "001.009" << "1.10";
    QTest::addRow("equal numbers, by their texts") << "001.002" << "1.2";
    QTest::addRow("fewer groups first") << "1.1" << "1.1.1";
    QTest::addRow("digits before letters") << "1.9" << "1.a";
    QTest::addRow("letters before accented letters") << "z.1" << "\u00e9.1";
}

// The exports list identifiers in their natural order: each pair is in order, whichever
// comes first in the catalogue.
void TestCatalogue::exportOrder()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    for (const QStringList &ids : { QStringList { second, first }, QStringList { first, second } }) {
        fillCatalogue({ "C|n|red|" + ids.join(u',') });
        QStringList exported;
        for (const ExportedVariant &variant : inIdentifierOrder(wholeCatalogue(catalogue())))
            exported << QString::fromStdString(variant.variant->getId());
        QCOMPARE(exported, QStringList({ first, second }));
    }
}

namespace {

// A table of a header and one text cell.
class OneText : public ExportTable
{
public:
    explicit OneText(std::string text) : text(std::move(text)) {}
    std::size_t columnCount() const override { return 1; }
    std::size_t rowCount() const override { return 1; }
    QString header(std::size_t) const override { return "h"; }
    void row(std::size_t, TableCell *cells) const override { cells[0] = { TableCell::Text, &text, 0 }; }

private:
    const std::string text;
};

} // namespace

void TestCatalogue::csvFields_data()
{
    QTest::addColumn<bool>("semicolons");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("field");
    QTest::addRow("plain") << false << QByteArray("Alba") << QByteArray("Alba");
    QTest::addRow("a comma") << false << QByteArray("Alba, white") << QByteArray("\"Alba, white\"");
    QTest::addRow("a comma among semicolons") << true << QByteArray("Alba, white") << QByteArray("Alba, white");
    QTest::addRow("a semicolon among semicolons") << true << QByteArray("a;b") << QByteArray("\"a;b\"");
    QTest::addRow("a semicolon among commas") << false << QByteArray("a;b") << QByteArray("a;b");
    QTest::addRow("quotes") << false << QByteArray("say \"hi\"") << QByteArray("\"say \"\"hi\"\"\"");
    QTest::addRow("a line break") << true << QByteArray("two\nlines") << QByteArray("\"two\nlines\"");
    QTest::addRow("a formula") << false << QByteArray("=1+2") << QByteArray("'=1+2");
    QTest::addRow("a protected formula") << false << QByteArray("'-1") << QByteArray("''-1");
    QTest::addRow("a formula with a comma") << false << QByteArray("@a,b") << QByteArray("\"'@a,b\"");
    QTest::addRow("an apostrophe alone") << false << QByteArray("'") << QByteArray("'");
}

// How a text is written in a CSV field, and that the reader gives it back.
void TestCatalogue::csvFields()
{
    QFETCH(bool, semicolons);
    QFETCH(QByteArray, text);
    const QByteArray csv = CsvText::write(OneText(text.toStdString()), semicolons ? CsvText::Dialect::SemicolonDecimalComma : CsvText::Dialect::Comma);
    QTEST(csv.sliced(3).chopped(2), "field");
    CsvReader reader(csv, semicolons ? ';' : ',');
    CsvReader::Record record;
    QVERIFY(reader.next(record) && reader.next(record));
    QCOMPARE(record.fields, std::vector<std::string>({ text.toStdString() }));
}

void TestCatalogue::csvSeparator_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("separator");
    QTest::addRow("commas") << QByteArray("id,price\r\n1,2") << ",";
    QTest::addRow("semicolons") << QByteArray("id;price\r\n1;2") << ";";
    QTest::addRow("as many of each: commas") << QByteArray("id;price,stock") << ",";
    QTest::addRow("the first line only") << QByteArray("id;price;stock\r\n1,\"a,b\",c,d,e,f\r\n") << ";";
    QTest::addRow("a lone CR ends the first line") << QByteArray("id;price\r1,2,3,4") << ";";
    QTest::addRow("not inside quotes") << QByteArray("\"a;b;c\",id,price") << ",";
    QTest::addRow("a line break inside quotes") << QByteArray("\"a\nb\";id;price") << ";";
}

// Which separator an import reads: that of which the header line holds more.
void TestCatalogue::csvSeparator()
{
    QFETCH(QByteArray, text);
    QTEST(QString(QLatin1Char(CsvReader::separatorOf(text))), "separator");
}

void TestCatalogue::sheetNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sheet");
    QTest::addRow("kept") << "shop 2024" << "shop 2024";
    QTest::addRow("refused characters") << "a[b]c:d*e?f/g\\h" << "abcdefgh";
    QTest::addRow("cut to 31") << QString(40, u'k') << QString(31, u'k');
    QTest::addRow("apostrophes around") << "''shop'" << "shop";
    QTest::addRow("an apostrophe inside") << "Anna's" << "Anna's";
    QTest::addRow("spaces around") << "  shop " << "shop";
    QTest::addRow("nothing left") << "[*]" << "Sheet1";
}

// A workbook's sheet is named after the catalogue, within what spreadsheets accept.
void TestCatalogue::sheetNames()
{
    QFETCH(QString, name);
    QTEST(XlsxFile::sheetName(name), "sheet");
    // A spreadsheet program takes such a name.
    QCOMPARE(XlsxFile::write(exportedCatalogue(), name).error, QString());
}

// A catalogue opened through a symbolic link has its notice beside the file it leads to,
// where those who open the file itself look.
void TestCatalogue::noticeOfALinkedCatalogue()
{
    QVERIFY(QDir().mkpath(tree.path("real")) && QDir().mkpath(tree.path("links")));
    tree.write("real/c.json", "[\n]\n");
    QVERIFY(QFile::link(tree.path("real/c.json"), tree.path("links/c.json")));
    // An older copy's single notice is read too.
    tree.write("real/.c.json.kalvio-inuse", "anna\nother-pc\n4242\n2099-01-01T08:00:00Z\n");
    QCOMPARE(InUseNotice::holders(tree.path("links/c.json")).value(0).host, "other-pc");
    const auto notices = [this](const char *folder) {
        return QDir(tree.path(folder)).entryList({ ".c.json.kalvio-inuse*" }, QDir::Hidden | QDir::Files).size();
    };
    {
        InUseNotice ours;
        ours.take(tree.path("links/c.json"));
        QCOMPARE(notices("real"), 2);
        QCOMPARE(notices("links"), 0);
    }
    QCOMPARE(notices("real"), 1);
}

void TestCatalogue::recoveryCopiesOffered_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("offered");
    QTest::addRow("left by a process that ended") << "" << true;
    QTest::addRow("of this process, which runs") << "running" << false;
    QTest::addRow("that the group may write") << "copy 0620" << false;
    QTest::addRow("that others may write") << "copy 0602" << false;
    QTest::addRow("whose note others may write") << "note 0602" << false;
    QTest::addRow("a symbolic link to a copy") << "link" << false;
    QTest::addRow("older than the file") << "older" << false;
    QTest::addRow("written in the same moment as the file") << "same moment" << true;
    QTest::addRow("whose note names another file") << "renamed" << false;
}

// A recovery copy is offered only where a process that ended left it, newer than its file,
// and as a regular file of this user that no one else may write; Recover makes it this
// process's own, and Discard takes it away with its note.
void TestCatalogue::recoveryCopiesOffered()
{
    QFETCH(QString, change);
    const QString file = tree.path("json/r.json");
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/recovery");
    QDir(folder).removeRecursively();
    tree.write("json/r.json", "[]");
    QVERIFY(RecoveryCopy::write(file, "[\n]\n").ok());
    const QStringList made = folder.entryList(QDir::Files);
    QCOMPARE(made.size(), 2);
    const auto ended = [](QString name) { return name.replace(QString::number(getpid()) + '.', "2147483647."); };
    if (change != "running")
        for (const QString &name : made)
            QVERIFY(QFile::rename(folder.filePath(name), folder.filePath(ended(name))));
    const QString copy = folder.filePath(ended(made.filter(".json").value(0)));
    const QString note = QString(copy).replace(".json", ".path");
    if (change.startsWith("copy ") || change.startsWith("note "))
        QVERIFY(chmod(path(change.startsWith("copy") ? copy : note), mode_t(change.section(' ', 1).toUInt(nullptr, 8))) == 0);
    if (change == "link")
        QVERIFY(QFile::rename(copy, copy + ".real") && QFile::link(copy + ".real", copy));
    QFile catalogue(file);
    if (change == "older")
        QVERIFY(catalogue.open(QIODevice::ReadWrite) && catalogue.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    if (change == "same moment")
        QVERIFY(catalogue.open(QIODevice::ReadWrite) && catalogue.setFileTime(QFileInfo(copy).lastModified(), QFileDevice::FileModificationTime));
    if (change == "renamed") {
        QFile renamed(note);
        QVERIFY(renamed.open(QIODevice::WriteOnly | QIODevice::Truncate) && renamed.write(path(tree.path("json/other.json"))) > 0);
    }
    const std::optional<RecoveryCopy::Left> left = RecoveryCopy::left(file);
    QTEST(bool(left), "offered");
    QCOMPARE(RecoveryCopy::leftFiles(), left ? QStringList(QFileInfo(file).absoluteFilePath()) : QStringList());
    if (!left)
        return;
    QCOMPARE(left->copy, copy);
    const QString own = RecoveryCopy::adopt(*left);
    QVERIFY(own != copy && QFile::exists(own) && !QFile::exists(copy));
    QVERIFY(!RecoveryCopy::left(file));
    RecoveryCopy::remove(file);
    QCOMPARE(folder.entryList(QDir::Files), QStringList());
    QVERIFY(RecoveryCopy::write(file, "[]").ok());
    for (const QString &name : folder.entryList(QDir::Files))
        QVERIFY(QFile::rename(folder.filePath(name), folder.filePath(ended(name))));
    RecoveryCopy::discard(*RecoveryCopy::left(file));
    QCOMPARE(folder.entryList(QDir::Files), QStringList());
}

void TestCatalogue::backupsOffered_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("offered");
    QTest::addRow("a backup of this user's") << "" << true;
    QTest::addRow("that the group may write") << "0620" << false;
    QTest::addRow("that others may write") << "0602" << false;
    QTest::addRow("a symbolic link to a backup") << "link" << false;
}

// A backup beside the file is offered only as a regular file of this user that no one else
// may write.
void TestCatalogue::backupsOffered()
{
    QFETCH(QString, change);
    QVERIFY(QDir().mkpath(tree.path("backups")));
    const QString file = tree.path("backups/b.json"), backup = tree.path("backups/.b.json.kalvio-backup");
    QFile::remove(backup);
    tree.write("backups/b.json", "[]");
    tree.write(change == "link" ? "backups/elsewhere.json" : "backups/.b.json.kalvio-backup", "[\n]\n");
    QVERIFY(change != "link" || QFile::link(tree.path("backups/elsewhere.json"), backup));
    QVERIFY(chmod(path(backup), change.startsWith('0') ? mode_t(change.toUInt(nullptr, 8)) : 0600) == 0);
    QTEST(DiskFile::interruptedWrite(file, 1 << 20).backup == backup, "offered");
}

void TestCatalogue::keptBasesFound_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("found");
    QTest::addRow("the file where it was") << "" << true;
    QTest::addRow("the file renamed") << "kept/k2.json" << true;
    QTest::addRow("the file moved with its name") << "kept/other/k.json" << true;
    QTest::addRow("the file moved and renamed") << "kept/other/k2.json" << false;
    QTest::addRow("kept more than 90 days ago") << "old" << false;
    QTest::addRow("that the group may write") << "base 0620" << false;
    QTest::addRow("whose note others may write") << "note 0602" << false;
    QTest::addRow("a symbolic link to a base") << "link" << false;
}

// The base of a file, readable by the user alone, is found by its path, or by its identity
// where the file was renamed or moved with its name; one older than 90 days, that others
// may write, or a link, is never used, and the next base kept takes the old one away.
void TestCatalogue::keptBasesFound()
{
    QFETCH(QString, change);
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/bases").removeRecursively();
    QVERIFY(QDir().mkpath(tree.path("kept/other")));
    tree.write("kept/k.json", "[]");
    QString file = tree.path("kept/k.json");
    QVERIFY(KeptBase::keep(KeptBase::placeOf(file), file, "[\n]\n").ok());
    const QString base = KeptBase::find(file), note = QString(base).replace(".json", ".path");
    QVERIFY(!base.isEmpty());
    // What the catalogue holds is the user's alone.
    struct stat kept;
    QVERIFY(stat(path(base), &kept) == 0 && (kept.st_mode & 077) == 0);
    if (change.endsWith(".json")) {
        QVERIFY(QFile::rename(file, tree.path(change)));
        file = tree.path(change);
    }
    if (change.startsWith("base ") || change.startsWith("note "))
        QVERIFY(chmod(path(change.startsWith("base") ? base : note), mode_t(change.section(' ', 1).toUInt(nullptr, 8))) == 0);
    if (change == "link")
        QVERIFY(QFile::rename(base, base + ".real") && QFile::link(base + ".real", base));
    const time_t old = time(nullptr) - 91 * 24 * 3600;
    const timespec times[2] { { old, 0 }, { old, 0 } };
    if (change == "old")
        QVERIFY(utimensat(AT_FDCWD, path(base), times, 0) == 0);
    QTEST(KeptBase::find(file) == base, "found");
    if (change == "old") {
        QVERIFY(KeptBase::keep(KeptBase::placeOf(tree.path("kept/other.json")), tree.path("kept/other.json"), "[]").ok());
        QVERIFY(!QFile::exists(base) && !QFile::exists(note));
    }
}

void TestCatalogue::syncConflictNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("copy");
    QTest::addRow("Nextcloud, ownCloud") << "shop (conflicted copy 2026-12-07 101010).json" << true;
    QTest::addRow("older ownCloud") << "shop_conflict-20261207-101010.json" << true;
    QTest::addRow("Syncthing") << "shop.sync-conflict-20261207-101010-ABCDEFG.json" << true;
    QTest::addRow("Syncthing, without a device") << "shop.sync-conflict-20261207-101010.json" << true;
    QTest::addRow("Dropbox") << "shop (Desk 2's conflicted copy 2026-12-07).json" << true;
    QTest::addRow("Dropbox in French") << "shop (copie en conflit de Desk 2 2026-12-07).json" << true;
    QTest::addRow("Dropbox in German") << "shop (In Konflikt stehende Kopie von Desk 2 2026-12-07).json" << true;
    QTest::addRow("Seafile") << "shop (SFConflict desk2@example.org 2026-12-07-10-10-10).json" << true;
    QTest::addRow("the file itself") << "shop.json" << false;
    QTest::addRow("a plain copy") << "shop (copy).json" << false;
    QTest::addRow("a conflict without a date") << "shop (conflicted copy).json" << false;
    QTest::addRow("a date without a conflict") << "shop (2026-12-07).json" << false;
    QTest::addRow("another file's copy") << "shopping (conflicted copy 2026-12-07 101010).json" << false;
    QTest::addRow("another kind of file") << "shop (conflicted copy 2026-12-07 101010).csv" << false;
    QTest::addRow("Syncthing's form cut short") << "shop.sync-conflict-20261207.json" << false;
    QTest::addRow("text after the brackets") << "shop (conflicted copy 2026-12-07 101010) old.json" << false;
}

// The names that sync services give the copies of shop.json they keep of a conflict.
void TestCatalogue::syncConflictNames()
{
    QFETCH(QString, name);
    QTEST(SyncConflicts::isCopyName(name, "shop.json"), "copy");
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
