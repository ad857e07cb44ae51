<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>frmMath</name>
    <message>
        <source>Math Practice</source>
        <translation>Rechenübung</translation>
    </message>
    <message>
        <source>&amp;Display summary information</source>
        <translation>&amp;Übersicht anzeigen</translation>
    </message>
    <message>
        <source>Operations</source>
        <translation>Rechenarten</translation>
    </message>
    <message>
        <source>&amp;Addition</source>
        <translation>&amp;Addition</translation>
    </message>
    <message>
        <source>&amp;Subtraction</source>
        <translation>&amp;Subtraktion</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Stufen</translation>
    </message>
    <message>
        <source>Level &amp;1   (1-10)</source>
        <translation>Stufe &amp;1   (1-10)</translation>
    </message>
    <message>
        <source>Level &amp;2   (10-100)</source>
        <translation>Stufe &amp;2   (10-100)</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Zusammenfassung</translation>
    </message>
    <message>
        <source>Incorrect answers</source>
        <translation>Falsche Antworten</translation>
    </message>
    <message>
        <source>Correct answers</source>
        <translation>Richtige Antworten</translation>
    </message>
    <message>
        <source>Correct:</source>
        <translation>Richtig:</translation>
    </message>
    <message>
        <source>Incorrect:</source>
        <translation>Falsch:</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>First number</source>
        <translation>Erste Zahl</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Rechenzeichen</translation>
    </message>
    <message>
        <source>Second number</source>
        <translation>Zweite Zahl</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>Gleichheitszeichen</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Rückmeldung</translation>
    </message>
    <message>
        <source>&amp;Verify Answer</source>
        <translation>Antwort &amp;prüfen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Minus sign</source>
        <translation>Minuszeichen</translation>
    </message>
    <message>
        <source>Plus sign</source>
        <translation>Pluszeichen</translation>
    </message>
    <message>
        <source>Smiling face</source>
        <translation>Lächelndes Gesicht</translation>
    </message>
    <message>
        <source>Try again.</source>
        <translation>Versuche es noch einmal.</translation>
    </message>
    <message>
        <source>Math Application</source>
        <translation>Rechenprogramm</translation>
    </message>
    <message>
        <source>%1 plus %2 equals</source>
        <translation>%1 plus %2 gleich</translation>
    </message>
    <message>
        <source>%1 minus %2 equals</source>
        <translation>%1 minus %2 gleich</translation>
    </message>
    <message>
        <source>Correct answers %1</source>
        <translation>Richtige Antworten %1</translation>
    </message>
    <message>
        <source>Incorrect answers %1</source>
        <translation>Falsche Antworten %1</translation>
    </message>
    <message>
        <source>plus</source>
        <translation>plus</translation>
    </message>
    <message>
        <source>minus</source>
        <translation>minus</translation>
    </message>
    <message>
        <source>%1, %2.</source>
        <translation>%1, %2.</translation>
    </message>
    <message>
        <source>Correct.</source>
        <translation>Richtig.</translation>
    </message>
</context>
</TS>
