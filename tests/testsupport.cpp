#include "testsupport.h"

#include "edit.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <iomanip>
#include <sstream>

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
    Edit::sof.clear();
    Edit::history.clear();
    for (const QString &line : elements) {
        const QStringList parts = line.split(u'|');
        std::vector<Form> forms;
        for (const QString &id : parts[3].split(u',', Qt::SkipEmptyParts))
            forms.emplace_back(id.toStdString(), id.toStdString() + ".png", parts[2].toStdString(), 10, 1);
        Edit::sof.addFurniture(new Furniture(parts[0].toStdString(), parts[1].toStdString(), "desc", "designer",
                                             Dimension("1", "2", "3", "4"), forms));
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
    for (const Furniture *furniture : Edit::sof.getFurnitures()) {
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
    out << std::setprecision(15) << Edit::sof;
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
