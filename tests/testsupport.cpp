#include "testsupport.h"

#include "edit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

ScratchTree::ScratchTree() : previousDirectory(QDir::currentPath())
{
    for (const char *folder : { "run/here", "Images", "json" })
        QDir(root.path()).mkpath(folder);
    QDir::setCurrent(path("run/here"));
}

ScratchTree::~ScratchTree()
{
    QDir::setCurrent(previousDirectory);
}

QString ScratchTree::path(const QString &relative) const
{
    return root.filePath(relative);
}

void ScratchTree::write(const QString &relative, const QByteArray &bytes) const
{
    QFile file(path(relative));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void answerNextModal(const std::function<void(QWidget *)> &answer)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            answer(modal);
        }
    });
    poll->start(10);
}

void pressOnNextMessageBox(int button)
{
    answerNextModal([button](QWidget *box) {
        qobject_cast<QMessageBox *>(box)->button(QMessageBox::StandardButton(button))->click();
    });
}

void fillCatalogue(const QStringList &elements)
{
    Edit::sof.clear();
    for (const QString &line : elements) {
        const QStringList parts = line.split(u'|');
        std::vector<Form> forms;
        for (const QString &id : parts[3].split(u',', Qt::SkipEmptyParts))
            forms.emplace_back(id.toStdString(), id.toStdString() + ".png", parts[2].toStdString(), 10, 1);
        Edit::sof.addFurniture(new Furniture(parts[0].toStdString(), parts[1].toStdString(), "desc", "designer",
                                             Dimension("1", "2", "3", "4"), forms));
    }
}

QStringList catalogueSummary()
{
    QStringList lines;
    for (const Furniture *furniture : Edit::sof.getFurnitures()) {
        QStringList ids;
        for (const Form &form : furniture->getForms())
            ids << QString::fromStdString(form.getId());
        lines << QString::fromStdString(furniture->getCategory() + '|' + furniture->getName() + '|') + ids.join(u',');
    }
    return lines;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
