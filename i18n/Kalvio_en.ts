<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>%n photo(s) of this catalogue would not be found beside the copy. Copy them into %1?</source>
        <translation>
            <numerusform>%n photo of this catalogue would not be found beside the copy. Copy it into %1?</numerusform>
            <numerusform>%n photos of this catalogue would not be found beside the copy. Copy them into %1?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n variant(s) shown</source>
        <translation>
            <numerusform>%1 of %n variant shown</numerusform>
            <numerusform>%1 of %n variants shown</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n older backup(s) of it are kept too: %1.</source>
        <translation>
            <numerusform>%n older backup of it is kept too: %1.</numerusform>
            <numerusform>%n older backups of it are kept too: %1.</numerusform>
        </translation>
    </message>
</context>
</TS>
