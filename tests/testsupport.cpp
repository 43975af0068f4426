#include "testsupport.h"

#include "furniture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

ScratchTree::ScratchTree() : previousDirectory(QDir::currentPath())
{
    QDir(root.path()).mkpath(QStringLiteral("run/here"));
    QDir(root.path()).mkpath(QStringLiteral("Images"));
    QDir(root.path()).mkpath(QStringLiteral("json"));
    QDir::setCurrent(path(QStringLiteral("run/here")));
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

Furniture *element(const std::string &category, const std::string &name,
                   const std::vector<std::string> &ids, const std::string &color)
{
    std::vector<Form> forms;
    for (const std::string &id : ids)
        forms.emplace_back(id, id + ".png", color, 10, 1);
    return new Furniture(category, name, "desc", "designer", Dimension("1", "2", "3", "4"), forms);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
