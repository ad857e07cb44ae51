<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommonDialog</name>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
</context>
<context>
    <name>PrintForm</name>
    <message>
        <source>No printer is available. Set up a default printer and try again.</source>
        <translation>Kein Drucker ist verfügbar. Richten Sie einen Standarddrucker ein und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; cannot print now.</source>
        <translation>Der Drucker „%1“ kann jetzt nicht drucken.</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Laufzeitfehler &apos;%1&apos;:

%2</translation>
    </message>
    <message>
        <source>Run-time error:

%1</source>
        <translation>Laufzeitfehler:

%1</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Division durch Null</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>Object variable not set</source>
        <translation>Objektvariable nicht festgelegt</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Ungültiger Eigenschaftswert</translation>
    </message>
    <message>
        <source>Object doesn&apos;t support this property or method</source>
        <translation>Das Objekt unterstützt diese Eigenschaft oder Methode nicht</translation>
    </message>
</context>
</TS>
