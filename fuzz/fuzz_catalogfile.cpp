// Feeds arbitrary bytes to the catalogue reader and checks that whatever it accepts
// survives a save and a reload unchanged, and that save writes the bytes QJsonDocument
// would.

#include "plaincatalogue.h"
#include "setoffurnitures.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "catalogue round trip: %s\n", what);
    std::abort();
}

void require(bool condition, const char *what)
{
    if (!condition)
        fail(what);
}

// The files one fuzzing process reuses for every input, under TMPDIR (scripts/fuzz.sh
// points it at a tmpfs, as millions of small writes and renames should stay off the
// disk). The directory is removed when the process exits normally.
struct ScratchFiles
{
    QTemporaryDir dir { QDir::tempPath() + QStringLiteral("/kalvio-fuzz-XXXXXX") };
    QString input = dir.filePath(QStringLiteral("input.json"));
    QString saved = dir.filePath(QStringLiteral("saved.json"));
    QString resaved = dir.filePath(QStringLiteral("resaved.json"));
    QString general = dir.filePath(QStringLiteral("general.json"));
};

void writeFile(const QString &path, const std::uint8_t *data, std::size_t size)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input");
    const auto length = static_cast<qint64>(size);
    require(file.write(reinterpret_cast<const char *>(data), length) == length,
            "cannot write the input");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly), "cannot read a saved file");
    return file.readAll();
}

// Prices are compared with Furniture's own operator==, so a NaN or infinite price
// counts as a change although save writes it as null and load reads that back as 0.
// That is deliberate: this catalogue comes only from load, and a file cannot hold such
// a price (JSON has no literal for it and the parser refuses numbers beyond the double
// range), so one turning up means the reader invented it.
void requireSameCatalogue(const SetOfFurnitures &loaded, const SetOfFurnitures &reloaded)
{
    const std::vector<Furniture *> before = loaded.getFurnitures();
    const std::vector<Furniture *> after = reloaded.getFurnitures();
    require(before.size() == after.size(), "the reload has another number of elements");
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (*before[i] == *after[i])
            continue;
        std::cerr << "element " << i << " was loaded as\n"
                  << *before[i] << "and reloaded as\n"
                  << *after[i];
        fail("the reload changed an element");
    }
}

// The catalogue as a QJsonDocument. save() writes its JSON by hand, as building such a
// document for a large catalogue is slow, but must still write the very bytes that
// QJsonDocument writes for it, so that files compare equal whichever writer made them.
QString qtText(const std::string &text)
{
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(
            QByteArrayView(text.data(), qsizetype(text.size())));
}

QJsonObject qtJson(const Dimension &dim)
{
    return { { "height"_L1, qtText(dim.getHeight()) },
             { "length"_L1, qtText(dim.getLength()) },
             { "weight"_L1, qtText(dim.getWeight()) },
             { "width"_L1, qtText(dim.getWidth()) } };
}

QJsonObject qtJson(const Form &form)
{
    const QJsonObject sub { { "color"_L1, qtText(form.getColor()) },
                            { "price"_L1, form.getPrice() },
                            { "stock"_L1, static_cast<int>(form.getStock()) } };
    return { { "id"_L1, qtText(form.getId()) },
             { "photo"_L1, qtText(form.getPhoto()) },
             { "sous-formulaire"_L1, sub } };
}

// Each element is a category entry of its own, as save() writes it.
QJsonObject qtJson(const Furniture &furniture)
{
    QJsonArray forms;
    for (const Form &form : furniture.getForms())
        forms.append(qtJson(form));
    const QJsonObject element { { "description"_L1, qtText(furniture.getDesc()) },
                                { "designer"_L1, qtText(furniture.getDesigner()) },
                                { "dimension"_L1, qtJson(furniture.getDim()) },
                                { "name"_L1, qtText(furniture.getName()) },
                                { "specificite"_L1, forms } };
    const QJsonObject category { { "elements"_L1, QJsonArray { element } },
                                 { "name"_L1, qtText(furniture.getCategory()) } };
    return { { "category"_L1, category } };
}

// The entries of a file up to the first that is not plain are read straight into records.
// The general reader, which one unknown key at the file's start sends them to, must make
// the same records of them and tell alike of all but that key.
void requireReadAsParsed(const QByteArray &bytes, const SetOfFurnitures &loaded, const UnkeptValues &unkept,
                         const QString &generalPath)
{
    if (PlainCatalogue::read(bytes).entries == 0)
        return;
    QByteArray general = bytes;
    general.insert(bytes.indexOf('{') + 1, R"("zz": 0, )");
    writeFile(generalPath, reinterpret_cast<const std::uint8_t *>(general.constData()), std::size_t(general.size()));
    SetOfFurnitures parsed;
    UnkeptValues parsedUnkept;
    require(parsed.load(generalPath, parsedUnkept).ok(), "a plain file with one more key does not load");
    requireSameCatalogue(loaded, parsed);
    for (int kind = 0; kind < UnkeptValues::KindCount; ++kind)
        require(kind == UnkeptValues::UnknownKeys || unkept[UnkeptValues::Kind(kind)] == parsedUnkept[UnkeptValues::Kind(kind)],
                "the general reader tells otherwise of what a Save would change");
    parsed.clear();
}

QByteArray qtIndentedJson(const SetOfFurnitures &set)
{
    QJsonArray entries;
    for (const Furniture *furniture : set.getFurnitures())
        entries.append(qtJson(*furniture));
    // save() escapes a U+FEFF that starts a text, which the parser would drop otherwise.
    return QJsonDocument(entries).toJson(QJsonDocument::Indented).replace("\"\xEF\xBB\xBF", "\"\\ufeff");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const ScratchFiles files;
    require(files.dir.isValid(), "cannot create the scratch directory");
    writeFile(files.input, data, size);

    SetOfFurnitures loaded;
    UnkeptValues loadedUnkept;
    if (!loaded.load(files.input, loadedUnkept).ok()) {
        require(loaded.getFurnitures().empty(), "a refused file still added elements");
        return 0;
    }
    requireReadAsParsed(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)), loaded,
                        loadedUnkept, files.general);
    loaded.save(files.saved);

    SetOfFurnitures reloaded;
    UnkeptValues unkept;
    require(reloaded.load(files.saved, unkept).ok(), "the saved file does not load");
    // What save wrote, a Save writes again: nothing is told of.
    require(unkept.isEmpty(), "the saved file holds values a Save would change");
    requireSameCatalogue(loaded, reloaded);

    // A saved catalogue is a fixed point: reloading and saving it writes the same bytes.
    const QByteArray saved = readFile(files.saved);
    reloaded.save(files.resaved);
    require(readFile(files.resaved) == saved, "saving the reloaded catalogue wrote other bytes");
    require(saved == qtIndentedJson(loaded), "save wrote other bytes than QJsonDocument");

    loaded.clear();
    reloaded.clear();
    return 0;
}
