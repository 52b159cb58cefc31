<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Quillmark</name>
    <message numerus="yes">
        <source>%n copy(s)</source>
        <extracomment>One copy is &quot;the copy&quot;.</extracomment>
        <translation>
            <numerusform>the copy</numerusform>
            <numerusform>%n copies</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n list(s)</source>
        <translation>
            <numerusform>%n list</numerusform>
            <numerusform>%n lists</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n tick(s)</source>
        <translation>
            <numerusform>%n tick</numerusform>
            <numerusform>%n ticks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove %n items</source>
        <translation>
            <numerusform>Remove %n item</numerusform>
            <numerusform>Remove %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Are you sure you want to remove the %n chosen items?</source>
        <translation>
            <numerusform>Are you sure you want to remove the %n chosen item?</numerusform>
            <numerusform>Are you sure you want to remove the %n chosen items?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Add %n items</source>
        <translation>
            <numerusform>Add %n item</numerusform>
            <numerusform>Add %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Add %n Item(s)</source>
        <translation>
            <numerusform>Add %n Item</numerusform>
            <numerusform>Add %n Items</numerusform>
        </translation>
    </message>
</context>
</TS>
