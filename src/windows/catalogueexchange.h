#pragma once

#include "cataloguetable.h"
#include "priceimport.h"
#include "pricelistlayout.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CatalogueDocument;
class QAction;
class QPagedPaintDevice;
class QMenu;
class QWidget;
struct FileResult;

// Pages that a layout paints onto a PDF writer or a printer: the price list, the labels.
struct PagedDocument
{
    QString title;
    // What the progress says while the pages are laid out.
    QString progressText;
    // What the layout counts as it goes, up to this.
    std::size_t count = 0;
    QPageLayout page;
    // Paints every page, calling its second argument with the count laid out so far; when
    // that returns false, stops and returns false.
    std::function<bool(QPagedPaintDevice &device, const std::function<bool(std::size_t done)> &progress)> paint;
};

// The Catalogue menu: exports of the catalogue as CSV, .xlsx and a PDF price list, the
// printed price list, and the import of prices and stocks from CSV. It asks for file names
// and questions and shows the preview and the progress; the rows, the reading and the
// change are the catalogue's. Every export is written as catalogue files are saved.
class CatalogueExchange : public QObject
{
    Q_OBJECT

public:
    // Writes a file as Save does, telling the user how it ended; true when it was written.
    using SaveWith = std::function<bool(const QString &path, const std::function<FileResult()> &write)>;
    // Tells the user why `what` failed, as the main window tells of files.
    using ReportFailure = std::function<void(const QString &what, const FileResult &result)>;
    // The variants a filter shows, in identifier order; none while nothing is filtered.
    using Filtered = std::function<std::optional<std::vector<ExportedVariant>>()>;

    CatalogueExchange(QWidget *window, CatalogueDocument &document, SaveWith save, ReportFailure report,
                      Filtered filtered);

    QMenu *menu() const { return catalogueMenu; }

    // A menu of the exports and the print of the variants `shown` gives, in their order, for
    // a window that shows some of them; its actions are named "actionList" and the format.
    QMenu *exportMenu(const std::function<std::vector<ExportedVariant>()> &shown, QWidget *parent);

    // The exports and the print of the variants given, in their order, as a window that
    // shows some of them offers them.
    void exportCsv(const std::vector<ExportedVariant> &variants);
    void exportXlsx(const std::vector<ExportedVariant> &variants);
    void exportPdf(const std::vector<ExportedVariant> &variants);
    void print(const std::vector<ExportedVariant> &variants);
    // The labels' dialog on the variants given, over `parent`.
    void printLabels(const std::vector<ExportedVariant> &variants, QWidget *parent);
    // A PDF of `pages`, in a file the user chooses; printed on a printer the user chooses.
    void savePdf(const PagedDocument &pages);
    void printPages(const PagedDocument &pages);

    // The columns' names in the interface's language.
    static QStringList headers();
    // Why a catalogue opened read-only takes no changes, for the controls that it turns off.
    static QString readOnlyReason();

private:
    using Exporter = void (CatalogueExchange::*)(const std::vector<ExportedVariant> &);
    using Variants = std::function<std::optional<std::vector<ExportedVariant>>()>;
    void addExports(QMenu *menu, const QString &namePrefix, const Variants &variants);
    std::optional<std::vector<ExportedVariant>> variantsToExport();
    // A file to write; `chosenFilter`, where given, names the filter shown first and then
    // the one the user chose.
    QString askPath(const QString &caption, const QStringList &filters, const QString &suffix,
                    QString *chosenFilter = nullptr);
    std::unique_ptr<PriceListLayout> askPriceListLayout(const std::vector<ExportedVariant> &variants);
    PagedDocument priceList(PriceListLayout &layout, const QPageLayout &page) const;
    bool layOut(QPagedPaintDevice &device, const PagedDocument &pages);
    void writePdf(const QString &path, const PagedDocument &pages);
    bool mayWrite(const QString &file);
    QString catalogueName() const;
    static QString writingText(const QString &path);
    void importPrices();
    static ImportMapping rememberedMapping(const std::vector<std::string> &headers);
    static void rememberMapping(const std::vector<std::string> &headers, const ImportMapping &mapping);
    static QString mappingKeyOf(const std::vector<std::string> &headers);

    QWidget *window;
    CatalogueDocument &document;
    SaveWith save;
    ReportFailure report;
    Filtered filtered;
    QMenu *catalogueMenu;
};
