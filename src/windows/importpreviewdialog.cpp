#include "importpreviewdialog.h"
#include "ui_importpreviewdialog.h"

#include "fieldtext.h"
#include "priceimport.h"
#include "valuerefusal.h"

#include <QPushButton>

#include <algorithm>

namespace {

constexpr std::size_t listed = ImportPreview::listed;

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

// Each kind lists as many as the preview keeps; a count tells the rest.
QString ImportPreviewDialog::details(const ImportPreview &preview) const
{
    QStringList lines;
    if (preview.unclosedQuoteLine > 0)
        lines << tr("The quote that opens a field on line %1 is never closed: the rest of the file was read as "
                    "that one field.")
                         .arg(preview.unclosedQuoteLine);
    const auto more = [this, &lines](std::size_t count) {
        if (count > 0)
            lines << QStringLiteral("  ") + tr("and %n more.", nullptr, int(count));
    };
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
    more(preview.changes.size() - std::min(listed, preview.changes.size()));
    if (preview.sharedCount > 0)
        lines << tr("Identifiers that several variants have: one row changes them all, as many rows as variants change one each:");
    for (const SharedIdentifier &shared : preview.sharedIdentifiers)
        lines << QStringLiteral("  ") + tr("%1 (%n variant(s))", nullptr, int(shared.variants)).arg(text(shared.id));
    more(preview.sharedCount - preview.sharedIdentifiers.size());
    if (preview.unknownRows > 0)
        lines << tr("Identifiers not in the catalogue, on %n rows:", nullptr, int(preview.unknownRows));
    for (const std::string &id : preview.unknownIdentifiers)
        lines << QStringLiteral("  ") + text(id);
    if (preview.otherUnknownRows > 0)
        lines << QStringLiteral("  ") + tr("and %n more rows of other identifiers.", nullptr, int(preview.otherUnknownRows));
    if (preview.unreadCount > 0)
        lines << tr("Rows that cannot be read, which change nothing (%n):", nullptr, int(preview.unreadCount));
    for (const UnreadRow &row : preview.unreadRows) {
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
    more(preview.unreadCount - preview.unreadRows.size());
    return lines.join(u'\n');
}
