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
    <message>
        <source>USB Interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot initiate reading!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not connected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read inputs&apos; states!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operation failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remote control:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time exceeded!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid R. C. address!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select button!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Divergent key!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid key code!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCU key code reading failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid key code [%1]!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ambiguous R. C. address!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCU key code writing failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCU address writing failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCU data saving failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending configuration and data...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config and data writing
     successful!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config and data writing
     failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration reading
 failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Improper hardware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For Kv310 version 3.99 or less, use older KvOrbit310.exe!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This software supports </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> controllers only!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading configuration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration reading
successful!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration error:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coupling tables are not coherent!
The first one was taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incomplete file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not all days of year are properly described!
	Continue anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip this</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Anuluj</translation>
    </message>
    <message>
        <source>Skip all</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lightEffect</name>
    <message>
        <source>Fixture No. %1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: undefined!</source>
        <translation type="unfinished"></translation>
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
    <name>reconnectDialog</name>
    <message>
        <source>Device not connected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previously connected controller is no longer available!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Retry or choose another device to connect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Anuluj</translation>
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
    <name>v_project</name>
    <message>
        <source>Incomplete fixture(s) found!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All fixtures should be completely defined
before entering visualisaton mode!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range boundary violation!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fixture %1 violates range of group %2!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range_</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removing groups by ranges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1 groups generated by active scenes!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incomplete data!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check item &quot;%1&quot;!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New fixture definitiions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All definition of fixtures in project
will be replaced from external library!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undefined fixture model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This library does not contain definition
for fixture %1!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New fixture definitions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All definition succesfully replaced!</source>
        <translation type="unfinished"></translation>
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
