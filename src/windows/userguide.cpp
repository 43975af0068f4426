#include "userguide.h"
#include "ui_userguide.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace {

// A heading's anchor as Markdown renderers on the web name it, so that the guide's links
// work there too: lower case, punctuation dropped, spaces as hyphens.
QString anchorOf(const QString &heading)
{
    static const QRegularExpression punctuation(QStringLiteral("[^\\w\\- ]"),
                                                QRegularExpression::UseUnicodePropertiesOption);
    return heading.toLower().remove(punctuation).replace(u' ', u'-');
}

} // namespace

UserGuide::UserGuide(const QLocale &language, QWidget *parent) : QWidget(parent), ui(new Ui::UserGuide)
{
    ui->setupUi(this);
    ui->textBrowserGuide->setSource(QUrl(language.language() == QLocale::French
                                                 ? QStringLiteral("qrc:/docs/user-guide.fr.md")
                                                 : QStringLiteral("qrc:/docs/user-guide.md")),
                                    QTextDocument::MarkdownResource);
    nameHeadings();
    // The browser would load the guide anew for a link within it, losing the headings'
    // anchors: its links only move within it.
    ui->textBrowserGuide->setOpenLinks(false);
    connect(ui->textBrowserGuide, &QTextBrowser::anchorClicked, this,
            [this](const QUrl &link) { ui->textBrowserGuide->scrollToAnchor(link.fragment()); });
}

UserGuide::~UserGuide()
{
    delete ui;
}

// The toolkit's Markdown reader gives headings no anchor: without one, a link to a
// section would lead nowhere.
void UserGuide::nameHeadings()
{
    QTextDocument *guide = ui->textBrowserGuide->document();
    for (QTextBlock block = guide->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        QTextCursor heading(block);
        heading.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorNames({ anchorOf(block.text()) });
        heading.mergeCharFormat(anchor);
    }
}
