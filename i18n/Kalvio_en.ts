<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CatalogueExchange</name>
    <message numerus="yes">
        <source>The filter shows %1 of %n variant(s). Export only those, or the whole catalogue?</source>
        <translation>
            <numerusform>The filter shows %1 of %n variant. Export only those, or the whole catalogue?</numerusform>
            <numerusform>The filter shows %1 of %n variants. Export only those, or the whole catalogue?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n text(s) longer than a spreadsheet cell holds (32,767 characters) were cut in %1; the catalogue keeps them whole.</source>
        <translation>
            <numerusform>%n text longer than a spreadsheet cell holds (32,767 characters) was cut in %1; the catalogue keeps it whole.</numerusform>
            <numerusform>%n texts longer than a spreadsheet cell holds (32,767 characters) were cut in %1; the catalogue keeps them whole.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n price(s)</source>
        <translation>
            <numerusform>%n price</numerusform>
            <numerusform>%n prices</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n stock(s)</source>
        <translation>
            <numerusform>%n stock</numerusform>
            <numerusform>%n stocks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %n row(s) refused</source>
        <translation>
            <numerusform>%1, %n row refused</numerusform>
            <numerusform>%1, %n rows refused</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DetailsPane</name>
    <message numerus="yes">
        <source>%n element(s)</source>
        <translation>
            <numerusform>%n element</numerusform>
            <numerusform>%n elements</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n variant(s)</source>
        <translation>
            <numerusform>%n variant</numerusform>
            <numerusform>%n variants</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 unit(s) in stock</source>
        <translation>
            <numerusform>%1 unit in stock</numerusform>
            <numerusform>%1 units in stock</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportPreviewDialog</name>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>and %n more.</numerusform>
            <numerusform>and %n more.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n variant(s))</source>
        <translation>
            <numerusform>%1 (%n variant)</numerusform>
            <numerusform>%1 (%n variants)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Rows that change nothing (%n):</source>
        <translation>
            <numerusform>Row that changes nothing (%n):</numerusform>
            <numerusform>Rows that change nothing (%n):</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Rows that change nothing (%n), of which the first %1 are listed:</source>
        <translation>
            <numerusform>Rows that change nothing (%n), of which the first %1 are listed:</numerusform>
            <numerusform>Rows that change nothing (%n), of which the first %1 are listed:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportRefusalsModel</name>
    <message numerus="yes">
        <source>%n decimals: %1</source>
        <translation>
            <numerusform>%n decimal: %1</numerusform>
            <numerusform>%n decimals: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LabelsDialog</name>
    <message numerus="yes">
        <source>%n label(s)</source>
        <translation>
            <numerusform>%n label</numerusform>
            <numerusform>%n labels</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n page(s)</source>
        <translation>
            <numerusform>%n page</numerusform>
            <numerusform>%n pages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n identifier(s) too long for a barcode on these labels: no barcode is printed for them.</source>
        <translation>
            <numerusform>%n identifier too long for a barcode on these labels: no barcode is printed for it.</numerusform>
            <numerusform>%n identifiers too long for a barcode on these labels: no barcode is printed for them.</numerusform>
        </translation>
    </message>
</context>
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
<context>
    <name>PriceChangeDialog</name>
    <message numerus="yes">
        <source>Change the prices of %n selected variant(s), rounded to the cent:</source>
        <translation>
            <numerusform>Change the price of %n selected variant, rounded to the cent:</numerusform>
            <numerusform>Change the prices of %n selected variants, rounded to the cent:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Refused: %n variant(s) would get a price below 0.</source>
        <translation>
            <numerusform>Refused: %n variant would get a price below 0.</numerusform>
            <numerusform>Refused: %n variants would get a price below 0.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Refused: %n variant(s) would get a price above %1, the most a file holds.</source>
        <translation>
            <numerusform>Refused: %n variant would get a price above %1, the most a file holds.</numerusform>
            <numerusform>Refused: %n variants would get a price above %1, the most a file holds.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PriceList</name>
    <message numerus="yes">
        <source>%n variant(s)</source>
        <translation>
            <numerusform>%n variant</numerusform>
            <numerusform>%n variants</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 unit(s) in stock</source>
        <translation>
            <numerusform>%1 unit in stock</numerusform>
            <numerusform>%1 units in stock</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Prices of %n variant(s)</source>
        <translation>
            <numerusform>Price of %n variant</numerusform>
            <numerusform>Prices of %n variants</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stock of %n variant(s)</source>
        <translation>
            <numerusform>Stock of %n variant</numerusform>
            <numerusform>Stock of %n variants</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Paste into %n variant(s)</source>
        <translation>
            <numerusform>Paste into %n variant</numerusform>
            <numerusform>Paste into %n variants</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The clipboard holds %n line(s), more than the %1 rows shown from the current one down. Nothing was pasted.</source>
        <translation>
            <numerusform>The clipboard holds %n line, more than the %1 rows shown from the current one down. Nothing was pasted.</numerusform>
            <numerusform>The clipboard holds %n lines, more than the %1 rows shown from the current one down. Nothing was pasted.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Nothing was pasted: %n value(s) cannot be used.</source>
        <translation>
            <numerusform>Nothing was pasted: %n value cannot be used.</numerusform>
            <numerusform>Nothing was pasted: %n values cannot be used.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>and %n more.</numerusform>
            <numerusform>and %n more.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Fill down %n variant(s)</source>
        <translation>
            <numerusform>Fill down %n variant</numerusform>
            <numerusform>Fill down %n variants</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stock count of %n variant(s)</source>
        <translation>
            <numerusform>Stock count of %n variant</numerusform>
            <numerusform>Stock count of %n variants</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StockChangeDialog</name>
    <message numerus="yes">
        <source>Change the stock of %n selected variant(s):</source>
        <translation>
            <numerusform>Change the stock of %n selected variant:</numerusform>
            <numerusform>Change the stock of %n selected variants:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Refused: %n variant(s) would have a stock below 0.</source>
        <translation>
            <numerusform>Refused: %n variant would have a stock below 0.</numerusform>
            <numerusform>Refused: %n variants would have a stock below 0.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Refused: %n variant(s) would have a stock above %1, the most a variant holds.</source>
        <translation>
            <numerusform>Refused: %n variant would have a stock above %1, the most a variant holds.</numerusform>
            <numerusform>Refused: %n variants would have a stock above %1, the most a variant holds.</numerusform>
        </translation>
    </message>
</context>
</TS>
