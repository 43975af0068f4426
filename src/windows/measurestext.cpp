#include "measurestext.h"

#include <QStringList>

#include <utility>

QString MeasuresText::of(const Dimension &dim)
{
    QStringList given;
    const std::pair<QString, const std::string *> named[] = {
        { tr("length %1"), &dim.getLength() }, { tr("height %1"), &dim.getHeight() },
        { tr("width %1"), &dim.getWidth() }, { tr("weight %1"), &dim.getWeight() },
    };
    for (const auto &[name, value] : named) {
        if (const QString measure = QString::fromStdString(*value).trimmed(); !measure.isEmpty())
            given << name.arg(measure);
    }
    return given.join(QStringLiteral(", "));
}
