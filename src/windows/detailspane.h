#pragma once

#include "photoloader.h"

#include <QWidget>

#include <cstddef>
#include <string>

class Furniture;
struct StockTotals;

namespace Ui {
class DetailsPane;
}

// The tree's current row, read-only: a variant with its photo and its element's texts, an
// element or a category with their figures, or the whole catalogue's. It keeps no record:
// what it shows is copied in, so that a record gone from the catalogue leaves it unharmed.
class DetailsPane : public QWidget
{
    Q_OBJECT

public:
    explicit DetailsPane(QWidget *parent = nullptr);
    ~DetailsPane() override;

    void showVariant(const Furniture &element, std::size_t variant);
    void showElement(const Furniture &element);
    void showCategory(const std::string &category, const StockTotals &totals);
    // With no element, how to start.
    void showCatalogue(const StockTotals &totals);

signals:
    // Open asks for an editor on the variant shown.
    void openRequested();

private:
    void showTexts(const QString &heading, const QStringList &facts, const QString &description);
    void showPhoto(PictureStatus status, const QImage &picture);
    QStringList elementFacts(const Furniture &element) const;
    QStringList totalsFacts(const StockTotals &totals) const;
    QSize photoBounds() const;

    Ui::DetailsPane *ui;
    PhotoLoader photos;
};
