<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CatalogueExchange</name>
    <message>
        <source>&amp;Catalogue</source>
        <translation>&amp;Catalogue</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Exporter</translation>
    </message>
    <message>
        <source>CSV…</source>
        <translation>CSV…</translation>
    </message>
    <message>
        <source>Spreadsheet (.xlsx)…</source>
        <translation>Classeur (.xlsx)…</translation>
    </message>
    <message>
        <source>PDF price list…</source>
        <translation>Liste de prix PDF…</translation>
    </message>
    <message>
        <source>&amp;Print price list…</source>
        <translation>&amp;Imprimer la liste de prix…</translation>
    </message>
    <message>
        <source>&amp;Import prices and stock…</source>
        <translation>&amp;Importer les prix et les stocks…</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message numerus="yes">
        <source>The filter shows %1 of %n variant(s). Export only those, or the whole catalogue?</source>
        <translation>
            <numerusform>Le filtre montre %1 sur %n variante du catalogue. Exporter seulement celles qu&apos;il montre, ou tout le catalogue ?</numerusform>
            <numerusform>Le filtre montre %1 sur %n variantes du catalogue. Exporter seulement celles qu&apos;il montre, ou tout le catalogue ?</numerusform>
        </translation>
    </message>
    <message>
        <source>Whole catalogue</source>
        <translation>Tout le catalogue</translation>
    </message>
    <message>
        <source>Only those shown</source>
        <translation>Seulement celles montrées</translation>
    </message>
    <message>
        <source>catalogue</source>
        <translation>catalogue</translation>
    </message>
    <message>
        <source>Price list</source>
        <translation>Liste de prix</translation>
    </message>
    <message>
        <source>Show the stock of each variant in the price list?</source>
        <translation>Montrer le stock de chaque variante dans la liste de prix ?</translation>
    </message>
    <message>
        <source>CSV, comma-separated (*.csv)</source>
        <translation>CSV, séparé par des virgules (*.csv)</translation>
    </message>
    <message>
        <source>CSV for spreadsheets in French, semicolons and decimal commas (*.csv)</source>
        <translation>CSV pour tableurs en français, points-virgules et virgules décimales (*.csv)</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>Exporter en CSV</translation>
    </message>
    <message>
        <source>Export as a spreadsheet</source>
        <translation>Exporter en classeur</translation>
    </message>
    <message>
        <source>Spreadsheets (*.xlsx)</source>
        <translation>Classeurs (*.xlsx)</translation>
    </message>
    <message>
        <source>Could not save %1.</source>
        <translation>Impossible d&apos;enregistrer %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n text(s) longer than a spreadsheet cell holds (32,767 characters) were cut in %1; the catalogue keeps them whole.</source>
        <translation>
            <numerusform>%n texte plus long que ce que tient une cellule de classeur (32 767 caractères) a été coupé dans %1 ; le catalogue le garde entier.</numerusform>
            <numerusform>%n textes plus longs que ce que tient une cellule de classeur (32 767 caractères) ont été coupés dans %1 ; le catalogue les garde entiers.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export as a PDF price list</source>
        <translation>Exporter une liste de prix PDF</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>Documents PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Laying out the price list…</source>
        <translation>Mise en page de la liste de prix…</translation>
    </message>
    <message>
        <source>Import prices and stock</source>
        <translation>Importer les prix et les stocks</translation>
    </message>
    <message>
        <source>CSV files (*.csv *.txt);;All files (*)</source>
        <translation>Fichiers CSV (*.csv *.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Could not import %1.</source>
        <translation>Impossible d&apos;importer %1.</translation>
    </message>
    <message>
        <source>The file is larger than %1 MB, too large to import.</source>
        <translation>Le fichier dépasse %1 Mo, trop grand pour être importé.</translation>
    </message>
    <message>
        <source>The file is not text: it holds binary data.</source>
        <translation>Le fichier n&apos;est pas du texte : il contient des données binaires.</translation>
    </message>
    <message>
        <source>The file is not UTF-8 text. Save it from its program as CSV in UTF-8, then import it.</source>
        <translation>Le fichier n&apos;est pas du texte UTF-8. Enregistrez-le depuis son programme en CSV UTF-8, puis importez-le.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Import of %1</source>
        <translation>Importation de %1</translation>
    </message>
    <message>
        <source>The catalogue is open read-only, as someone else has it open: to change it, save a copy and open that.</source>
        <translation>Le catalogue est ouvert en lecture seule, car quelqu&apos;un d&apos;autre l&apos;a ouvert : pour le modifier, enregistrez-en une copie et ouvrez-la.</translation>
    </message>
    <message>
        <source>A field that begins on line %1 is longer than any text of a catalogue (%2 MB).</source>
        <translation>Un champ qui commence à la ligne %1 est plus long que tout texte d&apos;un catalogue (%2 Mo).</translation>
    </message>
    <message>
        <source>Importing it would take more than %1 MB of memory.</source>
        <translation>L&apos;importer prendrait plus de %1 Mo de mémoire.</translation>
    </message>
    <message>
        <source>CSV, plain UTF-8 (*.csv)</source>
        <translation>CSV, UTF-8 simple (*.csv)</translation>
    </message>
    <message>
        <source>Writing %1…</source>
        <translation>Écriture de %1…</translation>
    </message>
    <message>
        <source>Print &amp;labels…</source>
        <translation>Imprimer des é&amp;tiquettes…</translation>
    </message>
    <message>
        <source>Import of %1: %2 and %3 changed</source>
        <translation>Importation de %1 : %2 et %3 modifiés</translation>
    </message>
    <message numerus="yes">
        <source>%n price(s)</source>
        <translation>
            <numerusform>%n prix</numerusform>
            <numerusform>%n prix</numerusform>
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
            <numerusform>%1, %n ligne refusée</numerusform>
            <numerusform>%1, %n lignes refusées</numerusform>
        </translation>
    </message>
    <message>
        <source>Reading %1…</source>
        <translation>Lecture de %1…</translation>
    </message>
</context>
<context>
    <name>CatalogueTable</name>
    <message>
        <source>Identifier</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Designer</source>
        <translation>Designer</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Longueur</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Largeur</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Poids</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>Stock</source>
        <translation>Stock</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Photo</translation>
    </message>
</context>
<context>
    <name>CatalogueTreeModel</name>
    <message>
        <source>Colour: %1</source>
        <translation>Couleur : %1</translation>
    </message>
    <message>
        <source>Price: %1</source>
        <translation>Prix : %1</translation>
    </message>
    <message>
        <source>Stock: %1</source>
        <translation>Stock : %1</translation>
    </message>
</context>
<context>
    <name>CurrencyField</name>
    <message>
        <source>&amp;Currency sign with prices:</source>
        <translation>&amp;Symbole monétaire des prix :</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
</context>
<context>
    <name>DetailsPane</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>Colour: %1</source>
        <translation>Couleur : %1</translation>
    </message>
    <message>
        <source>Price: %1</source>
        <translation>Prix : %1</translation>
    </message>
    <message>
        <source>Stock: %1</source>
        <translation>Stock : %1</translation>
    </message>
    <message>
        <source>Element: %1</source>
        <translation>Élément : %1</translation>
    </message>
    <message>
        <source>Category: %1</source>
        <translation>Catégorie : %1</translation>
    </message>
    <message>
        <source>Low stock: %1 or fewer</source>
        <translation>Stock faible : %1 ou moins</translation>
    </message>
    <message numerus="yes">
        <source>%n element(s)</source>
        <translation>
            <numerusform>%n élément</numerusform>
            <numerusform>%n éléments</numerusform>
        </translation>
    </message>
    <message>
        <source>No catalogue yet: open one with File › Open, start one with File › New Furniture, or take a recent one from File › Open Recent.</source>
        <translation>Aucun catalogue pour l&apos;instant : ouvrez-en un par Fichier › Ouvrir, commencez-en un par Fichier › Nouveau meuble, ou reprenez-en un récent par Fichier › Ouvrir un fichier récent.</translation>
    </message>
    <message>
        <source>Catalogue</source>
        <translation>Catalogue</translation>
    </message>
    <message>
        <source>Designer: %1</source>
        <translation>Designer : %1</translation>
    </message>
    <message numerus="yes">
        <source>%n variant(s)</source>
        <translation>
            <numerusform>%n variante</numerusform>
            <numerusform>%n variantes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 unit(s) in stock</source>
        <translation>
            <numerusform>%1 unité en stock</numerusform>
            <numerusform>%1 unités en stock</numerusform>
        </translation>
    </message>
    <message>
        <source>Stock value: %1</source>
        <translation>Valeur du stock : %1</translation>
    </message>
    <message>
        <source>Measures: %1</source>
        <translation>Dimensions : %1</translation>
    </message>
</context>
<context>
    <name>Edit</name>
    <message>
        <source> Width :</source>
        <translation> Largeur :</translation>
    </message>
    <message>
        <source>All ready element exist</source>
        <translation>L&apos;élément existe deja</translation>
    </message>
    <message>
        <source>Are you sure you want to remove this item?</source>
        <translation>Etes-vous sûr de vouloir supprimer cet objet?</translation>
    </message>
    <message>
        <source>Category :</source>
        <translation>Categorie :</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Color :</source>
        <translation>Couleur :</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Description :</source>
        <translation>Description :</translation>
    </message>
    <message>
        <source>Designer :</source>
        <translation>Designer :</translation>
    </message>
    <message>
        <source>Dimension :</source>
        <translation>Dimension :</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Element :</source>
        <translation>Element :</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Height :</source>
        <translation>Hauteur :</translation>
    </message>
    <message>
        <source>ID :</source>
        <translation>ID :</translation>
    </message>
    <message>
        <source>Length :</source>
        <translation>Longueur :</translation>
    </message>
    <message>
        <source>Photo :</source>
        <translation>Photo :</translation>
    </message>
    <message>
        <source>Price :</source>
        <translation>Prix :</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Sauvegarde</translation>
    </message>
    <message>
        <source>Stock :</source>
        <translation>Stock :</translation>
    </message>
    <message>
        <source>TextLabel</source>
        <translation>TextLabel</translation>
    </message>
    <message>
        <source>Weight :</source>
        <translation>Poids :</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Modifications non enregistrées</translation>
    </message>
    <message>
        <source>Save the changes made in this editor?</source>
        <translation>Enregistrer les modifications faites dans cet éditeur ?</translation>
    </message>
    <message>
        <source>This furniture is no longer in the catalogue: nothing was changed.</source>
        <translation>Ce meuble n&apos;est plus dans le catalogue : rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>Choose a photo</source>
        <translation>Choisir une photo</translation>
    </message>
    <message>
        <source>There is no photos folder: open a catalogue first.</source>
        <translation>Il n&apos;y a pas de dossier de photos : ouvrez d&apos;abord un catalogue.</translation>
    </message>
    <message>
        <source>Pictures (%1)</source>
        <translation>Images (%1)</translation>
    </message>
    <message>
        <source>Copy photo</source>
        <translation>Copier la photo</translation>
    </message>
    <message>
        <source>%1 is not in the photos folder %2. Copy it there?</source>
        <translation>%1 n&apos;est pas dans le dossier de photos %2. L&apos;y copier ?</translation>
    </message>
    <message>
        <source>Photo exists</source>
        <translation>Photo existante</translation>
    </message>
    <message>
        <source>The photos folder already holds another file named %1. Replace it, or keep both and name the copy %2?</source>
        <translation>Le dossier de photos contient déjà un autre fichier nommé %1. Le remplacer, ou garder les deux et nommer la copie %2 ?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation>Garder les deux</translation>
    </message>
    <message>
        <source>%1 could not be copied into %2.</source>
        <translation>%1 n&apos;a pas pu être copié dans %2.</translation>
    </message>
    <message>
        <source>This text is too long to be edited here; it is kept as it is.</source>
        <translation>Ce texte est trop long pour être modifié ici ; il est gardé tel quel.</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>la modification de %1</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>l&apos;ajout de %1</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>la suppression de %1</translation>
    </message>
    <message>
        <source>The numbering cannot go higher: no identifier is left for this furniture. Nothing was added.</source>
        <translation>La numérotation ne peut pas aller plus haut : il ne reste aucun identifiant pour ce meuble. Rien n&apos;a été ajouté.</translation>
    </message>
    <message>
        <source>The name of %1 is not valid text. Rename the file, then choose it again.</source>
        <translation>Le nom de %1 n&apos;est pas un texte valide. Renommez le fichier, puis choisissez-le à nouveau.</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>New furniture needs a category, a name and a colour. Empty: %1.</source>
        <translation>Un nouveau meuble demande une catégorie, un nom et une couleur. Vide : %1.</translation>
    </message>
    <message>
        <source>The catalogue already has the category &quot;%1&quot;. Use that spelling instead of &quot;%2&quot;?</source>
        <translation>Le catalogue a déjà la catégorie « %1 ». Utiliser cette orthographe plutôt que « %2 » ?</translation>
    </message>
    <message>
        <source>This category already has the furniture &quot;%1&quot;. Use that spelling instead of &quot;%2&quot;?</source>
        <translation>Cette catégorie a déjà le meuble « %1 ». Utiliser cette orthographe plutôt que « %2 » ?</translation>
    </message>
    <message>
        <source>Similar name</source>
        <translation>Nom semblable</translation>
    </message>
    <message>
        <source>Use &quot;%1&quot;</source>
        <translation>Utiliser « %1 »</translation>
    </message>
    <message>
        <source>Keep &quot;%1&quot;</source>
        <translation>Garder « %1 »</translation>
    </message>
</context>
<context>
    <name>ImportChangesModel</name>
    <message>
        <source>Identifier</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>New price</source>
        <translation>Nouveau prix</translation>
    </message>
    <message>
        <source>Stock</source>
        <translation>Stock</translation>
    </message>
    <message>
        <source>New stock</source>
        <translation>Nouveau stock</translation>
    </message>
</context>
<context>
    <name>ImportPreviewDialog</name>
    <message>
        <source>Import prices and stock</source>
        <translation>Importer les prix et les stocks</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Import of %1</source>
        <translation>Importation de %1</translation>
    </message>
    <message>
        <source>Nothing changes: every price and stock of the file is the catalogue&apos;s already.</source>
        <translation>Rien ne change : chaque prix et chaque stock du fichier est déjà celui du catalogue.</translation>
    </message>
    <message>
        <source>Prices that change: %1. Stocks that change: %2.</source>
        <translation>Prix qui changent : %1. Stocks qui changent : %2.</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>et %n autre.</numerusform>
            <numerusform>et %n autres.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n variant(s))</source>
        <translation>
            <numerusform>%1 (%n variante)</numerusform>
            <numerusform>%1 (%n variantes)</numerusform>
        </translation>
    </message>
    <message>
        <source>The quote that opens a field on line %1 is never closed: the rest of the file was read as that one field.</source>
        <translation>Le guillemet qui ouvre un champ à la ligne %1 n&apos;est jamais fermé : le reste du fichier a été lu comme ce seul champ.</translation>
    </message>
    <message>
        <source>What each column of the file holds</source>
        <translation>Contenu de chaque colonne du fichier</translation>
    </message>
    <message>
        <source>Changes (untick those not to apply):</source>
        <translation>Changements (décochez ceux à ne pas appliquer) :</translation>
    </message>
    <message>
        <source>Save report…</source>
        <translation>Enregistrer le rapport…</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>Stock</source>
        <translation>Stock</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Choose the column that holds the identifiers.</source>
        <translation>Choisissez la colonne qui contient les identifiants.</translation>
    </message>
    <message>
        <source>Choose a column of prices or of stocks.</source>
        <translation>Choisissez une colonne de prix ou de stocks.</translation>
    </message>
    <message>
        <source>Every row of the file is read.</source>
        <translation>Toutes les lignes du fichier sont lues.</translation>
    </message>
    <message numerus="yes">
        <source>Rows that change nothing (%n):</source>
        <translation>
            <numerusform>Lignes qui ne changent rien (%n) :</numerusform>
            <numerusform>Lignes qui ne changent rien (%n) :</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Rows that change nothing (%n), of which the first %1 are listed:</source>
        <translation>
            <numerusform>Lignes qui ne changent rien (%n), dont les %1 premières sont listées :</numerusform>
            <numerusform>Lignes qui ne changent rien (%n), dont les %1 premières sont listées :</numerusform>
        </translation>
    </message>
    <message>
        <source>Identifiers that several variants have: one row changes them all, as many rows as variants change one each: %1</source>
        <translation>Identifiants communs à plusieurs variantes : une ligne les change toutes, autant de lignes que de variantes en changent une chacune : %1</translation>
    </message>
    <message>
        <source>Save the import&apos;s report</source>
        <translation>Enregistrer le rapport d&apos;importation</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>Report of %1</source>
        <translation>Rapport de %1</translation>
    </message>
</context>
<context>
    <name>ImportRefusalsModel</name>
    <message>
        <source>Identifier</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>Stock</source>
        <translation>Stock</translation>
    </message>
    <message>
        <source>a quote that does not open or close a field</source>
        <translation>un guillemet qui n&apos;ouvre ni ne ferme un champ</translation>
    </message>
    <message>
        <source>no identifier</source>
        <translation>pas d&apos;identifiant</translation>
    </message>
    <message>
        <source>not in the catalogue: %1</source>
        <translation>absent du catalogue : %1</translation>
    </message>
    <message>
        <source>negative: %1</source>
        <translation>négatif : %1</translation>
    </message>
    <message>
        <source>three decimals: %1</source>
        <translation>trois décimales : %1</translation>
    </message>
    <message numerus="yes">
        <source>%n decimals: %1</source>
        <translation>
            <numerusform>%n décimale : %1</numerusform>
            <numerusform>%n décimales : %1</numerusform>
        </translation>
    </message>
    <message>
        <source>a stock has no decimals: %1</source>
        <translation>un stock n&apos;a pas de décimales : %1</translation>
    </message>
    <message>
        <source>above %1: %2</source>
        <translation>au-delà de %1 : %2</translation>
    </message>
    <message>
        <source>not a number: %1</source>
        <translation>pas un nombre : %1</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Ligne</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Colonne</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Raison</translation>
    </message>
</context>
<context>
    <name>ImportReport</name>
    <message>
        <source>applied</source>
        <translation>appliqué</translation>
    </message>
    <message>
        <source>not applied</source>
        <translation>non appliqué</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Ligne</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>New price</source>
        <translation>Nouveau prix</translation>
    </message>
    <message>
        <source>Stock</source>
        <translation>Stock</translation>
    </message>
    <message>
        <source>New stock</source>
        <translation>Nouveau stock</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Résultat</translation>
    </message>
</context>
<context>
    <name>LabelLayout</name>
    <message>
        <source>Identifier too long for a barcode on this label</source>
        <translation>Identifiant trop long pour un code-barres sur cette étiquette</translation>
    </message>
    <message>
        <source>No barcode for this identifier</source>
        <translation>Pas de code-barres pour cet identifiant</translation>
    </message>
</context>
<context>
    <name>LabelSheet</name>
    <message>
        <source>A4, 3 × 8 labels of 70 × 37 mm</source>
        <translation>A4, 3 × 8 étiquettes de 70 × 37 mm</translation>
    </message>
    <message>
        <source>A4, 3 × 7 labels of 70 × 42.3 mm</source>
        <translation>A4, 3 × 7 étiquettes de 70 × 42,3 mm</translation>
    </message>
    <message>
        <source>A4, 2 × 7 labels of 99.1 × 38.1 mm</source>
        <translation>A4, 2 × 7 étiquettes de 99,1 × 38,1 mm</translation>
    </message>
    <message>
        <source>A4, 4 × 10 labels of 48.5 × 25.4 mm</source>
        <translation>A4, 4 × 10 étiquettes de 48,5 × 25,4 mm</translation>
    </message>
    <message>
        <source>Letter, 3 × 10 labels of 66.7 × 25.4 mm</source>
        <translation>Letter, 3 × 10 étiquettes de 66,7 × 25,4 mm</translation>
    </message>
    <message>
        <source>One label per page</source>
        <translation>Une étiquette par page</translation>
    </message>
</context>
<context>
    <name>LabelsDialog</name>
    <message>
        <source>Print labels</source>
        <translation>Imprimer des étiquettes</translation>
    </message>
    <message>
        <source>&amp;Sheet:</source>
        <translation>&amp;Planche :</translation>
    </message>
    <message>
        <source>Label si&amp;ze:</source>
        <translation>&amp;Taille de l&apos;étiquette :</translation>
    </message>
    <message>
        <source>S&amp;tart at label:</source>
        <translation>&amp;Commencer à l&apos;étiquette :</translation>
    </message>
    <message>
        <source>C&amp;opies of each:</source>
        <translation>E&amp;xemplaires de chacune :</translation>
    </message>
    <message>
        <source>As many as in stock</source>
        <translation>Autant que le stock</translation>
    </message>
    <message>
        <source>C&amp;urrency:</source>
        <translation>&amp;Devise :</translation>
    </message>
    <message>
        <source>Each label shows</source>
        <translation>Chaque étiquette montre</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation>Code-barres</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>&amp;Barcode:</source>
        <translation>Code-&amp;barres :</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Imprimer…</translation>
    </message>
    <message>
        <source>Save as PDF…</source>
        <translation>Enregistrer en PDF…</translation>
    </message>
    <message>
        <source>Code 128 of the identifier</source>
        <translation>Code 128 de l&apos;identifiant</translation>
    </message>
    <message>
        <source>QR code of the identifier</source>
        <translation>Code QR de l&apos;identifiant</translation>
    </message>
    <message>
        <source>More than %1 labels: choose fewer copies or variants.</source>
        <translation>Plus de %1 étiquettes : choisissez moins d&apos;exemplaires ou de variantes.</translation>
    </message>
    <message>
        <source>No labels: no variant has one to print.</source>
        <translation>Aucune étiquette : aucune variante n&apos;en a à imprimer.</translation>
    </message>
    <message numerus="yes">
        <source>%n label(s)</source>
        <translation>
            <numerusform>%n étiquette</numerusform>
            <numerusform>%n étiquettes</numerusform>
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
            <numerusform>%n identifiant trop long pour un code-barres sur ces étiquettes : aucun code-barres n&apos;est imprimé pour lui.</numerusform>
            <numerusform>%n identifiants trop longs pour un code-barres sur ces étiquettes : aucun code-barres n&apos;est imprimé pour eux.</numerusform>
        </translation>
    </message>
    <message>
        <source>Labels: %1</source>
        <translation>Étiquettes : %1</translation>
    </message>
    <message>
        <source>Laying out the labels…</source>
        <translation>Mise en page des étiquettes…</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>    Kälviö</source>
        <translation>Kälviö</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Leave</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nouveau</translation>
    </message>
    <message>
        <source>&amp;New Furniture</source>
        <translation>&amp;Nouveau meuble</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Save as</source>
        <translation>&amp;Enregistrer sous</translation>
    </message>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Ouvrir le fichier</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Enregistrer le fichier</translation>
    </message>
    <message>
        <source>Save file as...</source>
        <translation>Enregistrer le fichier sous...</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Modifications non enregistrées</translation>
    </message>
    <message>
        <source>The catalogue has changes that are not saved. Save them?</source>
        <translation>Le catalogue contient des modifications non enregistrées. Les enregistrer ?</translation>
    </message>
    <message>
        <source>Could not open %1.</source>
        <translation>Impossible d&apos;ouvrir %1.</translation>
    </message>
    <message>
        <source>Opened %1 (categories: %2, elements: %3, variants: %4)</source>
        <translation>%1 ouvert (catégories : %2, éléments : %3, variantes : %4)</translation>
    </message>
    <message>
        <source>File changed</source>
        <translation>Fichier modifié</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Écraser</translation>
    </message>
    <message>
        <source>Could not save %1.</source>
        <translation>Impossible d&apos;enregistrer %1.</translation>
    </message>
    <message>
        <source>Its previous contents could not be put back either: save the catalogue under another name.</source>
        <translation>Son contenu précédent n&apos;a pas pu être rétabli non plus : enregistrez le catalogue sous un autre nom.</translation>
    </message>
    <message>
        <source>The previous file is unchanged.</source>
        <translation>Le fichier précédent est inchangé.</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 enregistré</translation>
    </message>
    <message>
        <source>The file cannot be opened: %1.</source>
        <translation>Le fichier ne peut pas être ouvert : %1.</translation>
    </message>
    <message>
        <source>It is not a regular file, but a folder, a device or a pipe.</source>
        <translation>Ce n&apos;est pas un fichier ordinaire, mais un dossier, un périphérique ou un tube.</translation>
    </message>
    <message>
        <source>The file is larger than %1 MB, too large for a catalogue.</source>
        <translation>Le fichier dépasse %1 Mo : il est trop grand pour un catalogue.</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>Le fichier est vide.</translation>
    </message>
    <message>
        <source>The file is not a catalogue: %1 at line %2, column %3.</source>
        <translation>Le fichier n&apos;est pas un catalogue : %1 à la ligne %2, colonne %3.</translation>
    </message>
    <message>
        <source>The file is not a catalogue: it holds no list of categories.</source>
        <translation>Le fichier n&apos;est pas un catalogue : il ne contient pas de liste de catégories.</translation>
    </message>
    <message>
        <source>The disk refused the write: %1.</source>
        <translation>Le disque a refusé l&apos;écriture : %1.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Added %1</source>
        <translation>Ajouté : %1</translation>
    </message>
    <message>
        <source>Prices written as text: %1 (%2), saved as 0</source>
        <translation>Prix écrits en texte : %1 (%2), enregistrés comme 0</translation>
    </message>
    <message>
        <source>Stocks written as text: %1 (%2), saved as 0</source>
        <translation>Stocks écrits en texte : %1 (%2), enregistrés comme 0</translation>
    </message>
    <message>
        <source>Stocks outside -2147483648 to 2147483647: %1 (%2), saved as 0</source>
        <translation>Stocks hors de l&apos;intervalle -2147483648 à 2147483647 : %1 (%2), enregistrés comme 0</translation>
    </message>
    <message>
        <source>Stocks with a fraction: %1 (%2), saved as 0</source>
        <translation>Stocks non entiers : %1 (%2), enregistrés comme 0</translation>
    </message>
    <message>
        <source>Prices with more digits than a price holds: %1 (%2), saved rounded</source>
        <translation>Prix ayant plus de chiffres qu&apos;un prix n&apos;en garde : %1 (%2), enregistrés arrondis</translation>
    </message>
    <message>
        <source>Measures written as numbers: %1 (%2), saved as empty texts</source>
        <translation>Mesures écrites en nombres : %1 (%2), enregistrées comme textes vides</translation>
    </message>
    <message>
        <source>Other values of an unexpected type: %1 (%2), saved as empty texts or lists, or as 0</source>
        <translation>Autres valeurs d&apos;un type inattendu : %1 (%2), enregistrées comme textes ou listes vides, ou comme 0</translation>
    </message>
    <message>
        <source>Unknown keys: %1 (%2), not saved</source>
        <translation>Clés inconnues : %1 (%2), non enregistrées</translation>
    </message>
    <message>
        <source>Categories without elements: %1 (%2), not saved</source>
        <translation>Catégories sans éléments : %1 (%2), non enregistrées</translation>
    </message>
    <message>
        <source>Entries that are not objects: %1 (%2), dropped or saved empty</source>
        <translation>Entrées qui ne sont pas des objets : %1 (%2), supprimées ou enregistrées vides</translation>
    </message>
    <message>
        <source>Duplicate keys: %1 (%2), only the last value of each is kept</source>
        <translation>Clés en double : %1 (%2), seule la dernière valeur de chacune est gardée</translation>
    </message>
    <message>
        <source>%1 holds values that this catalogue cannot keep as they stand:</source>
        <translation>%1 contient des valeurs que ce catalogue ne peut pas garder telles quelles :</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Texts with half a surrogate pair: %1 (%2), saved with &quot;?&quot; in its place</source>
        <translation>Textes avec une moitié de paire de substitution : %1 (%2), enregistrés avec « ? » à sa place</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Annuler %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Rétablir %1</translation>
    </message>
    <message>
        <source>Filter (Ctrl+F)</source>
        <translation>Filtrer (Ctrl+F)</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>No variant matches the filter</source>
        <translation>Aucune variante ne correspond au filtre</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n variant(s) shown</source>
        <translation>
            <numerusform>Variante affichée : %1 sur %n</numerusform>
            <numerusform>Variantes affichées : %1 sur %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Interrupted save</source>
        <translation>Enregistrement interrompu</translation>
    </message>
    <message>
        <source>A save of %1 was interrupted, and the file (last changed %3) may be incomplete. Its previous contents are kept in %2 (written %4). Open them instead? Save then writes them into %1.</source>
        <translation>Un enregistrement de %1 a été interrompu, et le fichier (modifié le %3) est peut-être incomplet. Son contenu précédent est conservé dans %2 (écrit le %4). L&apos;ouvrir à la place ? Enregistrer l&apos;écrira alors dans %1.</translation>
    </message>
    <message>
        <source>Open the backup</source>
        <translation>Ouvrir la copie de secours</translation>
    </message>
    <message>
        <source>It holds so many elements or variants, or such long texts, that opening it would take more than %1 MB of memory.</source>
        <translation>Il contient tant d&apos;éléments ou de variantes, ou des textes si longs, que l&apos;ouvrir demanderait plus de %1 Mo de mémoire.</translation>
    </message>
    <message>
        <source>Another program changed the file meanwhile.</source>
        <translation>Un autre programme a modifié le fichier entre-temps.</translation>
    </message>
    <message>
        <source>Another program kept the file locked for too long.</source>
        <translation>Un autre programme a gardé le fichier verrouillé trop longtemps.</translation>
    </message>
    <message>
        <source>Another program is using the file; waiting for it…</source>
        <translation>Un autre programme utilise le fichier ; en attente de sa fin…</translation>
    </message>
    <message>
        <source>Missing members: %1 (%2), saved as empty texts or lists, or as 0</source>
        <translation>Membres absents : %1 (%2), enregistrés comme textes ou listes vides, ou comme 0</translation>
    </message>
    <message>
        <source>Texts starting with a byte-order mark (U+FEFF): %1 (%2), saved without it</source>
        <translation>Textes commençant par une marque d&apos;ordre des octets (U+FEFF) : %1 (%2), enregistrés sans elle</translation>
    </message>
    <message>
        <source>Its contents from before an interrupted save are kept in %1. Open them instead? Save then writes them into %2.</source>
        <translation>Son contenu d&apos;avant un enregistrement interrompu est conservé dans %1. L&apos;ouvrir à la place ? Enregistrer l&apos;écrira alors dans %2.</translation>
    </message>
    <message>
        <source>Its path goes through a symbolic link that another user made in a folder that others may write too; it is not followed, and nothing was written.</source>
        <translation>Son chemin passe par un lien symbolique qu&apos;un autre utilisateur a créé dans un dossier où d&apos;autres peuvent aussi écrire ; il n&apos;est pas suivi, et rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>Its lock file %1 is a symbolic link, which is not followed; nothing was written.</source>
        <translation>Son fichier de verrou %1 est un lien symbolique, qui n&apos;est pas suivi ; rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>Its lock file %1 belongs to another user or is not a regular file; nothing was written.</source>
        <translation>Son fichier de verrou %1 appartient à un autre utilisateur ou n&apos;est pas un fichier ordinaire ; rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>The lock file %1 cannot be made beside it: %2. Nothing was written.</source>
        <translation>Le fichier de verrou %1 ne peut pas être créé à côté : %2. Rien n&apos;a été écrit.</translation>
    </message>
    <message numerus="yes">
        <source>%n older backup(s) of it are kept too: %1.</source>
        <translation>
            <numerusform>%n copie de secours plus ancienne est aussi conservée : %1.</numerusform>
            <numerusform>%n copies de secours plus anciennes sont aussi conservées : %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation>Supprimé : %1</translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation>Annulé : %1</translation>
    </message>
    <message>
        <source>Redone: %1</source>
        <translation>Rétabli : %1</translation>
    </message>
    <message>
        <source>Copy photos</source>
        <translation>Copier les photos</translation>
    </message>
    <message>
        <source>%1 could not be copied into %2.</source>
        <translation>%1 n&apos;a pas pu être copié dans %2.</translation>
    </message>
    <message>
        <source>Photo exists</source>
        <translation>Photo existante</translation>
    </message>
    <message>
        <source>%1 already holds another file named %2. Replace it with this catalogue&apos;s photo?</source>
        <translation>%1 contient déjà un autre fichier nommé %2. Le remplacer par la photo de ce catalogue ?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Keep it</source>
        <translation>Le garder</translation>
    </message>
    <message>
        <source>It would be overwritten in place, which needs a backup of its previous contents first, and no folder took one (tried: %1).</source>
        <translation>Il serait réécrit sur place, ce qui demande d&apos;abord une copie de secours de son contenu précédent, et aucun dossier n&apos;a pu la recevoir (essayés : %1).</translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s) of this catalogue would not be found beside the copy. Copy them into %1?</source>
        <translation>
            <numerusform>%n photo de ce catalogue ne serait pas trouvée à côté de la copie. La copier dans %1 ?</numerusform>
            <numerusform>%n photos de ce catalogue ne seraient pas trouvées à côté de la copie. Les copier dans %1 ?</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Price and stock list</source>
        <translation>&amp;Liste des prix et des stocks</translation>
    </message>
    <message>
        <source>The file changed on disk: reload it</source>
        <translation>Le fichier a changé sur le disque : le recharger</translation>
    </message>
    <message>
        <source>%1 (read-only)</source>
        <translation>%1 (lecture seule)</translation>
    </message>
    <message>
        <source>Catalogue in use</source>
        <translation>Catalogue en cours d&apos;utilisation</translation>
    </message>
    <message>
        <source>Open read-only</source>
        <translation>Ouvrir en lecture seule</translation>
    </message>
    <message>
        <source>Open anyway</source>
        <translation>Ouvrir quand même</translation>
    </message>
    <message>
        <source>Could not reload %1.</source>
        <translation>Impossible de recharger %1.</translation>
    </message>
    <message>
        <source>Reloaded %1</source>
        <translation>%1 rechargé</translation>
    </message>
    <message>
        <source>%1 was changed by another program since it was opened or saved. Merge its changes with those of this catalogue, or overwrite it?</source>
        <translation>%1 a été modifié par un autre programme depuis son ouverture ou son enregistrement. Fusionner ses modifications avec celles de ce catalogue, ou l&apos;écraser ?</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Fusionner</translation>
    </message>
    <message>
        <source>Could not merge with %1.</source>
        <translation>Impossible de fusionner avec %1.</translation>
    </message>
    <message>
        <source>The file and the catalogue are unchanged.</source>
        <translation>Le fichier et le catalogue restent inchangés.</translation>
    </message>
    <message>
        <source>Merge with the file on disk</source>
        <translation>Fusion avec le fichier sur le disque</translation>
    </message>
    <message numerus="yes">
        <source>Merged %n change(s) from the file on disk</source>
        <translation>
            <numerusform>%n modification du fichier sur le disque fusionnée</numerusform>
            <numerusform>%n modifications du fichier sur le disque fusionnées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n conflict(s) decided</source>
        <translation>
            <numerusform>%n conflit tranché</numerusform>
            <numerusform>%n conflits tranchés</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 was added on both sides: ours is now %2</source>
        <translation>%1 a été ajouté des deux côtés : le nôtre est désormais %2</translation>
    </message>
    <message>
        <source>The merge saves them as listed. Merge all the same?</source>
        <translation>La fusion les enregistre comme indiqué. Fusionner quand même ?</translation>
    </message>
    <message>
        <source>Stocks with more digits than a stock holds: %1 (%2), saved rounded</source>
        <translation>Stocks ayant plus de chiffres qu&apos;un stock n&apos;en garde : %1 (%2), enregistrés arrondis</translation>
    </message>
    <message>
        <source>Texts with an escape that JSON does not have: %1 (%2), saved without its backslash</source>
        <translation>Textes avec un échappement que JSON n&apos;a pas : %1 (%2), enregistrés sans leur barre oblique inverse</translation>
    </message>
    <message>
        <source>Numbers in a form that JSON does not allow: %1 (%2), saved in the form JSON gives them</source>
        <translation>Nombres sous une forme que JSON n&apos;admet pas : %1 (%2), enregistrés sous la forme que JSON leur donne</translation>
    </message>
    <message>
        <source>Texts with control characters written as such: %1 (%2), saved with them escaped</source>
        <translation>Textes contenant des caractères de contrôle écrits tels quels : %1 (%2), enregistrés avec ces caractères échappés</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Ouvrir un fichier &amp;récent</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Effacer la liste</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Guide d&apos;utilisation</translation>
    </message>
    <message>
        <source>About Kälviö</source>
        <translation>À propos de Kälviö</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>À propos de Qt</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Kälviö %1&lt;/h3&gt;&lt;p&gt;Keeps a furniture shop&apos;s catalogue of categories, elements and variants.&lt;/p&gt;&lt;p&gt;© 2026 Kälviö developers. All rights reserved: Kälviö may not be copied or distributed without their permission.&lt;/p&gt;&lt;p&gt;Built with Qt %2 (running Qt %3), libxlsxwriter %4 and minizip %5.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Kälviö %1&lt;/h3&gt;&lt;p&gt;Tient le catalogue d&apos;un magasin de meubles : catégories, éléments et variantes.&lt;/p&gt;&lt;p&gt;© 2026 Les développeurs de Kälviö. Tous droits réservés : Kälviö ne peut être copié ni distribué sans leur permission.&lt;/p&gt;&lt;p&gt;Compilé avec Qt %2 (exécuté avec Qt %3), libxlsxwriter %4 et minizip %5.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>%1 on %2 since %3</source>
        <translation>%1 sur %2 depuis %3</translation>
    </message>
    <message>
        <source>%1 is open elsewhere:</source>
        <translation>%1 est ouvert ailleurs :</translation>
    </message>
    <message>
        <source>%1, left by a program that ended</source>
        <translation>%1, laissé par un programme terminé</translation>
    </message>
    <message>
        <source>A sync service left another version of this catalogue, %1: merge it</source>
        <translation>Un service de synchronisation a laissé une autre version de ce catalogue, %1 : la fusionner</translation>
    </message>
    <message>
        <source>The catalogue is unchanged.</source>
        <translation>Le catalogue reste inchangé.</translation>
    </message>
    <message>
        <source>Merge with %1</source>
        <translation>Fusion avec %1</translation>
    </message>
    <message>
        <source>Merged %1 (changes taken: %2)</source>
        <translation>%1 fusionné (modifications reprises : %2)</translation>
    </message>
    <message>
        <source>Merged copy</source>
        <translation>Copie fusionnée</translation>
    </message>
    <message>
        <source>The changes of %1 are now saved in the catalogue. Move it to the trash?</source>
        <translation>Les modifications de %1 sont maintenant enregistrées dans le catalogue. La mettre à la corbeille ?</translation>
    </message>
    <message>
        <source>%1 could not be moved to the trash; it is left where it is.</source>
        <translation>%1 n&apos;a pas pu être mis à la corbeille ; il reste où il est.</translation>
    </message>
    <message>
        <source>Unsaved changes found</source>
        <translation>Modifications non enregistrées retrouvées</translation>
    </message>
    <message>
        <source>Recover the unsaved changes of %1 from %2?</source>
        <translation>Récupérer les modifications non enregistrées de %1 datant de %2 ?</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>Récupérer</translation>
    </message>
    <message>
        <source>Open the file as saved</source>
        <translation>Ouvrir le fichier tel qu&apos;enregistré</translation>
    </message>
    <message>
        <source>Discard the recovery</source>
        <translation>Abandonner la récupération</translation>
    </message>
    <message>
        <source>No variant %1</source>
        <translation>Aucune variante %1</translation>
    </message>
</context>
<context>
    <name>MeasuresText</name>
    <message>
        <source>length %1</source>
        <translation>longueur %1</translation>
    </message>
    <message>
        <source>height %1</source>
        <translation>hauteur %1</translation>
    </message>
    <message>
        <source>width %1</source>
        <translation>largeur %1</translation>
    </message>
    <message>
        <source>weight %1</source>
        <translation>poids %1</translation>
    </message>
</context>
<context>
    <name>MergeConflictsDialog</name>
    <message>
        <source>Conflicting changes</source>
        <translation>Modifications en conflit</translation>
    </message>
    <message>
        <source>These fields were changed both in the file on disk and here. Choose which value to keep.</source>
        <translation>Ces champs ont été modifiés à la fois dans le fichier sur le disque et ici. Choisissez la valeur à garder.</translation>
    </message>
    <message>
        <source>Keep all mine</source>
        <translation>Garder toutes les miennes</translation>
    </message>
    <message>
        <source>Keep all theirs</source>
        <translation>Garder toutes les leurs</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Designer</source>
        <translation>Designer</translation>
    </message>
    <message>
        <source>Measures</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>Stock</source>
        <translation>Stock</translation>
    </message>
    <message>
        <source>Variant</source>
        <translation>Variante</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Champ</translation>
    </message>
    <message>
        <source>Theirs</source>
        <translation>La leur</translation>
    </message>
    <message>
        <source>Mine</source>
        <translation>La mienne</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Garder</translation>
    </message>
    <message>
        <source>deleted</source>
        <translation>supprimée</translation>
    </message>
</context>
<context>
    <name>PictureLabel</name>
    <message>
        <source>No image</source>
        <translation>Pas d&apos;image</translation>
    </message>
    <message>
        <source>Unsupported image format</source>
        <translation>Format d&apos;image non supporté</translation>
    </message>
    <message>
        <source>Image not found</source>
        <translation>Image non trouvée</translation>
    </message>
</context>
<context>
    <name>PriceChangeDialog</name>
    <message>
        <source>Set to</source>
        <translation>Fixer à</translation>
    </message>
    <message>
        <source>Raise by (%)</source>
        <translation>Augmenter de (%)</translation>
    </message>
    <message>
        <source>Lower by (%)</source>
        <translation>Baisser de (%)</translation>
    </message>
    <message>
        <source>Change prices</source>
        <translation>Modifier les prix</translation>
    </message>
    <message numerus="yes">
        <source>Change the prices of %n selected variant(s), rounded to the cent:</source>
        <translation>
            <numerusform>Modifier le prix de %n variante sélectionnée, arrondi au centime :</numerusform>
            <numerusform>Modifier les prix des %n variantes sélectionnées, arrondis au centime :</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Refused: %n variant(s) would get a price below 0.</source>
        <translation>
            <numerusform>Refusé : %n variante aurait un prix inférieur à 0.</numerusform>
            <numerusform>Refusé : %n variantes auraient un prix inférieur à 0.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Refused: %n variant(s) would get a price above %1, the most a file holds.</source>
        <translation>
            <numerusform>Refusé : %n variante aurait un prix supérieur à %1, le plus qu&apos;un fichier garde.</numerusform>
            <numerusform>Refusé : %n variantes auraient un prix supérieur à %1, le plus qu&apos;un fichier garde.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PriceList</name>
    <message>
        <source>Filter:</source>
        <translation>Filtre :</translation>
    </message>
    <message>
        <source>Low stock at or below:</source>
        <translation>Stock faible jusqu&apos;à :</translation>
    </message>
    <message>
        <source>Low stock only</source>
        <translation>Stock faible seulement</translation>
    </message>
    <message>
        <source>Change prices…</source>
        <translation>Modifier les prix…</translation>
    </message>
    <message>
        <source>Change stock…</source>
        <translation>Modifier le stock…</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Price and stock list</source>
        <translation>Liste des prix et des stocks</translation>
    </message>
    <message>
        <source>%1, %2, stock value %3</source>
        <translation>%1, %2, valeur du stock %3</translation>
    </message>
    <message numerus="yes">
        <source>%n variant(s)</source>
        <translation>
            <numerusform>%n variante</numerusform>
            <numerusform>%n variantes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 unit(s) in stock</source>
        <translation>
            <numerusform>%1 unité en stock</numerusform>
            <numerusform>%1 unités en stock</numerusform>
        </translation>
    </message>
    <message>
        <source>Select the rows to change first.</source>
        <translation>Sélectionnez d&apos;abord les lignes à modifier.</translation>
    </message>
    <message numerus="yes">
        <source>Prices of %n variant(s)</source>
        <translation>
            <numerusform>Prix de %n variante</numerusform>
            <numerusform>Prix de %n variantes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stock of %n variant(s)</source>
        <translation>
            <numerusform>Stock de %n variante</numerusform>
            <numerusform>Stock de %n variantes</numerusform>
        </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>This furniture is no longer in the catalogue: nothing was changed.</source>
        <translation>Ce meuble n&apos;est plus dans le catalogue : rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>Fill &amp;down</source>
        <translation>Recopier vers le &amp;bas</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>%1 (read-only)</source>
        <translation>%1 (lecture seule)</translation>
    </message>
    <message>
        <source>Nothing pasted</source>
        <translation>Rien n&apos;a été collé</translation>
    </message>
    <message numerus="yes">
        <source>Paste into %n variant(s)</source>
        <translation>
            <numerusform>Coller dans %n variante</numerusform>
            <numerusform>Coller dans %n variantes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The clipboard holds %n line(s), more than the %1 rows shown from the current one down. Nothing was pasted.</source>
        <translation>
            <numerusform>Le presse-papiers contient %n ligne, plus que les %1 lignes affichées à partir de la ligne courante. Rien n&apos;a été collé.</numerusform>
            <numerusform>Le presse-papiers contient %n lignes, plus que les %1 lignes affichées à partir de la ligne courante. Rien n&apos;a été collé.</numerusform>
        </translation>
    </message>
    <message>
        <source>The clipboard holds more columns than the list takes from this one: a price and a stock, or a stock alone. Nothing was pasted.</source>
        <translation>Le presse-papiers contient plus de colonnes que la liste n&apos;en prend à partir de celle-ci : un prix et un stock, ou un stock seul. Rien n&apos;a été collé.</translation>
    </message>
    <message>
        <source>The clipboard holds no value to paste.</source>
        <translation>Le presse-papiers ne contient aucune valeur à coller.</translation>
    </message>
    <message numerus="yes">
        <source>Nothing was pasted: %n value(s) cannot be used.</source>
        <translation>
            <numerusform>Rien n&apos;a été collé : %n valeur ne peut pas être utilisée.</numerusform>
            <numerusform>Rien n&apos;a été collé : %n valeurs ne peuvent pas être utilisées.</numerusform>
        </translation>
    </message>
    <message>
        <source>Row %1, %2: &quot;%3&quot;: %4</source>
        <translation>Ligne %1, %2 : « %3 » : %4</translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>et %n autre.</numerusform>
            <numerusform>et %n autres.</numerusform>
        </translation>
    </message>
    <message>
        <source>Select the rows to fill, the first holding the value.</source>
        <translation>Sélectionnez les lignes à remplir, la première portant la valeur.</translation>
    </message>
    <message>
        <source>Nothing filled</source>
        <translation>Rien n&apos;a été recopié</translation>
    </message>
    <message>
        <source>The first value is past what a file holds: nothing was changed.</source>
        <translation>La première valeur dépasse ce qu&apos;un fichier garde : rien n&apos;a été modifié.</translation>
    </message>
    <message numerus="yes">
        <source>Fill down %n variant(s)</source>
        <translation>
            <numerusform>Recopier vers le bas dans %n variante</numerusform>
            <numerusform>Recopier vers le bas dans %n variantes</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose a cell of the Price or Stock column first.</source>
        <translation>Choisissez d&apos;abord une cellule de la colonne Prix ou Stock.</translation>
    </message>
    <message>
        <source>Count by scanning</source>
        <translation>Compter en scannant</translation>
    </message>
    <message>
        <source>Apply count…</source>
        <translation>Appliquer le comptage…</translation>
    </message>
    <message>
        <source>Clear count</source>
        <translation>Effacer le comptage</translation>
    </message>
    <message>
        <source>Print labels…</source>
        <translation>Imprimer des étiquettes…</translation>
    </message>
    <message>
        <source>The count has not been applied. Close the list and lose it?</source>
        <translation>Le comptage n&apos;a pas été appliqué. Fermer la liste et le perdre ?</translation>
    </message>
    <message>
        <source>No variant %1</source>
        <translation>Aucune variante %1</translation>
    </message>
    <message>
        <source>Several variants carry %1: it was not counted. Type their stock instead.</source>
        <translation>Plusieurs variantes portent %1 : il n&apos;a pas été compté. Tapez plutôt leur stock.</translation>
    </message>
    <message>
        <source>Counted %1: %2</source>
        <translation>Compté %1 : %2</translation>
    </message>
    <message>
        <source>A count is past what a file holds: nothing was changed.</source>
        <translation>Un compte dépasse ce qu&apos;un fichier peut contenir : rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>Every count is the stock already: nothing changes.</source>
        <translation>Chaque compte est déjà le stock : rien ne change.</translation>
    </message>
    <message>
        <source>Stocks that change: %1. Set them to the count?</source>
        <translation>Stocks qui changent : %1. Leur donner le compte ?</translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation>%1 : %2 → %3</translation>
    </message>
    <message numerus="yes">
        <source>Stock count of %n variant(s)</source>
        <translation>
            <numerusform>Comptage du stock de %n variante</numerusform>
            <numerusform>Comptage du stock de %n variantes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PriceListLayout</name>
    <message>
        <source>Price list: %1</source>
        <translation>Liste de prix : %1</translation>
    </message>
    <message>
        <source>Designer: %1</source>
        <translation>Designer : %1</translation>
    </message>
    <message>
        <source>Price list - %1</source>
        <translation>Liste de prix - %1</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
</context>
<context>
    <name>PriceListModel</name>
    <message>
        <source>en_US</source>
        <comment>the locale of the interface language</comment>
        <translation>fr_FR</translation>
    </message>
    <message>
        <source>Low stock: %1 or fewer</source>
        <translation>Stock faible : %1 ou moins</translation>
    </message>
    <message>
        <source>Identifier</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>Stock</source>
        <translation>Stock</translation>
    </message>
    <message>
        <source>Stock value</source>
        <translation>Valeur du stock</translation>
    </message>
    <message>
        <source>Price of %1</source>
        <translation>Prix de %1</translation>
    </message>
    <message>
        <source>Stock of %1</source>
        <translation>Stock de %1</translation>
    </message>
    <message>
        <source>Counted</source>
        <translation>Compté</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>No category</source>
        <translation>Pas de categorie</translation>
    </message>
</context>
<context>
    <name>StockChangeDialog</name>
    <message>
        <source>Set to</source>
        <translation>Fixer à</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Take away</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Change stock</source>
        <translation>Modifier le stock</translation>
    </message>
    <message numerus="yes">
        <source>Change the stock of %n selected variant(s):</source>
        <translation>
            <numerusform>Modifier le stock de %n variante sélectionnée :</numerusform>
            <numerusform>Modifier le stock des %n variantes sélectionnées :</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Refused: %n variant(s) would have a stock below 0.</source>
        <translation>
            <numerusform>Refusé : %n variante aurait un stock inférieur à 0.</numerusform>
            <numerusform>Refusé : %n variantes auraient un stock inférieur à 0.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Refused: %n variant(s) would have a stock above %1, the most a variant holds.</source>
        <translation>
            <numerusform>Refusé : %n variante aurait un stock supérieur à %1, le plus qu&apos;une variante puisse avoir.</numerusform>
            <numerusform>Refusé : %n variantes auraient un stock supérieur à %1, le plus qu&apos;une variante puisse avoir.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UserGuide</name>
    <message>
        <source>User guide - Kälviö</source>
        <translation>Guide d&apos;utilisation - Kälviö</translation>
    </message>
</context>
<context>
    <name>ValueRefusal</name>
    <message>
        <source>A price cannot be empty</source>
        <translation>Un prix ne peut pas être vide</translation>
    </message>
    <message>
        <source>A stock cannot be empty</source>
        <translation>Un stock ne peut pas être vide</translation>
    </message>
    <message>
        <source>A price is a number, such as %1</source>
        <translation>Un prix est un nombre, comme %1</translation>
    </message>
    <message>
        <source>A stock is a whole number, such as %1</source>
        <translation>Un stock est un nombre entier, comme %1</translation>
    </message>
    <message>
        <source>A price cannot be below 0</source>
        <translation>Un prix ne peut pas être inférieur à 0</translation>
    </message>
    <message>
        <source>A stock cannot be below 0</source>
        <translation>Un stock ne peut pas être inférieur à 0</translation>
    </message>
    <message>
        <source>A price has at most two decimals</source>
        <translation>Un prix a au plus deux décimales</translation>
    </message>
    <message>
        <source>A stock is a whole number</source>
        <translation>Un stock est un nombre entier</translation>
    </message>
    <message>
        <source>A price is at most %1</source>
        <translation>Un prix vaut au plus %1</translation>
    </message>
    <message>
        <source>A stock is at most %1</source>
        <translation>Un stock vaut au plus %1</translation>
    </message>
</context>
</TS>
