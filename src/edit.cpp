#include "edit.h"
#include "ui_edit.h"

#include "picturefile.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

SetOfFurnitures Edit::sof;

namespace {

const QString imagesPath = QStringLiteral("../../Images/");
const QString readOnlyStyle = QStringLiteral("background-color: lightgray;");
const QString editableStyle = QStringLiteral("background-color: white;");

std::string textOf(const QLineEdit *field)
{
    return field->text().toStdString();
}

// Either "." or "," separates the decimals; anything that is not a number reads as 0.
double priceOf(const QLineEdit *field)
{
    bool ok = false;
    const double price = QString(field->text()).replace(u',', u'.').toDouble(&ok);
    return ok && std::isfinite(price) ? price : 0;
}

unsigned int stockOf(const QLineEdit *field)
{
    bool ok = false;
    const unsigned int stock = field->text().toUInt(&ok);
    return ok ? stock : 0;
}

// The first three "."-separated groups of a variant identifier.
struct IdGroups
{
    std::string_view category, element, variant;
    bool complete = false; // the identifier has at least three groups
};

IdGroups splitGroups(std::string_view id)
{
    IdGroups groups;
    const size_t first = id.find('.');
    groups.category = id.substr(0, first);
    if (first == std::string_view::npos)
        return groups;
    const size_t second = id.find('.', first + 1);
    groups.element = id.substr(first + 1, second - first - 1);
    if (second == std::string_view::npos)
        return groups;
    const size_t third = id.find('.', second + 1);
    groups.variant = id.substr(second + 1, third - second - 1);
    groups.complete = true;
    return groups;
}

// A group that is not a plain decimal number reads as 0.
std::uint64_t numberOf(std::string_view group)
{
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(group.data(), group.data() + group.size(), number);
    if (error != std::errc() || end != group.data() + group.size() || number == UINT64_MAX)
        return 0;
    return number;
}

// 1 -> "001", 42 -> "042", 1000 -> "1000".
std::string formatGroup(std::uint64_t number)
{
    std::string text = std::to_string(number);
    if (text.size() < 3)
        text.insert(0, 3 - text.size(), '0');
    return text;
}

// One more than the highest group that `pick` takes from the identifiers it accepts.
template<typename Pick>
std::string nextGroup(const std::vector<Furniture *> &furnitures, Pick pick)
{
    std::uint64_t highest = 0;
    for (const Furniture *furniture : furnitures) {
        for (const Form &form : furniture->getForms()) {
            if (const std::optional<std::string_view> group = pick(splitGroups(form.getId())))
                highest = std::max(highest, numberOf(*group));
        }
    }
    return formatGroup(highest + 1);
}

} // namespace

Edit::Edit(QWidget *parent) : QWidget(parent), ui(new Ui::Edit)
{
    ui->setupUi(this);
    ui->pushButtonEdit->hide();
    ui->pushButtonDelete->hide();
    setReadOnly(false);
    installValidators();
}

Edit::Edit(QWidget *parent, Furniture *furniture, std::string id)
    : QWidget(parent), ui(new Ui::Edit), shownId(std::move(id))
{
    Q_ASSERT(furniture);
    ui->setupUi(this);
    ui->pushButtonSave->hide();
    setReadOnly(true);
    installValidators();

    // With several variants of this identifier, the last one is shown.
    for (const Form &form : furniture->getForms()) {
        if (form.getId() != *shownId)
            continue;
        const QString photo = QString::fromStdString(form.getPhoto());
        splitID(QString::fromStdString(form.getId()));
        loadImage(photo);
        ui->lineEditPhoto->setText(photo);
        ui->lineEditColor->setText(QString::fromStdString(form.getColor()));
        ui->lineEditPrice->setText(QString::number(form.getPrice(), 'g', 6));
        ui->lineEditStock->setText(QString::number(form.getStock()));
    }
    const Dimension &dim = furniture->getDim();
    ui->lineEditCatName->setText(QString::fromStdString(furniture->getCategory()));
    ui->lineEditElementName->setText(QString::fromStdString(furniture->getName()));
    ui->lineEditDescription->setText(QString::fromStdString(furniture->getDesc()));
    ui->lineEditLength->setText(QString::fromStdString(dim.getLength()));
    ui->lineEditHeight->setText(QString::fromStdString(dim.getHeight()));
    ui->lineEditWidth->setText(QString::fromStdString(dim.getWidth()));
    ui->lineEditWeight->setText(QString::fromStdString(dim.getWeight()));
    ui->lineEditDesigner->setText(QString::fromStdString(furniture->getDesigner()));
    // Show long texts from their beginning, not from where setText() leaves the cursor.
    for (QLineEdit *field : editableFields())
        field->setCursorPosition(0);
    rememberShownTexts();
}

Edit::~Edit()
{
    delete ui;
}

void Edit::installValidators()
{
    const auto install = [](QLineEdit *field, const QString &pattern, int maxLength) {
        field->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), field));
        if (maxLength > 0)
            field->setMaxLength(maxLength);
    };
    const QString digits = QStringLiteral("[0-9]*");
    const QString measure = QStringLiteral("^[0-9]{1,3}([.,][0-9]{1,2})?$");
    // Identifier groups are never typed, so they get no length limit: a group above 999
    // must be shown whole.
    for (QLineEdit *field : { ui->lineEditID1, ui->lineEditID2, ui->lineEditID3 })
        install(field, digits, 0);
    for (QLineEdit *field :
         { ui->lineEditLength, ui->lineEditHeight, ui->lineEditWidth, ui->lineEditWeight })
        install(field, measure, 6);
    install(ui->lineEditPrice, QStringLiteral("^[0-9]{1,4}([.,][0-9]{1,2})?$"), 6);
    install(ui->lineEditStock, digits, 5);
}

QList<QLineEdit *> Edit::editableFields() const
{
    return { ui->lineEditCatName, ui->lineEditElementName, ui->lineEditDescription,
             ui->lineEditLength,  ui->lineEditHeight,      ui->lineEditWidth,
             ui->lineEditWeight,  ui->lineEditDesigner,    ui->lineEditPhoto,
             ui->lineEditColor,   ui->lineEditPrice,       ui->lineEditStock };
}

void Edit::setReadOnly(bool value)
{
    for (QLineEdit *field : { ui->lineEditID1, ui->lineEditID2, ui->lineEditID3 }) {
        field->setReadOnly(true);
        field->setStyleSheet(readOnlyStyle);
    }
    for (QLineEdit *field : editableFields()) {
        field->setReadOnly(value);
        field->setStyleSheet(value ? readOnlyStyle : editableStyle);
    }
}

void Edit::splitID(QString id)
{
    const QStringList groups = id.split(u'.');
    ui->lineEditID1->setText(groups.value(0));
    ui->lineEditID2->setText(groups.value(1));
    ui->lineEditID3->setText(groups.value(2));
}

void Edit::loadImage(QString fileName)
{
    if (fileName.isEmpty()) {
        ui->labelImage->setText(tr("No image"));
        return;
    }
    const QString path = imagesPath + fileName;
    setWindowTitle(QFileInfo(path).fileName());
    QPixmap picture;
    switch (loadPicture(path, picture)) {
    case PictureStatus::NoName:
        ui->labelImage->setText(tr("No image"));
        break;
    case PictureStatus::UnsupportedFormat:
        ui->labelImage->setText(tr("Unsupported image format"));
        break;
    case PictureStatus::NotFound:
        ui->labelImage->setText(tr("Image not found"));
        break;
    case PictureStatus::Loaded:
        ui->labelImage->setPixmap(picture.scaled(ui->labelImage->size(), Qt::KeepAspectRatio,
                                                 Qt::SmoothTransformation));
        break;
    }
}

void Edit::rememberShownTexts()
{
    for (const QLineEdit *field : editableFields())
        shownTexts.insert(field, field->text());
}

bool Edit::edited(const QLineEdit *field) const
{
    return field->text() != shownTexts.value(field);
}

// A field may show its value cut or rounded (a stock above 99999, a price of 1234.56);
// unless the user changed the field, the stored value stays exactly as it was.
std::string Edit::textOr(const QLineEdit *field, const std::string &stored) const
{
    return edited(field) ? textOf(field) : stored;
}

void Edit::on_pushButtonClose_clicked()
{
    emit sendInfoToMainWindow(sof);
    close();
}

void Edit::on_pushButtonEdit_clicked()
{
    setReadOnly(false);
    ui->pushButtonEdit->hide();
    ui->pushButtonSave->show();
}

void Edit::on_pushButtonSave_clicked()
{
    if (shownId)
        updateShownVariant();
    else
        insertNewVariant();
}

void Edit::updateShownVariant()
{
    ui->pushButtonEdit->show();
    ui->pushButtonSave->hide();
    setReadOnly(true);
    loadImage(ui->lineEditPhoto->text());

    const auto isShown = [this](const Form &form) { return form.getId() == *shownId; };
    for (Furniture *furniture : sof.getFurnitures()) {
        if (std::none_of(furniture->getForms().begin(), furniture->getForms().end(), isShown))
            continue;
        std::vector<Form> forms = furniture->getForms();
        for (Form &form : forms) {
            if (!isShown(form))
                continue;
            form.setPhoto(textOr(ui->lineEditPhoto, form.getPhoto()));
            form.setColor(textOr(ui->lineEditColor, form.getColor()));
            if (edited(ui->lineEditPrice))
                form.setPrice(priceOf(ui->lineEditPrice));
            if (edited(ui->lineEditStock))
                form.setStock(stockOf(ui->lineEditStock));
        }
        furniture->setForms(std::move(forms));

        const Dimension &dim = furniture->getDim();
        furniture->setDim(Dimension(textOr(ui->lineEditLength, dim.getLength()),
                                    textOr(ui->lineEditHeight, dim.getHeight()),
                                    textOr(ui->lineEditWidth, dim.getWidth()),
                                    textOr(ui->lineEditWeight, dim.getWeight())));
        furniture->setCategory(textOr(ui->lineEditCatName, furniture->getCategory()));
        furniture->setName(textOr(ui->lineEditElementName, furniture->getName()));
        furniture->setDesc(textOr(ui->lineEditDescription, furniture->getDesc()));
        furniture->setDesigner(textOr(ui->lineEditDesigner, furniture->getDesigner()));
    }
    rememberShownTexts();
}

void Edit::insertNewVariant()
{
    loadImage(ui->lineEditPhoto->text());
    const std::string category = textOf(ui->lineEditCatName);
    const std::string name = textOf(ui->lineEditElementName);
    const std::string color = textOf(ui->lineEditColor);
    const std::vector<Furniture *> furnitures = sof.getFurnitures();

    // Find the numbers in use for this category and this element. The element number
    // is taken together with its own category number, so that a category whose elements
    // carry different category numbers still yields an identifier nobody else holds.
    std::optional<std::string_view> categoryNumber, elementNumber;
    for (const Furniture *furniture : furnitures) {
        if (furniture->getCategory() != category)
            continue;
        const bool sameName = furniture->getName() == name;
        for (const Form &form : furniture->getForms()) {
            const IdGroups groups = splitGroups(form.getId());
            if (!groups.complete)
                continue;
            if (!sameName) {
                if (!elementNumber)
                    categoryNumber = groups.category;
                continue;
            }
            categoryNumber = groups.category;
            elementNumber = groups.element;
            if (form.getColor() == color) {
                QMessageBox::warning(this, tr("Error"), tr("All ready element exist"));
                close();
                return;
            }
        }
    }

    std::string id;
    if (!categoryNumber) {
        id = nextGroup(furnitures, [](const IdGroups &g) { return std::optional(g.category); })
            + ".001.001";
    } else if (!elementNumber) {
        id = std::string(*categoryNumber) + '.'
            + nextGroup(furnitures,
                        [&](const IdGroups &g) {
                            return g.complete && g.category == *categoryNumber
                                ? std::optional(g.element)
                                : std::nullopt;
                        })
            + ".001";
    } else {
        id = std::string(*categoryNumber) + '.' + std::string(*elementNumber) + '.'
            + nextGroup(furnitures, [&](const IdGroups &g) {
                  return g.complete && g.category == *categoryNumber && g.element == *elementNumber
                      ? std::optional(g.variant)
                      : std::nullopt;
              });
    }

    const Form form(id, textOf(ui->lineEditPhoto), color, priceOf(ui->lineEditPrice),
                    stockOf(ui->lineEditStock));
    if (elementNumber) {
        for (Furniture *furniture : furnitures) {
            if (furniture->getCategory() == category && furniture->getName() == name
                && !furniture->getForms().empty())
                furniture->addForm(form);
        }
    } else {
        sof.addFurniture(new Furniture(category, name, textOf(ui->lineEditDescription),
                                       textOf(ui->lineEditDesigner),
                                       Dimension(textOf(ui->lineEditLength),
                                                 textOf(ui->lineEditHeight),
                                                 textOf(ui->lineEditWidth),
                                                 textOf(ui->lineEditWeight)),
                                       { form }));
    }
    on_pushButtonClose_clicked();
}

void Edit::on_pushButtonDelete_clicked()
{
    const QMessageBox::StandardButton answer =
            QMessageBox::question(this, tr("Confirmation"),
                                  tr("Are you sure you want to remove this item?"),
                                  QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;

    // Each element loses its first variant with the shown identifier; an element left
    // without variants leaves the catalogue.
    std::vector<Furniture *> furnitures = sof.getFurnitures();
    for (auto it = furnitures.begin(); it != furnitures.end();) {
        const std::vector<Form> &forms = (*it)->getForms();
        const auto shown = std::find_if(forms.begin(), forms.end(), [this](const Form &form) {
            return form.getId() == *shownId;
        });
        if (shown == forms.end()) {
            ++it;
        } else if (forms.size() == 1) {
            delete *it;
            it = furnitures.erase(it);
        } else {
            std::vector<Form> rest = forms;
            rest.erase(rest.begin() + (shown - forms.begin()));
            (*it)->setForms(std::move(rest));
            ++it;
        }
    }
    sof.setFurnitures(std::move(furnitures));
    on_pushButtonClose_clicked();
}
