// Opens a catalogue file and saves it into another, as File › Open and Save do; for
// scripts/killsaves.sh, which kills it at random moments.
//
//   kalvio_save FROM TO

#include "setoffurnitures.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kalvio_save FROM TO\n");
        return 2;
    }
    SetOfFurnitures catalogue;
    FileResult result = catalogue.load(QString::fromLocal8Bit(argv[1]));
    if (result.ok())
        result = catalogue.save(QString::fromLocal8Bit(argv[2]));
    catalogue.clear();
    return result.ok() ? 0 : 1;
}
