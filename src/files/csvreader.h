#pragma once

#include <QByteArrayView>

#include <string>
#include <vector>

// Reads CSV text (RFC 4180) a record at a time: fields quoted or not, doubled quotes in
// quoted fields, line breaks inside quotes, CRLF or LF line ends (or a lone CR). Blank lines are skipped.
// A field that CsvText protected from spreadsheets with a leading apostrophe reads back
// without it. A record with a broken quote is returned with its problem, and reading goes
// on at the next line.
class CsvReader
{
public:
    enum Problem {
        None,
        QuoteInField,       // a quote inside a field that does not start with one
        TextAfterQuote,     // something other than a separator or a line end after a closing quote
        UnterminatedQuote,  // a quoted field that the text ends within
    };
    struct Record
    {
        // The line the record starts on, from 1.
        qint64 line = 0;
        std::vector<std::string> fields;
        Problem problem = None;
    };

    // `text` without its UTF-8 byte order mark, if any; the reader does not copy it.
    CsvReader(QByteArrayView text, char separator);

    // The next record; false at the end of the text.
    bool next(Record &record);

    // `text` without a leading UTF-8 byte order mark.
    static QByteArrayView withoutByteOrderMark(QByteArrayView text);
    // ';' where the first line holds more semicolons than commas outside quotes, else ','.
    static char separatorOf(QByteArrayView text);

private:
    bool readQuoted(std::string &field, Record &record);
    void skipLine();
    void endLine();

    QByteArrayView text;
    const char separator;
    qsizetype at = 0;
    qint64 line = 1;
};
