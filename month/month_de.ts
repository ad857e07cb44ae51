<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>frmMthlyPay</name>
    <message>
        <source>Monthly Payment Calculator</source>
        <translation>Kreditratenrechner</translation>
    </message>
    <message>
        <source>Loan</source>
        <translation>Kredit</translation>
    </message>
    <message>
        <source>&amp;5 years</source>
        <translation>&amp;5 Jahre</translation>
    </message>
    <message>
        <source>&amp;4 years</source>
        <translation>&amp;4 Jahre</translation>
    </message>
    <message>
        <source>&amp;3 years</source>
        <translation>&amp;3 Jahre</translation>
    </message>
    <message>
        <source>&amp;2 years</source>
        <translation>&amp;2 Jahre</translation>
    </message>
    <message>
        <source>Principal</source>
        <translation>Kreditbetrag</translation>
    </message>
    <message>
        <source>Interest rate</source>
        <translation>Zinssatz</translation>
    </message>
    <message>
        <source>&amp;Principal:</source>
        <translation>Be&amp;trag:</translation>
    </message>
    <message>
        <source>&amp;Interest:</source>
        <translation>&amp;Zinssatz:</translation>
    </message>
    <message>
        <source>Term:</source>
        <translation>Laufzeit:</translation>
    </message>
    <message>
        <source>&amp;Calculate</source>
        <translation>&amp;Berechnen</translation>
    </message>
    <message>
        <source>Monthly payment</source>
        <translation>Monatliche Rate</translation>
    </message>
    <message>
        <source>Monthly payment:</source>
        <translation>Monatliche Rate:</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Co&amp;lor</source>
        <translation>&amp;Farbe</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Background...</source>
        <translation>&amp;Hintergrund...</translation>
    </message>
    <message>
        <source>&amp;Information Box...</source>
        <translation>&amp;Meldungsfeld...</translation>
    </message>
    <message>
        <source>The principal is too large. Enter an amount below 3.4E+38.</source>
        <translation>Der Kreditbetrag ist zu groß. Geben Sie einen Betrag unter 3,4E+38 ein.</translation>
    </message>
    <message>
        <source>Monthly payment %1</source>
        <translation>Monatliche Rate %1</translation>
    </message>
</context>
</TS>
