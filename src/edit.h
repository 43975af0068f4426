#pragma once

#include "setoffurnitures.h"

#include <QHash>
#include <QWidget>

#include <optional>
#include <string>

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
    // A read-only editor on the variant `id` of `furniture`, which must not be null.
    Edit(QWidget *parent, Furniture *furniture, std::string id);
    ~Edit() override;

    void setReadOnly(bool value);
    void splitID(QString id);
    void loadImage(QString fileName);

    // The catalogue of the running program.
    static SetOfFurnitures sof;

signals:
    void sendInfoToMainWindow(const SetOfFurnitures &furnitures);

private slots:
    void on_pushButtonClose_clicked();
    void on_pushButtonEdit_clicked();
    void on_pushButtonSave_clicked();
    void on_pushButtonDelete_clicked();

private:
    void installValidators();
    QList<QLineEdit *> editableFields() const;
    void rememberShownTexts();
    bool edited(const QLineEdit *field) const;
    std::string textOr(const QLineEdit *field, const std::string &stored) const;
    void updateShownVariant();
    void insertNewVariant();

    Ui::Edit *ui;
    // The identifier the editor was opened on; none for a new element. Save and Delete
    // act on exactly this variant, whatever the identifier fields can show.
    std::optional<std::string> shownId;
    // The texts the fields showed after filling or the last save, to tell which fields
    // the user changed.
    QHash<const QLineEdit *, QString> shownTexts;
};
