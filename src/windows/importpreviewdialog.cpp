#include "importpreviewdialog.h"
#include "ui_importpreviewdialog.h"

#include "fieldtext.h"
#include "priceimport.h"
#include "valuerefusal.h"

#include <QPushButton>

#include <algorithm>

namespace {

// The dialog lists this many of each kind; the counts tell the rest.
constexpr std::size_t listed = 100;

QString text(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

ImportPreviewDialog::ImportPreviewDialog(const ImportPreview &preview, const QString &fileName, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::ImportPreviewDialog>())
{
    ui->setupUi(this);
    QPushButton *apply = ui->buttonBox->button(QDialogButtonBox::Ok);
    apply->setText(tr("Apply"));
    apply->setDefault(true);
    setWindowTitle(tr("Import of %1").arg(fileName));
    ui->labelSummary->setText(
            preview.changes.empty()
                    ? tr("Nothing changes: every price and stock of the file is the catalogue's already.")
                    : tr("Prices that change: %1. Stocks that change: %2.")
                              .arg(preview.priceChanges)
                              .arg(preview.stockChanges));
    ui->textDetails->setPlainText(details(preview));
}

ImportPreviewDialog::~ImportPreviewDialog() = default;

QString ImportPreviewDialog::details(const ImportPreview &preview) const
{
    QStringList lines;
    if (!preview.changes.empty())
        lines << tr("Changes (identifier, old value, new value):");
    for (std::size_t i = 0; i < std::min(listed, preview.changes.size()); ++i) {
        const ImportedChange &change = preview.changes[i];
        QStringList values;
        if (change.oldPrice != change.newPrice)
            values << tr("price %1 → %2").arg(FieldText::price(change.oldPrice), FieldText::price(change.newPrice));
        if (change.oldStock != change.newStock)
            values << tr("stock %1 → %2").arg(change.oldStock).arg(change.newStock);
        lines << QStringLiteral("  ") + text(change.id) + QStringLiteral("  ") + values.join(QStringLiteral(", "));
    }
    if (preview.changes.size() > listed)
        lines << QStringLiteral("  ") + tr("and %n more.", nullptr, int(preview.changes.size() - listed));
    if (!preview.sharedIdentifiers.empty())
        lines << tr("Identifiers that several variants have: one row changes them all, as many rows as variants change one each:");
    for (std::size_t i = 0; i < std::min(listed, preview.sharedIdentifiers.size()); ++i)
        lines << QStringLiteral("  ")
                        + tr("%1 (%n variant(s))", nullptr, int(preview.sharedIdentifiers[i].variants))
                                  .arg(text(preview.sharedIdentifiers[i].id));
    if (!preview.unknownIdentifiers.empty())
        lines << tr("Identifiers not in the catalogue (%n):", nullptr, int(preview.unknownIdentifiers.size()));
    for (std::size_t i = 0; i < std::min(listed, preview.unknownIdentifiers.size()); ++i)
        lines << QStringLiteral("  ") + text(preview.unknownIdentifiers[i]);
    if (!preview.unreadRows.empty())
        lines << tr("Rows that cannot be read, which change nothing (%n):", nullptr, int(preview.unreadRows.size()));
    for (std::size_t i = 0; i < std::min(listed, preview.unreadRows.size()); ++i) {
        const UnreadRow &row = preview.unreadRows[i];
        const QString reasons[] = {
            tr("a quote that does not open or close a field"),
            tr("no identifier"),
            tr("price %1: %2"),
            tr("stock %1: %2"),
        };
        const TypedValue::Kind kind = row.reason == UnreadRow::RefusedPrice ? TypedValue::Price : TypedValue::Stock;
        const QString reason = row.reason >= UnreadRow::RefusedPrice
                ? reasons[row.reason].arg(text(row.value), ValueRefusal::reason(row.why, kind))
                : reasons[row.reason];
        lines << QStringLiteral("  ") + tr("line %1: %2").arg(row.line).arg(reason);
    }
    return lines.join(u'\n');
}
