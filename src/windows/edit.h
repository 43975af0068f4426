#pragma once

#include "cataloguedocument.h"

#include <QHash>
#include <QUndoStack>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <optional>

class QLineEdit;

namespace Ui {
class Edit;
}

// Shows one element with one of its variants, and adds, changes or deletes variants
// of the shared catalogue.
class Edit : public QWidget
{
    Q_OBJECT

public:
    // An empty, editable editor for a new element.
    explicit Edit(QWidget *parent);
    // A read-only editor on the variant `id` of `furniture`; where the element holds that
    // identifier more than once, on the last of them.
    Edit(QWidget *parent, Furniture *furniture, std::string id);
    // A read-only editor on the variant at `variant` in the variants of `furniture`.
    Edit(QWidget *parent, Furniture *furniture, std::size_t variant);
    ~Edit() override;

    void setReadOnly(bool value);
    void splitID(QString id);
    void loadImage(QString fileName);
    // Asks what to do with edits not yet saved; true when the editor may close.
    bool settleUnsavedEdits();

    // The catalogue of the running program.
    static SetOfFurnitures sof;
    // The document that holds it: its history, its file, and the signal of every change.
    static CatalogueDocument &document();
    // The document's history, for code that used the editor's own before the document held it.
    static QUndoStack &history;

signals:
    // The editor closes, or added or removed a variant. Views learn of every change from
    // the document; this is kept for code that connects to it.
    void sendInfoToMainWindow(const SetOfFurnitures &furnitures);
    // New furniture went into the catalogue under the identifier `id`.
    void furnitureAdded(const QString &id);
    // The variant `id` left the catalogue.
    void furnitureDeleted(const QString &id);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_pushButtonClose_clicked();
    void on_pushButtonEdit_clicked();
    void on_pushButtonSave_clicked();
    void on_pushButtonDelete_clicked();
    void on_lineEditPhoto_textChanged(const QString &text);
    void on_actionChoosePhoto_triggered();
    void showStoredVariant();

private:
    void addPhotoChooser();
    QString copyIntoPhotos(const QString &folder, const QString &file);
    void showVariant(const Furniture *furniture, std::size_t variant);
    void installValidators();
    QList<QLineEdit *> editableFields() const;
    void rememberShownTexts();
    bool edited(const QLineEdit *field) const;
    bool hasUnsavedEdits() const;
    std::string textOr(const QLineEdit *field, const std::string &stored) const;
    std::optional<VariantPlace> findShownVariant() const;
    void reportVariantGone();
    bool saveFields();
    bool updateShownVariant();
    bool insertNewVariant();
    std::optional<NewFurnitureNames> namesToInsert();
    bool settleSpelling(QLineEdit *field, std::string &text, const std::optional<std::string> &existing,
                        const QString &asking);
    void completeFromCatalogue();

    Ui::Edit *ui;
    // The serial number of the variant the editor was opened on; none for a new element,
    // and 0, which no variant has, when it was opened on a variant that does not exist.
    // Save and Delete act on exactly this variant of the element that holds it.
    std::optional<std::uint64_t> shownSerial;
    // The texts the fields showed after filling or the last save, to tell which fields
    // the user changed.
    QHash<const QLineEdit *, QString> shownTexts;
};
