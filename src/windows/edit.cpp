#include "edit.h"
#include "ui_edit.h"

#include "cataloguecommands.h"
#include "fieldtext.h"
#include "photofolders.h"
#include "picturefile.h"
#include "picturelabel.h"
#include "typingvalidator.h"

#include <QCloseEvent>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

SetOfFurnitures Edit::sof;
QUndoStack &Edit::history = Edit::document().history();

// Made on first use, after the catalogue it holds, and so destroyed before it.
CatalogueDocument &Edit::document()
{
    static CatalogueDocument document(sof);
    return document;
}

namespace {

const QString readOnlyStyle = QStringLiteral("background-color: lightgray;");
const QString editableStyle = QStringLiteral("background-color: white;");

// A field holding as many characters as the toolkit lets it may show a stored text cut.
bool isFull(const QLineEdit *field)
{
    return field->text().size() >= field->maxLength();
}

// Shows a stored text whole. One longer than even the toolkit lets a field hold would be
// cut; its field stays read-only and says why, and the stored text is saved untouched.
void showStored(QLineEdit *field, const QString &text)
{
    if (auto *validator = field->findChild<TypingValidator *>())
        validator->admit(text);
    field->setText(text);
    if (text.size() > field->maxLength())
        field->setToolTip(Edit::tr("This text is too long to be edited here; it is kept as it is."));
}

std::string textOf(const QLineEdit *field)
{
    return field->text().toStdString();
}

double priceOf(const QLineEdit *field)
{
    return FieldText::toPrice(field->text());
}

unsigned int stockOf(const QLineEdit *field)
{
    return FieldText::toStock(field->text());
}

// The place of the last variant of `furniture` whose identifier is `id`; past the end when
// there is none.
std::size_t lastVariantWithId(const Furniture *furniture, const std::string &id)
{
    if (!furniture)
        return 0;
    const std::vector<Form> &forms = furniture->getForms();
    const auto last = std::find_if(forms.rbegin(), forms.rend(),
                                   [&id](const Form &form) { return form.getId() == id; });
    return last == forms.rend() ? forms.size() : std::size_t(forms.rend() - last - 1);
}

} // namespace

Edit::Edit(QWidget *parent) : QWidget(parent), ui(new Ui::Edit)
{
    ui->setupUi(this);
    addPhotoChooser();
    ui->pushButtonEdit->hide();
    ui->pushButtonDelete->hide();
    setReadOnly(false);
    installValidators();
}

Edit::Edit(QWidget *parent, Furniture *furniture, std::string id)
    : Edit(parent, furniture, lastVariantWithId(furniture, id))
{
}

// Without an element, or without a variant at `variant`, the variant fields stay empty and
// Save and Delete act as for a variant that has gone.
Edit::Edit(QWidget *parent, Furniture *furniture, std::size_t variant)
    : QWidget(parent), ui(new Ui::Edit), shownSerial(0)
{
    ui->setupUi(this);
    addPhotoChooser();
    ui->pushButtonSave->hide();
    setReadOnly(true);
    installValidators();
    showVariant(furniture, variant);
    connect(&document(), &CatalogueDocument::changed, this, &Edit::showStoredVariant);
}

// Fills the fields from the variant at `variant` of `furniture`, and binds the editor to it.
void Edit::showVariant(const Furniture *furniture, std::size_t variant)
{
    if (furniture && variant < furniture->getForms().size()) {
        const Form &form = furniture->getForms()[variant];
        shownSerial = form.getSerial();
        const QString photo = QString::fromStdString(form.getPhoto());
        splitID(QString::fromStdString(form.getId()));
        loadImage(photo);
        showStored(ui->lineEditPhoto, photo);
        showStored(ui->lineEditColor, QString::fromStdString(form.getColor()));
        showStored(ui->lineEditPrice, FieldText::price(form.getPrice()));
        showStored(ui->lineEditStock, FieldText::stock(form.getStock()));
    }
    if (furniture) {
        const Dimension &dim = furniture->getDim();
        showStored(ui->lineEditCatName, QString::fromStdString(furniture->getCategory()));
        showStored(ui->lineEditElementName, QString::fromStdString(furniture->getName()));
        showStored(ui->lineEditDescription, QString::fromStdString(furniture->getDesc()));
        showStored(ui->lineEditLength, QString::fromStdString(dim.getLength()));
        showStored(ui->lineEditHeight, QString::fromStdString(dim.getHeight()));
        showStored(ui->lineEditWidth, QString::fromStdString(dim.getWidth()));
        showStored(ui->lineEditWeight, QString::fromStdString(dim.getWeight()));
        showStored(ui->lineEditDesigner, QString::fromStdString(furniture->getDesigner()));
    }
    // Show long texts from their beginning, not from where setText() leaves the cursor.
    for (QLineEdit *field : editableFields())
        field->setCursorPosition(0);
    rememberShownTexts();
}

Edit::~Edit()
{
    delete ui;
}

// A button at the end of the photo field, shown while the fields are editable.
void Edit::addPhotoChooser()
{
    ui->actionChoosePhoto->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    ui->lineEditPhoto->addAction(ui->actionChoosePhoto, QLineEdit::TrailingPosition);
    // A photo that was not found may have been copied where it is looked for since.
    connect(&PhotoCopies::instance(), &PhotoCopies::copied, this, [this](const QString &name) {
        if (ui->lineEditPhoto->text() == name)
            loadImage(name);
    });
}

void Edit::installValidators()
{
    // A field's own maximum length would cut the stored texts it shows as well as what is
    // typed, so every field takes the largest the toolkit allows and the validators hold
    // typing to its limits.
    for (QLineEdit *field : findChildren<QLineEdit *>())
        field->setMaxLength(std::numeric_limits<int>::max());
    const auto install = [](QLineEdit *field, const QString &pattern, const QString &storedShape,
                            int maxLength) {
        field->setValidator(new TypingValidator(pattern, storedShape, maxLength, field));
    };
    const QString digits = QStringLiteral("[0-9]*");
    const QString number = QStringLiteral("[0-9]*([.,][0-9]*)?");
    const QString measure = QStringLiteral("^[0-9]{1,3}([.,][0-9]{1,2})?$");
    // Identifier groups are never typed, so they get no length limit: a group above 999
    // must be shown whole.
    for (QLineEdit *field : { ui->lineEditID1, ui->lineEditID2, ui->lineEditID3 })
        install(field, digits, digits, std::numeric_limits<int>::max());
    for (QLineEdit *field :
         { ui->lineEditLength, ui->lineEditHeight, ui->lineEditWidth, ui->lineEditWeight })
        install(field, measure, number, 6);
    ui->lineEditPrice->setValidator(TypingValidator::forPrice(ui->lineEditPrice));
    ui->lineEditStock->setValidator(TypingValidator::forStock(ui->lineEditStock));
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
        const bool readOnly = value || isFull(field);
        field->setReadOnly(readOnly);
        field->setStyleSheet(readOnly ? readOnlyStyle : editableStyle);
    }
    ui->actionChoosePhoto->setVisible(!value);
    if (!value)
        completeFromCatalogue();
}

// The catalogue's categories and names are offered while typing, so that the usual
// spelling is one keystroke away.
void Edit::completeFromCatalogue()
{
    QStringList categories, names;
    for (const Furniture *furniture : sof.getFurnitures()) {
        categories << QString::fromStdString(furniture->getCategory());
        names << QString::fromStdString(furniture->getName());
    }
    for (auto [field, texts] : { std::pair(ui->lineEditCatName, &categories), std::pair(ui->lineEditElementName, &names) }) {
        texts->removeDuplicates();
        auto *completer = new QCompleter(*texts, field);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        delete field->completer();
        field->setCompleter(completer);
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
    if (fileName.isEmpty())
        return PictureLabel::show(*ui->labelImage, PictureStatus::NoName, {});
    const QString path = PhotoFolders::find(fileName);
    setWindowTitle(QFileInfo(path).fileName());
    QPixmap picture;
    const PictureStatus status = loadPicture(path, picture);
    PictureLabel::show(*ui->labelImage, status,
                       picture.isNull() ? picture : picture.scaled(ui->labelImage->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
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

bool Edit::hasUnsavedEdits() const
{
    const QList<QLineEdit *> fields = editableFields();
    return std::any_of(fields.begin(), fields.end(),
                       [this](const QLineEdit *field) { return edited(field); });
}

bool Edit::settleUnsavedEdits()
{
    if (!hasUnsavedEdits())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::question(
            this, tr("Unsaved changes"), tr("Save the changes made in this editor?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return saveFields();
    if (answer != QMessageBox::Discard)
        return false;
    rememberShownTexts();
    return true;
}

// Unless the user changed the field, the stored value stays exactly as it was, even where
// the field shows it in other words (a price of 59.90 as 59.9).
std::string Edit::textOr(const QLineEdit *field, const std::string &stored) const
{
    return edited(field) ? textOf(field) : stored;
}

// Where the shown variant stands; none once it has left the catalogue (deleted, here or in
// another editor, or emptied by New).
std::optional<VariantPlace> Edit::findShownVariant() const
{
    return CatalogueOperations::findVariant(sof, *shownSerial);
}

// After any step, a read-only editor shows its variant as the catalogue now holds it, and
// acts on it again if Undo brought it back. An editor in edit mode keeps what was typed.
void Edit::showStoredVariant()
{
    if (!ui->pushButtonSave->isHidden())
        return;
    if (const std::optional<VariantPlace> place = findShownVariant()) {
        showVariant(sof.getFurnitures()[place->element], place->variant);
        ui->pushButtonEdit->show();
        ui->pushButtonDelete->show();
    }
}

// Nothing is left to act on: say so, and leave the user only Close.
void Edit::reportVariantGone()
{
    QMessageBox::warning(this, tr("Error"),
                         tr("This furniture is no longer in the catalogue: nothing was changed."));
    setReadOnly(true);
    ui->pushButtonEdit->hide();
    ui->pushButtonSave->hide();
    ui->pushButtonDelete->hide();
    // What was typed can no longer be saved anywhere, so closing does not ask about it.
    rememberShownTexts();
}

void Edit::closeEvent(QCloseEvent *event)
{
    if (settleUnsavedEdits())
        event->accept();
    else
        event->ignore();
}

void Edit::on_pushButtonClose_clicked()
{
    if (!settleUnsavedEdits())
        return;
    emit sendInfoToMainWindow(sof);
    close();
}

void Edit::on_pushButtonEdit_clicked()
{
    setReadOnly(false);
    ui->pushButtonEdit->hide();
    ui->pushButtonSave->show();
}

// A new element's editor closes once its furniture is in the catalogue.
void Edit::on_pushButtonSave_clicked()
{
    if (saveFields() && !shownSerial)
        close();
}

bool Edit::saveFields()
{
    return shownSerial ? updateShownVariant() : insertNewVariant();
}

bool Edit::updateShownVariant()
{
    const std::optional<VariantPlace> place = findShownVariant();
    if (!place) {
        reportVariantGone();
        return false;
    }
    ui->pushButtonEdit->show();
    ui->pushButtonSave->hide();
    setReadOnly(true);
    loadImage(ui->lineEditPhoto->text());

    const Furniture &stored = *sof.getFurnitures()[place->element];
    Form form = stored.getForms()[place->variant];
    form.setPhoto(textOr(ui->lineEditPhoto, form.getPhoto()));
    form.setColor(textOr(ui->lineEditColor, form.getColor()));
    if (edited(ui->lineEditPrice))
        form.setPrice(priceOf(ui->lineEditPrice));
    if (edited(ui->lineEditStock))
        form.setStock(stockOf(ui->lineEditStock));

    // The element's own fields belong to all its variants.
    const Dimension &dim = stored.getDim();
    Furniture fields(textOr(ui->lineEditCatName, stored.getCategory()),
                     textOr(ui->lineEditElementName, stored.getName()),
                     textOr(ui->lineEditDescription, stored.getDesc()),
                     textOr(ui->lineEditDesigner, stored.getDesigner()),
                     Dimension(textOr(ui->lineEditLength, dim.getLength()),
                               textOr(ui->lineEditHeight, dim.getHeight()),
                               textOr(ui->lineEditWidth, dim.getWidth()),
                               textOr(ui->lineEditWeight, dim.getWeight())),
                     {});
    rememberShownTexts();
    if (CatalogueOperations::holds(sof, *place, fields, form))
        return true;
    const QString id = QString::fromStdString(form.getId());
    document().push(new ChangeCommand(sof, *place, std::move(fields), std::move(form), tr("Change %1").arg(id)));
    return true;
}

// Adds the entered furniture under the next free identifier: a new category, a new element
// of a known category, or a new colour of a known element. Its category, name and colour
// are kept without surrounding spaces.
bool Edit::insertNewVariant()
{
    loadImage(ui->lineEditPhoto->text());
    const std::optional<NewFurnitureNames> names = namesToInsert();
    if (!names)
        return false;
    const NewIdentifier next = CatalogueOperations::nextIdentifier(sof, names->category, names->name, names->color);
    // Refused, everything typed stays, so that another colour can be tried.
    switch (next.outcome) {
    case NewIdentifier::Duplicate:
        QMessageBox::warning(this, tr("Error"), tr("All ready element exist"));
        return false;
    case NewIdentifier::Exhausted:
        QMessageBox::warning(this, tr("Error"),
                             tr("The numbering cannot go higher: no identifier is left for this furniture. Nothing was added."));
        return false;
    case NewIdentifier::Issued:
        break;
    }

    auto furniture = std::make_unique<Furniture>(
            names->category, names->name, textOf(ui->lineEditDescription), textOf(ui->lineEditDesigner),
            Dimension(textOf(ui->lineEditLength), textOf(ui->lineEditHeight),
                      textOf(ui->lineEditWidth), textOf(ui->lineEditWeight)),
            std::vector<Form> { Form(next.id, textOf(ui->lineEditPhoto), names->color,
                                     priceOf(ui->lineEditPrice), stockOf(ui->lineEditStock)) });
    const QString id = QString::fromStdString(next.id);
    document().push(new AddOrDeleteCommand(sof, next, std::move(furniture), tr("Add %1").arg(id)));
    rememberShownTexts();
    emit furnitureAdded(id);
    emit sendInfoToMainWindow(sof);
    return true;
}

// The category, name and colour typed, trimmed, with the catalogue's spelling where the user
// takes it; none when one is empty or the user goes back to the editor.
std::optional<NewFurnitureNames> Edit::namesToInsert()
{
    const NewFurnitureNames typed { textOf(ui->lineEditCatName), textOf(ui->lineEditElementName),
                                    textOf(ui->lineEditColor) };
    const std::vector<NewFurnitureNames::Field> empty = CatalogueOperations::emptyFields(typed);
    if (!empty.empty()) {
        const QString fieldNames[] = { tr("Category"), tr("Name"), tr("Colour") };
        QStringList missing;
        for (NewFurnitureNames::Field field : empty)
            missing << fieldNames[field];
        QMessageBox::warning(this, tr("Error"),
                             tr("New furniture needs a category, a name and a colour. Empty: %1.")
                                     .arg(missing.join(QStringLiteral(", "))));
        return std::nullopt;
    }
    NewFurnitureNames names = CatalogueOperations::trimmed(typed);
    if (!settleSpelling(ui->lineEditCatName, names.category, CatalogueOperations::similarCategory(sof, names.category),
                        tr("The catalogue already has the category \"%1\". Use that spelling instead of \"%2\"?"))
        || !settleSpelling(ui->lineEditElementName, names.name,
                           CatalogueOperations::similarName(sof, names.category, names.name),
                           tr("This category already has the furniture \"%1\". Use that spelling instead of \"%2\"?")))
        return std::nullopt;
    return names;
}

// Where the catalogue spells `text` otherwise (`existing`), asks, in the words of `asking`,
// which spelling to keep; the field then shows it. False when the user goes back to the editor.
bool Edit::settleSpelling(QLineEdit *field, std::string &text, const std::optional<std::string> &existing,
                          const QString &asking)
{
    if (!existing)
        return true;
    const QString theirs = QString::fromStdString(*existing), typed = QString::fromStdString(text);
    QMessageBox question(QMessageBox::Question, tr("Similar name"), asking.arg(theirs, typed),
                         QMessageBox::Cancel, this);
    QPushButton *useTheirs = question.addButton(tr("Use \"%1\"").arg(theirs), QMessageBox::AcceptRole);
    const QPushButton *keep = question.addButton(tr("Keep \"%1\"").arg(typed), QMessageBox::RejectRole);
    question.setDefaultButton(useTheirs);
    question.exec();
    if (question.clickedButton() == useTheirs)
        text = *existing;
    else if (question.clickedButton() != keep)
        return false;
    field->setText(QString::fromStdString(text));
    return true;
}

void Edit::on_pushButtonDelete_clicked()
{
    const std::optional<VariantPlace> place = findShownVariant();
    if (!place)
        return reportVariantGone();
    const QMessageBox::StandardButton answer = QMessageBox::question(
            this, tr("Confirmation"), tr("Are you sure you want to remove this item?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;

    // An element left without variants leaves the catalogue, in the same step.
    const QString id = QString::fromStdString(sof.getFurnitures()[place->element]->getForms()[place->variant].getId());
    document().push(new AddOrDeleteCommand(sof, *place, tr("Delete %1").arg(id)));
    // The edits made to the variant went with it.
    rememberShownTexts();
    emit furnitureDeleted(id);
    emit sendInfoToMainWindow(sof);
    close();
}

// While the fields are editable, the picture follows the photo name as it is typed or chosen.
void Edit::on_lineEditPhoto_textChanged(const QString &text)
{
    if (!ui->lineEditPhoto->isReadOnly())
        loadImage(text);
}

// A picture from the photos folder is named relative to it; one from elsewhere is copied
// there first, after asking.
void Edit::on_actionChoosePhoto_triggered()
{
    const QString folder = PhotoFolders::photosFolder();
    if (folder.isEmpty()) {
        QMessageBox::warning(this, tr("Error"), tr("There is no photos folder: open a catalogue first."));
        return;
    }
    // A photos folder still to be made: start beside it, in the catalogue's folder.
    const QString start = QFileInfo(folder).isDir() ? folder : QDir::cleanPath(folder + QStringLiteral(".."));
    const QString chosen = QFileDialog::getOpenFileName(
            this, tr("Choose a photo"), QFileInfo(start).absoluteFilePath(),
            tr("Pictures (%1)").arg(picturePatterns().join(u' ')));
    if (chosen.isEmpty())
        return;
    if (!PhotoFolders::isReadableName(chosen)) {
        QMessageBox::warning(this, tr("Error"),
                             tr("The name of %1 is not valid text. Rename the file, then choose it again.")
                                     .arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    QString name = PhotoFolders::nameInside(folder, chosen);
    if (name.isEmpty())
        name = copyIntoPhotos(folder, chosen);
    if (!name.isEmpty())
        ui->lineEditPhoto->setText(name);
}

// The name `file` has in the photos `folder` once copied there; empty when it was not copied.
// A different picture of the same name is replaced, or kept beside the copy, as the user says.
QString Edit::copyIntoPhotos(const QString &folder, const QString &file)
{
    QString name = QFileInfo(file).fileName();
    if (PhotoFolders::holdsCopy(folder, name, file))
        return name;
    const QString shownFolder = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    if (QMessageBox::question(this, tr("Copy photo"),
                              tr("%1 is not in the photos folder %2. Copy it there?")
                                      .arg(QDir::toNativeSeparators(file), shownFolder),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        != QMessageBox::Yes)
        return {};
    // A symbolic link there is a name taken too, even one that leads nowhere.
    const bool taken = PhotoFolders::holdsName(folder, name);
    if (taken) {
        const QString otherName = PhotoFolders::freeName(folder, name);
        QMessageBox question(QMessageBox::Question, tr("Photo exists"),
                             tr("The photos folder already holds another file named %1. Replace it, "
                                "or keep both and name the copy %2?")
                                     .arg(name, otherName),
                             QMessageBox::Cancel, this);
        const QPushButton *replace = question.addButton(tr("Replace"), QMessageBox::DestructiveRole);
        QPushButton *keepBoth = question.addButton(tr("Keep both"), QMessageBox::AcceptRole);
        question.setDefaultButton(keepBoth);
        question.exec();
        if (question.clickedButton() == keepBoth)
            name = otherName;
        else if (question.clickedButton() != replace)
            return {};
    }
    const FileResult result = PhotoFolders::copyInto(folder, name, file, taken && name == QFileInfo(file).fileName());
    if (!result.ok()) {
        QMessageBox::warning(this, tr("Error"),
                             tr("%1 could not be copied into %2.").arg(QDir::toNativeSeparators(file), shownFolder)
                                     + (result.reason.isEmpty() ? QString() : u' ' + result.reason));
        return {};
    }
    return name;
}
