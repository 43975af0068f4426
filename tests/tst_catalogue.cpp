#include "cataloguedocument.h"
#include "cataloguesearch.h"
#include "cataloguetable.h"
#include "csvreader.h"
#include "csvtext.h"
#include "inusenotice.h"
#include "plaincatalogue.h"
#include "priceimport.h"
#include "variantorder.h"
#include "testsupport.h"
#include "xlsxfile.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTest>

#include <cmath>
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

ImportPreview previewOf(QByteArrayView bytes)
{
    return PriceImport::preview(bytes, catalogue(), { { "Identifier", "Identifiant" }, { "Price", "Prix" }, { "Stock" } });
}

// What an import would do: "prices N stocks M", then each change, unknown identifier,
// shared identifier and unread row; or the outcome where the file is refused.
QStringList described(const ImportPreview &preview)
{
    if (!preview.read())
        return { QStringList({ "Read", "FileFailed", "Binary", "NotUtf8", "NoIdentifierColumn", "NoPriceOrStockColumn" })
                         .at(preview.outcome) };
    const auto text = [](const std::string &text) { return QString::fromStdString(text); };
    QStringList lines { QString("prices %1 stocks %2").arg(preview.priceChanges).arg(preview.stockChanges) };
    for (const ImportedChange &change : preview.changes)
        lines << QString("change %1 %2>%3 %4>%5").arg(text(change.id)).arg(change.oldPrice).arg(change.newPrice).arg(change.oldStock).arg(change.newStock);
    for (const std::string &id : preview.unknownIdentifiers)
        lines << "unknown " + text(id);
    for (const SharedIdentifier &shared : preview.sharedIdentifiers)
        lines << QString("shared %1 %2").arg(text(shared.id)).arg(shared.variants);
    const QStringList reasons { "BrokenQuote", "NoIdentifier", "RefusedPrice", "StockOutOfRange" };
    for (const UnreadRow &row : preview.unreadRows)
        lines << QString("unread %1 %2 %3").arg(row.line).arg(reasons[row.reason], text(row.value)).trimmed();
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
    void saveOutcomes_data() { addRows("saveOutcomes"); }
    void saveOutcomes();
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
    void simultaneousSavesTakeTurns_data();
    void simultaneousSavesTakeTurns();
    void variantOrder_data() { addRows("variantOrder"); }
    void variantOrder();
    void simultaneousChangesAreMerged();

private:
    ScratchTree tree;
};

// One variant a value of the column sorted (a stock value as "price*stock"), sorted up and
// down in the locale's order of texts: variants of equal values keep catalogue order.
void TestCatalogue::variantOrder()
{
    const QStringList values = cell("values").split(u' ');
    const int column = QStringList({ "identifier", "category", "name", "colour", "price", "stock", "value" }).indexOf(cell("column"));
    for (int i = 0; i < values.size(); ++i) {
        const std::string value = values[i].toStdString();
        const auto is = [column, &value](int wanted, std::string otherwise) { return column == wanted ? value : otherwise; };
        catalogue().addFurniture(new Furniture(is(1, "c"), is(2, "n" + std::to_string(i)), "", "", Dimension("", "", "", ""),
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
// Save shows; a file that is not plain gives the same outcome either way.
void TestCatalogue::plainFilesReadAsParsed()
{
    const QByteArray bytes = bytesCell("json");
    const std::optional<std::vector<Furniture *>> plain = PlainCatalogue::read(bytes);
    QCOMPARE(plain.has_value(), cell("plain") == "1");
    for (const Furniture *furniture : plain.value_or(std::vector<Furniture *>()))
        delete furniture;
    const auto readAndSaved = [this](const QByteArray &file, UnkeptValues &unkept) {
        tree.write("json/plain.json", file);
        const FileResult read = catalogue().load(tree.path("json/plain.json"), unkept);
        catalogue().save(tree.path("json/plain.saved.json"));
        catalogue().clear();
        return QString::number(read.outcome) + u' ' + readFile(tree.path("json/plain.saved.json"));
    };
    QByteArray general = bytes;
    if (const qsizetype entry = bytes.indexOf('{'); entry >= 0)
        general.insert(entry + 1, "\"zz\": 0, ");
    UnkeptValues unkept, generalUnkept;
    QCOMPARE(readAndSaved(bytes, unkept), readAndSaved(general, generalUnkept));
    QVERIFY(!plain || unkept.isEmpty());
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

// Whatever lies where a catalogue's in-use notice goes, it is read without following a link
// or blocking, and only a notice of this user that no one holds any more is replaced.
void TestCatalogue::inUseNotices()
{
    const QString file = tree.path("json/u.json"), notice = tree.path("json/.u.json.kalvio-inuse"), kind = cell("kind");
    QFile::remove(notice);
    QByteArray bytes = QByteArray::fromPercentEncoding(cell("bytes").replace("%H", QSysInfo::machineHostName()).toUtf8());
    bytes = kind == "large" ? bytes.repeated(200) : bytes;
    tree.write("json/target", bytes);
    QVERIFY(kind != "link" || QFile::link(tree.path("json/target"), notice));
    QVERIFY(kind != "fifo" || mkfifo(path(notice), 0644) == 0);
    if (kind == "file" || kind == "large")
        tree.write("json/.u.json.kalvio-inuse", bytes);
    const auto state = [&] {
        const QFileInfo info(notice);
        return info.isSymLink() ? "link" : !info.exists() ? "none" : !info.isFile() ? "other" : readFile(notice) == bytes ? "as it was" : "ours";
    };
    const std::optional<InUseHolder> holder = InUseNotice::otherHolder(file);
    QCOMPARE(holder ? holder->user + ' ' + holder->host : QString(), cell("holder").replace("%H", QSysInfo::machineHostName()));
    {
        InUseNotice ours;
        ours.take(file);
        QCOMPARE(state(), cell("held"));
        QVERIFY(state() != QString("ours") || !InUseNotice::otherHolder(file));
    }
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
    QTest::newRow("commas") << int(CsvText::Dialect::Comma) << "golden.csv";
    QTest::newRow("semicolons") << int(CsvText::Dialect::SemicolonDecimalComma) << "golden.semicolons.csv";
}

// The golden catalogue exports to the golden CSV, in identifier order; imported back, it
// changes nothing: not a price nor a stock, not even those beyond what may be typed. Only
// the variants without an identifier are rows that cannot be read.
void TestCatalogue::goldenExportImportsUnchanged()
{
    QFETCH(int, dialect);
    QFETCH(QString, golden);
    QVERIFY(catalogue().load(QFINDTESTDATA("data/golden.json")).ok());
    const QByteArray csv = CsvText::write(exportedCatalogue(), CsvText::Dialect(dialect));
    QCOMPARE(csv, readFile(QFINDTESTDATA("data/" + golden)));
    QCOMPARE(described(previewOf(csv)).join(" ; "), "prices 0 stocks 0 ; shared 001.001.001 4 ; unread 2 NoIdentifier");
}

// A supplier's file in the French form against the golden catalogue.
void TestCatalogue::supplierFilePreview()
{
    QVERIFY(catalogue().load(QFINDTESTDATA("data/golden.json")).ok());
    const QString preview = described(previewOf(readFile(QFINDTESTDATA("data/supplier.csv")))).join(u'\n') + u'\n';
    QCOMPARE(preview, QString::fromUtf8(readFile(QFINDTESTDATA("data/supplier.preview.txt"))));
}

// The workbook as a real reader (Debian's python3-openpyxl) sees it: the sheet, the
// frozen bold header with its filter, text cells for texts and identifiers, numbers for
// measures, prices and stocks, prices with two decimals.
void TestCatalogue::spreadsheetReadsBack()
{
    QVERIFY(catalogue().load(QFINDTESTDATA("data/chairs.json")).ok());
    const XlsxFile::Outcome workbook = XlsxFile::write(exportedCatalogue(), "chairs: [spring]");
    QCOMPARE(workbook.error, QString());
    tree.write("chairs.xlsx", workbook.bytes);
    QProcess reader;
    reader.start("/usr/bin/python3", { "-c", "import openpyxl, sys\n"
                                    "sheet = openpyxl.load_workbook(sys.argv[1]).active\n"
                                    "print(sheet.title, sheet.freeze_panes, sheet.auto_filter.ref, sheet['A1'].font.b, sheet['K2'].number_format)\n"
                                    "for row in sheet.iter_rows(values_only=True): print(repr(row))\n",
                              tree.path("chairs.xlsx") });
    QVERIFY(reader.waitForFinished(30000));
    QCOMPARE(reader.readAllStandardError(), QByteArray());
    QCOMPARE(reader.readAllStandardOutput(),
             "chairs spring A2 A1:M3 True 0.00\n"
             "('Identifier', 'Category', 'Name', 'Description', 'Designer', 'Length', 'Height', 'Width', 'Weight', 'Colour', 'Price', 'Stock', 'Photo')\n"
             "('001.001.001', 'Chairs', 'Alba', 'Stacking chair', 'Studio', 45, 80, 50, 4.5, 'white', 59.9, 12, 'alba_white.png')\n"
             "('001.002.001', 'Chairs', 'Brisa', 'Armchair', 'Studio', 70, 85, 75, 11, 'grey', 240, 3, 'brisa_grey.png')\n");
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

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
