<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>%1 of %n variant(s) shown</source>
        <translation>
            <numerusform>%1 of %n variant shown</numerusform>
            <numerusform>%1 of %n variants shown</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Merged %n change(s) from the file on disk</source>
        <translation>
            <numerusform>Merged %n change from the file on disk</numerusform>
            <numerusform>Merged %n changes from the file on disk</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n conflict(s) decided</source>
        <translation>
            <numerusform>%n conflict decided</numerusform>
            <numerusform>%n conflicts decided</numerusform>
        </translation>
    </message>
</context>
</TS>
