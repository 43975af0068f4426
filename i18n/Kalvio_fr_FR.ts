<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
        <source>%1 was changed by another program since it was opened or saved. Overwrite it with this catalogue?</source>
        <translation>%1 a été modifié par un autre programme depuis son ouverture ou son enregistrement. L&apos;écraser avec ce catalogue ?</translation>
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
</context>
<context>
    <name>QObject</name>
    <message>
        <source>No category</source>
        <translation>Pas de categorie</translation>
    </message>
</context>
</TS>
