#pragma once

#include <QByteArray>
#include <QLatin1StringView>

#include <string>

// Writes JSON text laid out exactly as QJsonDocument::toJson(QJsonDocument::Indented)
// lays out the equivalent document: one member or element a line, four spaces a level,
// the same escapes and number forms. Building that document for a whole catalogue costs
// far more than writing it, so the catalogue is written directly. Callers give the
// members of an object in ascending key order, as QJsonObject keeps them.
class IndentedJsonWriter
{
public:
    QByteArray text() const { return json; }

    // A null key starts an array element (or the document) rather than an object member.
    void beginArray(QLatin1StringView key = {});
    void endArray();
    void beginObject(QLatin1StringView key = {});
    void endObject();

    void member(QLatin1StringView key, const std::string &text);
    void member(QLatin1StringView key, int number);
    void member(QLatin1StringView key, double number);

private:
    void startItem(QLatin1StringView key);
    void open(QLatin1StringView key, char bracket);
    void close(char bracket);
    void appendString(const std::string &text);
    void appendEscape(unsigned char byte);

    QByteArray json;
    int depth = 0;
    bool atFirstItem = true;
};
