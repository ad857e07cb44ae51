<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>frmMthlyPay</name>
    <message>
        <source>Monthly Payment Calculator</source>
        <translation>Calcul de mensualités</translation>
    </message>
    <message>
        <source>Loan</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>&amp;5 years</source>
        <translation>&amp;5 ans</translation>
    </message>
    <message>
        <source>&amp;4 years</source>
        <translation>&amp;4 ans</translation>
    </message>
    <message>
        <source>&amp;3 years</source>
        <translation>&amp;3 ans</translation>
    </message>
    <message>
        <source>&amp;2 years</source>
        <translation>&amp;2 ans</translation>
    </message>
    <message>
        <source>Principal</source>
        <translation>Capital</translation>
    </message>
    <message>
        <source>Interest rate</source>
        <translation>Taux d&apos;intérêt</translation>
    </message>
    <message>
        <source>&amp;Principal:</source>
        <translation>Ca&amp;pital :</translation>
    </message>
    <message>
        <source>&amp;Interest:</source>
        <translation>&amp;Taux :</translation>
    </message>
    <message>
        <source>Term:</source>
        <translation>Durée :</translation>
    </message>
    <message>
        <source>&amp;Calculate</source>
        <translation>&amp;Calculer</translation>
    </message>
    <message>
        <source>Monthly payment</source>
        <translation>Mensualité</translation>
    </message>
    <message>
        <source>Monthly payment:</source>
        <translation>Mensualité :</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Co&amp;lor</source>
        <translation>C&amp;ouleur</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimer...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Background...</source>
        <translation>&amp;Arrière-plan...</translation>
    </message>
    <message>
        <source>&amp;Information Box...</source>
        <translation>Boîte d&apos;&amp;information...</translation>
    </message>
    <message>
        <source>The principal is too large. Enter an amount below 3.4E+38.</source>
        <translation>Le capital est trop élevé. Entrez un montant inférieur à 3,4E+38.</translation>
    </message>
    <message>
        <source>Monthly payment %1</source>
        <translation>Mensualité %1</translation>
    </message>
</context>
</TS>
