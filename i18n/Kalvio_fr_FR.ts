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
        <translation>L'élément existe deja</translation>
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
        <translation>Pas d'image</translation>
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
        <translation>Format d'image non supporté</translation>
    </message>
    <message>
        <source>Weight :</source>
        <translation>Poids :</translation>
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
        <translation>Pas d'image</translation>
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
        <translation>Format d'image non supporté</translation>
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
