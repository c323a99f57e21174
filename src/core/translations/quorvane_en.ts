<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>StringTable</name>
    <message numerus="yes">
        <source>%n 分钟</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 项</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 分</source>
        <translation>
            <numerusform>%n pt</numerusform>
            <numerusform>%n pts</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共 %n 段节律记录</source>
        <translation>
            <numerusform>%n moment in this day&apos;s rhythm</numerusform>
            <numerusform>%n moments in this day&apos;s rhythm</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 中有 %n 条记录无法读取，已原样保留在数据文件夹中。</source>
        <translation>
            <numerusform>%n entry of %1 could not be read; it is kept unchanged in the data folder.</numerusform>
            <numerusform>%n entries of %1 could not be read; they are kept unchanged in the data folder.</numerusform>
        </translation>
    </message>
</context>
</TS>
