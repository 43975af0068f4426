#include "edit.h"
#include "testsupport.h"

#include <QDir>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Edit::sof.clear(); }
    void streamForm();
    void streamReadsWhatItWrites();
    void handMadeFileSavesBackExactly();
    void generatedCatalogueRoundTrips();
    void conversions_data();
    void conversions();
    void hostileFiles_data();
    void hostileFiles();
    void loadAppends();
    void failedSaveKeepsPreviousFile_data();
    void failedSaveKeepsPreviousFile();

private:
    ScratchTree tree;
};

void TestCatalogue::streamForm()
{
    SetOfFurnitures set;
    set.addFurniture(new Furniture("Tables", "Alba", "Oak", "Studio", Dimension("120", "75", "80", "35"),
                                   { Form("001.001.001", "alba1", "oak", 149.9, 4) }));
    set.addFurniture(new Furniture("", "Bare", "", "", Dimension("", "", "", ""), {}));
    std::ostringstream out;
    out << set << Dimension("1", "2", "3", "4");
    QCOMPARE(out.str(), std::string("Tables Alba Oak Studio 120 75 80 35 1\n001.001.001 alba1 oak 149.9 4\n\n"
                                    " Bare       0\n\n 1 2 3 4"));
    set.clear();
}

void TestCatalogue::streamReadsWhatItWrites()
{
    const Furniture original("Chairs", "Alba", "Stacking", "Studio", Dimension("45", "80", "50", "4.5"),
                             { Form("001.001.001", "a.png", "red", 59.9, 4294967295u), Form("001.001.002", "b", "x", 0, 0) });
    std::stringstream stream;
    stream << original;
    QVERIFY(Furniture(stream) == original);

    // A count larger than what follows must not invent variants.
    std::istringstream damaged("Chairs Alba Stacking Studio 45 80 50 4.5 4000000000\n001.001.001 a.png red 1.5 2\n");
    const Furniture read(damaged);
    QCOMPARE(read.getForms().size(), size_t(1));
    QCOMPARE(read.getForms().front(), Form("001.001.001", "a.png", "red", 1.5, 2));
}

void TestCatalogue::handMadeFileSavesBackExactly()
{
    QVERIFY(Edit::sof.load(QFINDTESTDATA("data/chairs.json")));
    QCOMPARE(Edit::sof.getFurnitures()[0]->getForms()[0], Form("001.001.001", "alba_white.png", "white", 59.9, 12));
    Edit::sof.save(tree.path("saved.json"));
    QCOMPARE(readFile(tree.path("saved.json")), readFile(QFINDTESTDATA("data/chairs.saved.json")));
}

void TestCatalogue::generatedCatalogueRoundTrips()
{
    const std::vector<std::string> texts { "", "plain", "quote \" and \\ back\\slash", "line\nbreak\ttab",
                                           "Kälviö ñ 家具 🪑", "{\"json\": [1]}" };
    const std::vector<double> prices { 0, 59.9, 0.1, -3.5, 1e-7, 123456789.125, 1e300, 240, -0.0, 9007199254740993.0 };
    QRandomGenerator random(7);
    const auto pick = [&random](const auto &list) { return list[random.bounded(int(list.size()))]; };
    SetOfFurnitures set;
    for (int e = 0; e < 40; ++e) {
        std::vector<Form> forms;
        for (int v = random.bounded(4); v > 0; --v)
            forms.emplace_back(pick(texts), pick(texts), pick(texts), pick(prices), random.generate());
        set.addFurniture(new Furniture(pick(texts), pick(texts), pick(texts), pick(texts),
                                       Dimension(pick(texts), pick(texts), pick(texts), pick(texts)), forms));
    }
    set.save(tree.path("generated.json"));
    // Laid out exactly as the toolkit writes the same document.
    const QByteArray saved = readFile(tree.path("generated.json"));
    QCOMPARE(QJsonDocument::fromJson(saved).toJson(QJsonDocument::Indented), saved);
    QVERIFY(Edit::sof.load(tree.path("generated.json")));
    QCOMPARE(Edit::sof.getFurnitures().size(), set.getFurnitures().size());
    for (size_t i = 0; i < set.getFurnitures().size(); ++i)
        QVERIFY(*Edit::sof.getFurnitures()[i] == *set.getFurnitures()[i]);
    Edit::sof.save(tree.path("again.json"));
    QCOMPARE(readFile(tree.path("again.json")), readFile(tree.path("generated.json")));
    set.clear();
}

void TestCatalogue::conversions_data()
{
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<int>("variants");
    QTest::addColumn<double>("price");
    QTest::addColumn<unsigned int>("stock");
    QTest::addColumn<QString>("length");
    const auto sub = [](const char *json) {
        return QByteArray(R"({"dimension": {"length": "45"}, "specificite": [{"sous-formulaire": )") + json + "}]}";
    };
    QTest::newRow("price as text") << sub(R"({"price": "12", "stock": 3})") << 1 << 0.0 << 3u << "45";
    QTest::newRow("whole price") << sub(R"({"price": 240})") << 1 << 240.0 << 0u << "45";
    QTest::newRow("stock 2.5") << sub(R"({"stock": 2.5})") << 1 << 0.0 << 0u << "45";
    QTest::newRow("stock 3.0") << sub(R"({"stock": 3.0})") << 1 << 0.0 << 3u << "45";
    QTest::newRow("stock -1") << sub(R"({"stock": -1})") << 1 << 0.0 << 4294967295u << "45";
    QTest::newRow("stock 2^31") << sub(R"({"stock": 2147483648})") << 1 << 0.0 << 0u << "45";
    QTest::newRow("stock -2^31-1") << sub(R"({"stock": -2147483649})") << 1 << 0.0 << 0u << "45";
    QTest::newRow("2^53+1") << sub(R"({"price": 9007199254740993, "stock": 9007199254740993})") << 1
                            << 9007199254740992.0 << 0u << "45";
    QTest::newRow("duplicate keys") << sub(R"({"stock": 1, "stock": 2})") << 1 << 0.0 << 2u << "45";
    QTest::newRow("sub-form not an object") << sub("[1]") << 1 << 0.0 << 0u << "45";
    QTest::newRow("variant not an object") << QByteArray(R"({"specificite": [7]})") << 1 << 0.0 << 0u << "";
    QTest::newRow("measure as number") << QByteArray(R"({"dimension": {"length": 45}})") << 0 << 0.0 << 0u << "";
    QTest::newRow("every member mistyped") << QByteArray(R"({"name": 1, "description": [], "designer": {},
                                              "dimension": "x", "specificite": {}})") << 0 << 0.0 << 0u << "";
    QTest::newRow("element not an object") << QByteArray("null") << 0 << 0.0 << 0u << "";
}

void TestCatalogue::conversions()
{
    QFETCH(QByteArray, element);
    QFETCH(int, variants);
    tree.write("c.json", R"([{"category": {"name": "C", "elements": [)" + element + "]}}]");
    QVERIFY(Edit::sof.load(tree.path("c.json")));
    QCOMPARE(Edit::sof.getFurnitures().size(), size_t(1));
    const Furniture *furniture = Edit::sof.getFurnitures().front();
    QCOMPARE(furniture->getCategory(), std::string("C"));
    QTEST(QString::fromStdString(furniture->getDim().getLength()), "length");
    QCOMPARE(int(furniture->getForms().size()), variants);
    if (variants) {
        QTEST(furniture->getForms().front().getPrice(), "price");
        QTEST(furniture->getForms().front().getStock(), "stock");
    }
}

// Whatever a file holds, loading gives a defined outcome: a catalogue, or nothing at all.
void TestCatalogue::hostileFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("elements");
    const QByteArray one = R"([{"category": {"name": "C", "elements": [{"name": "e"}]}}])";
    QTest::newRow("empty file") << QByteArray() << false << 0;
    QTest::newRow("top-level object") << QByteArray(R"({"category": {}})") << false << 0;
    QTest::newRow("top-level scalar") << QByteArray("5") << false << 0;
    QTest::newRow("garbage after array") << one + "x" << false << 0;
    QTest::newRow("nesting too deep") << QByteArray(100000, '[') + QByteArray(100000, ']') << false << 0;
    QTest::newRow("number out of range") << QByteArray(R"([{"category": {"name": 1e400}}])") << false << 0;
    QTest::newRow("invalid UTF-8") << QByteArray("[{\"category\": {\"name\": \"\xff\xfe\"}}]") << false << 0;
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + one << true << 1;
    QTest::newRow("scalar entries") << QByteArray(R"([1, "x", null, {"category": 3}])") << true << 0;
    QTest::newRow("category without elements") << QByteArray(R"([{"category": {"name": "C"}}])") << true << 0;
    QTest::newRow("50 MB name") << R"([{"category": {"name": ")" + QByteArray(50'000'000, 'n') + R"(", "elements": [{}]}}])"
                                << true << 1;
    QTest::newRow("a million elements") << R"([{"category": {"elements": [{})" + QByteArray(999'999 * 3, ' ').replace("   ", ",{}")
                                                   + "]}}]" << true << 1'000'000;
}

void TestCatalogue::hostileFiles()
{
    QFETCH(QByteArray, bytes);
    tree.write("hostile.json", bytes);
    QTEST(Edit::sof.load(tree.path("hostile.json")), "loaded");
    QTEST(int(Edit::sof.getFurnitures().size()), "elements");
}

void TestCatalogue::loadAppends()
{
    fillCatalogue({ "Present|first|oak|009.001.001" });
    QTest::ignoreMessage(QtCriticalMsg, "Error: file not open");
    QVERIFY(!Edit::sof.load(tree.path("missing.json")));
    QVERIFY(Edit::sof.load(QFINDTESTDATA("data/chairs.json")));
    QVERIFY(Edit::sof.load(QFINDTESTDATA("data/chairs.json")));
    QCOMPARE(catalogueSummary(), QStringList({ "Present|first|009.001.001", "Chairs|Alba|001.001.001", "Chairs|Brisa|001.002.001",
                                               "Chairs|Alba|001.001.001", "Chairs|Brisa|001.002.001" }));
}

void TestCatalogue::failedSaveKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("fileSizeLimit");
    QTest::addColumn<QByteArray>("logged");
    QTest::newRow("missing folder") << "nowhere/c.json" << false << QByteArray("Error: file not open");
    QTest::newRow("target is a folder") << "json" << false << QByteArray("Error: file not open");
    QTest::newRow("disk refuses the bytes") << "json/c.json" << true << QByteArray("Error: could not write");
}

// The disk refuses for real: a child process whose file-size limit is smaller than the
// catalogue saves over a good file.
void TestCatalogue::failedSaveKeepsPreviousFile()
{
    QFETCH(QString, target);
    QFETCH(bool, fileSizeLimit);
    QFETCH(QByteArray, logged);
    const QByteArray previous = "[\n]\n";
    if (fileSizeLimit)
        tree.write(target, previous);
    const QStringList before = QDir(tree.path("json")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    fillCatalogue(QStringList(200, "Category|Element|oak|001.001.001,001.001.002"));
    const QString log = tree.path("save.log");
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit { 1024, 1024 };
        // The test logger reports the child's messages on standard output.
        if ((fileSizeLimit && (signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0))
            || !freopen(qPrintable(log), "w", stdout))
            _exit(2);
        Edit::sof.save(tree.path(target));
        _exit(0);
    }
    int status = -1;
    QCOMPARE(waitpid(child, &status, 0), child);
    QCOMPARE(status, 0);
    QVERIFY2(readFile(log).contains(logged), readFile(log).constData());
    QCOMPARE(QDir(tree.path("json")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    if (fileSizeLimit)
        QCOMPARE(readFile(tree.path(target)), previous);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
