<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
        <source>Image not found</source>
        <translation>Image non trouvée</translation>
    </message>
    <message>
        <source>Length :</source>
        <translation>Longueur :</translation>
    </message>
    <message>
        <source>No image</source>
        <translation>Pas d&apos;image</translation>
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
        <source>Unsupported image format</source>
        <translation>Format d&apos;image non supporté</translation>
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
        <source>Image not found</source>
        <translation>Image non trouvée</translation>
    </message>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>No image</source>
        <translation>Pas d&apos;image</translation>
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
        <source>Unsupported image format</source>
        <translation>Format d&apos;image non supporté</translation>
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
        <source>A save of %1 was interrupted, and the file may be incomplete. Its previous contents are kept in %2. Open them instead? Save then writes them into %1.</source>
        <translation>Un enregistrement de %1 a été interrompu, et le fichier est peut-être incomplet. Son contenu précédent est conservé dans %2. L&apos;ouvrir à la place ? Enregistrer l&apos;écrira alors dans %1.</translation>
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
        <source>%1 has had %2 open on %3 since %4; this notice is more than a day old, so probably stale.</source>
        <translation>%1 a ouvert %2 sur %3 depuis le %4 ; cet avis date de plus d&apos;un jour et est donc probablement périmé.</translation>
    </message>
    <message>
        <source>%1 has %2 open on %3 since %4.</source>
        <translation>%1 a ouvert %2 sur %3 depuis le %4.</translation>
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
    <name>QObject</name>
    <message>
        <source>No category</source>
        <translation>Pas de categorie</translation>
    </message>
</context>
</TS>
