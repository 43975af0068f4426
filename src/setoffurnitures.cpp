#include "setoffurnitures.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSaveFile>

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
// type reads as an empty text, object or array, or as 0.
namespace {

std::string textOf(const QJsonObject &object, QLatin1StringView key)
{
    return object.value(key).toString().toStdString();
}

Dimension dimensionFromJson(const QJsonObject &json)
{
    return Dimension(textOf(json, "length"_L1), textOf(json, "height"_L1),
                     textOf(json, "width"_L1), textOf(json, "weight"_L1));
}

Form formFromJson(const QJsonObject &json)
{
    const QJsonObject sub = json.value("sous-formulaire"_L1).toObject();
    // toInt() refuses fractions and numbers outside the signed 32-bit range; the file
    // keeps the stock as a signed integer, so -1 stands for 4294967295.
    const auto stock = static_cast<unsigned int>(sub.value("stock"_L1).toInt(0));
    return Form(textOf(json, "id"_L1), textOf(json, "photo"_L1), textOf(sub, "color"_L1),
                sub.value("price"_L1).toDouble(0), stock);
}

Furniture *furnitureFromJson(const std::string &category, const QJsonObject &json)
{
    const QJsonArray formsJson = json.value("specificite"_L1).toArray();
    std::vector<Form> forms;
    forms.reserve(formsJson.size());
    for (const QJsonValue &form : formsJson)
        forms.push_back(formFromJson(form.toObject()));
    return new Furniture(category, textOf(json, "name"_L1), textOf(json, "description"_L1),
                         textOf(json, "designer"_L1),
                         dimensionFromJson(json.value("dimension"_L1).toObject()),
                         std::move(forms));
}

QString textFrom(const std::string &text)
{
    return QString::fromStdString(text);
}

QJsonObject toJson(const Dimension &dim)
{
    return { { "height"_L1, textFrom(dim.getHeight()) },
             { "length"_L1, textFrom(dim.getLength()) },
             { "weight"_L1, textFrom(dim.getWeight()) },
             { "width"_L1, textFrom(dim.getWidth()) } };
}

QJsonObject toJson(const Form &form)
{
    const QJsonObject sub { { "color"_L1, textFrom(form.getColor()) },
                            { "price"_L1, form.getPrice() },
                            { "stock"_L1, static_cast<int>(form.getStock()) } };
    return { { "id"_L1, textFrom(form.getId()) },
             { "photo"_L1, textFrom(form.getPhoto()) },
             { "sous-formulaire"_L1, sub } };
}

// Each element is written as a category entry of its own.
QJsonObject toJson(const Furniture &furniture)
{
    QJsonArray forms;
    for (const Form &form : furniture.getForms())
        forms.append(toJson(form));
    const QJsonObject element { { "description"_L1, textFrom(furniture.getDesc()) },
                                { "designer"_L1, textFrom(furniture.getDesigner()) },
                                { "dimension"_L1, toJson(furniture.getDim()) },
                                { "name"_L1, textFrom(furniture.getName()) },
                                { "specificite"_L1, forms } };
    const QJsonObject category { { "elements"_L1, QJsonArray { element } },
                                 { "name"_L1, textFrom(furniture.getCategory()) } };
    return { { "category"_L1, category } };
}

} // namespace

bool SetOfFurnitures::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCritical("Error: file not open");
        return false;
    }
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isArray())
        return false;

    for (const QJsonValue &entry : document.array()) {
        const QJsonObject category = entry.toObject().value("category"_L1).toObject();
        const std::string categoryName = textOf(category, "name"_L1);
        for (const QJsonValue &element : category.value("elements"_L1).toArray())
            addFurniture(furnitureFromJson(categoryName, element.toObject()));
    }
    return true;
}

void SetOfFurnitures::save(const QString &path) const
{
    QJsonArray entries;
    for (const Furniture *furniture : furnitures)
        entries.append(toJson(*furniture));
    const QByteArray bytes = QJsonDocument(entries).toJson(QJsonDocument::Indented);

    // Write beside the target and rename over it only when every byte reached the disk,
    // so a full disk or an I/O error never costs the previous file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCritical("Error: file not open");
        return;
    }
    if (file.write(bytes) != bytes.size() || !file.flush())
        file.cancelWriting();
    if (!file.commit())
        qCritical("Error: could not write %s, the previous file is kept", qUtf8Printable(path));
}
