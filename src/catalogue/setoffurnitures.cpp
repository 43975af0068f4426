#include "setoffurnitures.h"

#include "indentedjsonwriter.h"
#include "openingcount.h"
#include "plaincatalogue.h"

#include <QCborArray>
#include <QCborMap>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QLoggingCategory>

#include <exception>
#include <iostream>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;


void SetOfFurnitures::addFurniture(Furniture *furniture)
{
    furnitures.push_back(furniture);
}

void SetOfFurnitures::setFurnitures(std::vector<Furniture *> furnitures)
{
    this->furnitures = std::move(furnitures);
}

void SetOfFurnitures::clear()
{
    for (Furniture *furniture : furnitures)
        delete furniture;
    furnitures.clear();
}

std::ostream &operator<<(std::ostream &out, SetOfFurnitures &set)
{
    for (const Furniture *furniture : set.getFurnitures()) {
        try {
            out << *furniture << '\n';
        } catch (const std::exception &e) {
            std::cerr << e.what() << '\n';
        }
    }
    return out;
}

// The file is an array of {"category": {"name", "elements": [...]}} entries. Every
// reader below takes a value of any JSON type: a member that is missing or of another
// type reads as an empty text, object or array, or as 0. The readers go through QCborMap
// and QCborArray, which share the parsed document with QJsonObject and QJsonArray and
// read the same values, but find a key among an object's few members at half the cost.
namespace {

// The memory bound counts what the records of an element and a variant take.
const RecordSizes recordSizes { sizeof(Furniture), sizeof(Form) };

using Expected = UnkeptValuesCheck::Expected;

// Catalogue texts are nearly always ASCII, which is narrowed straight into the result;
// QString::toStdString() would first build a QByteArray.
std::string textOf(const QCborValue &value)
{
    const QString text = value.toString();
    std::string narrow(size_t(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit >= 0x80)
            return text.toStdString();
        narrow[size_t(i)] = char(unit);
    }
    return narrow;
}

// Each reader looks a member up once, for the record and for the check of what a Save
// would not keep.
Dimension dimensionFromJson(const QCborValue &value, UnkeptValuesCheck &check)
{
    const QCborMap json = value.toMap();
    const QCborValue length = json.value("length"_L1), height = json.value("height"_L1),
                     width = json.value("width"_L1), weight = json.value("weight"_L1);
    check.members(json, { { "length"_L1, Expected::Measure, length },
                          { "height"_L1, Expected::Measure, height },
                          { "width"_L1, Expected::Measure, width },
                          { "weight"_L1, Expected::Measure, weight } },
                  value.isMap());
    return Dimension(textOf(length), textOf(height), textOf(width), textOf(weight));
}

Form formFromJson(const QCborValue &value, UnkeptValuesCheck &check)
{
    const QCborMap json = value.toMap();
    const QCborValue id = json.value("id"_L1), photo = json.value("photo"_L1),
                     subValue = json.value("sous-formulaire"_L1);
    check.listed(value, json, { { "id"_L1, Expected::Text, id },
                                { "photo"_L1, Expected::Text, photo },
                                { "sous-formulaire"_L1, Expected::Object, subValue } });
    const QCborMap sub = subValue.toMap();
    const QCborValue color = sub.value("color"_L1), price = sub.value("price"_L1),
                     stock = sub.value("stock"_L1);
    check.members(sub, { { "color"_L1, Expected::Text, color },
                         { "price"_L1, Expected::Price, price },
                         { "stock"_L1, Expected::Stock, stock } },
                  subValue.isMap());
    // QJsonValue::toInt() refuses fractions and numbers outside the signed 32-bit range;
    // the file keeps the stock as a signed integer, so -1 stands for 4294967295.
    return Form(textOf(id), textOf(photo), textOf(color), price.toDouble(0),
                static_cast<unsigned int>(stock.toJsonValue().toInt(0)));
}

Furniture *furnitureFromJson(const std::string &category, const QCborValue &value,
                             UnkeptValuesCheck &check)
{
    const QCborMap json = value.toMap();
    const QCborValue name = json.value("name"_L1), description = json.value("description"_L1),
                     designer = json.value("designer"_L1), dimension = json.value("dimension"_L1),
                     variants = json.value("specificite"_L1);
    check.listed(value, json, { { "name"_L1, Expected::Text, name },
                                { "description"_L1, Expected::Text, description },
                                { "designer"_L1, Expected::Text, designer },
                                { "dimension"_L1, Expected::Object, dimension },
                                { "specificite"_L1, Expected::Array, variants } });
    // Checked before the variants, so that the examples come in the file's order.
    Dimension dim = dimensionFromJson(dimension, check);
    const QCborArray formsJson = variants.toArray();
    std::vector<Form> forms;
    forms.reserve(size_t(formsJson.size()));
    for (const QCborValue &form : formsJson)
        forms.push_back(formFromJson(form, check));
    return new Furniture(category, textOf(name), textOf(description), textOf(designer),
                         std::move(dim), std::move(forms));
}

void writeDimension(IndentedJsonWriter &out, const Dimension &dim)
{
    out.beginObject("dimension"_L1);
    out.member("height"_L1, dim.getHeight());
    out.member("length"_L1, dim.getLength());
    out.member("weight"_L1, dim.getWeight());
    out.member("width"_L1, dim.getWidth());
    out.endObject();
}

void writeForm(IndentedJsonWriter &out, const Form &form)
{
    out.beginObject();
    out.member("id"_L1, form.getId());
    out.member("photo"_L1, form.getPhoto());
    out.beginObject("sous-formulaire"_L1);
    out.member("color"_L1, form.getColor());
    out.member("price"_L1, form.getPrice());
    out.member("stock"_L1, static_cast<int>(form.getStock()));
    out.endObject();
    out.endObject();
}

// Each element is written as a category entry of its own.
void writeFurniture(IndentedJsonWriter &out, const Furniture &furniture)
{
    out.beginObject();
    out.beginObject("category"_L1);
    out.beginArray("elements"_L1);
    out.beginObject();
    out.member("description"_L1, furniture.getDesc());
    out.member("designer"_L1, furniture.getDesigner());
    writeDimension(out, furniture.getDim());
    out.member("name"_L1, furniture.getName());
    out.beginArray("specificite"_L1);
    for (const Form &form : furniture.getForms())
        writeForm(out, form);
    out.endArray();
    out.endObject();
    out.endArray();
    out.member("name"_L1, furniture.getCategory());
    out.endObject();
    out.endObject();
}

// Where the parser stopped, counted in lines and characters from 1.
// The records of the parsed entries from `first` on, after those read plainly.
void furnituresFromJson(const QCborArray &entries, qsizetype first, UnkeptValuesCheck &check,
                        std::vector<std::unique_ptr<Furniture>> &furnitures)
{
    for (qsizetype i = first; i < entries.size(); ++i) {
        const QCborValue entry = entries.at(i);
        const QCborValue categoryValue = entry.toMap().value("category"_L1);
        check.entry(entry, categoryValue);
        const QCborMap category = categoryValue.toMap();
        const QCborValue name = category.value("name"_L1), elementsValue = category.value("elements"_L1);
        check.category(categoryValue, name, elementsValue);
        const std::string categoryName = textOf(name);
        // Read through a const array, which leaves it shared with the document.
        const QCborArray elements = elementsValue.toArray();
        for (const QCborValue &element : elements)
            furnitures.emplace_back(furnitureFromJson(categoryName, element, check));
    }
}

FileResult notJson(const QByteArray &bytes, const QJsonParseError &error)
{
    FileResult result;
    result.outcome = FileResult::NotJson;
    result.reason = error.errorString();
    const QByteArray before = bytes.left(error.offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    result.line = before.count('\n') + 1;
    result.column = QString::fromUtf8(before.mid(lineStart)).size() + 1;
    return result;
}

// Whether `bytes` are one JSON value that is neither an array nor an object, such as "1" or
// "true": JSON all the same, which the toolkit's document cannot hold, so it calls them
// malformed. Such a file holds no list of categories rather than no JSON.
bool isJsonValue(const QByteArray &bytes)
{
    const QJsonDocument wrapped = QJsonDocument::fromJson('[' + bytes + ']');
    return wrapped.isArray() && wrapped.array().size() == 1 && !wrapped.array().first().isArray()
            && !wrapped.array().first().isObject();
}

// Parses a catalogue file's bytes into `document`; says why they hold no catalogue.
FileResult parse(const QByteArray &bytes, QJsonDocument &document)
{
    QJsonParseError error;
    document = QJsonDocument::fromJson(bytes, &error);
    FileResult result;
    if (bytes.isEmpty())
        result.outcome = FileResult::EmptyFile;
    else if (error.error != QJsonParseError::NoError && !isJsonValue(bytes))
        return notJson(bytes, error);
    else if (!document.isArray())
        result.outcome = FileResult::NotCatalogue;
    return result;
}

// Files are known by their folder as the kernel reaches it and their own name, which
// stays what it was when someone swaps the file for a link.
QString absolute(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
    return QDir(DiskFile::reachedPath(folder)).filePath(path.mid(slash + 1));
}

// Refuses, before anything is parsed or built, a file whose contents would take more
// memory than a catalogue may. The same pass over the bytes notes into `unkept` what the
// parsed document will no longer show.
FileResult checkOpeningMemory(const QByteArray &bytes, UnkeptValues &unkept)
{
    OpeningCount count(recordSizes);
    UnkeptBytesCheck check(unkept);
    count.scan(bytes, &check, SetOfFurnitures::maxOpeningMemory);
    FileResult result;
    if (count.bytes(bytes.size()) > SetOfFurnitures::maxOpeningMemory)
        result.outcome = FileResult::TooMuchContent;
    return result;
}

} // namespace

qint64 SetOfFurnitures::openingMemory(QByteArrayView bytes)
{
    OpeningCount count(recordSizes);
    count.scan(bytes);
    return count.bytes(bytes.size());
}

bool SetOfFurnitures::opens(QByteArrayView bytes)
{
    const QByteArray held = QByteArray::fromRawData(bytes.data(), bytes.size());
    UnkeptValues unkept;
    QJsonDocument document;
    return checkOpeningMemory(held, unkept).ok() && parse(held, document).ok();
}

FileResult SetOfFurnitures::load(const QString &path)
{
    UnkeptValues unkept;
    return load(path, unkept);
}

FileResult SetOfFurnitures::load(const QString &path, UnkeptValues &unkept)
{
    QByteArray bytes;
    FileStamp stamp;
    if (const FileResult read = DiskFile::read(path, maxFileSize, bytes, &stamp); !read.ok()) {
        qCritical("Error: file not open");
        return read;
    }
    UnkeptValues found;
    if (const FileResult bounded = checkOpeningMemory(bytes, found); !bounded.ok())
        return bounded;
    // A file whose bytes hide nothing from a parse may be a plain one, read straight into
    // records; a Save then writes otherwise only the members it lacks. Of a file that is
    // not, the entries read plainly before the first that is not are kept.
    PlainCatalogue::Reading plain;
    if (found.isEmpty()) {
        plain = PlainCatalogue::read(bytes);
        found = std::move(plain.missing);
    }
    if (!plain.whole) {
        QJsonDocument document;
        if (const FileResult parsed = parse(bytes, document); !parsed.ok())
            return parsed;
        // The file's bytes are done with: freeing them before the records are built lowers
        // the peak by the size of the file.
        bytes = QByteArray();
        UnkeptValuesCheck check(found);
        furnituresFromJson(QCborArray::fromJsonArray(document.array()), plain.entries, check, plain.furnitures);
    }
    for (std::unique_ptr<Furniture> &furniture : plain.furnitures)
        addFurniture(furniture.release());
    unkept = std::move(found);
    knownFiles.insert(absolute(path), stamp);
    return {};
}

FileResult SetOfFurnitures::save(const QString &path)
{
    return save(path, IfLocked::Wait);
}

FileResult SetOfFurnitures::save(const QString &path, IfLocked ifLocked)
{
    return write(path, nullptr, ifLocked);
}

FileResult SetOfFurnitures::saveUnlessChanged(const QString &path)
{
    return saveUnlessChanged(path, IfLocked::Wait);
}

FileResult SetOfFurnitures::saveUnlessChanged(const QString &path, IfLocked ifLocked)
{
    return saveUnlessChangedSince(path, *this, ifLocked);
}

FileResult SetOfFurnitures::saveUnlessChangedSince(const QString &path, const SetOfFurnitures &reader,
                                                   IfLocked ifLocked)
{
    const auto known = reader.knownFiles.constFind(absolute(path));
    // A copy: writing records this catalogue's own stamp of the file, maybe in the same table.
    const std::optional<FileStamp> since = known != reader.knownFiles.constEnd() ? std::optional(*known) : std::nullopt;
    return write(path, since ? &*since : nullptr, ifLocked);
}

QByteArray SetOfFurnitures::fileText(const std::vector<const Furniture *> &elements)
{
    IndentedJsonWriter out;
    out.beginArray();
    for (const Furniture *furniture : elements)
        writeFurniture(out, *furniture);
    out.endArray();
    return out.text();
}

FileResult SetOfFurnitures::write(const QString &path, const FileStamp *unchangedSince, IfLocked ifLocked)
{
    FileStamp stamp;
    const FileResult result = DiskFile::write(path, fileText({ furnitures.cbegin(), furnitures.cend() }), &stamp,
                                              { unchangedSince, maxFileSize, ifLocked == IfLocked::Wait,
                                                knownFiles.contains(absolute(path)), &SetOfFurnitures::opens });
    switch (result.outcome) {
    case FileResult::Done:
        knownFiles.insert(absolute(path), stamp);
        break;
    case FileResult::ChangedOnDisk:
        break;
    case FileResult::CannotOpen:
    case FileResult::NotRegularFile:
        qCritical("Error: file not open");
        break;
    case FileResult::RestoreFailed:
        qCritical("Error: could not write %s, and its previous contents could not be put back",
                  qUtf8Printable(path));
        break;
    default:
        qCritical("Error: could not write %s, the previous file is kept", qUtf8Printable(path));
    }
    return result;
}

bool SetOfFurnitures::changedOnDisk(const QString &path) const
{
    const std::optional<FileStamp> known = stampOf(path);
    return known && known->changedOnDisk(path);
}

std::optional<FileStamp> SetOfFurnitures::stampOf(const QString &path) const
{
    const auto known = knownFiles.constFind(absolute(path));
    return known != knownFiles.constEnd() ? std::optional<FileStamp>(*known) : std::nullopt;
}
