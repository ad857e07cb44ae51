<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>frmMath</name>
    <message>
        <source>Math Practice</source>
        <translation>Exercices de calcul</translation>
    </message>
    <message>
        <source>&amp;Display summary information</source>
        <translation>Affic&amp;her le résumé</translation>
    </message>
    <message>
        <source>Operations</source>
        <translation>Opérations</translation>
    </message>
    <message>
        <source>&amp;Addition</source>
        <translation>&amp;Additionner</translation>
    </message>
    <message>
        <source>&amp;Subtraction</source>
        <translation>&amp;Soustraire</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Étapes</translation>
    </message>
    <message>
        <source>Level &amp;1   (1-10)</source>
        <translation>Étape &amp;1  (1-10)</translation>
    </message>
    <message>
        <source>Level &amp;2   (10-100)</source>
        <translation>Étape &amp;2  (10-100)</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Résumé</translation>
    </message>
    <message>
        <source>Incorrect answers</source>
        <translation>Réponses fausses</translation>
    </message>
    <message>
        <source>Correct answers</source>
        <translation>Réponses justes</translation>
    </message>
    <message>
        <source>Correct:</source>
        <translation>Justes :</translation>
    </message>
    <message>
        <source>Incorrect:</source>
        <translation>Fausses :</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Problème</translation>
    </message>
    <message>
        <source>First number</source>
        <translation>Premier nombre</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Opérateur</translation>
    </message>
    <message>
        <source>Second number</source>
        <translation>Second nombre</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>Signe égal</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Réponse</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Appréciation</translation>
    </message>
    <message>
        <source>&amp;Verify Answer</source>
        <translation>&amp;Vérifier</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Minus sign</source>
        <translation>Signe moins</translation>
    </message>
    <message>
        <source>Plus sign</source>
        <translation>Signe plus</translation>
    </message>
    <message>
        <source>Smiling face</source>
        <translation>Visage souriant</translation>
    </message>
    <message>
        <source>Try again.</source>
        <translation>Essaie encore.</translation>
    </message>
    <message>
        <source>Math Application</source>
        <translation>Application de calcul</translation>
    </message>
    <message>
        <source>%1 plus %2 equals</source>
        <translation>%1 plus %2 égale</translation>
    </message>
    <message>
        <source>%1 minus %2 equals</source>
        <translation>%1 moins %2 égale</translation>
    </message>
    <message>
        <source>Correct answers %1</source>
        <translation>Réponses justes %1</translation>
    </message>
    <message>
        <source>Incorrect answers %1</source>
        <translation>Réponses fausses %1</translation>
    </message>
    <message>
        <source>plus</source>
        <translation>plus</translation>
    </message>
    <message>
        <source>minus</source>
        <translation>moins</translation>
    </message>
    <message>
        <source>%1, %2.</source>
        <translation>%1, %2.</translation>
    </message>
    <message>
        <source>Correct.</source>
        <translation>Juste.</translation>
    </message>
</context>
</TS>
