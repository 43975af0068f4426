#include "setoffurnitures.h"
#include "testsupport.h"

#include <QTest>

#include <sstream>

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void streamForm();
    void streamReadsWhatItWrites_data();
    void streamReadsWhatItWrites();
    void streamReaderStopsAtDamage();
    void formAssignmentReplacesIdentifier();
    void copiesShareElements();
    void setFurnituresDeletesNothing();
};

void TestRecords::streamForm()
{
    SetOfFurnitures set;
    set.addFurniture(new Furniture("Tables", "Alba", "Oak", "Studio", Dimension("120", "75", "80", "35"),
                                   { Form("001.001.001", "alba1", "oak", 149.9, 4) }));
    set.addFurniture(new Furniture("", "Bare", "", "", Dimension("", "", "", ""), {}));
    std::ostringstream out;
    out << set << Dimension("1", "2", "3", "4");
    QCOMPARE(out.str(), std::string("Tables Alba Oak Studio 120 75 80 35 1\n"
                                    "001.001.001 alba1 oak 149.9 4\n\n"
                                    " Bare       0\n\n"
                                    " 1 2 3 4"));
    set.clear();
}

void TestRecords::streamReadsWhatItWrites_data()
{
    QTest::addColumn<double>("price");
    QTest::addColumn<unsigned int>("stock");
    QTest::addColumn<int>("variants");
    QTest::newRow("no variants") << 1.0 << 0u << 0;
    QTest::newRow("three variants") << 59.9 << 4294967295u << 3;
}

void TestRecords::streamReadsWhatItWrites()
{
    QFETCH(double, price);
    QFETCH(unsigned int, stock);
    QFETCH(int, variants);
    std::vector<Form> forms;
    for (int i = 1; i <= variants; ++i)
        forms.emplace_back("001.001.00" + std::to_string(i), "p.png", "red", price, stock);
    const Furniture original("Chairs", "Alba", "Stacking", "Studio", Dimension("45", "80", "50", "4.5"), forms);
    std::stringstream stream;
    stream << original;
    QVERIFY(Furniture(stream) == original);
}

// A damaged count must neither hang nor invent variants past the stream's end.
void TestRecords::streamReaderStopsAtDamage()
{
    std::istringstream in("Chairs Alba Stacking Studio 45 80 50 4.5 4000000000\n001.001.001 a.png red 1.5 2\n");
    const Furniture read(in);
    QCOMPARE(read.getForms().size(), size_t(1));
    QCOMPARE(read.getForms().front(), Form("001.001.001", "a.png", "red", 1.5, 2));
}

void TestRecords::formAssignmentReplacesIdentifier()
{
    Form form("001.001.001", "a", "red", 1, 1);
    form = Form("002.002.002", "b", "blue", 2, 2);
    QCOMPARE(form.getId(), std::string("002.002.002"));
}

void TestRecords::copiesShareElements()
{
    SetOfFurnitures set;
    set.addFurniture(element("A", "a", { "001.001.001" }));
    {
        SetOfFurnitures copy(set);
        copy.getFurnitures().front()->setName("renamed");
        copy.addFurniture(element("B", "b", { "002.001.001" }));
        QCOMPARE(set.getFurnitures().size(), size_t(1));
        delete copy.getFurnitures().back();
    }
    // The copy is gone; the shared element must still be alive and changed.
    QCOMPARE(set.getFurnitures().front()->getName(), std::string("renamed"));
    set.clear();
    QVERIFY(set.getFurnitures().empty());
}

void TestRecords::setFurnituresDeletesNothing()
{
    SetOfFurnitures set;
    Furniture *kept = element("A", "a", { "001.001.001" });
    Furniture *dropped = element("B", "b", { "002.001.001" });
    set.addFurniture(kept);
    set.addFurniture(dropped);
    set.setFurnitures({ kept });
    QCOMPARE(dropped->getName(), std::string("b"));
    delete dropped;
    set.clear();
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
