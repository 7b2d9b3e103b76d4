<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>clearConf</name>
    <message>
        <source>Clear configuration</source>
        <translation>Czyszczenie konfiguracji</translation>
    </message>
    <message>
        <source>Clear settings:</source>
        <translation>Wyczyść ustawienia:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystko</translation>
    </message>
    <message>
        <source>Scenes</source>
        <translation>Sceny</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>Programy</translation>
    </message>
    <message>
        <source>Chained Events</source>
        <translation>Zdarzenia łańcuchowe</translation>
    </message>
    <message>
        <source>Descriptions</source>
        <translation>Opisy</translation>
    </message>
    <message>
        <source>Timers</source>
        <translation>Timery</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Wejścia</translation>
    </message>
    <message>
        <source>DMX Inputs</source>
        <translation>Wejścia DMX</translation>
    </message>
    <message>
        <source>DMX Outputs</source>
        <translation>Wyjścia DMX</translation>
    </message>
    <message>
        <source>Internal Events</source>
        <translation>Zdarzenia wewnętrzne</translation>
    </message>
    <message>
        <source>State &amp;&amp; Daytime Limits</source>
        <translation>Ograniczenia stanów &amp;&amp; pory dnia</translation>
    </message>
    <message>
        <source>Delays &amp;&amp; Sequences</source>
        <translation>Opóźnienia &amp;&amp; sekwencje</translation>
    </message>
    <message>
        <source>Masks</source>
        <translation>Maski</translation>
    </message>
    <message>
        <source>Sun Related Events</source>
        <translation>Zdarzenia słoneczne</translation>
    </message>
    <message>
        <source>Visual Project</source>
        <translation>Projekt wizualny</translation>
    </message>
    <message>
        <source>Active Scenes</source>
        <translation>Sceny aktywne</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Czy na pewno?</translation>
    </message>
    <message>
        <source>Yes!</source>
        <translation>Tak!</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>dgTimeRescale</name>
    <message>
        <source>Time scaling</source>
        <translation>Skalowanie czasu</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Szybciej</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Wolniej</translation>
    </message>
    <message>
        <source>100x</source>
        <translation>100x</translation>
    </message>
    <message>
        <source>10x</source>
        <translation>10x</translation>
    </message>
    <message>
        <source>1x</source>
        <translation>1x</translation>
    </message>
    <message>
        <source>No change</source>
        <translation>Bez zmian</translation>
    </message>
</context>
<context>
    <name>gui_class</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Język</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Język</translation>
    </message>
    <message>
        <source>Change language to: </source>
        <translation>Zmień język na: </translation>
    </message>
    <message>
        <source>Change application language</source>
        <translation>Zmiana języka aplikacji</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Uwaga!</translation>
    </message>
    <message>
        <source>Cannot write new language!</source>
        <translation>Nie można zapisać nowego języka!</translation>
    </message>
</context>
<context>
    <name>kv310_controller_class</name>
    <message>
        <source>KvOrbit310+</source>
        <translation>KvOrbit310+</translation>
    </message>
    <message>
        <source>Not enough memory! Quitting!</source>
        <translation>Za mało pamięci! Program kończy pracę!</translation>
    </message>
</context>
<context>
    <name>programTable</name>
    <message>
        <source>Warning!</source>
        <translation>Uwaga!</translation>
    </message>
    <message>
        <source>Program steps limit exceed!</source>
        <translation>Przekroczono limit kroków programów!</translation>
    </message>
</context>
<context>
    <name>startup</name>
    <message>
        <source>unknown</source>
        <translation>nieznany</translation>
    </message>
</context>
<context>
    <name>timeRescaleDlg</name>
    <message>
        <source>No change</source>
        <translation>Bez zmian</translation>
    </message>
    <message>
        <source>%1x faster</source>
        <translation>%1x szybciej</translation>
    </message>
    <message>
        <source>%1x slower</source>
        <translation>%1x wolniej</translation>
    </message>
    <message>
        <source>Time scaling</source>
        <translation>Skalowanie czasu</translation>
    </message>
    <message>
        <source>Some limits were reached!</source>
        <translation>Niektóre wartości osiągnęły granice!</translation>
    </message>
</context>
<context>
    <name>xml_report</name>
    <message>
        <source>Errors occured!</source>
        <translation>Wystąpiły błędy!</translation>
    </message>
    <message>
        <source>Errors parsing file
&quot;%1&quot; occured!
Refer to &quot;xml_report.log&quot;.</source>
        <translation>Wystąpiły błędy podczas analizy pliku
&quot;%1&quot;!
Szczegóły w pliku &quot;xml_report.log&quot;.</translation>
    </message>
</context>
</TS>
