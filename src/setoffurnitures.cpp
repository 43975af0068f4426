#include "setoffurnitures.h"

#include "indentedjsonwriter.h"
#include "openingcount.h"

#include <QCborArray>
#include <QCborMap>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QLoggingCategory>

#include <exception>
#include <iostream>
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

// Catalogue texts are nearly always ASCII, which is narrowed straight into the result;
// QString::toStdString() would first build a QByteArray.
std::string textOf(const QCborMap &object, QLatin1StringView key)
{
    const QString text = object.value(key).toString();
    std::string narrow(size_t(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit >= 0x80)
            return text.toStdString();
        narrow[size_t(i)] = char(unit);
    }
    return narrow;
}

Dimension dimensionFromJson(const QCborMap &json)
{
    return Dimension(textOf(json, "length"_L1), textOf(json, "height"_L1),
                     textOf(json, "width"_L1), textOf(json, "weight"_L1));
}

Form formFromJson(const QCborMap &json)
{
    const QCborMap sub = json.value("sous-formulaire"_L1).toMap();
    // QJsonValue::toInt() refuses fractions and numbers outside the signed 32-bit range;
    // the file keeps the stock as a signed integer, so -1 stands for 4294967295.
    const auto stock =
            static_cast<unsigned int>(sub.value("stock"_L1).toJsonValue().toInt(0));
    return Form(textOf(json, "id"_L1), textOf(json, "photo"_L1), textOf(sub, "color"_L1),
                sub.value("price"_L1).toDouble(0), stock);
}

Furniture *furnitureFromJson(const std::string &category, const QCborMap &json)
{
    const QCborArray formsJson = json.value("specificite"_L1).toArray();
    std::vector<Form> forms;
    forms.reserve(size_t(formsJson.size()));
    for (const QCborValue &form : formsJson)
        forms.push_back(formFromJson(form.toMap()));
    return new Furniture(category, textOf(json, "name"_L1), textOf(json, "description"_L1),
                         textOf(json, "designer"_L1),
                         dimensionFromJson(json.value("dimension"_L1).toMap()),
                         std::move(forms));
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

// Parses a catalogue file's bytes into `document`; says why they hold no catalogue.
FileResult parse(const QByteArray &bytes, QJsonDocument &document)
{
    QJsonParseError error;
    document = QJsonDocument::fromJson(bytes, &error);
    FileResult result;
    if (bytes.isEmpty())
        result.outcome = FileResult::EmptyFile;
    else if (error.error != QJsonParseError::NoError)
        return notJson(bytes, error);
    else if (!document.isArray())
        result.outcome = FileResult::NotCatalogue;
    return result;
}

QString absolute(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

// Refuses, before anything is parsed or built, a file whose contents would take more
// memory than a catalogue may.
FileResult checkOpeningMemory(const QByteArray &bytes)
{
    FileResult result;
    if (SetOfFurnitures::openingMemory(bytes) > SetOfFurnitures::maxOpeningMemory)
        result.outcome = FileResult::TooMuchContent;
    return result;
}

} // namespace

qint64 SetOfFurnitures::openingMemory(QByteArrayView bytes)
{
    OpeningCount count;
    count.scan(bytes);
    return count.bytes(bytes.size());
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
    if (const FileResult bounded = checkOpeningMemory(bytes); !bounded.ok())
        return bounded;
    QJsonDocument document;
    if (const FileResult parsed = parse(bytes, document); !parsed.ok())
        return parsed;
    unkept = findUnkeptValues(bytes, document);
    // The file's bytes are done with: freeing them before the records are built lowers
    // the peak by the size of the file.
    bytes = QByteArray();

    const QCborArray entries = QCborArray::fromJsonArray(document.array());
    for (const QCborValue &entry : entries) {
        const QCborMap category = entry.toMap().value("category"_L1).toMap();
        const std::string categoryName = textOf(category, "name"_L1);
        const QCborArray elements = category.value("elements"_L1).toArray();
        for (const QCborValue &element : elements)
            addFurniture(furnitureFromJson(categoryName, element.toMap()));
    }
    knownFiles.insert(absolute(path), stamp);
    return {};
}

FileResult SetOfFurnitures::save(const QString &path)
{
    return write(path, nullptr);
}

FileResult SetOfFurnitures::saveUnlessChanged(const QString &path)
{
    const auto known = knownFiles.constFind(absolute(path));
    return write(path, known != knownFiles.constEnd() ? &*known : nullptr);
}

FileResult SetOfFurnitures::write(const QString &path, const FileStamp *unchangedSince)
{
    IndentedJsonWriter out;
    out.beginArray();
    for (const Furniture *furniture : furnitures)
        writeFurniture(out, *furniture);
    out.endArray();

    FileStamp stamp;
    const FileResult result = DiskFile::write(path, out.text(), &stamp, { unchangedSince, maxFileSize });
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
    const auto known = knownFiles.constFind(absolute(path));
    return known != knownFiles.constEnd() && known->changedOnDisk(path);
}
