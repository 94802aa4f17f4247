<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>Sample</name>
    <message>
        <source>Fertig</source>
        <translation>Done</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Übersetzt</source>
        <extracomment>1</extracomment>
        <translation>Translated</translation>
    </message>
</context>
</TS>
