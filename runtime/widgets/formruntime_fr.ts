<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CommonDialog</name>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
</context>
<context>
    <name>PrintForm</name>
    <message>
        <source>No printer is available. Set up a default printer and try again.</source>
        <translation>Aucune imprimante n&apos;est disponible. Configurez une imprimante par défaut et réessayez.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; cannot print now.</source>
        <translation>L&apos;imprimante « %1 » ne peut pas imprimer maintenant.</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Erreur d&apos;exécution &apos;%1&apos; :

%2</translation>
    </message>
    <message>
        <source>Run-time error:

%1</source>
        <translation>Erreur d&apos;exécution :

%1</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Appel de procédure ou argument incorrect</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Division par zéro</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Type incompatible</translation>
    </message>
    <message>
        <source>Object variable not set</source>
        <translation>Variable objet non définie</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Valeur de propriété non valide</translation>
    </message>
    <message>
        <source>Object doesn&apos;t support this property or method</source>
        <translation>Cet objet ne gère pas cette propriété ou méthode</translation>
    </message>
</context>
</TS>
