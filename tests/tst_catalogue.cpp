#include "cataloguedocument.h"
#include "cataloguesearch.h"
#include "inusenotice.h"
#include "testsupport.h"

#include <QDir>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTest>

#include <cmath>
#include <csignal>
#include <sstream>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

int outcome(const QString &name)
{
    return QStringList({ "Done", "CannotOpen", "NotRegularFile", "TooLarge", "EmptyFile", "NotJson", "NotCatalogue",
                         "WriteFailed", "RestoreFailed", "TooMuchContent", "ChangedOnDisk", "Locked" })
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
    void simultaneousSavesTakeTurns_data();
    void simultaneousSavesTakeTurns();
    void simultaneousChangesAreMerged();

private:
    ScratchTree tree;
};

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
    // Laid out exactly as the toolkit's writer lays out the same document.
    QCOMPARE(QJsonDocument::fromJson(saved).toJson(QJsonDocument::Indented), saved);
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

// Saving keeps what the file is beside its contents (owner, group, mode, links), refuses
// what a plain write would refuse, and leaves the previous bytes on any failure. Cases
// with other users save as user 1001 of group 1500, which needs root.
void TestCatalogue::saveOutcomes()
{
    const QString target = cell("target"), folder = tree.path(QTest::currentDataTag());
    const int owner = cell("owner").toInt(), sizeLimit = cell("sizeLimit").toInt();
    const bool asUser = cell("asUser") == "1";
    if ((owner >= 0 || asUser) && geteuid() != 0)
        QSKIP("needs root, to make files of other users and to save as another user");
    const bool linked = target.endsWith("symlink");
    const QString file = folder + "/c.json", real = linked ? folder + "/target.json" : file;
    const int previousSize = cell("previousSize").toInt();
    // Past a MB, the previous file is sparse.
    const QByteArray previous = previousSize ? "[\n]" + QByteArray(previousSize - 3, previousSize >> 20 ? '\0' : ' ') : QByteArray();
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(target != "fifo" || mkfifo(path(file), 0644) == 0);
    QVERIFY(target != "folder" || QDir().mkdir(file));
    if (previousSize && target != "fifo" && target != "folder")
        tree.write(QString(QTest::currentDataTag()) + (linked ? "/target.json" : "/c.json"), previous.left(1 << 20));
    QVERIFY(!(previousSize >> 20) || QFile::resize(real, previousSize));
    QVERIFY(!target.startsWith("hardlink") || link(path(file), path(folder + "/other.json")) == 0);
    // The backup of an interrupted save, which no later save may replace.
    const bool leftBackup = target.endsWith("left backup");
    if (leftBackup)
        tree.write(QString(QTest::currentDataTag()) + "/.c.json.kalvio-backup", "left");
    QVERIFY(!linked || symlink("target.json", path(file)) == 0);
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
    const int result = inChild([&] {
        const rlimit limit { rlim_t(std::abs(sizeLimit)), rlim_t(std::abs(sizeLimit)) };
        const gid_t group = 1500;
        if ((asUser && (setgroups(1, &group) != 0 || setgid(1001) != 0 || setuid(1001) != 0
                        || !qputenv("XDG_DATA_HOME", QFile::encodeName(tree.path("data/1001")))))
            || (sizeLimit > 0 && signal(SIGXFSZ, SIG_IGN) == SIG_ERR) || (sizeLimit && setrlimit(RLIMIT_FSIZE, &limit) != 0)
            || !freopen("/dev/null", "w", stdout))
            return 99;
        return int(catalogue().save(file).outcome);
    });
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
    QCOMPARE(readFile(folder + "/other.json"), target.startsWith("hardlink") ? readFile(file) : QByteArray());
    QCOMPARE(readFile(folder + "/.c.json.kalvio-backup"), leftBackup ? "left" : QByteArray());
    // No temporary file or backup is left behind, but by a save that was killed; the next
    // save removes that.
    QVERIFY(result >= 0 || catalogue().save(file).ok());
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), int(QFileInfo::exists(real)) + int(target.contains("link")) + int(leftBackup));
    QCOMPARE(QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/backups").entryList(QDir::Files | QDir::Hidden), QStringList());
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
